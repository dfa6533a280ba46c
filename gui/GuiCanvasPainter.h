#pragma once

#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "gui/GuiPainter.h"

namespace zb {

// Draws the GUI through the device's canvas, image list and font list. Without a font list,
// or with a font list that has no canvas, no font applies and controls draw no text.
class TGuiCanvasPainter : public TGuiPainter {
 public:
  TGuiCanvasPainter(TGfxCanvas& canvas, TGfxImages& images, TGfxFonts* fonts)
      : canvas_(canvas), images_(images), fonts_(fonts) {}

  TGuiRect GetClipRect() const override;
  void SetClipRect(const TGuiRect& rect) override;
  void FillRect(const TGuiRect& rect, const TColors4& colors, int effect) override;
  void Line(double x1, double y1, double x2, double y2, uint32_t color1, uint32_t color2,
            int effect) override;
  void FillTriangle(double x1, double y1, double x2, double y2, double x3, double y3, uint32_t color,
                    int effect) override;

  std::optional<TGuiSize> PatternSize(int image) const override;
  void DrawPattern(int image, int pattern, const TGuiRect& dest, const TColors4& colors, int effect) override;

  bool Applies(const TGuiFont& font) override;
  double TextWidth(const TGuiFont& font, std::string_view text) override;
  double TextHeight(const TGuiFont& font, std::string_view text) override;
  double LineHeight(const TGuiFont& font) override;
  void TextOut(const TGuiFont& font, std::string_view text, double x, double y, int effect) override;

 private:
  // The font list entry `font` names, with the GUI font's settings copied into it.
  TGfxFont* Apply(const TGuiFont& font);

  TGfxCanvas& canvas_;
  TGfxImages& images_;
  TGfxFonts* fonts_;
};

}  // namespace zb
