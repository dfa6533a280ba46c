#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace zb {

struct FileWriteResult {
  bool ok = false;
  std::error_code code;
  std::string error;                 // "\"<file>\" cannot be written: <reason>", for messages
  std::filesystem::path failedFile;  // the file the failure is about (the file or its temporary file)
};

// Writes `text` as the whole of `file` through a temporary file in the same folder: created anew
// (never through a link), written, flushed to the disk, renamed over the old file, and the folder
// flushed too. A failed write leaves the old file as it was and no temporary file behind. A `file`
// that is a symbolic link is written through to its target, and stays a link.
FileWriteResult WriteWholeFile(const std::filesystem::path& file, std::string_view text);

}  // namespace zb
