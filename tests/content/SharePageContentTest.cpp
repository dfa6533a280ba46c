// The game's own share page in the built game folder: complete, its pictures the size of their buttons,
// its link pointing at the score table, a short countdown, and drawn as the player sees it (the picture
// is kept as share-page.png beside the game folder).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/ArchiveDb.h"
#include "engine/PngWriter.h"
#include "engine/platform/headless/Headless.h"
#include "engine/platform/ImageFile.h"
#include "engine/platform/UrlShortcut.h"
#include "persist/ShareScreen.h"

namespace zb {
namespace {

const std::filesystem::path kGame = ZB_GAME_DIR;

platform::DecodedImage Decode(const std::filesystem::path& file) {
  auto image = platform::DecodeImageFile(file);
  EXPECT_TRUE(image) << file;
  return image ? *image : platform::DecodedImage{};
}

TEST(SharePageContentTest, ThePageIsCompleteAndItsPicturesFitTheirButtons) {
  TShareScreen page(kGame, nullptr, nullptr);
  ASSERT_TRUE(page.Load());
  ASSERT_TRUE(page.Active);
  EXPECT_GT(page.Countdown, 0);
  EXPECT_LE(page.Countdown, 30) << "quitting must stay quick";
  const auto background = Decode(page.Resolve(page.BackgroundFile));
  EXPECT_EQ(background.width, 800);
  EXPECT_EQ(background.height, 600);

  ASSERT_EQ(page.Buttons.size(), 2u);
  for (const TButton& b : page.Buttons) {
    for (const std::string& file : {b.NormalFile, b.HoverFile, b.DisabledFile}) {
      const auto picture = Decode(page.Resolve(file));
      EXPECT_EQ(picture.width, b.HitWidth) << file;
      EXPECT_EQ(picture.height, b.HitHeight) << file;
    }
    EXPECT_GE(b.HitLeft, 0);
    EXPECT_LE(b.HitLeft + b.HitWidth, 800);
    EXPECT_LE(b.HitTop + b.HitHeight, 600);
  }
  const TButton& exit = page.Buttons.back();
  EXPECT_TRUE(exit.IsExit());
  // The countdown stands in the disabled exit picture's badge.
  EXPECT_GT(page.CountdownX, exit.DisabledX);
  EXPECT_LT(page.CountdownX, exit.DisabledX + exit.HitWidth / 3);
  EXPECT_GT(page.CountdownY, exit.DisabledY);
  EXPECT_LT(page.CountdownY, exit.DisabledY + exit.HitHeight);

  const TButton& scores = page.Buttons.front();
  std::ifstream in(page.Resolve(scores.Target), std::ios::binary);
  std::stringstream link;
  link << in.rdbuf();
  const auto url = platform::UrlFromShortcut(link.str());
  ASSERT_TRUE(url);
  EXPECT_EQ(*url, "http://localhost:8642/cgi/version.pl?prg=Tamarix&show&type=0");
}

class SharePagePictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device_.Initialize());
    for (const char* archive : {"Data/data.zbx", "Data/data1.zbx"}) {
      TArchiveDb db(kGame / archive, TOpenModes::opReadOnly);
      fonts_.LoadFromArchive(db);
    }
    ASSERT_NE(fonts_.FindFont(TShareScreen::kFontName), nullptr);
    ASSERT_TRUE(page_.Load());
    ASSERT_TRUE(page_.Enter());
    device_.OnRender = [&](TGfxDevice&) { page_.Draw(canvas_); };
  }
  void Frame() {
    ASSERT_TRUE(device_.Render(0xFF000000u, true));
    int w = 0, h = 0;
    ASSERT_TRUE(device_.Renderer()->ReadPixels(pixels_, w, h));
  }
  // Pixels near the countdown colour inside the countdown's badge.
  int CountdownPixels() const {
    const uint32_t c = page_.CountdownColor;  // $AABBGGRR
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    int count = 0;
    for (int y = page_.CountdownY - 20; y <= page_.CountdownY + 20; ++y) {
      for (int x = page_.CountdownX - 20; x <= page_.CountdownX + 20; ++x) {
        const uint32_t p = pixels_[size_t(y) * 800 + size_t(x)];
        const int pr = (p >> 16) & 0xFF, pg = (p >> 8) & 0xFF, pb = p & 0xFF;
        count += std::abs(pr - r) + std::abs(pg - g) + std::abs(pb - b) < 40 ? 1 : 0;
      }
    }
    return count;
  }

  platform::HeadlessWindow window_;
  TGfxDevice device_{window_, "share"};
  TGfxCanvas canvas_{&device_};
  TGfxFonts fonts_{&device_, &canvas_};
  TShareScreen page_{kGame, &device_, &fonts_};
  std::vector<uint32_t> pixels_;
};

TEST_F(SharePagePictureTest, TheCountdownShowsInTheBadgeUntilTheExitUnlocks) {
  const TGfxFont* font = fonts_.FindFont(TShareScreen::kFontName);
  EXPECT_NEAR(font->TextWidth("A"), page_.TextSize, 0.5);
  Frame();
  ASSERT_TRUE(WritePng((kGame.parent_path() / "share-page.png").string(), pixels_.data(), 800, 600));
  EXPECT_GT(CountdownPixels(), 40) << "the number is drawn";
  // The title's pixels differ from a clear frame: the background is there.
  EXPECT_NE(pixels_[size_t(70) * 800 + 400] & 0xFFFFFFu, 0u);

  while (page_.Countdown > 0) page_.Tick();
  Frame();
  Frame();
  EXPECT_TRUE(page_.Buttons.back().Enabled);
  EXPECT_LT(CountdownPixels(), 10) << "no number once the exit button is usable";
  page_.UpdateHover({page_.Buttons.back().HitLeft + 20, page_.Buttons.back().HitTop + 20});
  Frame();
  ASSERT_TRUE(WritePng((kGame.parent_path() / "share-page-exit.png").string(), pixels_.data(), 800, 600));
  EXPECT_EQ(page_.Buttons.back().State(), TButton::bsHover);
}

}  // namespace
}  // namespace zb
