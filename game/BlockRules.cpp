#include "game/BlockRules.h"

#include <array>
#include <cmath>

namespace zb {
namespace {

constexpr std::array<TBlockKind, 9> kKinds = {{
    {1, "block_n2", 15, 200.0, "2PartExp.pss", 100, true, false},
    {2, "block_n51", 35, 200.0, "5PartExp.pss", 150, true, false},
    {kGoldKind, "gold", 5000, 200.0, "GoldExp.pss", 0, false, false},
    {9, "block1", 5, 300.0, "RedExp.pss", 10, true, false},
    {10, "block2", 5, 300.0, "GreenExp.pss", 10, true, false},
    {11, "block3", 5, 300.0, "BlueExp.pss", 15, true, false},
    {12, "block4", 5, 300.0, "YellowExp.pss", 20, true, false},
    {13, "block5", 5, 300.0, "BrownExp.pss", 30, true, false},
    {14, "block6", 5, 300.0, "MagentaExp.pss", 40, true, false},
}};

constexpr std::array<std::string_view, 6> kBombImages = {"block1", "block2", "block3",
                                                         "block4", "block5", "block6"};

TPointF UnitOrOnes(double x, double y) {
  const double length = std::hypot(x, y);
  if (length == 0) return {1, 1};
  return {x / length, y / length};
}

}  // namespace

std::optional<TBlockKind> FindBlockKind(int kind) {
  for (const TBlockKind& row : kKinds) {
    if (row.Kind == kind) return row;
  }
  if (kind >= 19 && kind <= 24) {
    return TBlockKind{kind, kBombImages[static_cast<size_t>(kind - 19)], 5, 300.0, "3Balls.pss", 50, true,
                      true};
  }
  return std::nullopt;
}

TBlockHit ApplyBlockDamage(int kind, int hitPoints, int damage) {
  TBlockHit hit;
  hit.HitPoints = kind == kGoldKind ? hitPoints : hitPoints - damage;
  if (kind == 1 && hit.HitPoints == 5) hit.NewImage = "block_n22";
  if (kind == 2) {
    if (hit.HitPoints == 25) hit.NewImage = "block_n52";
    if (hit.HitPoints == 15) hit.NewImage = "block_n53";
    if (hit.HitPoints == 5) hit.NewImage = "block_n54";
  }
  hit.Breaks = hit.HitPoints < 0;
  return hit;
}

bool BonusDropAllowed(int r, double bonusChance, int bonusesFalling, int maxBonusesFalling, bool gold,
                      int blocksLeft) {
  return r / 1000.0 < bonusChance && bonusesFalling < maxBonusesFalling && !gold && blocksLeft > 2;
}

bool MovesTowards(TPointF ballCentre, TPointF brickCentre, double velocityX, double velocityY) {
  const TPointF towards = UnitOrOnes(brickCentre.X - ballCentre.X, brickCentre.Y - ballCentre.Y);
  const TPointF velocity = UnitOrOnes(velocityX, velocityY);
  return towards.X * velocity.X + towards.Y * velocity.Y > 0;
}

TBounce BrickBounce(double ballX, double ballY, double ballWidth, double ballHeight, double brickX,
                    double brickY, double brickWidth, double brickHeight) {
  TBounce bounce;
  bounce.FlipY = ballHeight + ballY - brickY < 3 || brickHeight + brickY - ballY < 3;
  bounce.FlipX = ballWidth + ballX - brickX < 3 || brickWidth + brickX - ballX < 3;
  return bounce;
}

double TurnedAway(double velocity, double ballCentre, double brickCentre) {
  if (ballCentre < brickCentre) return -std::abs(velocity);
  if (ballCentre > brickCentre) return std::abs(velocity);
  return -velocity;
}

}  // namespace zb
