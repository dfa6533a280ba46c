#include "persist/Config.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Cp1251.h"
#include "persist/LineCode.h"

namespace zb {
namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// A file built line by line from plain texts (already padded as wanted).
std::string FileOf(const std::vector<std::string>& texts) {
  std::string out;
  for (const auto& text : texts) out += EncodeLine(text) + "\r\n";
  return out;
}

// The plain texts of the default file, to be corrupted by the tests.
std::vector<std::string> DefaultTexts() {
  std::vector<std::string> texts = {"false", "true", "250%%%%%%%", "250%%%%%%%", "", ""};
  for (int d = 0; d < 3; ++d) {
    for (int r = 0; r < 10; ++r) {
      texts.push_back("\xCF\xF3\xEC\xEA\xE0");
      texts.push_back(PadText(std::to_string(1000 - 100 * r), 5));
    }
  }
  for (const char* number : {"0", "0", "4", "39", "37", "32", "38"}) texts.push_back(PadText(number, 10));
  return texts;
}

TEST(ConfigTest, DefaultFileLineByLine) {
  TSettings settings;
  const std::vector<std::string> lines = SplitCrLf(ConfigText(settings));
  ASSERT_EQ(lines.size(), 73u);
  EXPECT_EQ(lines[0], "MZQWY43F");          // false
  EXPECT_EQ(lines[1], "B2HE5LF");           // true
  EXPECT_EQ(lines[2], "GI2TAJJFEUSSKJJF");  // 250%%%%%%%
  EXPECT_EQ(lines[3], "GI2TAJJFEUSSKJJF");
  EXPECT_EQ(lines[4], "");  // no country
  EXPECT_EQ(lines[5], "");  // no name
  for (int d = 0; d < 3; ++d) {
    EXPECT_EQ(lines[6 + 20 * d], "Z7Z6Z2XA");   // Пумка
    EXPECT_EQ(lines[7 + 20 * d], "GEYDAMBF");   // 1000%
    EXPECT_EQ(lines[9 + 20 * d], "HEYDAJJF");   // 900%%
    EXPECT_EQ(lines[25 + 20 * d], "GEYDAJJF");  // 100%%
  }
  EXPECT_EQ(lines[66], "GASSKJJFEUSSKJJF");  // PlayerCount 0
  EXPECT_EQ(lines[67], "GASSKJJFEUSSKJJF");  // CurrentPlayer 0
  // With no players the key count follows at once.
  EXPECT_EQ(lines[68], "GQSSKJJFEUSSKJJF");  // 4
  EXPECT_EQ(lines[69], "GM4SKJJFEUSSKJJF");  // 39
  EXPECT_EQ(lines[70], "GM3SKJJFEUSSKJJF");  // 37
  EXPECT_EQ(lines[71], "GMZCKJJFEUSSKJJF");  // 32
  EXPECT_EQ(lines[72], "GM4CKJJFEUSSKJJF");  // 38
}

TEST(ConfigTest, PlayerNamesArePaddedToTen) {
  TSettings settings;
  settings.PlayerCount = 1;
  settings.Players[0] = "Bob";
  const std::vector<std::string> lines = SplitCrLf(ConfigText(settings));
  ASSERT_EQ(lines.size(), 74u);
  EXPECT_EQ(lines[68], "IJXWEJJFEUSSKJJF");  // Bob%%%%%%%
}

TEST(ConfigTest, EverySettingSurvivesTheRoundTrip) {
  TSettings written;
  written.FullScreen = true;
  written.Antialias = false;
  written.MusicVolume = 75;
  written.FxVolume = 0;
  written.PlayerCountry = Utf8ToCp1251("Россия");
  written.PlayerName = Utf8ToCp1251("Ёжик в тумане");
  for (int d = 0; d < 3; ++d) {
    for (int r = 0; r < 10; ++r) {
      written.HighScores[d][r] = {Utf8ToCp1251("Игрок ") + std::to_string(d * 10 + r),
                                  std::to_string(123456 - d * 1000 - r)};
    }
  }
  written.HighScores[1][4].Name = "abcde";  // already a multiple of five: no "%"
  written.PlayerCount = 10;
  written.CurrentPlayer = 9;
  for (int i = 0; i < 10; ++i) written.Players[i] = Utf8ToCp1251("Мартышка №") + std::to_string(i);
  written.Players[3] = "1234567890";
  written.KeyCount = 4;
  written.Keys = {68, 65, 17, 87};
  TSettings copy = written;
  const std::string text = ConfigText(copy);
  EXPECT_EQ(SplitCrLf(text).size(), 83u);

  TSettings read;
  read.HighScores = {};
  ReadConfigText(read, text);
  EXPECT_EQ(read.FullScreen, true);
  EXPECT_EQ(read.Antialias, false);
  EXPECT_EQ(read.MusicVolume, 75);
  EXPECT_EQ(read.FxVolume, 0);
  EXPECT_EQ(read.PlayerCountry, written.PlayerCountry);
  EXPECT_EQ(read.PlayerName, written.PlayerName);
  EXPECT_EQ(read.HighScores, written.HighScores);
  EXPECT_EQ(read.PlayerCount, 10);
  EXPECT_EQ(read.CurrentPlayer, 9);
  EXPECT_EQ(read.Players, written.Players);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys, written.Keys);
}

