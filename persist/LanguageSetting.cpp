#include "persist/LanguageSetting.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

#include "engine/FileRead.h"

namespace zb {
namespace {

constexpr std::string_view kEnglish = "en";

bool Has(const std::vector<std::string>& list, std::string_view code) {
  return std::find(list.begin(), list.end(), code) != list.end();
}

// "ru_UA.UTF-8@euro" -> "ru"; "C", "POSIX" and "C.UTF-8" -> "C".
std::string LanguageOf(std::string_view locale) {
  const size_t end = locale.find_first_of("_.@");
  std::string code(locale.substr(0, end));
  std::transform(code.begin(), code.end(), code.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return code == "posix" || code == "c" ? "C" : code;
}

// The game's language for one locale name, or empty when the name says nothing.
std::string Resolve(std::string_view locale, const std::vector<std::string>& available) {
  const std::string code = LanguageOf(locale);
  if (code.empty()) return {};
  if (code == "C" || code == "ru" || code == "uk" || code == "be") return "ru";
  return Has(available, code) ? code : std::string();
}

}  // namespace

std::vector<std::string> AvailableLanguages(const std::filesystem::path& content) {
  std::vector<std::string> codes;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(content / kLanguageFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& p = it->path();
    if (p.extension() == ".mo" && p.stem() != "ru") codes.push_back(p.stem().string());
  }
  std::sort(codes.begin(), codes.end());
  codes.insert(codes.begin(), "ru");
  return codes;
}

std::string LanguageFromEnvironment(const std::function<const char*(const char*)>& getenv,
                                    const std::vector<std::string>& available) {
  const std::string fallback = Has(available, kEnglish) ? std::string(kEnglish) : std::string("ru");
  if (const char* list = getenv("LANGUAGE"); list && *list) {
    // gettext takes the first entry it has a catalogue for; a list of unknown languages is "other".
    std::string_view rest(list);
    bool named = false;
    while (!rest.empty()) {
      const size_t colon = rest.find(':');
      const std::string_view entry = rest.substr(0, colon);
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
      if (entry.empty()) continue;
      named = true;
      if (std::string code = Resolve(entry, available); !code.empty()) return code;
    }
    if (named) return fallback;
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(name);
    if (!value || !*value) continue;
    const std::string code = Resolve(value, available);
    return code.empty() ? fallback : code;
  }
  return "ru";
}

std::string ReadLanguageSetting(const std::filesystem::path& file, const std::vector<std::string>& available) {
  FileReadResult read = ReadFileText(file, 256);
  if (!read.ok) return {};
  std::string code = read.bytes.substr(0, read.bytes.find_first_of("\r\n"));
  return Has(available, code) ? code : std::string();
}

bool WriteLanguageSetting(const std::filesystem::path& file, std::string_view code) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << code << "\n";
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace zb
