#include "persist/ShareScreen.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/PngWriter.h"
#include "engine/platform/headless/Headless.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

// Glyph 'A' 5 wide with spacing 1: "A" is 6 pixels wide at scale 1.
std::vector<uint8_t> FontRecord() {
  test::Bytes b;
  b.U32('A').I32(1).U32(0).U32(1).I32(5).I32(8);
  b.U8(10).I32(8).I32(10).I32(8).I32(10).I32(1).I32(8).I32(10).I32(1);
  b.Raw(std::vector<uint8_t>(80, 0xFF));
  return b.data;
}

// A page of one link button and the exit button, with pictures of one colour each.
class ShareScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.Path() / "wdata");
    Picture("bg.png", 800, 600, 0xFF102030u);
    Picture("normal.png", 40, 20, 0xFFFF0000u);
    Picture("hover.png", 40, 20, 0xFF00FF00u);
    Picture("exit.png", 40, 20, 0xFF0000FFu);
    Picture("exit_hover.png", 40, 20, 0xFFFFFF00u);
    Picture("exit_disabled.png", 40, 20, 0xFF808080u);
    std::ofstream(dir_.Path() / "wdata/link.url") << "[InternetShortcut]\r\nURL=http://localhost/\r\n";
  }

  void Picture(const std::string& name, int w, int h, uint32_t argb) {
    const std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, argb);
    ASSERT_TRUE(WritePng((dir_.Path() / "wdata" / name).string(), pixels.data(), w, h));
  }

  static std::vector<std::string> Lines() {
    return {"2",
            "wdata/bg.png",
            "100 98 7 8",
            "100 100 40 20",
            "wdata/normal.png",
            "wdata/hover.png",
            "wdata/link.url",
            "300 297 5 6",
            "300 300 40 20",
            "302 303 11 12",
            "wdata/exit.png",
            "wdata/exit_hover.png",
            "wdata/exit_disabled.png",
            "400 500",
            "3",
            "10 20 30",
            "TRUE",
            "24"};
  }

  void Write(const std::vector<std::string>& lines, const char* end = "\n") {
    std::ofstream out(dir_.Path() / "wdata/config.ini", std::ios::binary);
    for (const auto& line : lines) out << line << end;
  }

  // Loads `lines` into a fresh page.
  TShareScreen& Load(const std::vector<std::string>& lines) {
    Write(lines);
    page_ = std::make_unique<TShareScreen>(dir_.Path(), nullptr, nullptr);
    page_->Load();
    return *page_;
  }

  test::TempDir dir_;
  std::unique_ptr<TShareScreen> page_;
};

TEST_F(ShareScreenTest, ReadsEveryLineOfThePage) {
  std::vector<std::string> lines = Lines();
  lines[0] = "3";
  // A second link button, written with leading spaces and CR LF endings.
  const std::vector<std::string> second = {"  150 149 1 2", "   150 150 41 21", "  wdata/hover.png", "wdata/normal.png",
                                           " wdata/link.url"};
  lines.insert(lines.begin() + 7, second.begin(), second.end());
  Write(lines, "\r\n");
  TShareScreen page(dir_.Path(), nullptr, nullptr);
  ASSERT_TRUE(page.Load());
  ASSERT_TRUE(page.Active);
  EXPECT_EQ(page.ButtonCount, 3);
  EXPECT_EQ(page.BackgroundFile, "wdata/bg.png");
  ASSERT_EQ(page.Buttons.size(), 3u);

  const TButton& link = page.Buttons[0];
  EXPECT_EQ(link.HoverX, 100);
  EXPECT_EQ(link.HoverY, 98);
  EXPECT_EQ(link.HoverExtra[0], 7);
  EXPECT_EQ(link.HoverExtra[1], 8);
  EXPECT_EQ(link.HitLeft, 100);
  EXPECT_EQ(link.HitTop, 100);
  EXPECT_EQ(link.HitWidth, 40);
  EXPECT_EQ(link.HitHeight, 20);
  EXPECT_EQ(link.NormalFile, "wdata/normal.png");
  EXPECT_EQ(link.HoverFile, "wdata/hover.png");
  EXPECT_EQ(link.DisabledFile, "wdata/normal.png");
  EXPECT_EQ(link.Target, "wdata/link.url");
  EXPECT_EQ(link.DisabledX, 100);
  EXPECT_EQ(link.DisabledY, 100);
  EXPECT_TRUE(link.Enabled);
  EXPECT_TRUE(link.Visible);
  EXPECT_FALSE(link.Hover);

  const TButton& other = page.Buttons[1];
  EXPECT_EQ(other.HoverX, 150);
  EXPECT_EQ(other.HitWidth, 41);
  EXPECT_EQ(other.NormalFile, "wdata/hover.png");
  EXPECT_EQ(other.Target, "wdata/link.url");

  const TButton& exit = page.Buttons[2];
  EXPECT_EQ(exit.Target, "exit");
  EXPECT_EQ(exit.HoverY, 297);
  EXPECT_EQ(exit.HoverExtra[1], 6);
  EXPECT_EQ(exit.HitLeft, 300);
  EXPECT_EQ(exit.DisabledX, 302);
  EXPECT_EQ(exit.DisabledY, 303);
  EXPECT_EQ(exit.DisabledExtra[0], 11);
  EXPECT_EQ(exit.DisabledExtra[1], 12);
  EXPECT_EQ(exit.NormalFile, "wdata/exit.png");
  EXPECT_EQ(exit.HoverFile, "wdata/exit_hover.png");
  EXPECT_EQ(exit.DisabledFile, "wdata/exit_disabled.png");
  EXPECT_FALSE(exit.Enabled);

  EXPECT_EQ(page.CountdownX, 400);
  EXPECT_EQ(page.CountdownY, 500);
  EXPECT_EQ(page.Countdown, 30);
  EXPECT_EQ(page.CountdownColor, 0xFF1E140Au);  // P, Q, R = red, green, blue
  EXPECT_TRUE(page.FixedTextSize);
  EXPECT_EQ(page.TextSize, 24);
}

