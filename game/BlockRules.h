#pragma once

#include <optional>
#include <string_view>

#include "game/Geometry.h"

namespace zb {

inline constexpr int kGoldKind = 3;
// Damage of one hit.
inline constexpr int kDamageNormal = 10;  // normal ball or banana
inline constexpr int kDamageBig = 20;
inline constexpr int kDamageFire = 100;
inline constexpr int kDamageBlast = 200;
// The red channel of a brick a bomb blast reached: it shows a little darker.
inline constexpr int kBlastTint = 244;

// One row of the brick kind table.
struct TBlockKind {
  int Kind;
  std::string_view Image;
  int HitPoints;
  double AnimSpeed;  // 8 frames, looped
  std::string_view Explosion;
  int Points;
  bool Counted;  // in BlocksLeft
  bool Bomb;
};

// The row of a kind; none for kinds the table does not list (no brick is made for them).
std::optional<TBlockKind> FindBlockKind(int kind);

// What one hit does to a brick.
struct TBlockHit {
  int HitPoints = 0;
  std::string_view NewImage;  // the cracked look reached by this hit, or empty
  bool Breaks = false;        // hit points fell below 0
};
TBlockHit ApplyBlockDamage(int kind, int hitPoints, int damage);

// The bonus-drop conditions of a breaking brick, with r drawn from 0..999.
bool BonusDropAllowed(int r, double bonusChance, int bonusesFalling, int maxBonusesFalling, bool gold,
                      int blocksLeft);

// The ball moves towards the brick: the unit vector from the ball's centre to the brick's,
// dotted with the unit velocity, is above 0. A zero-length vector counts as (1, 1).
bool MovesTowards(TPointF ballCentre, TPointF brickCentre, double velocityX, double velocityY);

// Which velocity components a ball's bounce off a brick negates: an overlap of less than
// 3 pixels on an axis flips that axis (both on a corner, neither when deep inside).
struct TBounce {
  bool FlipX = false;
  bool FlipY = false;
};
TBounce BrickBounce(double ballX, double ballY, double ballWidth, double ballHeight, double brickX,
                    double brickY, double brickWidth, double brickHeight);
// A velocity component a bounce flips, turned away from the brick on its axis. A ball already
// leaving the brick that way keeps it: negated, it would go back in, and a ball grazing along a
// row of bricks would climb into the row a little at every seam until it came out on the far side.
double TurnedAway(double velocity, double ballCentre, double brickCentre);

// Offsets from a bomb brick's centre to the centres of its eight neighbour cells.
inline constexpr TPointF kBlastOffsets[8] = {{-35, 0},   {35, 0},   {0, -20}, {0, 20},
                                             {-35, -20}, {35, -20}, {-35, 20}, {35, 20}};

}  // namespace zb
