#include "game/Scenery.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "game/PlayContext.h"
#include "engine/Cp1251.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"

namespace zb {
namespace {

constexpr double kPi = std::numbers::pi;

double Radians(double degrees) { return degrees * kPi / 180.0; }

void Place(TSprite& sprite, const char* name, const char* image, int z, float x, float y) {
  sprite.Name = name;
  sprite.SetImageName(image);
  sprite.SetZ(z);
  sprite.X = x;
  sprite.Y = y;
  sprite.Collidable = false;
}

}  // namespace

TSky::TSky(TSpriteEngine& engine, float x) : TSprite(engine) { Place(*this, "sky", "sky", 1, x, 0); }

void TSky::Move(float /*delta*/) {
  X -= 0.5f;
  if (X == -800.0f) X = 800.0f;
}

TBack::TBack(TSpriteEngine& engine, TPlayContext& play) : TSprite(engine), play_(play) {
  Place(*this, "backgame", "backgame", 2, 0, 0);
}

void TBack::Draw() {
  TSprite::Draw();
  TGfxCanvas* canvas = Engine().Canvas();
  if (canvas == nullptr) return;
  const TGameState& game = play_.Game;
  for (int i = 0; i < game.WaterfallCount && i < static_cast<int>(game.WaterfallSystems.size()); ++i) {
    game.WaterfallSystems[static_cast<size_t>(i)].Draw(*canvas, 0, 0);
  }
}

TLeaf::TLeaf(TSpriteEngine& engine, TPlayContext& play, int type, float x, float y, double baseAngleDegrees,
             double amplitude)
    : TSprite(engine), BaseAngle(Radians(baseAngleDegrees)), Amplitude(amplitude), play_(play) {
  Place(*this, "leaf", type == 5 ? "leafer" : "leafs", 10, x, y);
  SetPatternIndex(type == 5 ? 0 : type);
  SetDrawMode(1);
  SwaySpeed = 0.8 + play.Game.LookRandom.Next(110) / 100.0;
  Angle = static_cast<float>(BaseAngle);
}

void TLeaf::Move(float /*delta*/) {
  Angle = static_cast<float>(BaseAngle + Amplitude * std::sin(Radians(SwayPhase * SwaySpeed)));
  SwayPhase += SwayStep;
  if (SwayPhase == 90) SwayStep = -1;
}

void TLeaf::Draw() {
  // A turned sprite whose angles come back with every sway: the canvas may keep each one turned.
  TGfxCanvas* canvas = Engine().Canvas();
  const TGfxImage* image = DrawnImage();
  if (!Visible || canvas == nullptr || image == nullptr) return;
  const TSpriteEngine& engine = Engine();
  const auto w = static_cast<float>(image->PatternWidth());
  const auto h = static_cast<float>(image->PatternHeight());
  if (ClipBounds.Left + engine.WorldX >= w + X || ClipBounds.Right + engine.WorldX <= X ||
      ClipBounds.Top + engine.WorldY >= h + Y || ClipBounds.Bottom + engine.WorldY <= Y) {
    return;
  }
  const auto x = static_cast<float>(SpriteTrunc(X + OffsetX + ShiftX - engine.WorldX));
  const auto y = static_cast<float>(SpriteTrunc(Y + OffsetY + ShiftY - engine.WorldY));
  canvas->DrawPatternTurned(image, PatternIndex, x, y, Angle, ScaleX, ScaleY, MirrorX, MirrorY,
                            Colors4(PackedColor()), DrawEffect);
}

void TLeaf::Kill() {
  for (TLeaf*& leaf : play_.Game.Leaves) {
    if (leaf == this) leaf = nullptr;
  }
  TSprite::Kill();
}

void CreateLeaves(TSpriteEngine& engine, TPlayContext& play) {
  struct Plant {
    float x, y;
    double angle, amplitude;
  };
  static constexpr Plant kPlants[6] = {{240, 620, 60, kPi / 30}, {710, 580, 0, kPi / 40},
                                       {450, 620, -30, kPi / 20}, {190, 174, 90, kPi / 40},
                                       {185, 52, 130, kPi / 40},  {150, 450, 0, kPi / 80}};
  for (int type = 0; type < 6; ++type) {
    const Plant& p = kPlants[type];
    play.Game.Leaves[static_cast<size_t>(type)] =
        &engine.Create<TLeaf>(play, type, p.x, p.y, p.angle, p.amplitude);
  }
}

TPanel::TPanel(TSpriteEngine& engine) : TSprite(engine) {
  Place(*this, "panel", "panel", 100, 0, 0);
  Alpha = 255;
}

TShadow::TShadow(TSpriteEngine& engine, TPlayContext& play, const std::string& imageName, int z)
    : TSprite(engine), play_(play) {
  SetImageName(imageName);
  SetZ(z);
  Collidable = false;
  Red = Green = Blue = 0;
  Alpha = 110;
  PatternIndex = 0;
}

void TShadow::Draw() {
  if (play_.Is(PlayPhase::Speech)) return;
  TSprite::Draw();
}

TBallCrush::TBallCrush(TSpriteEngine& engine, float x, float y, bool big) : TSprite(engine) {
  Place(*this, "ballcrash", big ? "ball2crash" : "ballcrash", 520, x, y);
}

void TBallCrush::Move(float /*delta*/) {
  if (Counter % 2 == 0 && PatternIndex < 8) {
    ++PatternIndex;
    Counter = 0;
  }
  ++Counter;
  if (PatternIndex >= 8 && Counter > 100 && Counter % 4 == 0) {
    Alpha -= 10;
    if (Alpha <= 10) Kill();
  }
}

TMenuSprite::TMenuSprite(TSpriteEngine& engine, const std::string& imageName, float centreX, float centreY)
    : TSprite(engine) {
  SetImageName(imageName);
  SetZ(500);
  Collidable = false;
  X = centreX - static_cast<float>(PatternWidth()) / 2;
  Y = centreY - static_cast<float>(PatternHeight()) / 2;
  Alpha = 0;
}

TLevelTitle::TLevelTitle(TSpriteEngine& engine, TPlayContext& play) : TSprite(engine), play_(play) {
  Place(*this, "", "smallscr", 700, -100, 310);
  SetDrawMode(1);
  Trail = play.Particles.Spawn("StLevelTail.pss", X + 18, Y + 21);
  TrailOn = true;
}

void TLevelTitle::Move(float /*delta*/) {
  if (ended_) return;
  ++Ticks;
  if (Ticks > 10) {
    if (X < 480) {
      X += 10;
      Angle += static_cast<float>(2 * kPi / 58);
      Trail.MoveTo(X, Y, false);
    } else if (TrailOn) {
      Trail.StopEmitting(false);
      TrailOn = false;
    }
  }
  if (Ticks > 225 && Alpha > 0) Alpha = std::max(0, Alpha - 10);
  if (Ticks == kEndTick) {
    ended_ = true;
    play_.Particles.Spawn("2PartExp.pss", X, Y);
  }
}

void TLevelTitle::Draw() {
  TSprite::Draw();
  if (Ticks <= 100) return;
  TGfxFont* font = play_.Fonts.FindFont("ParamFont2");
  if (font == nullptr || !font->Loaded()) return;
  const std::string text = play_.Language.Tr("Уровень ") + std::to_string(play_.Game.LevelNumber);
  font->TextOut(text, 0xFF30C3FFu, X - static_cast<float>(font->TextWidth(text) / 2) + 4, Y - 7);
}

void TLevelTitle::Kill() {
  if (play_.Game.LevelTitle == this) play_.Game.LevelTitle = nullptr;
  TSprite::Kill();
}

}  // namespace zb