TEST_F(ShareScreenTest, OneButtonIsTheExitButtonAlone) {
  std::vector<std::string> lines = Lines();
  lines[0] = "1";
  lines.erase(lines.begin() + 2, lines.begin() + 7);
  const TShareScreen& page = Load(lines);
  ASSERT_TRUE(page.Active);
  ASSERT_EQ(page.Buttons.size(), 1u);
  EXPECT_EQ(page.Buttons[0].Target, "exit");
  EXPECT_EQ(page.Buttons[0].DisabledX, 302);
}

TEST_F(ShareScreenTest, WithoutFixedTextSizeTheSizeLineIsNotRead) {
  std::vector<std::string> lines = Lines();
  lines[16] = "true";  // only "TRUE" turns it on
  lines.pop_back();
  const TShareScreen& page = Load(lines);
  EXPECT_TRUE(page.Active);
  EXPECT_FALSE(page.FixedTextSize);
}

TEST_F(ShareScreenTest, AMissingFileLeavesThePageInactiveAndQuittingImmediate) {
  TShareScreen page(dir_.Path(), nullptr, nullptr);
  EXPECT_FALSE(page.Load());
  EXPECT_FALSE(page.Active);
  page.Countdown = 50;
  EXPECT_FALSE(page.Enter());
  EXPECT_EQ(page.Countdown, 0);
  EXPECT_TRUE(page.CanClose());
}

TEST_F(ShareScreenTest, AFileCutShortAtAnyLineIsInactive) {
  const std::vector<std::string> full = Lines();
  for (size_t n = 0; n < full.size(); ++n) {
    TShareScreen& page = Load(std::vector<std::string>(full.begin(), full.begin() + n));
    EXPECT_FALSE(page.Active) << "cut after " << n << " lines";
    EXPECT_FALSE(page.Enter());
    EXPECT_EQ(page.Countdown, 0);
  }
  EXPECT_TRUE(Load(full).Active);
}

TEST_F(ShareScreenTest, ANumberLineWithAWordOrTooFewValuesIsInactive) {
  const std::vector<std::string> full = Lines();
  const std::vector<size_t> numberLines = {0, 2, 3, 7, 8, 9, 13, 14, 15, 17};
  for (size_t index : numberLines) {
    std::istringstream in(full[index]);
    std::vector<std::string> values;
    for (std::string v; in >> v;) values.push_back(v);
    for (size_t k = 0; k < values.size(); ++k) {
      for (const char* bad : {"x", "12a", "-", "", "99999999999"}) {
        std::vector<std::string> lines = full;
        std::vector<std::string> changed = values;
        changed[k] = bad;
        std::string line;
        for (size_t i = 0; i < changed.size(); ++i) line += (i ? " " : "") + changed[i];
        lines[index] = line;
        EXPECT_FALSE(Load(lines).Active) << "line " << index + 1 << ": '" << line << "'";
      }
    }
    // One value short.
    std::vector<std::string> lines = full;
    lines[index] = full[index].substr(0, full[index].rfind(' ') == std::string::npos ? 0 : full[index].rfind(' '));
    EXPECT_FALSE(Load(lines).Active) << "line " << index + 1 << ": '" << lines[index] << "'";
  }
  // Two spaces make an empty value; values past the expected ones are not read.
  std::vector<std::string> lines = full;
  lines[3] = "100  100 40 20";
  EXPECT_FALSE(Load(lines).Active);
  lines = full;
  lines[3] = "100 100 40 20 77";
  lines[13] = "400 500 ";
  EXPECT_TRUE(Load(lines).Active);
}

