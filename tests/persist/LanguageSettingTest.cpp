#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "persist/LanguageSetting.h"

namespace zb {
namespace {

std::string FromEnvironment(const std::map<std::string, std::string>& env,
                            const std::vector<std::string>& available = {"ru", "en"}) {
  return LanguageFromEnvironment(
      [&env](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
      },
      available);
}

TEST(LanguageSettingTest, EnvironmentRulesInGettextOrder) {
  EXPECT_EQ(FromEnvironment({}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "C"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "POSIX"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "C.UTF-8"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "ru_RU.UTF-8"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "uk_UA.UTF-8"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "be_BY@latin"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANG", "en_GB.UTF-8"}}), "en");
  EXPECT_EQ(FromEnvironment({{"LANG", "de_DE.UTF-8"}}), "en");
  // Empty values are not set; LC_ALL before LC_MESSAGES before LANG.
  EXPECT_EQ(FromEnvironment({{"LC_ALL", ""}, {"LANG", "de_DE"}}), "en");
  EXPECT_EQ(FromEnvironment({{"LC_ALL", "ru_RU"}, {"LC_MESSAGES", "en_US"}, {"LANG", "en_US"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LC_MESSAGES", "fr_FR"}, {"LANG", "ru_RU"}}), "en");
  EXPECT_EQ(FromEnvironment({{"LC_ALL", "C"}, {"LANG", "en_US"}}), "ru");
  // LANGUAGE first, as a list: its first entry with a catalogue (or Russian's family) wins.
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "en"}, {"LANG", "C"}}), "en");
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "en"}}), "en");
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "uk:en"}, {"LANG", "en_US"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "de:ru"}, {"LANG", "en_US"}}), "ru");
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", "de:fr"}, {"LANG", "ru_RU"}}), "en");
  EXPECT_EQ(FromEnvironment({{"LANGUAGE", ":"}, {"LANG", "ru_RU"}}), "ru");
  // A third language is found by its catalogue alone; without an English one, others stay Russian.
  EXPECT_EQ(FromEnvironment({{"LANG", "de_AT.UTF-8"}}, {"ru", "de", "en"}), "de");
  EXPECT_EQ(FromEnvironment({{"LANG", "de_AT.UTF-8"}}, {"ru"}), "ru");
}

TEST(LanguageSettingTest, TheChoiceFileAndTheCatalogues) {
  const auto folder = std::filesystem::temp_directory_path() / "zb-language-setting";
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder / kLanguageFolder);
  for (const char* name : {"en.mo", "de.mo", "notes.txt"}) std::ofstream(folder / kLanguageFolder / name) << "x";
  const std::vector<std::string> available = AvailableLanguages(folder);
  EXPECT_EQ(available, (std::vector<std::string>{"ru", "de", "en"}));
  EXPECT_EQ(AvailableLanguages(folder / "nothing"), std::vector<std::string>{"ru"});

  const auto file = folder / kLanguageFileName;
  EXPECT_EQ(ReadLanguageSetting(file, available), "");
  ASSERT_TRUE(WriteLanguageSetting(file, "en"));
  EXPECT_EQ(ReadLanguageSetting(file, available), "en");
  // A choice whose catalogue is gone, or a damaged file, leaves the decision to the environment.
  EXPECT_EQ(ReadLanguageSetting(file, {"ru"}), "");
  std::ofstream(file, std::ios::binary) << "\xFF\xFE garbage\r\n";
  EXPECT_EQ(ReadLanguageSetting(file, available), "");
  std::ofstream(file, std::ios::binary) << "de\r\n";
  EXPECT_EQ(ReadLanguageSetting(file, available), "de");
  EXPECT_FALSE(WriteLanguageSetting(folder / "no-such-folder" / kLanguageFileName, "en"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace zb