TEST(ConfigTest, TrailingPercentSignsAreLost) {
  TSettings settings;
  settings.PlayerCountry = "100%";
  settings.PlayerName = Utf8ToCp1251("Ура%%");
  settings.PlayerCount = 1;
  settings.Players[0] = "Max%";
  settings.HighScores[0][0].Name = "a%b%";
  const std::string text = ConfigText(settings);
  // The country and the current name lose theirs already when written.
  EXPECT_EQ(settings.PlayerCountry, "100");
  EXPECT_EQ(settings.PlayerName, Utf8ToCp1251("Ура"));
  EXPECT_EQ(settings.Players[0], "Max%");

  TSettings read;
  ReadConfigText(read, text);
  EXPECT_EQ(read.PlayerCountry, "100");
  EXPECT_EQ(read.PlayerName, Utf8ToCp1251("Ура"));
  EXPECT_EQ(read.Players[0], "Max");
  EXPECT_EQ(read.HighScores[0][0].Name, "a%b");
}

TEST(ConfigTest, EmptyHighScoreLinesKeepTheRowDefault) {
  std::vector<std::string> texts = DefaultTexts();
  texts[6] = "Zed%%";
  texts[7] = "";
  texts[8] = "";
  texts[9] = "5%%%%";
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.HighScores[0][0], (THighScore{"Zed", "1000"}));
  EXPECT_EQ(read.HighScores[0][1], (THighScore{"\xCF\xF3\xEC\xEA\xE0", "5"}));
}

TEST(ConfigTest, TruncatedFileKeepsTheDefaultsOfTheMissingLines) {
  std::vector<std::string> texts = DefaultTexts();
  texts[0] = "true";
  texts[2] = PadText("100", 10);
  texts[4] = PadText("Peru", 5);
  texts[10] = PadText("Ann", 5);
  texts.resize(11);  // ends inside the first table
  const TSettings defaults;
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_TRUE(read.FullScreen);
  EXPECT_EQ(read.MusicVolume, 100);
  EXPECT_EQ(read.PlayerCountry, "Peru");
  EXPECT_EQ(read.HighScores[0][2].Name, "Ann");
  EXPECT_EQ(read.HighScores[0][3], defaults.HighScores[0][3]);
  EXPECT_EQ(read.PlayerCount, 0);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys, defaults.Keys);

  // A last line without its CR LF still counts; an empty file changes nothing.
  TSettings partial;
  ReadConfigText(partial, EncodeLine("true") + "\r\n" + EncodeLine("false"));
  EXPECT_TRUE(partial.FullScreen);
  EXPECT_FALSE(partial.Antialias);
  TSettings empty;
  ReadConfigText(empty, "");
  EXPECT_EQ(empty.MusicVolume, 250);
  EXPECT_EQ(empty.HighScores, defaults.HighScores);
}

