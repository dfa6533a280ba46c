#include "engine/Language.h"

#include "engine/Cp1251.h"
#include "engine/FileRead.h"

namespace zb {

std::string TLanguage::Tr(std::string_view russian) const {
  const std::string* shown = catalogue_.Find(russian);
  return Utf8ToCp1251(shown ? *shown : russian);
}

std::string TLanguage::TrCp1251(std::string_view russian) const {
  if (IsOriginal() || catalogue_.Size() == 0) return std::string(russian);
  const std::string* shown = catalogue_.Find(Cp1251ToUtf8(russian));
  return shown ? Utf8ToCp1251(*shown) : std::string(russian);
}

std::string TLanguage::Name() const {
  const std::string* name = catalogue_.Find("Русский", "language");
  return Utf8ToCp1251(name ? *name : (IsOriginal() ? std::string("Русский") : code_));
}

std::optional<TLanguage> LoadLanguage(const std::string& code, const std::filesystem::path& catalogue,
                                      std::string* error) {
  const FileReadResult read = ReadFileText(catalogue);
  if (!read.ok) {
    if (error) *error = read.code.message();
    return std::nullopt;
  }
  std::optional<TMoCatalogue> entries = TMoCatalogue::Parse(read.bytes, error);
  if (!entries) return std::nullopt;
  return TLanguage(code, std::move(*entries));
}

}  // namespace zb
