#pragma once

#include <map>
#include <string>
#include <vector>

#include "gui/GuiPainter.h"

namespace zb::test {

// A painter with a fixed-pitch font (8 pixels a character times the scale, plus spacing;
// 16 high) and a table of image sizes, which records what is drawn.
class FakePainter : public TGuiPainter {
 public:
  struct Text {
    std::string text;
    double x, y;
    uint32_t color1;
    TGuiRect clip;
  };
  struct Pattern {
    int image, pattern;
    TGuiRect dest;
    TColors4 colors;
  };
  struct Fill {
    TGuiRect rect;
    TColors4 colors;
    TGuiRect clip;
  };

  int fontCount = 1;
  std::map<int, TGuiSize> images;
  TGuiRect clip{0, 0, 800, 600};
  std::vector<Text> texts;
  std::vector<Pattern> patterns;
  std::vector<Fill> fills;
  std::vector<TGuiRect> clips;  // every clip set, in order
  int lines = 0;
  int triangles = 0;

  void Clear() {
    texts.clear();
    patterns.clear();
    fills.clear();
    clips.clear();
    lines = triangles = 0;
  }

  TGuiRect GetClipRect() const override { return clip; }
  void SetClipRect(const TGuiRect& rect) override {
    clip = rect;
    clips.push_back(rect);
  }
  void FillRect(const TGuiRect& rect, const TColors4& colors, int) override {
    fills.push_back({rect, colors, clip});
  }
  void Line(double, double, double, double, uint32_t, uint32_t, int) override { ++lines; }
  void FillTriangle(double, double, double, double, double, double, uint32_t, int) override { ++triangles; }
  std::optional<TGuiSize> PatternSize(int image) const override {
    auto it = images.find(image);
    if (it == images.end()) return std::nullopt;
    return it->second;
  }
  void DrawPattern(int image, int pattern, const TGuiRect& dest, const TColors4& colors, int) override {
    patterns.push_back({image, pattern, dest, colors});
  }
  bool Applies(const TGuiFont& font) override { return font.FontIndex >= 0 && font.FontIndex < fontCount; }
  double TextWidth(const TGuiFont& font, std::string_view text) override {
    return static_cast<double>(text.size()) * (8.0 + font.Spacing) * font.Scale;
  }
  double TextHeight(const TGuiFont& font, std::string_view text) override {
    return text.empty() ? 0.0 : 16.0 * font.Scale;
  }
  double LineHeight(const TGuiFont& font) override { return 16.0 * font.Scale; }
  void TextOut(const TGuiFont& font, std::string_view text, double x, double y, int) override {
    texts.push_back({std::string(text), x, y, font.Color1, clip});
  }
};

}  // namespace zb::test