TEST(ConfigTest, NumbersThatCannotBeUsedKeepTheirDefaults) {
  std::vector<std::string> texts = DefaultTexts();
  texts[2] = PadText("loud", 10);
  texts[3] = PadText("9999", 10);
  texts[69] = PadText("3x", 10);     // first binding not a number
  texts[70] = PadText("300", 10);    // outside the 256 key states
  texts[71] = PadText("-1", 10);
  texts[72] = PadText("65", 10);
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.MusicVolume, 250);
  EXPECT_EQ(read.FxVolume, 250);
  EXPECT_EQ(read.Keys, (std::array<uint32_t, 4>{39, 37, 32, 65}));
}

TEST(ConfigTest, PlayerCountIsHeldToTheCapacity) {
  // Twelve names on file: the first ten are kept, and the key lines are found after all twelve.
  std::vector<std::string> texts = DefaultTexts();
  texts[66] = PadText("12", 10);
  texts[67] = PadText("11", 10);  // outside the kept list
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i) names.push_back(PadText("P" + std::to_string(i), 10));
  texts.insert(texts.begin() + 68, names.begin(), names.end());
  texts[80 + 1] = PadText("90", 10);
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.PlayerCount, 10);
  EXPECT_EQ(read.Players[9], "P9");
  EXPECT_EQ(read.CurrentPlayer, 0);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys[0], 90u);
}

TEST(ConfigTest, APlayerCountLargerThanTheNamesPresentDoesNotReadTheKeysAsPlayers) {
  // Two names, then the four key lines, under a count of five.
  std::vector<std::string> texts = DefaultTexts();
  texts[66] = PadText("5", 10);
  texts[67] = PadText("1", 10);
  texts.insert(texts.begin() + 68, {PadText("Ann", 10), PadText("Bob", 10)});
  for (size_t line = 71; line < texts.size(); ++line) texts[line] = PadText(std::to_string(60 + line), 10);
  TSettings read;
  ReadConfigText(read, FileOf(texts));
  EXPECT_EQ(read.PlayerCount, 2);
  EXPECT_EQ(read.Players[0], "Ann");
  EXPECT_EQ(read.Players[1], "Bob");
  EXPECT_EQ(read.Players[2], "");
  EXPECT_EQ(read.CurrentPlayer, 1);
  EXPECT_EQ(read.KeyCount, 4);
  EXPECT_EQ(read.Keys, (std::array<uint32_t, 4>{131, 132, 133, 134}));
  // Saved again, the file is whole.
  TSettings again;
  ReadConfigText(again, ConfigText(read));
  EXPECT_EQ(again.PlayerCount, 2);
  EXPECT_EQ(again.Keys, read.Keys);

  // A count smaller than the names present: the names it leaves out are not read as the key count.
  texts[66] = PadText("1", 10);
  TSettings fewer;
  ReadConfigText(fewer, FileOf(texts));
  EXPECT_EQ(fewer.PlayerCount, 2);
  EXPECT_EQ(fewer.Keys, read.Keys);
}

