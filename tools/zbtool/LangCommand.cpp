// `zbtool lang-check`: which texts a player can see have no translation in a catalogue.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Cp1251.h"
#include "engine/FileRead.h"
#include "engine/Language.h"
#include "game/StoryLines.h"

namespace zb::tool {
namespace {

struct Shown {
  std::string text;   // UTF-8, the Russian original
  std::string where;  // FILE:LINE
};

bool HasCyrillic(std::string_view utf8) {
  for (size_t i = 0; i + 1 < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    if (c == 0xD0 || c == 0xD1) return true;
  }
  return false;
}

// The body of the quoted text starting after `at`, with \" \\ \n undone; `at` ends after the quote.
std::string Unquote(std::string_view line, size_t& at) {
  std::string out;
  while (at < line.size() && line[at] != '"') {
    if (line[at] == '\\' && at + 1 < line.size()) {
      ++at;
      out += line[at] == 'n' ? '\n' : line[at];
    } else {
      out += line[at];
    }
    ++at;
  }
  ++at;
  return out;
}

// Texts of the properties a player sees (Caption, Text, Items) in a GUI layout source.
void FromGui(const std::string& file, std::string_view source, std::vector<Shown>& out) {
  int number = 0;
  for (size_t start = 0; start <= source.size();) {
    const size_t end = std::min(source.find('\n', start), source.size());
    const std::string_view line = source.substr(start, end - start);
    start = end + 1;
    ++number;
    const size_t name = line.find_first_not_of(" \t");
    if (name == std::string_view::npos) continue;
    const size_t nameEnd = line.find_first_of(" \t=", name);
    std::string property(line.substr(name, nameEnd - name));
    for (char& c : property) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (property != "caption" && property != "text" && property != "items") continue;
    for (size_t at = line.find('"', nameEnd); at != std::string_view::npos; at = line.find('"', at)) {
      ++at;
      std::string text = Unquote(line, at);
      if (HasCyrillic(text)) out.push_back({std::move(text), file + ":" + std::to_string(number)});
    }
  }
}

// Russian string literals of C++ code outside comments. A line that says its text is the "same in
// every language" (a name the game stores) is left out.
void FromCode(const std::string& file, std::string_view source, std::vector<Shown>& out) {
  int number = 1;
  bool block = false;
  size_t lineStart = 0;
  for (size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (c == '\n') {
      ++number;
      lineStart = i + 1;
      continue;
    }
    if (block) {
      if (source.compare(i, 2, "*/") == 0) block = false, ++i;
      continue;
    }
    if (source.compare(i, 2, "/*") == 0) {
      block = true;
      continue;
    }
    if (source.compare(i, 2, "//") == 0) {
      while (i + 1 < source.size() && source[i + 1] != '\n') ++i;
      continue;
    }
    if (c == '\'') {  // a character literal, which may be a quote
      i = source.find('\'', i + (source[i + 1] == '\\' ? 3 : 2));
      if (i == std::string_view::npos) return;
      continue;
    }
    if (c != '"') continue;
    const size_t lineEnd = source.find('\n', i);
    const std::string_view line = source.substr(lineStart, lineEnd - lineStart);
    size_t at = i + 1 - lineStart;
    std::string text = Unquote(line, at);
    i = lineStart + at - 1;
    if (HasCyrillic(text) && line.find("same in every language") == std::string_view::npos) {
      out.push_back({std::move(text), file + ":" + std::to_string(number)});
    }
  }
}

// Each story line whole, its rows parted by "\n".
bool FromStory(const std::string& file, const std::string& source, std::vector<Shown>& out) {
  const StoryLoadResult story = ParseStoryLines(Utf8ToCp1251(source), file);
  if (!story.ok) {
    std::fprintf(stderr, "zbtool lang-check: %s\n", story.error.c_str());
    return false;
  }
  for (size_t i = 0; i < story.lines.size(); ++i) {
    std::string whole;
    for (const std::string& row : story.lines[i].Rows) whole += (whole.empty() ? "" : "\n") + Cp1251ToUtf8(row);
    out.push_back({std::move(whole), file + ": story line " + std::to_string(i)});
  }
  return true;
}

std::string OneLine(std::string text) {
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) text.replace(at, 1, "\\n");
  return text;
}

}  // namespace

int RunLangCheck(std::span<char* const> args) {
  if (args.empty()) {
    std::fputs("usage: zbtool lang-check CATALOGUE.mo [--strict] [--gui FILE...] [--story FILE] [--code FILE...]\n",
               stderr);
    return 1;
  }
  const std::filesystem::path catalogue = args[0];
  const std::string code = catalogue.stem().string();
  std::string error;
  const std::optional<TLanguage> language = LoadLanguage(code, catalogue, &error);
  if (!language) {
    std::fprintf(stderr, "zbtool lang-check: %s: %s\n", args[0], error.c_str());
    return 1;
  }
  bool strict = false;
  std::string kind;
  std::vector<Shown> shown;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--strict") {
      strict = true;
    } else if (arg.starts_with("--")) {
      kind = arg.substr(2);
    } else {
      FileReadResult file = ReadFileText(args[i]);
      if (!file.ok) {
        std::fprintf(stderr, "zbtool lang-check: %s: %s\n", args[i], file.code.message().c_str());
        return 1;
      }
      if (kind == "gui") {
        FromGui(args[i], file.bytes, shown);
      } else if (kind == "code") {
        FromCode(args[i], file.bytes, shown);
      } else if (kind == "story") {
        if (!FromStory(args[i], file.bytes, shown)) return 1;
      } else {
        std::fprintf(stderr, "zbtool lang-check: say --gui, --story or --code before %s\n", args[i]);
        return 1;
      }
    }
  }
  int missing = 0;
  for (const Shown& s : shown) {
    if (language->Has(s.text)) continue;
    std::printf("%s: %s: no \"%s\" text for \"%s\"\n", code.c_str(), s.where.c_str(), code.c_str(),
                OneLine(s.text).c_str());
    ++missing;
  }
  // The fonts hold CP1251 only: a translation with other characters would show '?'.
  int unshowable = 0;
  for (const auto& [original, translation] : language->Entries()) {
    if (Cp1251ToUtf8(Utf8ToCp1251(translation)) == translation) continue;
    std::printf("%s: \"%s\" has characters the game's fonts cannot show\n", code.c_str(),
                OneLine(translation).c_str());
    ++unshowable;
  }
  std::printf("%s: %zu texts, %d without a translation (shown in Russian)%s\n", code.c_str(), shown.size(), missing,
              unshowable ? ", some translations cannot be shown" : "");
  return strict && (missing > 0 || unshowable > 0) ? 1 : 0;
}

}  // namespace zb::tool
