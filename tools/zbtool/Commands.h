#pragma once

#include <span>
#include <string_view>

namespace zb::tool {

// A subcommand receives its own arguments (without the command name) and returns the exit status.
using CommandFn = int (*)(std::span<char* const> args);

struct Command {
  std::string_view name;
  std::string_view usage;  // "NAME ARGS" line
  std::string_view help;   // what it does and what it prints, exactly
  CommandFn run;
};

// Every subcommand of zbtool, in the order `zbtool --help` lists them.
std::span<const Command> Commands();

}  // namespace zb::tool
