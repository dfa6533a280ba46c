// The story as the game holds it: the fixed sample rows, and every row of the 27 lines inside the speech
// bubble, measured with the real "DialogFont" against the body of the real "cloud" picture and drawn
// through the canvas. With ZB_SAVE_PICTURES set, one sheet per scene of its lines in their bubbles is
// saved there as "story-scene-N.png".

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/Cp1251.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/PngWriter.h"
#include "engine/platform/headless/Headless.h"
#include "engine/Language.h"
#include "game/SpeechLineText.h"
#include "game/StoryLines.h"

namespace zb {
namespace {

constexpr int kMarginX = 10;  // free pixels between a row and the bubble's edge, left and right
constexpr int kMarginY = 4;   // and above the first row and below the last
constexpr uint32_t kTextColor = 0xFF30C3FF;
constexpr int kMonkeyBubbleX = 200, kHunterBubbleX = 450, kBubbleY = 100;

// The inside of the bubble: the translucent fill reached from the picture's centre without crossing the
// opaque outline; the tail's puffs and the scallops' outside are not part of it.
class BubbleBody {
 public:
  explicit BubbleBody(const TGfxImage& cloud) : width_(cloud.VisibleWidth()), height_(cloud.VisibleHeight()) {
    const auto pixels = cloud.Pixels(0);
    const int stride = cloud.TextureWidth();
    auto fill = [&](int x, int y) {
      const uint32_t alpha = pixels[static_cast<size_t>(y) * stride + x] >> 24;
      return alpha >= 225 && alpha <= 240;
    };
    inside_.assign(static_cast<size_t>(width_) * height_, false);
    std::vector<std::pair<int, int>> todo = {{width_ / 2, height_ / 2}};
    while (!todo.empty()) {
      const auto [x, y] = todo.back();
      todo.pop_back();
      if (x < 0 || y < 0 || x >= width_ || y >= height_ || Inside(x, y) || !fill(x, y)) continue;
      inside_[static_cast<size_t>(y) * width_ + x] = true;
      todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
  }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Inside(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && inside_[static_cast<size_t>(y) * width_ + x];
  }
  // Every pixel of the rectangle [left, right) x [top, bottom) is inside; `mirrored` as the monkey's bubble.
  bool Covers(int left, int top, int right, int bottom, bool mirrored) const {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (!Inside(mirrored ? width_ - 1 - x : x, y)) return false;
      }
    }
    return true;
  }
  // The body's extent along the picture's middle column.
  void Column(int& top, int& bottom) const {
    top = 0;
    while (top < height_ && !Inside(width_ / 2, top)) ++top;
    bottom = top;
    while (bottom < height_ && Inside(width_ / 2, bottom)) ++bottom;
  }

 private:
  int width_, height_;
  std::vector<bool> inside_;
};

class StoryContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path game(ZB_GAME_DIR);
    story_ = LoadStoryLines(game / kStoryFileName);
    ASSERT_TRUE(story_.ok) << story_.error;
    TArchiveDb archive(game / "Data" / "data.zbx", TOpenModes::opReadOnly);
    ASSERT_TRUE(images_.LoadFromArchive(archive));
    ASSERT_TRUE(fonts_.LoadFromArchive(archive));
    cloud_ = images_.FindImage("cloud");
    font_ = fonts_.FindFont("DialogFont");
    ASSERT_NE(cloud_, nullptr);
    ASSERT_NE(font_, nullptr);
    body_ = std::make_unique<BubbleBody>(*cloud_);
  }
  void TearDown() override {
    fonts_.Clear();
    images_.Clear();
  }
  static std::string Utf8(const std::string& row) { return Cp1251ToUtf8(row); }
  static int RowTop(const TSpeechLine& line, size_t r) {
    return line.FirstRowOffset + kSpeechRowStep * static_cast<int>(r);
  }

  StoryLoadResult story_;
  platform::HeadlessWindow window_;
  TGfxDevice device_{window_, "story"};
  TGfxCanvas canvas_{&device_};
  TGfxImages images_{&device_};
  TGfxFonts fonts_{&device_, &canvas_};
  TGfxImage* cloud_ = nullptr;
  TGfxFont* font_ = nullptr;
  std::unique_ptr<BubbleBody> body_;
};

