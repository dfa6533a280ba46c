#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "persist/Settings.h"

namespace zb {

// "Config.cfg": one encoded line per value, each ended by CR LF, 73 + PlayerCount lines with
// four key bindings.

// The bytes of the file for these settings. As the game's writer does, the country and the
// current name lose their trailing "%" in `settings` too.
std::string ConfigText(TSettings& settings);

// Writes the file through a temporary file beside it that replaces the old one only once it
// is complete, so a failed write leaves the old file as it was. False when it failed.
bool WriteConfig(TSettings& settings, const std::filesystem::path& file);

// Overwrites the settings from the file's lines. The file is not trusted: a missing line, a
// number that does not read or lies outside its range keeps the setting as it is; the player
// and key counts are held to their capacity.
void ReadConfigText(TSettings& settings, std::string_view text);

// Reads the file when it exists (false when there is none, which is the first start).
bool ReadConfig(TSettings& settings, const std::filesystem::path& file);

}  // namespace zb
