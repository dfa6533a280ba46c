#pragma once

#include <optional>
#include <string_view>

#include "gui/GuiComponents.h"
#include "gui/GuiTypes.h"

namespace zb {

struct TGuiSize {
  int Width = 0, Height = 0;
};

// What the controls draw with: the canvas, the image list and the font list of the device,
// in GUI space. Colours are canvas colours ($AABBGGRR); `effect` is a canvas effect code.
class TGuiPainter {
 public:
  virtual ~TGuiPainter() = default;

  virtual TGuiRect GetClipRect() const = 0;
  virtual void SetClipRect(const TGuiRect& rect) = 0;
  // A quad over the rectangle, corner colours top-left, top-right, bottom-right, bottom-left.
  virtual void FillRect(const TGuiRect& rect, const TColors4& colors, int effect) = 0;
  virtual void Line(double x1, double y1, double x2, double y2, uint32_t color1, uint32_t color2,
                    int effect) = 0;
  virtual void FillTriangle(double x1, double y1, double x2, double y2, double x3, double y3, uint32_t color,
                            int effect) = 0;

  // The pattern size of the image at `image` in the image list; nothing when there is none.
  virtual std::optional<TGuiSize> PatternSize(int image) const = 0;
  // Pattern `pattern` of image `image` stretched over `dest`.
  virtual void DrawPattern(int image, int pattern, const TGuiRect& dest, const TColors4& colors,
                           int effect) = 0;

  // Whether the font list has the entry `font` names (and a canvas to draw it on); the
  // font's scale, style and spacing are copied into that entry before each use.
  virtual bool Applies(const TGuiFont& font) = 0;
  virtual double TextWidth(const TGuiFont& font, std::string_view text) = 0;
  virtual double TextHeight(const TGuiFont& font, std::string_view text) = 0;
  // The visible height of the font's glyph image: the advance of one wrapped line.
  virtual double LineHeight(const TGuiFont& font) = 0;
  // Text from its top-left, top colour Color1 and bottom colour Color2.
  virtual void TextOut(const TGuiFont& font, std::string_view text, double x, double y, int effect) = 0;
};

// Shapes built from the primitives above.
void FillWith(TGuiPainter& painter, const TGuiFill& fill, const TGuiRect& rect, int effect);
void OutlineRect(TGuiPainter& painter, const TGuiRect& rect, const TColors4& colors, int effect);
void OutlineWith(TGuiPainter& painter, const TGuiFill& fill, const TGuiRect& rect, int effect);
void Disc(TGuiPainter& painter, double cx, double cy, double radius, const TColors4& colors, int effect);
void Circle(TGuiPainter& painter, double cx, double cy, double radius, uint32_t color, int effect);
TColors4 Reversed(const TColors4& colors);

}  // namespace zb
