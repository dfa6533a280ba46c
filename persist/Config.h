#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "persist/Settings.h"

namespace zb {

// "Config.cfg": one encoded line per value, each ended by CR LF, 73 + PlayerCount lines with
// four key bindings.

// The bytes of the file for these settings. As the game's writer does, the country and the
// current name lose their trailing "%" in `settings` too.
std::string ConfigText(TSettings& settings);

// No text the game lets anyone type is longer; longer ones are cut here on reading and writing,
// so a file the game writes always reads back.
inline constexpr size_t kMaxConfigTextBytes = 64;

struct ConfigFileResult {
  bool ok = false;
  bool missing = false;  // reading: there is no file (the first start)
  std::error_code code;
  std::string error;  // "\"<file>\" <reason>", for messages
};

// Writes the file through a temporary file in the same folder: written, flushed to the disk,
// renamed over the old file, and the folder flushed too. A failed write leaves the old file
// as it was and no temporary file behind.
ConfigFileResult WriteConfig(TSettings& settings, const std::filesystem::path& file);

// Overwrites the settings from the file's lines. The file is not trusted: a missing line, a
// number that does not read or lies outside its range keeps the setting as it is; the player
// and key counts are held to their capacity, and a player count that does not fit the lines
// present is replaced by the one that does; texts are cut to kMaxConfigTextBytes.
void ReadConfigText(TSettings& settings, std::string_view text);

// Reads the file. Not ok when there is none (`missing`, the first start) or it cannot be read.
ConfigFileResult ReadConfig(TSettings& settings, const std::filesystem::path& file);

// Why the settings could not be saved (or read), in the game's language (CP1251).
std::string ConfigErrorReason(const std::error_code& code, bool reading = false);

}  // namespace zb
