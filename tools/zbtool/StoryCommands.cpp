#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

#include "engine/Cp1251.h"
#include "engine/FileRead.h"
#include "game/StoryLines.h"

namespace zb::tool {
namespace {

// The source as CP1251, or a message naming the first line with a character the code page lacks.
bool ToCp1251(std::string_view utf8, std::string& out, std::string& error) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  out.clear();
  size_t number = 1;
  while (!utf8.empty()) {
    const size_t end = utf8.find('\n');
    const std::string_view line = utf8.substr(0, end);
    const std::string encoded = Utf8ToCp1251(line);
    if (Cp1251ToUtf8(encoded) != line) {
      error = "line " + std::to_string(number) + " has a character without a CP1251 code (or is not UTF-8)";
      return false;
    }
    out += encoded;
    if (end == std::string_view::npos) break;
    out += '\n';
    utf8.remove_prefix(end + 1);
    ++number;
  }
  return true;
}

}  // namespace

int RunStory(std::span<char* const> args) {
  if (args.size() > 1) {
    std::fputs("usage: zbtool story [PATH]\n", stderr);
    return 1;
  }
  const std::filesystem::path path =
      args.empty() ? std::filesystem::path(ZB_GAME_DIR) / kStoryFileName : std::filesystem::path(args[0]);
  const StoryLoadResult story = LoadStoryLines(path);
  if (!story.ok) {
    std::fprintf(stderr, "zbtool: %s\n", story.error.c_str());
    return 1;
  }
  const std::string text = FormatStoryLines(story.lines);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int RunStoryCompile(std::span<char* const> args) {
  if (args.size() != 2) {
    std::fputs("usage: zbtool story-compile SOURCE.txt OUT\n", stderr);
    return 1;
  }
  const FileReadResult in = ReadFileText(args[0]);
  if (!in.ok) {
    std::fprintf(stderr, "zbtool: the story source %s\n", in.error.c_str());
    return 1;
  }
  std::string text, error;
  if (!ToCp1251(in.bytes, text, error)) {
    std::fprintf(stderr, "zbtool: %s: %s\n", args[0], error.c_str());
    return 1;
  }
  const StoryLoadResult story = ParseStoryLines(text, args[0]);
  if (!story.ok) {
    std::fprintf(stderr, "zbtool: %s\n", story.error.c_str());
    return 1;
  }
  const std::string compiled = FormatStoryLines(story.lines);
  std::ofstream out(args[1], std::ios::binary);
  out.write(compiled.data(), static_cast<std::streamsize>(compiled.size()));
  if (!out) {
    std::fprintf(stderr, "zbtool: cannot write \"%s\"\n", args[1]);
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