TEST_F(ShareScreenTest, AMissingOrUnreadableFileOfAnyButtonDisablesThePage) {
  for (size_t index : {1u, 4u, 5u, 6u, 10u, 11u, 12u}) {
    std::vector<std::string> lines = Lines();
    lines[index] = "wdata/none.png";
    EXPECT_FALSE(Load(lines).Active) << "line " << index + 1;
    lines[index] = "";
    EXPECT_FALSE(Load(lines).Active) << "line " << index + 1 << " empty";
    lines[index] = "wdata";  // a folder is not a file
    EXPECT_FALSE(Load(lines).Active) << "line " << index + 1 << " a folder";
  }
  // A hover picture that is there but is no picture.
  std::ofstream(dir_.Path() / "wdata/hover.png") << "not a picture";
  EXPECT_FALSE(Load(Lines()).Active);
  EXPECT_TRUE(page_->Buttons.empty());
}

TEST_F(ShareScreenTest, ThePageTextAloneIsReadWithoutTheDisk) {
  std::string text;
  for (const std::string& line : Lines()) text += line + "\n";
  std::vector<std::string> asked;
  const auto known = [&](const std::string& name) {
    asked.push_back(name);
    return name != "wdata/none.png";
  };
  // A folder that does not exist: every name is answered by the check alone.
  TShareScreen page(dir_.Path() / "absent", nullptr, nullptr);
  page.ReadPage(text, known);
  EXPECT_TRUE(page.Active);
  EXPECT_EQ(page.Countdown, 30);
  ASSERT_EQ(page.Buttons.size(), 2u);
  EXPECT_EQ(page.Buttons[0].Target, "wdata/link.url");
  EXPECT_FALSE(page.Buttons[0].Pictures[0]);
  EXPECT_FALSE(page.Background().Created());
  EXPECT_EQ(asked.size(), 7u);

  // A name the check refuses ends the reading there, as a missing file does.
  std::vector<std::string> lines = Lines();
  lines[5] = "wdata/none.png";
  text.clear();
  for (const std::string& line : lines) text += line + "\n";
  asked.clear();
  page.ReadPage(text, known);
  EXPECT_FALSE(page.Active);
  EXPECT_EQ(page.Countdown, 0);
  EXPECT_EQ(asked.size(), 3u);
}

TEST_F(ShareScreenTest, ANegativeCountdownIsRefusedSoTheWindowCanAlwaysClose) {
  std::vector<std::string> lines = Lines();
  lines[14] = "-1";
  TShareScreen& page = Load(lines);
  EXPECT_FALSE(page.Active);
  EXPECT_FALSE(page.Enter());
  EXPECT_TRUE(page.CanClose());
}

TEST_F(ShareScreenTest, ACountdownAboveAMinuteOrAHitAreaOffThePictureMakesThePageInactive) {
  for (const std::string seconds : {"61", "214748364", "2147483647"}) {
    std::vector<std::string> lines = Lines();
    lines[14] = seconds;
    EXPECT_FALSE(Load(lines).Active) << "countdown " << seconds;
    EXPECT_TRUE(page_->CanClose()) << "countdown " << seconds;
  }
  std::vector<std::string> minute = Lines();
  minute[14] = "60";
  EXPECT_TRUE(Load(minute).Active);
  EXPECT_EQ(page_->Countdown, 600);
  // Lines 4 and 9: the hit areas of the link and of the exit button.
  for (const size_t line : {3u, 8u}) {
    for (const std::string area : {"2147483647 300 40 20", "300 2147483647 40 20", "-1 300 40 20", "300 -5 40 20",
                                   "761 300 40 20", "300 581 40 20", "300 300 -40 20", "10 10 2147483647 20"}) {
      std::vector<std::string> lines = Lines();
      lines[line] = area;
      EXPECT_FALSE(Load(lines).Active) << "line " << line + 1 << ": " << area;
    }
  }
  // The edges of the picture are still on it.
  std::vector<std::string> corner = Lines();
  corner[8] = "760 580 40 20";
  EXPECT_TRUE(Load(corner).Active);
}

