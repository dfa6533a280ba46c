#include "tools/zbtool/Commands.h"

#include <array>

namespace zb::tool {

// Each subcommand lives in its own file; add its declaration and one row here.

std::span<const Command> Commands() {
  static constexpr std::array<Command, 0> kCommands = {};
  return kCommands;
}

}  // namespace zb::tool
