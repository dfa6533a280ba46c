#include "app/GameFolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/HeadlessGame.h"
#include "persist/Config.h"
#include "tests/app/ScreenFlowFixture.h"

namespace zb {
namespace {

namespace fs = std::filesystem;

TFolderFacts BuildFolder() {
  TFolderFacts facts;
  facts.ProgramFolder = "/home/kim/zumbala/build/game/";
  facts.DataBeside = true;
  facts.ProgramFolderWritable = true;
  facts.XdgDataHome = "/home/kim/.data";
  facts.Home = "/home/kim";
  return facts;
}

TFolderFacts Installed() {
  TFolderFacts facts;
  facts.ProgramFolder = "/usr/local/bin/";
  facts.DataInShare = true;
  facts.Home = "/home/kim";
  return facts;
}

TEST(ChooseFolders, APortableCopyKeepsItsConfigOnlyWhereItIsWritableAndAlreadyThere) {
  TFolderFacts facts = BuildFolder();
  facts.ConfigBeside = true;
  TGameFolders folders = ChooseFolders(facts);
  EXPECT_EQ(folders.Content, facts.ProgramFolder);
  EXPECT_EQ(folders.User, facts.ProgramFolder);
  EXPECT_TRUE(folders.CanSave);

  facts.ProgramFolderWritable = false;  // a copy on read-only media
  folders = ChooseFolders(facts);
  EXPECT_EQ(folders.Content, facts.ProgramFolder);
  EXPECT_EQ(folders.User, fs::path("/home/kim/.data/zumbala"));

  facts.ProgramFolderWritable = true;
  facts.ConfigBeside = false;  // a fresh build folder: the player's files go to the player's folder
  folders = ChooseFolders(facts);
  EXPECT_EQ(folders.Content, facts.ProgramFolder);
  EXPECT_EQ(folders.User, fs::path("/home/kim/.data/zumbala"));
}

TEST(ChooseFolders, AnInstalledCopyReadsTheShareTreeAndNeverWritesIt) {
  TFolderFacts facts = Installed();
  TGameFolders folders = ChooseFolders(facts);
  EXPECT_EQ(folders.Content, fs::path("/usr/local/share/zumbala"));
  EXPECT_EQ(folders.User, fs::path("/home/kim/.local/share/zumbala"));  // no XDG_DATA_HOME
  EXPECT_TRUE(folders.CanSave);
  // Even a writable bin/ with a "Config.cfg" in it does not make an installed copy portable.
  facts.ProgramFolderWritable = true;
  facts.ConfigBeside = true;
  EXPECT_EQ(ChooseFolders(facts).User, fs::path("/home/kim/.local/share/zumbala"));
  // Data beside the program wins over an installed copy elsewhere.
  facts.DataBeside = true;
  EXPECT_EQ(ChooseFolders(facts).Content, facts.ProgramFolder);
}

TEST(ChooseFolders, AnUnusableEnvironmentLeavesNoFolderToSaveIn) {
  TFolderFacts facts = Installed();
  facts.XdgDataHome = "relative/data";  // invalid: ignored for $HOME
  EXPECT_EQ(ChooseFolders(facts).User, fs::path("/home/kim/.local/share/zumbala"));
  facts.Home.clear();
  const TGameFolders folders = ChooseFolders(facts);
  EXPECT_TRUE(folders.User.empty());
  EXPECT_FALSE(folders.CanSave);
  EXPECT_NE(folders.Problem.find("HOME"), std::string::npos);
  EXPECT_EQ(folders.Content, fs::path("/usr/local/share/zumbala"));
}

// The folders as the program finds them on the disk: an installed tree and a home.
class GameFoldersTest : public test::ScreenFlowTest {
 protected:
  void SetUp() override {
    ScreenFlowTest::SetUp();
    root_ = folder_ / "root";
    fs::create_directories(root_ / "usr/bin");
    fs::create_directories(root_ / "usr/share");
    fs::create_directory_symlink(folder_, root_ / "usr/share/zumbala");
    fs::create_directories(root_ / "home");
  }
  TGameFolders Locate(const char* xdg) {
    const std::string home = (root_ / "home").string();
    return PrepareUserFolder(ChooseFolders(ReadFolderFacts(root_ / "usr/bin", xdg, home.c_str())));
  }
  // The game of an installed copy with these folders, started and past its logo.
  void StartInstalled(const TGameFolders& folders) {
    game_ = std::make_unique<HeadlessGame>(folders);
    ASSERT_TRUE(game_->Start());
    game_->Frames(kLogoTicks);
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenEnterName);
  }
  void CreatePlayer(const std::string& name) {
    for (char c : name) game_->Char(static_cast<uint8_t>(c));
    game_->Press(vk::Enter);
    game_->Frames(2);
  }

