#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

// The player's language choice, kept in its own small file beside "Config.cfg" (whose format
// other readers rely on): one line with the language code, "ru" or the name of a catalogue.
inline constexpr const char* kLanguageFileName = "Language.cfg";
// The compiled catalogues in the content folder: Data/lang/CODE.mo.
inline constexpr const char* kLanguageFolder = "Data/lang";

// The game's languages: Russian, then one per compiled catalogue in `content`, by code.
std::vector<std::string> AvailableLanguages(const std::filesystem::path& content);

// The language of a first start, read from the environment as gettext reads it: the first set of
// LANGUAGE (a list, "de:ru"), LC_ALL, LC_MESSAGES, LANG. Russian, Ukrainian and Belarusian players,
// an empty environment and the C or POSIX locale get Russian; a language with a catalogue gets it;
// any other language gets English.
std::string LanguageFromEnvironment(const std::function<const char*(const char*)>& getenv,
                                    const std::vector<std::string>& available);

// The code kept in `file` when it is one of `available`, else empty (no file, or one that no
// longer fits: the environment decides again).
std::string ReadLanguageSetting(const std::filesystem::path& file, const std::vector<std::string>& available);
bool WriteLanguageSetting(const std::filesystem::path& file, std::string_view code);

}  // namespace zb
