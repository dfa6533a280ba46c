#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/Language.h"
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
  bool damaged = false;  // reading: the file was read, but is not laid out as the game writes it
  std::error_code code;
  std::string error;  // "\"<file>\" <reason>", for messages
  std::filesystem::path failedFile;  // writing: the file the failure is about ("Config.cfg" or its temporary file)
};

// Writes the file through a temporary file in the same folder: created anew (never through a
// link), written, flushed to the disk, renamed over the old file, and the folder flushed too. A
// failed write leaves the old file as it was and no temporary file behind. A `file` that is a
// symbolic link is written through to its target, and stays a link.
ConfigFileResult WriteConfig(TSettings& settings, const std::filesystem::path& file);
// Writes `text` as the whole of `file` (or of its target) in the same safe way.
ConfigFileResult WriteFileSafely(const std::filesystem::path& file, std::string_view text);

// Overwrites the settings from the file's lines. The file is not trusted: a missing line, a
// number that does not read or lies outside its range keeps the setting as it is; the player
// and key counts are held to their capacity, and a player count that does not fit the lines
// present is replaced by the one that does; texts are cut to kMaxConfigTextBytes. False when the
// text is not laid out as the game writes it (lines lost, shifted, or ended by CR alone): what was
// read of it is kept, but writing the settings would lose the rest.
bool ReadConfigText(TSettings& settings, std::string_view text);

// Reads the file. Not ok when there is none (`missing`, the first start) or it cannot be read;
// ok and `damaged` when ReadConfigText found it damaged.
ConfigFileResult ReadConfig(TSettings& settings, const std::filesystem::path& file);

// A damaged "Config.cfg" is kept beside it under this name before the game writes a new one.
inline constexpr const char* kDamagedSuffix = ".bad";
// Copies `file` to `file` + kDamagedSuffix (replacing an older copy), as safely as WriteConfig writes.
ConfigFileResult KeepDamagedConfig(const std::filesystem::path& file);

// Why the settings could not be saved (or read), in `language` (CP1251); `file` is the file the
// failure is about, where it is known.
std::string ConfigErrorReason(const std::error_code& code, bool reading = false, const std::filesystem::path& file = {},
                              const TLanguage& language = TLanguage());

}  // namespace zb