  fs::path root_;
};

TEST_F(GameFoldersTest, TheFirstStartMakesThePlayersFolderAndSavesThere) {
  const TGameFolders folders = Locate(nullptr);
  EXPECT_TRUE(fs::equivalent(folders.Content, folder_));
  EXPECT_EQ(folders.User, root_ / "home/.local/share/zumbala");
  ASSERT_TRUE(fs::is_directory(folders.User));
  EXPECT_TRUE(folders.CanSave);
  StartInstalled(folders);
  CreatePlayer("Kim");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_TRUE(fs::is_regular_file(folders.User / "Config.cfg"));
  EXPECT_FALSE(fs::exists(folder_ / "Config.cfg"));  // the content folder stays as installed
  EXPECT_TRUE(game_->Platform().desktop.messageBoxes.empty());
}

TEST_F(GameFoldersTest, ThePlayersOwnLinkFilesComeFirst) {
  const TGameFolders folders = Locate((root_ / "xdg").c_str());
  ASSERT_EQ(folders.User, root_ / "xdg/zumbala");
  std::ofstream(folder_ / "website.url") << "[InternetShortcut]\r\nURL=http://localhost/shipped\r\n";
  game_ = std::make_unique<HeadlessGame>(folders);
  ASSERT_TRUE(game_->Start());
  EXPECT_EQ(Form().Screen.LinkPath("website.url"), folders.Content / "website.url");
  EXPECT_EQ(Form().Screen.LinkPath("play.url"), folders.Content / "play.url");  // none anywhere
  std::ofstream(folders.User / "website.url") << "[InternetShortcut]\r\nURL=http://localhost/own\r\n";
  EXPECT_EQ(Form().Screen.LinkPath("website.url"), folders.User / "website.url");
}

TEST_F(GameFoldersTest, AnUnwritablePlayersFolderIsSaidOnceAndTheGamePlaysWithoutSaving) {
  // A file where the folder should be: no one can make the folder, root included.
  std::ofstream(root_ / "blocked") << "x";
  const TGameFolders folders = Locate((root_ / "blocked").c_str());
  EXPECT_FALSE(folders.CanSave);
  EXPECT_NE(folders.Problem.find((root_ / "blocked/zumbala").string()), std::string::npos) << folders.Problem;
  StartInstalled(folders);
  const auto& boxes = game_->Platform().desktop.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].second, folders.Problem);
  CreatePlayer("Kim");
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenMainMenu);
  EXPECT_EQ(Form().Settings.PlayerCount, 1);  // kept for this run
  Form().WriteConfig();
  game_.reset();  // closing saves nothing either, and nothing lands anywhere else
  EXPECT_FALSE(fs::exists(folder_ / "Config.cfg"));
  EXPECT_FALSE(fs::exists(root_ / "home/.local"));
  EXPECT_TRUE(fs::is_regular_file(root_ / "blocked"));
}

TEST_F(GameFoldersTest, ANoLongerWritableFolderStillGivesItsSettings) {
  TGameFolders folders = Locate((root_ / "xdg").c_str());
  TSettings saved;
  saved.PlayerCount = 1;
  saved.Players[0] = "Ann";
  saved.MusicVolume = 100;
  ASSERT_TRUE(WriteConfig(saved, folders.User / "Config.cfg").ok);
  folders.CanSave = false;  // as the access check finds a read-only folder
  folders.Problem = "read-only";
  game_ = std::make_unique<HeadlessGame>(folders);
  ASSERT_TRUE(game_->Start());
  EXPECT_EQ(Form().Settings.PlayerCount, 1);
  EXPECT_EQ(Form().Settings.MusicVolume, 100);
  const auto before = fs::last_write_time(folders.User / "Config.cfg");
  Form().Settings.MusicVolume = 200;
  Form().WriteConfig();
  EXPECT_EQ(fs::last_write_time(folders.User / "Config.cfg"), before);
}

}  // namespace
}  // namespace zb