TEST(ConfigTest, TextsLongerThanTheGameKeepsAreCutSoTheFileReadsBack) {
  TSettings settings;
  const std::string huge(700'000, 'W');
  settings.PlayerName = huge;
  settings.PlayerCountry = huge;
  settings.PlayerCount = 10;
  for (auto& player : settings.Players) player = huge;
  for (auto& table : settings.HighScores) {
    for (auto& row : table) row = {huge, huge};
  }
  settings.MusicVolume = 75;
  const std::string text = ConfigText(settings);
  EXPECT_LT(text.size(), 64u * 1024);
  TSettings read;
  ReadConfigText(read, text);
  EXPECT_EQ(read.MusicVolume, 75);
  EXPECT_EQ(read.PlayerCount, 10);
  EXPECT_EQ(read.Players[9], std::string(kMaxConfigTextBytes, 'W'));
  EXPECT_EQ(read.HighScores[2][9].Score, std::string(kMaxConfigTextBytes, 'W'));
  EXPECT_EQ(read.Keys, settings.Keys);
  // And a long name in a file read in is cut on reading too.
  std::vector<std::string> texts = DefaultTexts();
  texts[4] = PadText(std::string(1000, 'C'), 5);
  TSettings country;
  ReadConfigText(country, FileOf(texts));
  EXPECT_EQ(country.PlayerCountry, std::string(kMaxConfigTextBytes, 'C'));
}

TEST(ConfigTest, NegativeOrBrokenPlayerCountLeavesListAndKeys) {
  for (const char* count : {"-1", "two"}) {
    std::vector<std::string> texts = DefaultTexts();
    texts[66] = PadText(count, 10);
    texts[68] = PadText("2", 10);
    TSettings read;
    ReadConfigText(read, FileOf(texts));
    EXPECT_EQ(read.PlayerCount, 0) << count;
    EXPECT_EQ(read.KeyCount, 4) << count;
    EXPECT_EQ(read.Keys[0], 39u) << count;
  }
}

TEST(ConfigTest, CurrentPlayerMustBeInTheList) {
  std::vector<std::string> texts = DefaultTexts();
  texts[66] = PadText("2", 10);
  texts.insert(texts.begin() + 68, {PadText("A", 10), PadText("B", 10)});
  for (const auto& [current, expected] : std::vector<std::pair<std::string, int>>{
           {"1", 1}, {"2", 0}, {"-1", 0}, {"", 0}}) {
    texts[67] = PadText(current, 10);
    TSettings read;
    ReadConfigText(read, FileOf(texts));
    EXPECT_EQ(read.CurrentPlayer, expected) << current;
    EXPECT_EQ(read.Players[1], "B");
  }
}

TEST(ConfigTest, KeyCountOutsideZeroToFour) {
  std::vector<std::string> texts = DefaultTexts();
  // Seven bindings on file: four are taken.
  texts[68] = PadText("7", 10);
  texts.resize(69);
  for (int code : {65, 66, 67, 68, 69, 70, 71}) texts.push_back(PadText(std::to_string(code), 10));
  TSettings seven;
  ReadConfigText(seven, FileOf(texts));
  EXPECT_EQ(seven.KeyCount, 4);
  EXPECT_EQ(seven.Keys, (std::array<uint32_t, 4>{65, 66, 67, 68}));

  texts[68] = PadText("-3", 10);
  TSettings negative;
  ReadConfigText(negative, FileOf(texts));
  EXPECT_EQ(negative.KeyCount, 4);
  EXPECT_EQ(negative.Keys, (std::array<uint32_t, 4>{39, 37, 32, 38}));

  texts[68] = PadText("2", 10);
  TSettings two;
  ReadConfigText(two, FileOf(texts));
  EXPECT_EQ(two.KeyCount, 2);
  EXPECT_EQ(two.Keys, (std::array<uint32_t, 4>{65, 66, 32, 38}));
}

TEST(ConfigTest, GarbageReadsWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  TSettings read;
  ReadConfigText(read, garbage);
  EXPECT_GE(read.PlayerCount, 0);
  EXPECT_LE(read.PlayerCount, 10);
  EXPECT_GE(read.KeyCount, 0);
  EXPECT_LE(read.KeyCount, 4);
  EXPECT_GE(read.CurrentPlayer, 0);
  EXPECT_LT(read.CurrentPlayer, std::max(read.PlayerCount, 1));
}

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-config-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  static std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::filesystem::path folder_;
};

TEST_F(ConfigFileTest, MissingFileIsTheFirstStart) {
  TSettings settings;
  settings.MusicVolume = 50;
  EXPECT_FALSE(ReadConfig(settings, folder_ / "Config.cfg").ok);
  EXPECT_EQ(settings.MusicVolume, 50);
}

