#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: zbtool COMMAND [ARGS]\n"
    "\n"
    "The content compiler and inspector of Zumbala.\n"
    "\n"
    "commands:\n"
    "  help                 this text\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? 1 : 0;
  }
  std::fprintf(stderr, "zbtool: unknown command '%s'\n", argv[1]);
  return 1;
}
