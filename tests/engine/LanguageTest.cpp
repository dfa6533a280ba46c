#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/Cp1251.h"
#include "engine/Language.h"

namespace zb {
namespace {

// A ".mo" file laid out by hand: header, the two tables of (length, offset), then the strings.
std::string MoFile(const std::vector<std::pair<std::string, std::string>>& entries, bool bigEndian = false) {
  std::string out;
  auto word = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (bigEndian ? 24 - 8 * i : 8 * i));
  };
  const auto n = static_cast<uint32_t>(entries.size());
  const uint32_t originals = 28, translations = originals + 8 * n;
  uint32_t at = translations + 8 * n;
  word(0x950412de);
  word(0);
  word(n);
  word(originals);
  word(translations);
  word(0);
  word(at);
  std::string strings;
  std::vector<uint32_t> table;
  for (int pass = 0; pass < 2; ++pass) {
    for (const auto& e : entries) {
      const std::string& s = pass == 0 ? e.first : e.second;
      table.push_back(static_cast<uint32_t>(s.size()));
      table.push_back(at + static_cast<uint32_t>(strings.size()));
      strings += s;
      strings += '\0';
    }
  }
  for (uint32_t v : table) word(v);
  return out + strings;
}

const std::vector<std::pair<std::string, std::string>> kEnglish = {
    {"", "Content-Type: text/plain; charset=UTF-8\n"},
    {"Назад", "Back"},
    {"Пусто", ""},
    {"language\x04Русский", "English"},
    {"Строка\nвторая", "Row\nsecond"},
};

TEST(MoCatalogueTest, ReadsBothByteOrdersAndSkipsTheHeaderAndEmptyTranslations) {
  for (bool big : {false, true}) {
    const auto catalogue = TMoCatalogue::Parse(MoFile(kEnglish, big));
    ASSERT_TRUE(catalogue) << big;
    EXPECT_EQ(catalogue->Size(), 3u);
    ASSERT_NE(catalogue->Find("Назад"), nullptr);
    EXPECT_EQ(*catalogue->Find("Назад"), "Back");
    EXPECT_EQ(catalogue->Find(""), nullptr);
    EXPECT_EQ(catalogue->Find("Пусто"), nullptr);
    EXPECT_EQ(catalogue->Find("Русский"), nullptr);
    ASSERT_NE(catalogue->Find("Русский", "language"), nullptr);
    EXPECT_EQ(*catalogue->Find("Русский", "language"), "English");
  }
}

TEST(MoCatalogueTest, RefusesDamagedFiles) {
  std::string error;
  EXPECT_FALSE(TMoCatalogue::Parse("", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(TMoCatalogue::Parse(std::string(40, 'x')));
  std::string cut = MoFile(kEnglish);
  cut.resize(cut.size() - 10);  // the last strings run past the end
  EXPECT_FALSE(TMoCatalogue::Parse(cut, &error));
  std::string huge = MoFile(kEnglish);
  huge[8] = '\xFF';  // an entry count no file of this size can hold
  huge[9] = '\xFF';
  huge[10] = '\xFF';
  EXPECT_FALSE(TMoCatalogue::Parse(huge));
}

TEST(LanguageTest, TranslatesToCp1251AndFallsBackToRussian) {
  const TLanguage english("en", *TMoCatalogue::Parse(MoFile(kEnglish)));
  EXPECT_FALSE(english.IsOriginal());
  EXPECT_EQ(english.Tr("Назад"), "Back");
  EXPECT_EQ(english.Tr("Пусто"), Utf8ToCp1251("Пусто"));
  EXPECT_EQ(english.TrCp1251(Utf8ToCp1251("Назад")), "Back");
  EXPECT_EQ(english.TrCp1251(Utf8ToCp1251("Строка\nвторая")), "Row\nsecond");
  EXPECT_EQ(english.TrCp1251(Utf8ToCp1251("Нет такого")), Utf8ToCp1251("Нет такого"));
  EXPECT_EQ(english.Name(), "English");

  const TLanguage russian;
  EXPECT_TRUE(russian.IsOriginal());
  EXPECT_EQ(russian.Tr("Назад"), Utf8ToCp1251("Назад"));
  EXPECT_EQ(russian.Name(), Utf8ToCp1251("Русский"));
}

TEST(LanguageTest, CharactersTheFontsLackBecomeQuestionMarks) {
  // A language beyond CP1251 (Polish "ł") must not reach the fonts as raw UTF-8 bytes.
  const TLanguage polish("pl", *TMoCatalogue::Parse(MoFile({{"Назад", "Wróć, łza"}})));
  EXPECT_EQ(polish.Tr("Назад"), "Wr??, ?za");
}

}  // namespace
}  // namespace zb
