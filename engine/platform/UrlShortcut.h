#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zb::platform {

// The target of a desktop ".url" shortcut: the value of its "URL=" line.
std::optional<std::string> UrlFromShortcut(std::string_view contents);

}  // namespace zb::platform
