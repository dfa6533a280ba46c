// Start-up with the data archives: what DeviceInitialize loads, and the image and text passes.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/HeadlessGame.h"
#include "engine/FileRead.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFolder.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

// A 2 x 2 opaque image of one colour (0xAARRGGBB).
std::vector<uint8_t> SolidImage(uint32_t argb) {
  test::Bytes b;
  b.U8(5).I32(0).I32(0).I32(0).I32(0).I32(0).I32(2).I32(2).I32(1);
  for (int i = 0; i < 4; ++i) b.U32(argb);
  return b.data;
}

class Form1StartupTest : public ::testing::Test {
 protected:
  void WriteArchives(const std::vector<test::RawRecord>& first, const std::vector<test::RawRecord>& second) {
    std::filesystem::create_directories(dir_.Path() / "Data");
    dir_.Write("Data/data.zbx", test::BuildArchive(first));
    dir_.Write("Data/data1.zbx", test::BuildArchive(second));
    dir_.Write("Data/gfx.zbx", {0, 0, 0, 0});  // a GUI without controls
  }
  // One frame of `screen`, then the colour of a pixel.
  uint32_t FrameOf(HeadlessGame& game, uint8_t screen, int x, int y) {
    EnterScreen(game.Form().Screen, screen);
    game.Frame();
    return game.PixelAt(x, y) & 0xFFFFFFu;
  }
  // The one message box says why: each of `named` (the archive and the record) first, then `last`
  // (when not empty).
  static void ExpectFailedStart(HeadlessGame& game, const std::string& last = "Failed to initialize device!",
                                const std::vector<std::string>& named = {}) {
    int renders = 0;
    game.Form().Screen.OnPass = [&](RenderPass, bool starting) { renders += starting ? 1 : 0; };
    EXPECT_FALSE(game.Start());
    EXPECT_TRUE(game.Form().Closed());
    const auto& boxes = game.Platform().desktop.messageBoxes;
    ASSERT_EQ(boxes.size(), 1u);
    const std::string& text = boxes[0].second;
    ASSERT_TRUE(text.ends_with(last)) << text;
    for (const std::string& name : named) EXPECT_LT(text.find(name), text.size() - last.size()) << name << ": " << text;
    game.Frames(5);
    EXPECT_EQ(renders, 0);
  }

  test::TempDir dir_;
};

TEST_F(Form1StartupTest, AnEmptyFolderDoesNotStart) {
  HeadlessGame game(dir_.Path());
  ExpectFailedStart(game, "Failed to initialize device!", {"data.zbx\" cannot be opened: it does not exist"});
}

TEST_F(Form1StartupTest, AMissingSecondArchiveOrABrokenImageDoesNotStart) {
  WriteArchives({{"back", 1, SolidImage(0xFFFF0000u)}}, {});
  std::filesystem::remove(dir_.Path() / "Data/data1.zbx");
  {
    HeadlessGame game(dir_.Path());
    ExpectFailedStart(game, "Failed to initialize device!", {"data1.zbx\" cannot be opened"});
  }
  std::vector<uint8_t> broken = SolidImage(0xFFFF0000u);
  broken.pop_back();
  WriteArchives({{"back", 1, broken}}, {});
  HeadlessGame game(dir_.Path());
  ExpectFailedStart(game, "Failed to initialize device!", {"image \"back\"", "data.zbx\" is not a valid image"});
}

// One flipped bit in one picture of the built archive: the message names the archive and the picture.
TEST_F(Form1StartupTest, AFlippedBitInOnePictureIsNamedInTheMessage) {
  test::InstallArchives(dir_.Path());
  const std::filesystem::path archive = dir_.Path() / "Data/data.zbx";
  TArchiveDb db(std::filesystem::path(ZB_GAME_DIR) / "Data/data.zbx", TOpenModes::opReadOnly);
  ASSERT_TRUE(db.EnsureOpen());
  int help = -1;
  for (int i = 0; i < db.RecordCount() && help < 0; ++i) {
    if (db.RecordType(i) == kRecordImage && db.RecordKey(i) == "scr_help3") help = i;
  }
  ASSERT_GE(help, 0);
  std::filesystem::remove(archive);
  std::filesystem::copy_file(db.FileName(), archive);
  std::vector<uint8_t> bytes = AsBytes(ReadFileText(archive).bytes);
  const TArchiveEntry& entry = *db.Entry(help);
  bytes[entry.Offset + TArchiveDb::kRecordHeaderSize + entry.StoredSize / 2] ^= 0x10;
  dir_.Write("Data/data.zbx", bytes);
  HeadlessGame game(dir_.Path());
  ExpectFailedStart(game, "Failed to initialize device!", {"\"" + entry.Key + "\"", "data.zbx"});
}

// Without its GUI no screen could be left: a missing, empty, damaged or unreadable GUI file
// refuses the start with a message that names it.
TEST_F(Form1StartupTest, AGuiFileThatCannotBeLoadedRefusesTheStart) {
  test::InstallArchives(dir_.Path());
  const std::filesystem::path gui = dir_.Path() / "Data/gfx.zbx";
  std::filesystem::remove(gui);
  const std::vector<std::pair<std::string, std::function<void()>>> cases = {
      {"does not exist", [] {}},
      {"the file ends early", [&] { dir_.Write("Data/gfx.zbx", {}); }},
      {"unknown control class", [&] { dir_.Write("Data/gfx.zbx", {1, 0, 0, 0, 3, 0, 0, 0, 'T', 'x', 'y'}); }},
      {"it is a folder", [&] { std::filesystem::create_directory(gui); }},
  };
  for (const auto& [reason, make] : cases) {
    std::error_code ec;
    std::filesystem::remove_all(gui, ec);
    make();
    HeadlessGame game(dir_.Path());
    ExpectFailedStart(game, "", {"The interface file \"", "gfx.zbx\"", reason});
  }
}

