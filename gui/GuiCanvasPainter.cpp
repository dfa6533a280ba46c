#include "gui/GuiCanvasPainter.h"

namespace zb {

TGuiRect TGuiCanvasPainter::GetClipRect() const {
  TRect r;
  canvas_.GetClipRect(r);
  return {r.Left, r.Top, r.Right, r.Bottom};
}

void TGuiCanvasPainter::SetClipRect(const TGuiRect& rect) {
  canvas_.SetClipRect({rect.Left, rect.Top, rect.Right, rect.Bottom});
}

void TGuiCanvasPainter::FillRect(const TGuiRect& rect, const TColors4& colors, int effect) {
  if (rect.Empty()) return;
  canvas_.FillQuad(RectPoints(static_cast<float>(rect.Left), static_cast<float>(rect.Top),
                              static_cast<float>(rect.Right), static_cast<float>(rect.Bottom)),
                   colors, effect);
}

void TGuiCanvasPainter::Line(double x1, double y1, double x2, double y2, uint32_t color1, uint32_t color2,
                             int effect) {
  canvas_.Line(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2),
               color1, color2, effect);
}

void TGuiCanvasPainter::FillTriangle(double x1, double y1, double x2, double y2, double x3, double y3,
                                     uint32_t color, int effect) {
  canvas_.Triangle({static_cast<float>(x1), static_cast<float>(y1)},
                   {static_cast<float>(x2), static_cast<float>(y2)},
                   {static_cast<float>(x3), static_cast<float>(y3)}, color, color, color, effect);
}

std::optional<TGuiSize> TGuiCanvasPainter::PatternSize(int image) const {
  const TGfxImage* found = images_.ImageAt(image);
  if (!found || !found->Created()) return std::nullopt;
  return TGuiSize{found->PatternWidth(), found->PatternHeight()};
}

void TGuiCanvasPainter::DrawPattern(int image, int pattern, const TGuiRect& dest, const TColors4& colors,
                                    int effect) {
  const TGfxImage* found = images_.ImageAt(image);
  if (!found) return;
  canvas_.DrawPatternQuad(found, pattern,
                          RectPoints(static_cast<float>(dest.Left), static_cast<float>(dest.Top),
                                     static_cast<float>(dest.Right), static_cast<float>(dest.Bottom)),
                          false, false, colors, effect);
}

TGfxFont* TGuiCanvasPainter::Apply(const TGuiFont& font) {
  if (!fonts_ || !fonts_->Canvas()) return nullptr;
  TGfxFont* entry = fonts_->FontAt(font.FontIndex);
  if (!entry || !entry->Loaded()) return nullptr;
  // Every GUI font of this index shares the entry: its settings are set again before each use.
  entry->Scale = static_cast<float>(font.Scale);
  entry->Style = font.Style;
  entry->ExtraSpacing = static_cast<float>(font.Spacing);
  return entry;
}

bool TGuiCanvasPainter::Applies(const TGuiFont& font) { return Apply(font) != nullptr; }

double TGuiCanvasPainter::TextWidth(const TGuiFont& font, std::string_view text) {
  TGfxFont* entry = Apply(font);
  return entry ? entry->TextWidth(text) : 0.0;
}

double TGuiCanvasPainter::TextHeight(const TGuiFont& font, std::string_view text) {
  TGfxFont* entry = Apply(font);
  return entry ? entry->TextHeight(text) : 0.0;
}

double TGuiCanvasPainter::LineHeight(const TGuiFont& font) {
  TGfxFont* entry = Apply(font);
  return entry ? entry->Image.VisibleHeight() : 0.0;
}

void TGuiCanvasPainter::TextOut(const TGuiFont& font, std::string_view text, double x, double y, int effect) {
  if (TGfxFont* entry = Apply(font)) {
    entry->TextOutEx(text, font.Color1, effect, font.Color2, static_cast<float>(x), static_cast<float>(y));
  }
}

}  // namespace zb