TEST_F(ConfigFileTest, WriteReplacesTheFileAndLeavesNoTemporary) {
  const auto file = folder_ / "Config.cfg";
  TSettings settings;
  settings.FxVolume = 125;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  settings.FxVolume = 25;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  TSettings read;
  EXPECT_TRUE(ReadConfig(read, file).ok);
  EXPECT_EQ(read.FxVolume, 25);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(ConfigFileTest, FailedWriteKeepsTheOldFile) {
  const auto file = folder_ / "Config.cfg";
  TSettings settings;
  settings.MusicVolume = 200;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  const std::string before = Contents(file);
  // The temporary file cannot be created.
  std::filesystem::create_directory(folder_ / "Config.cfg.tmp");
  settings.MusicVolume = 0;
  EXPECT_FALSE(WriteConfig(settings, file).ok);
  EXPECT_EQ(Contents(file), before);
}

// A full disk: the file size limit makes the write fail the way a full disk does.
TEST_F(ConfigFileTest, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
  const auto file = folder_ / "Config.cfg";
  TSettings settings;
  settings.MusicVolume = 200;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  const std::string before = Contents(file);
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  settings.MusicVolume = 0;
  const ConfigFileResult written = WriteConfig(settings, file);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.code, std::errc::file_too_large);
  EXPECT_NE(written.error.find("Config.cfg\" cannot be written"), std::string::npos) << written.error;
  EXPECT_EQ(Utf8ToCp1251("на диске не хватает места"), ConfigErrorReason(written.code));
  EXPECT_EQ(Contents(file), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(ConfigFileTest, AFileThatCannotBeReadIsAnErrorNotTheFirstStart) {
  const auto file = folder_ / "Config.cfg";
  std::filesystem::create_directory(file);
  TSettings settings;
  ConfigFileResult read = ReadConfig(settings, file);
  EXPECT_FALSE(read.ok);
  EXPECT_FALSE(read.missing);
  std::filesystem::remove(file);
  std::ofstream(file, std::ios::binary) << std::string((1 << 20) + 1, 'A');
  read = ReadConfig(settings, file);
  EXPECT_FALSE(read.ok);
  EXPECT_FALSE(read.missing);
  EXPECT_EQ(ConfigErrorReason(read.code, true), Utf8ToCp1251("файл настроек слишком велик"));
  std::filesystem::remove(file);
  read = ReadConfig(settings, file);
  EXPECT_TRUE(read.missing);
}

TEST_F(ConfigFileTest, FailedRenameRemovesTheTemporary) {
  // "Config.cfg" is a folder with something inside, which a file cannot replace.
  const auto file = folder_ / "Config.cfg";
  std::filesystem::create_directories(file / "inside");
  TSettings settings;
  EXPECT_FALSE(WriteConfig(settings, file).ok);
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Config.cfg.tmp"));
}

// A link where the temporary file goes is taken away, never written through; a "Config.cfg" that
// is a link (a folder of settings kept elsewhere) is written through to its target and stays a link.
TEST_F(ConfigFileTest, SavingNeverWritesThroughALinkInPlaceOfTheTemporaryAndWritesThroughALinkedFile) {
  namespace fs = std::filesystem;
  const auto file = folder_ / "Config.cfg";
  const auto victim = folder_ / "victim";
  std::ofstream(victim) << "keep me";
  fs::create_symlink(victim, folder_ / "Config.cfg.tmp");
  TSettings settings;
  settings.MusicVolume = 75;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  EXPECT_EQ(Contents(victim), "keep me");
  EXPECT_FALSE(fs::exists(fs::symlink_status(folder_ / "Config.cfg.tmp")));
  EXPECT_FALSE(fs::is_symlink(file));
  // A leftover temporary file of a run that stopped short is no obstacle either.
  std::ofstream(folder_ / "Config.cfg.tmp") << "half";
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  TSettings read;
  ASSERT_TRUE(ReadConfig(read, file).ok);
  EXPECT_EQ(read.MusicVolume, 75);

  // The linked file, through a chain of two links into another folder.
  const auto elsewhere = folder_ / "dotfiles";
  fs::create_directories(elsewhere);
  fs::remove(file);
  fs::create_symlink(elsewhere / "zumbala.cfg", folder_ / "second-link");
  fs::create_symlink(folder_ / "second-link", file);
  settings.MusicVolume = 125;
  ASSERT_TRUE(WriteConfig(settings, file).ok);  // the target does not exist yet
  settings.MusicVolume = 150;
  ASSERT_TRUE(WriteConfig(settings, file).ok);
  EXPECT_TRUE(fs::is_symlink(file));
  EXPECT_TRUE(fs::is_symlink(folder_ / "second-link"));
  ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(elsewhere / "zumbala.cfg")));
  ASSERT_TRUE(ReadConfig(read, elsewhere / "zumbala.cfg").ok);
  EXPECT_EQ(read.MusicVolume, 150);
  EXPECT_FALSE(fs::exists(elsewhere / "zumbala.cfg.tmp"));
  EXPECT_FALSE(fs::exists(folder_ / "Config.cfg.tmp"));
}