TEST_F(Form1StartupTest, TheBackgroundPassesDrawTheirImagesAndSkipMissingOnes) {
  WriteArchives({{"back", 1, SolidImage(0xFFFF0000u)},
                 {"backgame", 1, SolidImage(0xFF00FF00u)},
                 {"endgame", 1, SolidImage(0xFF0000FFu)}},
                {});
  HeadlessGame game(dir_.Path());
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  EXPECT_EQ(form.Images.Count(), 3);
  EXPECT_EQ(form.Fonts.Count(), 0);
  EXPECT_EQ(FrameOf(game, ScreenMainMenu, 1, 1), 0xFF0000u);
  EXPECT_EQ(FrameOf(game, ScreenMainMenu, 2, 2), 0u);  // the image's own size only
  EXPECT_EQ(FrameOf(game, ScreenYourScore, 1, 1), 0x00FF00u);
  form.Screen.GameFinished = true;
  EXPECT_EQ(FrameOf(game, ScreenYourScore, 1, 1), 0x0000FFu);
  // No "PauseText" font: the pause screen draws no text and goes on.
  EXPECT_EQ(FrameOf(game, ScreenPause, 400, 300), 0u);
  EXPECT_FALSE(form.Closed());
}

TEST_F(Form1StartupTest, ComponentsHaveTheirSettings) {
  test::InstallArchives(dir_.Path());
  HeadlessGame game(dir_.Path());
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  EXPECT_EQ(form.MyCanvas.VertexCache(), 4096);
  EXPECT_TRUE(form.MyCanvas.Antialias());  // the first-run setting
  EXPECT_TRUE(form.MyCanvas.Dithering());
  EXPECT_FALSE(form.MyCanvas.AlphaTesting());
  EXPECT_FALSE(form.Images.MipMapping());
  EXPECT_EQ(form.Archive.FileName(), dir_.Path() / "Data/data.zbx");
  EXPECT_EQ(form.Archive.OpenMode(), TOpenModes::opReadOnly);
  EXPECT_EQ(form.Archive2.FileName(), dir_.Path() / "Data/data1.zbx");
  EXPECT_EQ(form.Fonts.Canvas(), &form.MyCanvas);
}

// The content build's archives: every font the game names, each with the Cyrillic letters.
TEST_F(Form1StartupTest, TheBuiltContentHasEveryFontWithCyrillicLetters) {
  test::InstallArchives(dir_.Path());
  HeadlessGame game(dir_.Path());
  ASSERT_TRUE(game.Start());
  TForm1& form = game.Form();
  EXPECT_NE(form.Images.FindImage("backgame"), nullptr);
  for (const char* name : {"ParamFont", "ParamFont2", "PauseText", "DialogFont", "sharetext"}) {
    const TGfxFont* font = form.Fonts.FindFont(name);
    ASSERT_NE(font, nullptr) << name;
    EXPECT_TRUE(font->Loaded()) << name;
    EXPECT_EQ(font->FirstChar, 32) << name;
    ASSERT_EQ(font->Glyphs.size(), 224u) << name;
    for (int code : {0xA8, 0xB8}) EXPECT_GT(font->Glyphs[code - 32].Width, 0) << name << " " << code;
    for (int code = 0xC0; code <= 0xFF; ++code) EXPECT_GT(font->Glyphs[code - 32].Width, 0) << name << " " << code;
    EXPECT_GT(font->TextHeight("0"), 0) << name;
  }
  // "sharetext" comes from the second archive: the loading adds to the list.
  EXPECT_GT(form.Fonts.IndexOfFont("sharetext"), form.Fonts.IndexOfFont("DialogFont"));
}

TEST_F(Form1StartupTest, ThePauseScreenShowsItsWordCentredInItsColour) {
  test::InstallArchives(dir_.Path());
  HeadlessGame game(dir_.Path());
  ASSERT_TRUE(game.Start());
  const TGfxFont* font = game.Form().Fonts.FindFont("PauseText");
  ASSERT_NE(font, nullptr);
  const double width = font->TextWidth("\xCF\xC0\xD3\xC7\xC0");
  EnterScreen(game.Form().Screen, ScreenPause);
  game.Frame();
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  ASSERT_TRUE(game.Platform().window.GetRenderer()->ReadPixels(pixels, w, h));
  if (const char* out = std::getenv("ZB_SAVE_PICTURES")) game.SavePng(std::string(out) + "/pause.png");
  // $FF1721FC is red FC, green 21, blue 17; count the pixels of that colour left and right of the middle.
  int left = 0, right = 0, outside = 0;
  for (int y = 270; y < 280 + font->Image.VisibleHeight() + 10; ++y) {
    for (int x = 200; x < 600; ++x) {
      const uint32_t p = pixels[size_t(y) * size_t(w) + size_t(x)];
      const bool match = std::abs(int((p >> 16) & 0xFF) - 0xFC) < 8 && std::abs(int((p >> 8) & 0xFF) - 0x21) < 8 &&
                         std::abs(int(p & 0xFF) - 0x17) < 8;
      if (!match) continue;
      if (y < 280 || x < 400 - width / 2 - 6 || x > 400 + width / 2 + 6) ++outside;  // ink may pass the advance
      (x < 400 ? left : right)++;
    }
  }
  EXPECT_GT(left, 100);
  EXPECT_GT(right, 100);
  EXPECT_LT(std::abs(left - right), (left + right) / 4);  // roughly centred on x = 400
  EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace zb