TEST(ShareCountdownText, WholeSecondsLeftRoundedUp) {
  EXPECT_EQ(TShareScreen::CountdownText(30), "3");
  EXPECT_EQ(TShareScreen::CountdownText(21), "3");
  EXPECT_EQ(TShareScreen::CountdownText(20), "2");
  EXPECT_EQ(TShareScreen::CountdownText(11), "2");
  EXPECT_EQ(TShareScreen::CountdownText(10), "1");
  EXPECT_EQ(TShareScreen::CountdownText(1), "1");
  EXPECT_EQ(TShareScreen::CountdownText(0), "");
  EXPECT_EQ(TShareScreen::CountdownText(-5), "");
}

TEST_F(ShareScreenTest, HoverCountsBothEdgesOfTheHitRectangle) {
  TShareScreen& page = Load(Lines());
  const TButton& link = page.Buttons[0];
  for (auto [x, y, inside] : {std::tuple{100, 100, true}, {140, 120, true}, {120, 110, true}, {99, 110, false},
                              {141, 110, false}, {120, 99, false}, {120, 121, false}}) {
    page.UpdateHover({x, y});
    EXPECT_EQ(link.Hover, inside) << x << "," << y;
  }
}

TEST_F(ShareScreenTest, PressesOpenLinksThatExistAndAskToCloseFromTheExitButton) {
  TShareScreen& page = Load(Lines());
  platform::HeadlessDesktop desktop;
  EXPECT_FALSE(page.MouseDown({120, 110}, desktop));
  ASSERT_EQ(desktop.shellOpens.size(), 1u);
  EXPECT_EQ(std::filesystem::path(desktop.shellOpens[0].first), dir_.Path() / "wdata/link.url");
  EXPECT_EQ(desktop.shellOpens[0].second, "");

  EXPECT_FALSE(page.MouseDown({10, 10}, desktop));
  // The exit button asks even while it is disabled; the close rule refuses it then.
  EXPECT_TRUE(page.MouseDown({320, 310}, desktop));
  EXPECT_FALSE(page.CanClose());
  EXPECT_EQ(desktop.shellOpens.size(), 1u);

  std::filesystem::remove(dir_.Path() / "wdata/link.url");
  EXPECT_FALSE(page.MouseDown({120, 110}, desktop));
  EXPECT_EQ(desktop.shellOpens.size(), 1u);
}

TEST_F(ShareScreenTest, FontScaleFromTheFixedSizeOrTheLastLinkButton) {
  test::RecordingDevice device;
  TGfxCanvas canvas(&device.device);
  TGfxFonts fonts(&device.device, &canvas);
  TGfxFont& font = fonts.Add();
  TMemoryStream stream(FontRecord());
  ASSERT_TRUE(font.LoadFromStream(stream));
  font.Name = "ShareText";  // found without regard to case
  auto load = [&](const std::vector<std::string>& lines) {
    Write(lines);
    TShareScreen page(dir_.Path(), &device.device, &fonts);
    page.Load();
    return page.Active;
  };

  font.Scale = 3.0f;
  ASSERT_TRUE(load(Lines()));
  EXPECT_FLOAT_EQ(font.Scale, 24.0f / 18);  // TextSize / width of "A" at the current scale

  // Off: HitHeight x 0.6 / width of "A", the last link button deciding.
  std::vector<std::string> lines = Lines();
  lines[0] = "3";
  lines[16] = "FALSE";
  lines.pop_back();
  const std::vector<std::string> second = {"150 150 0 0", "150 150 40 30", "wdata/normal.png", "wdata/hover.png",
                                           "wdata/link.url"};
  lines.insert(lines.begin() + 7, second.begin(), second.end());
  font.Scale = 1.0f;
  ASSERT_TRUE(load(lines));
  EXPECT_FLOAT_EQ(font.Scale, 30 * 0.6f / 6);  // not 20 x 0.6 / 6, nor compounded

  // Off with no link buttons: left alone.
  lines = Lines();
  lines[0] = "1";
  lines.erase(lines.begin() + 2, lines.begin() + 7);
  lines[11] = "no";
  lines.pop_back();
  font.Scale = 1.25f;
  ASSERT_TRUE(load(lines));
  EXPECT_FLOAT_EQ(font.Scale, 1.25f);
}