TEST_F(StoryContentTest, TheSampleRowsAreTheGamesOwn) {
  const auto& lines = story_.lines;
  EXPECT_EQ(Utf8(lines[0].Rows[0]), "О, нет! Злой охотник");
  EXPECT_EQ(Utf8(lines[0].Rows[1]), "приехал в лес! Что");
  EXPECT_EQ(Utf8(lines[1].Rows[0]), "Хороший день");
  EXPECT_EQ(Utf8(lines[1].Rows[1]), "для охоты! Где мое");
  EXPECT_EQ(Utf8(lines[1].Rows[2]), "большое ружье..");
  EXPECT_EQ(Utf8(lines[8].Rows[0]), "Ха! Это невозмжно!");
  // Every byte of a row has a glyph in the font (control bytes such as a tab would not).
  for (size_t i = 0; i < lines.size(); ++i) {
    for (const std::string& row : lines[i].Rows) {
      EXPECT_TRUE(std::all_of(row.begin(), row.end(), [](char c) { return static_cast<uint8_t>(c) >= 32; }))
          << "line " << i << ": " << Utf8(row);
    }
  }
}

TEST_F(StoryContentTest, EveryRowFitsInsideTheBubbleWithAMargin) {
  ASSERT_GT(body_->Width(), 0);
  int bodyTop = 0, bodyBottom = 0;
  body_->Column(bodyTop, bodyBottom);
  ASSERT_LT(bodyTop, bodyBottom) << "the bubble's centre is not inside its body";
  const double centre = body_->Width() / 2.0;
  // Every language's rows, as the speech screen shows them.
  std::vector<TLanguage> languages(1);
  std::string error;
  auto english = LoadLanguage("en", std::filesystem::path(ZB_GAME_DIR) / "Data/lang/en.mo", &error);
  ASSERT_TRUE(english) << error;
  languages.push_back(std::move(*english));
  for (size_t n = 0; n < languages.size() * story_.lines.size(); ++n) {
    const size_t i = n % story_.lines.size();
    const TSpeechLine line = InLanguage(story_.lines[i], languages[n / story_.lines.size()]);
    SCOPED_TRACE("in \"" + languages[n / story_.lines.size()].Code() + "\"");
    const bool mirrored = !line.Hunter;
    const int blockTop = RowTop(line, 0) - kMarginY;
    const int blockBottom =
        RowTop(line, line.Rows.size() - 1) + static_cast<int>(font_->TextHeight(line.Rows.back())) + kMarginY;
    EXPECT_TRUE(blockTop >= bodyTop && blockBottom <= bodyBottom)
        << "line " << i << ": its " << line.Rows.size() << " rows (y " << blockTop << ".." << blockBottom
        << " with the margin) run out of the bubble's body (y " << bodyTop << ".." << bodyBottom << ")";
    for (size_t r = 0; r < line.Rows.size(); ++r) {
      const std::string& row = line.Rows[r];
      const double width = font_->TextWidth(row);
      const int left = static_cast<int>(std::floor(centre - width / 2)) - kMarginX;
      const int right = static_cast<int>(std::ceil(centre + width / 2)) + kMarginX;
      const int top = RowTop(line, r) - kMarginY;
      const int bottom = RowTop(line, r) + static_cast<int>(font_->TextHeight(row)) + kMarginY;
      EXPECT_TRUE(body_->Covers(left, top, right, bottom, mirrored))
          << "line " << i << " row " << r << " \"" << Utf8(row) << "\" (" << width
          << " pixels wide) does not fit inside the bubble at x " << left << ".." << right << ", y " << top << ".."
          << bottom << " with the margin";
    }
  }
}

