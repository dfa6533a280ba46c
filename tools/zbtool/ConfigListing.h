#pragma once

#include <string>
#include <string_view>

#include "persist/Settings.h"

namespace zb::tool {

// The settings as `zbtool config` prints them: one "Name=value" per line, texts as raw bytes.
std::string ListSettings(const TSettings& settings);

// Applies such a listing to `settings`. False, with `error` set, on a line that is not one of
// the listing's names or whose value does not fit it.
bool ParseSettingsListing(std::string_view listing, TSettings& settings, std::string& error);

}  // namespace zb::tool