TEST_F(ConfigFileTest, MessagesNameAFolderInPlaceOfTheTemporaryAndAPipeInPlaceOfTheFile) {
  const auto file = folder_ / "Config.cfg";
  std::filesystem::create_directory(folder_ / "Config.cfg.tmp");
  TSettings settings;
  const ConfigFileResult written = WriteConfig(settings, file);
  ASSERT_FALSE(written.ok);
  EXPECT_EQ(written.failedFile, folder_ / "Config.cfg.tmp");
  EXPECT_NE(written.error.find("Config.cfg.tmp\""), std::string::npos) << written.error;
  EXPECT_EQ(ConfigErrorReason(written.code, false, written.failedFile),
            Utf8ToCp1251("на месте временного файла \"Config.cfg.tmp\" стоит папка"));
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "Config.cfg.tmp"));  // nothing inside was touched
  // The player's language, the file's name in it as it is.
  const std::optional<TLanguage> english = LoadLanguage("en", std::filesystem::path(ZB_GAME_DIR) / "Data/lang/en.mo");
  ASSERT_TRUE(english);
  EXPECT_EQ(ConfigErrorReason(written.code, false, written.failedFile, *english),
            "in place of the temporary file \"Config.cfg.tmp\" there is a folder");

  // A pipe is neither opened for long (nothing writes to it) nor called an invalid argument.
  std::filesystem::remove(folder_ / "Config.cfg.tmp");
  ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
  const ConfigFileResult read = ReadConfig(settings, file);
  EXPECT_FALSE(read.ok);
  EXPECT_FALSE(read.missing);
  EXPECT_EQ(ConfigErrorReason(read.code, true),
            Utf8ToCp1251("на месте файла настроек стоит не файл, а канал или устройство"));
  const ConfigFileResult device = ReadConfig(settings, "/dev/null");
  EXPECT_EQ(ConfigErrorReason(device.code, true), ConfigErrorReason(read.code, true));
  EXPECT_EQ(ConfigErrorReason(read.code, true, {}, *english),
            "in place of the settings file there is a pipe or a device, not a file");
}

TEST_F(ConfigFileTest, AFileOutOfTheWritersLayoutIsDamagedAndKeptAsBad) {
  const auto file = folder_ / "Config.cfg";
  TSettings settings;
  settings.PlayerCount = 2;
  settings.Players[0] = "Kim";
  settings.Players[1] = "Ola";
  settings.MusicVolume = 100;
  const std::string whole = ConfigText(settings);
  TSettings read;
  EXPECT_TRUE(ReadConfigText(read, whole));
  // CR alone ends the lines: one long line.
  std::string crOnly = whole;
  std::erase(crOnly, '\n');
  // A line lost in the middle shifts the rest.
  std::vector<std::string> lines = SplitCrLf(whole);
  lines.erase(lines.begin() + 10);
  std::string shifted;
  for (const std::string& line : lines) shifted += line + "\r\n";
  for (const std::string& damaged : {crOnly, shifted, whole.substr(0, whole.size() / 2), std::string("garbage\r\n")}) {
    TSettings some;
    EXPECT_FALSE(ReadConfigText(some, damaged));
    std::ofstream(file, std::ios::binary | std::ios::trunc) << damaged;
    const ConfigFileResult result = ReadConfig(some, file);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.damaged);
    ASSERT_TRUE(KeepDamagedConfig(file).ok);
    EXPECT_EQ(Contents(folder_ / "Config.cfg.bad"), damaged);
    EXPECT_EQ(Contents(file), damaged);
  }
  std::ofstream(file, std::ios::binary | std::ios::trunc) << whole;
  EXPECT_FALSE(ReadConfig(read, file).damaged);
}

}  // namespace
}  // namespace zb
