#include <cstdio>
#include <exception>
#include <span>
#include <string_view>

#include "tools/zbtool/Commands.h"

namespace {

void PrintHelp(std::FILE* out) {
  std::fputs(
      "usage: zbtool COMMAND [ARGS]\n"
      "\n"
      "The content compiler and inspector of Zumbala: it builds the archives, levels, layouts,\n"
      "sounds and music of the game folder from the sources in assets/, and shows what is inside them.\n"
      "\n"
      "commands:\n",
      out);
  for (const auto& command : zb::tool::Commands()) {
    std::fprintf(out, "\n  zbtool %.*s\n", static_cast<int>(command.usage.size()), command.usage.data());
    std::fprintf(out, "%.*s\n", static_cast<int>(command.help.size()), command.help.data());
  }
}

int Run(int argc, char** argv) {
  if (argc < 2) {
    PrintHelp(stderr);
    return 1;
  }
  const std::string_view name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintHelp(stdout);
    return 0;
  }
  for (const auto& command : zb::tool::Commands()) {
    if (command.name == name) return command.run(std::span<char* const>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "zbtool: unknown command '%s' (zbtool --help lists them)\n", argv[1]);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // A command that fails unexpectedly still ends with a message and status 1, never a signal.
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zbtool: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zbtool: an unknown error\n");
  }
  return 1;
}
