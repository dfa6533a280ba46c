#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/MoCatalogue.h"

namespace zb {

// The language the game shows its texts in. The game's own texts are Russian; another language is
// a catalogue from Russian to it. Keys are the Russian texts in UTF-8, what is shown is CP1251 (the
// fonts' code page); a text that has no translation is shown in Russian.
class TLanguage {
 public:
  static constexpr std::string_view kOriginal = "ru";

  TLanguage() = default;
  TLanguage(std::string code, TMoCatalogue catalogue) : code_(std::move(code)), catalogue_(std::move(catalogue)) {}

  const std::string& Code() const { return code_; }
  bool IsOriginal() const { return code_ == kOriginal; }

  // `russian` (UTF-8) in this language, CP1251.
  std::string Tr(std::string_view russian) const;
  // A Russian text already in CP1251 (as the GUI and story files hold them), in this language.
  std::string TrCp1251(std::string_view russian) const;
  // The language's name in itself: the catalogue's translation of "Русский" in the context "language".
  std::string Name() const;
  // Whether the catalogue holds `russian` (UTF-8), and all it holds.
  bool Has(std::string_view russian) const { return catalogue_.Find(russian) != nullptr; }
  const std::map<std::string, std::string, std::less<>>& Entries() const { return catalogue_.Entries(); }

 private:
  std::string code_{kOriginal};
  TMoCatalogue catalogue_;
};

// The language `code` from its compiled catalogue; nothing, and why in `error`, when it cannot be read.
std::optional<TLanguage> LoadLanguage(const std::string& code, const std::filesystem::path& catalogue,
                                      std::string* error = nullptr);

}  // namespace zb
