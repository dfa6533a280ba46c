#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/HeadlessGame.h"
#include "engine/Cp1251.h"
#include "gui/GuiButton.h"
#include "gui/GuiLabel.h"
#include "persist/LanguageSetting.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFolder.h"

namespace zb {
namespace {

class LanguageFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-language-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    test::InstallArchives(folder_);
    std::filesystem::create_directories(folder_ / kLanguageFolder);
    for (const char* name : {"en.mo", "en.zbx"}) {
      std::filesystem::copy_file(std::filesystem::path(ZB_GAME_DIR) / kLanguageFolder / name,
                                 folder_ / kLanguageFolder / name);
    }
  }
  void TearDown() override {
    game_.reset();
    std::filesystem::remove_all(folder_);
  }
  TForm1& Start(const std::string& desktopLanguage = "") {
    game_.reset();
    TGameFolders folders = TGameFolders::Portable(folder_);
    folders.DesktopLanguage = desktopLanguage;
    game_ = std::make_unique<HeadlessGame>(folders);
    EXPECT_TRUE(game_->Start());
    return game_->Form();
  }
  void Show(uint8_t screen) {
    TForm1& form = game_->Form();
    LeaveScreen(form.Screen, form.Screen.CurrentScreen);
    EnterScreen(form.Screen, screen);
    game_->Frame();
  }
  std::string Caption(const char* name) {
    auto* button = dynamic_cast<TGuiButton*>(game_->Form().GuiBase.FindControl(name));
    return button ? Cp1251ToUtf8(button->Caption) : "(none)";
  }
  std::string Label(const char* name) {
    auto* label = dynamic_cast<TGuiLabel*>(game_->Form().GuiBase.FindControl(name));
    return label ? Cp1251ToUtf8(label->Text()) : "(none)";
  }
  // The pixels of a loaded image of the game.
  std::vector<uint32_t> Pixels(const char* image) {
    const TGfxImage* found = game_->Form().Images.FindImage(image);
    if (!found || !found->Created()) return {};
    const auto pixels = found->Pixels(0);
    return {pixels.begin(), pixels.end()};
  }
  void ClickLanguage() {
    const TGuiRect r = game_->Form().GuiBase.FindControl("b_options_language")->AbsoluteRect();
    game_->Click(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    game_->Frame();
  }

  std::filesystem::path folder_;
  std::unique_ptr<HeadlessGame> game_;
};

TEST_F(LanguageFlowTest, TheOptionsChoiceChangesTheVisibleFormAtOnceAndIsKept) {
  Start();
  Show(ScreenOptions);
  EXPECT_EQ(Caption("b_options_graphics"), "Графика");
  EXPECT_EQ(Caption("b_options_language"), "Русский");
  EXPECT_EQ(Label("l_options_language"), "Язык");

  ClickLanguage();
  EXPECT_EQ(game_->Form().Screen.CurrentScreen, ScreenOptions);
  EXPECT_EQ(Caption("b_options_graphics"), "Graphics");
  EXPECT_EQ(Caption("b_options_back"), "Back");
  EXPECT_EQ(Label("title"), "Options");
  EXPECT_EQ(Label("l_options_language"), "Language");
  EXPECT_EQ(Caption("b_options_language"), "English");
  // Forms not on the screen follow too, and the texts the screens write.
  EXPECT_EQ(Caption("b_mainmenu_startgame"), "New game");
  Show(ScreenMainMenu);
  EXPECT_EQ(Label("hello").substr(0, 7), "Hello, ");

  // The choice lives in its own file; "Config.cfg" knows nothing of it.
  Start();
  EXPECT_EQ(Caption("b_options_graphics"), "Graphics");
  Show(ScreenOptions);
  EXPECT_EQ(Caption("b_options_language"), "English");

  ClickLanguage();
  EXPECT_EQ(Caption("b_options_graphics"), "Графика");
  EXPECT_EQ(Label("title"), "Настройки");
  EXPECT_EQ(Caption("b_options_language"), "Русский");
  Start();
  EXPECT_EQ(Caption("b_options_graphics"), "Графика");
}

TEST_F(LanguageFlowTest, ThePicturesWithWordsFollowTheLanguageAtOnce) {
  Start();
  const std::vector<uint32_t> logo = Pixels("logo"), help = Pixels("scr_help1"), panel = Pixels("panel");
  const std::vector<uint32_t> ball = Pixels("ball");
  ASSERT_FALSE(logo.empty());
  ASSERT_FALSE(help.empty());
  Show(ScreenOptions);
  ClickLanguage();
  EXPECT_NE(Pixels("logo"), logo);
  EXPECT_NE(Pixels("scr_help1"), help);
  EXPECT_NE(Pixels("panel"), panel);
  EXPECT_EQ(Pixels("ball"), ball) << "a picture without words is the same in every language";
  const std::vector<uint32_t> englishHelp = Pixels("scr_help1");

  // A start in English loads its pictures straight away, the ones loaded while the logo plays too.
  Start();
  EXPECT_EQ(Pixels("scr_help1"), englishHelp);
  Show(ScreenOptions);
  ClickLanguage();
  EXPECT_EQ(Pixels("logo"), logo);
  EXPECT_EQ(Pixels("scr_help1"), help);
  EXPECT_EQ(Pixels("panel"), panel);
}

TEST_F(LanguageFlowTest, ALanguageWithoutPicturesOrWithBrokenOnesShowsTheRussianPictures) {
  Start();
  const std::vector<uint32_t> logo = Pixels("logo"), help = Pixels("scr_help1");
  std::ofstream(folder_ / kLanguageFolder / "en.zbx", std::ios::binary | std::ios::trunc) << "not an archive";
  Start("en");
  EXPECT_EQ(Caption("b_mainmenu_options"), "Options");
  EXPECT_EQ(Pixels("logo"), logo);
  EXPECT_EQ(Pixels("scr_help1"), help);
  std::filesystem::remove(folder_ / kLanguageFolder / "en.zbx");
  Start("en");
  EXPECT_EQ(Pixels("scr_help1"), help);
}

TEST_F(LanguageFlowTest, AFirstStartTakesTheDesktopLanguageAndAChoiceOutranksIt) {
  Start("en");
  EXPECT_EQ(Caption("b_mainmenu_options"), "Options");
  EXPECT_EQ(game_->Form().Core.Play.Language.Tr("ПАУЗА"), "PAUSE");
  Show(ScreenOptions);
  ClickLanguage();
  Start("en");
  EXPECT_EQ(Caption("b_mainmenu_options"), "Настройки");
}

TEST_F(LanguageFlowTest, AMissingOrDamagedCatalogueLeavesRussian) {
  std::ofstream(folder_ / kLanguageFolder / "en.mo", std::ios::binary | std::ios::trunc) << "not a catalogue";
  Start("en");
  EXPECT_EQ(Caption("b_mainmenu_options"), "Настройки");
  std::filesystem::remove(folder_ / kLanguageFolder / "en.mo");
  Start("en");
  EXPECT_EQ(Caption("b_mainmenu_options"), "Настройки");
  Show(ScreenOptions);
  ClickLanguage();  // Russian is the only language left
  EXPECT_EQ(Caption("b_options_language"), "Русский");
}

}  // namespace
}  // namespace zb
