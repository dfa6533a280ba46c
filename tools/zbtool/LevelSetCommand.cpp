#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "engine/FileRead.h"
#include "persist/Config.h"
#include "persist/LevelSetArchive.h"

namespace zb::tool {

int RunLevelSet(std::span<char* const> args) {
  if (args.size() != 3 || (std::string_view(args[0]) != "pack" && std::string_view(args[0]) != "unpack")) {
    std::fputs("usage: zbtool levelset pack DIR OUT.zlv | zbtool levelset unpack FILE.zlv DIR\n", stderr);
    return 1;
  }
  std::vector<TArchivedFile> files;
  std::string error;
  if (std::string_view(args[0]) == "pack") {
    if (!ReadSetFolder(args[1], files, error)) {
      std::fprintf(stderr, "zbtool: %s\n", error.c_str());
      return 1;
    }
    const ConfigFileResult written = WriteFileSafely(args[2], PackLevelSet(files));
    if (!written.ok) {
      std::fprintf(stderr, "zbtool: %s\n", written.error.c_str());
      return 1;
    }
    return 0;
  }
  const FileReadResult read = ReadFileText(args[1], kMaxArchiveBytes);
  if (!read.ok) {
    std::fprintf(stderr, "zbtool: the level set %s\n", read.error.c_str());
    return 1;
  }
  if (!UnpackLevelSet(read.bytes, files, error)) {
    std::fprintf(stderr, "zbtool: \"%s\" cannot be unpacked: %s\n", args[1], error.c_str());
    return 1;
  }
  if (!WriteSetFolder(args[2], files, error)) {
    std::fprintf(stderr, "zbtool: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