// The page drawn on the software renderer: what reaches the pixels.
class ShareScreenPictureTest : public ShareScreenTest {
 protected:
  void SetUp() override {
    ShareScreenTest::SetUp();
    ASSERT_TRUE(device_.Initialize());
  }
  void Frame() {
    device_.OnRender = [&](TGfxDevice&) { page_->Draw(canvas_); };
    ASSERT_TRUE(device_.Render(0xFF000000u, true));
    int w = 0, h = 0;
    ASSERT_TRUE(device_.Renderer()->ReadPixels(pixels_, w, h));
  }
  uint32_t At(int x, int y) const { return pixels_[size_t(y) * 800 + size_t(x)] & 0x00FFFFFFu; }

  platform::HeadlessWindow window_;
  TGfxDevice device_{window_, "share"};
  TGfxCanvas canvas_{&device_};
  std::vector<uint32_t> pixels_;
};

TEST_F(ShareScreenPictureTest, ACountdownOfThreeSecondsThenTheExitButtonUnlocks) {
  Write(Lines());
  page_ = std::make_unique<TShareScreen>(dir_.Path(), &device_, nullptr);
  ASSERT_TRUE(page_->Load());
  ASSERT_TRUE(page_->Enter());
  TShareScreen& page = *page_;
  TButton& exit = page.Buttons[1];
  page.UpdateHover({320, 310});
  std::string shown;
  for (int tick = 0; tick <= 30; ++tick) {
    Frame();
    const std::string expected = tick < 10 ? "3" : tick < 20 ? "2" : tick < 30 ? "1" : "";
    EXPECT_EQ(TShareScreen::CountdownText(page.Countdown), expected) << "after " << tick << " ticks";
    if (tick < 30) {
      EXPECT_FALSE(page.CanClose());
      EXPECT_EQ(exit.State(), TButton::bsDisabled);
      EXPECT_EQ(At(305, 306), 0x808080u) << "disabled picture at its own place";
    }
    page.Tick();
  }
  EXPECT_EQ(page.Countdown, 0);
  page.Tick();
  EXPECT_EQ(page.Countdown, 0);
  EXPECT_TRUE(page.CanClose());
  EXPECT_TRUE(exit.Enabled);  // the frame at 0 unlocked it
  Frame();
  EXPECT_EQ(exit.State(), TButton::bsHover);
  EXPECT_EQ(At(301, 298), 0xFFFF00u) << "hover picture at the hover point";
  page.UpdateHover({0, 0});
  Frame();
  EXPECT_EQ(exit.State(), TButton::bsNormal);
  EXPECT_EQ(At(301, 301), 0x0000FFu);
  EXPECT_EQ(At(301, 298), 0x102030u) << "background where the hover picture was";
}

TEST_F(ShareScreenPictureTest, PicturesAreDecodedOnceAndSurviveTheDevice) {
  Write(Lines());
  page_ = std::make_unique<TShareScreen>(dir_.Path(), &device_, nullptr);
  ASSERT_TRUE(page_->Load());
  std::filesystem::remove_all(dir_.Path() / "wdata");
  page_->UpdateHover({120, 110});
  Frame();
  EXPECT_EQ(At(0, 0), 0x102030u);
  EXPECT_EQ(At(100, 98), 0x00FF00u) << "link hover picture";
  EXPECT_EQ(At(139, 117), 0x00FF00u);
  EXPECT_EQ(At(140, 117), 0x102030u) << "pictures are HitWidth wide";

  // A reset and a new device: the textures are made again from the decoded pictures.
  ASSERT_TRUE(device_.Reset());
  page_->UpdateHover({0, 0});
  Frame();
  EXPECT_EQ(At(100, 100), 0xFF0000u);
  device_.Finalize();
  ASSERT_TRUE(device_.Initialize());
  Frame();
  EXPECT_EQ(At(100, 100), 0xFF0000u);
  EXPECT_EQ(At(302, 303), 0x808080u);
}

TEST_F(ShareScreenPictureTest, APictureLargerThanItsButtonIsCutToTheHitSize) {
  Picture("normal.png", 64, 64, 0xFFFF0000u);
  Picture("bg.png", 20, 10, 0xFF102030u);  // smaller than the screen: the rest stays clear
  Write(Lines());
  page_ = std::make_unique<TShareScreen>(dir_.Path(), &device_, nullptr);
  ASSERT_TRUE(page_->Load());
  Frame();
  EXPECT_EQ(At(139, 119), 0xFF0000u);
  EXPECT_EQ(At(140, 119), 0u);
  EXPECT_EQ(At(139, 120), 0u);
  EXPECT_EQ(At(19, 9), 0x102030u);
  EXPECT_EQ(At(20, 9), 0u);
}

}  // namespace
}  // namespace zb
