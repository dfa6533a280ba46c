#include "game/Hud.h"

#include <string>
#include <string_view>

namespace zb {
namespace {

constexpr uint32_t kHudColor = 0xFF30C3FFu;

void Centred(const TGfxFonts& fonts, std::string_view fontName, int32_t value, float centreX, float y) {
  TGfxFont* font = fonts.FindFont(fontName);
  if (font == nullptr || !font->Loaded()) return;
  const std::string text = std::to_string(value);
  font->TextOut(text, kHudColor, centreX - static_cast<float>(font->TextWidth(text) / 2), y);
}

}  // namespace

void DrawHud(const TGameState& game, const TGfxFonts& fonts) {
  Centred(fonts, "ParamFont", game.LevelNumber, 80, 195);
  Centred(fonts, "ParamFont2", game.GetShownScore(), 80, 277);
  Centred(fonts, "ParamFont", game.Lives, 82, 357);
}

}  // namespace zb
