#include <cstdio>
#include <fstream>
#include <span>
#include <string>

#include "engine/FileRead.h"
#include "game/LevelFile.h"
#include "game/LevelSource.h"

namespace zb::tool {

int RunLevel(std::span<char* const> args) {
  if (args.size() != 1) {
    std::fputs("usage: zbtool level FILE\n", stderr);
    return 1;
  }
  LevelImage image;
  const LevelLoadResult result = LoadLevelFile(args[0], image);
  if (!result.ok) {
    std::fprintf(stderr, "zbtool: %s\n", result.error.c_str());
    return 1;
  }
  std::printf("%d %d %d %d %d\n", image.LastColumn(), image.LastRow(), image.OffsetX(), image.OffsetY(),
              image.LevelWord4());
  for (int r = 0; r <= image.LastRow(); ++r) {
    for (int c = 0; c <= image.LastColumn(); ++c) std::printf(c ? " %d" : "%d", image.BlockGrid(c, r));
    if (image.LastColumn() >= 0) std::printf("\n");
  }
  return 0;
}

int RunLevelCompile(std::span<char* const> args) {
  if (args.size() != 2) {
    std::fputs("usage: zbtool level-compile SOURCE.txt OUT\n", stderr);
    return 1;
  }
  const FileReadResult in = ReadFileText(args[0]);
  if (!in.ok) {
    std::fprintf(stderr, "zbtool: the level source %s\n", in.error.c_str());
    return 1;
  }
  const LevelSource source = CompileLevelSource(in.bytes);
  if (!source.error.empty()) {
    std::fprintf(stderr, "zbtool: %s: %s\n", args[0], source.error.c_str());
    return 1;
  }
  const std::vector<uint8_t> bytes = EncodeLevelFile(source.image);
  std::ofstream out(args[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "zbtool: cannot write \"%s\"\n", args[1]);
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