// Draws the bubble at its side (mirrored for the monkey) and, when `text`, the rows of `line` as the speech
// screen places them; returns the frame.
std::vector<uint32_t> DrawLine(TGfxDevice& device, TGfxCanvas& canvas, const TGfxImage& cloud, TGfxFont& font,
                               const TSpeechLine& line, bool text) {
  const float x = static_cast<float>(line.Hunter ? kHunterBubbleX : kMonkeyBubbleX);
  device.OnRender = [&](TGfxDevice&) {
    canvas.DrawPattern(&cloud, 0, x, kBubbleY, 1, 1, false, !line.Hunter, false, 255, 255, 255, 255, fxBlend);
    if (!text) return;
    for (size_t r = 0; r < line.Rows.size(); ++r) {
      const double left = x + cloud.VisibleWidth() / 2.0 - font.TextWidth(line.Rows[r]) / 2.0;
      font.TextOut(line.Rows[r], kTextColor, static_cast<float>(left),
                   static_cast<float>(kBubbleY + line.FirstRowOffset + kSpeechRowStep * static_cast<int>(r)));
    }
  };
  std::vector<uint32_t> frame;
  int w = 0, h = 0;
  if (!device.Render(0xFF000000u, true) || !device.Renderer()->ReadPixels(frame, w, h) || w != 800 || h != 600) {
    frame.clear();
  }
  return frame;
}

TEST_F(StoryContentTest, TheDrawnRowsStayInsideTheirBubble) {
  canvas_.SetAntialias(false);
  ASSERT_TRUE(device_.Initialize());
  const int w = body_->Width(), h = body_->Height();
  const char* saveTo = std::getenv("ZB_SAVE_PICTURES");
  constexpr int kColumns = 4;
  for (int scene = 0; scene <= 5; ++scene) {
    std::vector<const TSpeechLine*> lines;
    for (const TSpeechLine& line : story_.lines) {
      if (line.Scene == scene) lines.push_back(&line);
    }
    ASSERT_FALSE(lines.empty()) << "scene " << scene;
    const int sheetW = w * std::min<int>(kColumns, static_cast<int>(lines.size()));
    const int sheetH = h * ((static_cast<int>(lines.size()) + kColumns - 1) / kColumns);
    std::vector<uint32_t> sheet(static_cast<size_t>(sheetW) * sheetH, 0xFF000000u);
    for (size_t k = 0; k < lines.size(); ++k) {
      const TSpeechLine& line = *lines[k];
      const int index = static_cast<int>(&line - story_.lines.data());
      const std::vector<uint32_t> plain = DrawLine(device_, canvas_, *cloud_, *font_, line, false);
      const std::vector<uint32_t> written = DrawLine(device_, canvas_, *cloud_, *font_, line, true);
      ASSERT_FALSE(plain.empty());
      ASSERT_FALSE(written.empty());
      const int bx = line.Hunter ? kHunterBubbleX : kMonkeyBubbleX;
      int drawn = 0, outside = 0;
      for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
          const size_t at = static_cast<size_t>(y) * 800 + x;
          if (plain[at] == written[at]) continue;
          ++drawn;
          const int px = x - bx, py = y - kBubbleY;
          if (!body_->Inside(line.Hunter ? px : w - 1 - px, py)) ++outside;
        }
      }
      EXPECT_GT(drawn, 0) << "line " << index << " draws nothing";
      EXPECT_EQ(outside, 0) << "line " << index << " draws " << outside << " pixels outside its bubble";
      const int ox = w * (static_cast<int>(k) % kColumns), oy = h * (static_cast<int>(k) / kColumns);
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          sheet[static_cast<size_t>(oy + y) * sheetW + ox + x] =
              written[static_cast<size_t>(kBubbleY + y) * 800 + bx + x];
        }
      }
    }
    if (saveTo) {
      const std::string file = std::string(saveTo) + "/story-scene-" + std::to_string(scene) + ".png";
      EXPECT_TRUE(WritePng(file, sheet.data(), sheetW, sheetH)) << file;
    }
  }
  device_.Finalize();
}

}  // namespace
}  // namespace zb
