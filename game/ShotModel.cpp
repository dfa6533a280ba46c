#include "game/ShotModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/GfxSprite.h"
#include "game/BallRules.h"
#include "game/BlockRules.h"
#include "game/Blocks.h"

namespace zb {
namespace {

int Clamp(int value, int high) { return std::clamp(value, 0, high - 1); }

}  // namespace

void TShotModel::Load(const TSpriteEngine& engine) {
  bricks_.clear();
  cells_.assign(static_cast<size_t>(kRows * kColumns), {});
  lowest_ = 0;
  breakable_ = 0;
  for (int i = 0; i < engine.Count(); ++i) {
    const TSprite* sprite = engine.SpriteAt(i);
    if (sprite == nullptr || sprite->Dead() || dynamic_cast<const TBlock*>(sprite) == nullptr) continue;
    const auto& block = static_cast<const TBlock&>(*sprite);
    const TBrick brick{block.X, block.Y, static_cast<double>(block.PatternWidth()),
                       static_cast<double>(block.PatternHeight()), block.Kind, block.HitPoints, block.Gold()};
    const int index = static_cast<int>(bricks_.size());
    bricks_.push_back(brick);
    if (!brick.Gold) ++breakable_;
    lowest_ = std::max(lowest_, brick.Y + brick.H);
    const int c0 = Clamp(static_cast<int>(std::floor((brick.X - kLeftWall) / kCellWidth)), kColumns);
    const int c1 = Clamp(static_cast<int>(std::floor((brick.X + brick.W - kLeftWall) / kCellWidth)), kColumns);
    const int r0 = Clamp(static_cast<int>(std::floor(brick.Y / kCellHeight)), kRows);
    const int r1 = Clamp(static_cast<int>(std::floor((brick.Y + brick.H) / kCellHeight)), kRows);
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) cells_[static_cast<size_t>(r * kColumns + c)].push_back(index);
    }
  }
}

void TShotModel::StopAtFirstContact(TBallFlight& flight, double fromX, double fromY, double width, double height,
                                    const std::vector<bool>& standing, bool fire) const {
  const double dx = flight.X - fromX, dy = flight.Y - fromY;
  const double length = std::hypot(dx, dy);
  const int steps = static_cast<int>(std::ceil(length / kMostBallStep));
  if (steps <= 1) return;
  const auto overlaps = [width, height](const TBrick& b, double x, double y) {
    return x < b.X + b.W && x + width > b.X && y < b.Y + b.H && y + height > b.Y;
  };
  const auto hits = [&](const TBrick& b, double x, double y) {
    return overlaps(b, x, y) && MovesTowards({x + width / 2, y + height / 2}, {b.X + b.W / 2, b.Y + b.H / 2},
                                             flight.VelocityX, flight.VelocityY);
  };
  std::vector<const TBrick*> near;
  for (size_t i = 0; i < bricks_.size(); ++i) {
    const TBrick& b = bricks_[i];
    if (standing[i] && std::hypot(b.X - fromX, b.Y - fromY) < 100 + length && !overlaps(b, fromX, fromY)) {
      near.push_back(&b);
    }
  }
  for (int k = 1; k < steps && !near.empty(); ++k) {
    const double x = fromX + dx * k / steps, y = fromY + dy * k / steps;
    for (const TBrick* b : near) {
      if (!hits(*b, x, y)) continue;
      const TBounce here = BrickBounce(x, y, width, height, b->X, b->Y, b->W, b->H);
      const TBounce end = BrickBounce(flight.X, flight.Y, width, height, b->X, b->Y, b->W, b->H);
      if (!hits(*b, flight.X, flight.Y) || (!fire && (here.FlipX != end.FlipX || here.FlipY != end.FlipY))) {
        flight.X = x;
        flight.Y = y;
      }
      return;
    }
  }
}

TShotModel::TShot TShotModel::Trace(double x, double y, double velocityX, double velocityY, double width,
                                    double height, int damage, double returnY, int maxTicks) const {
  TShot shot;
  shot.Nearest = std::numeric_limits<double>::max();
  std::vector<int> hitPoints(bricks_.size());
  std::vector<bool> standing(bricks_.size(), true);
  for (size_t i = 0; i < bricks_.size(); ++i) hitPoints[i] = bricks_[i].HitPoints;
  const bool fire = damage >= kDamageFire;
  TBallFlight flight{x, y, velocityX, velocityY};
  for (shot.Ticks = 1; shot.Ticks <= maxTicks; ++shot.Ticks) {
    const double fromX = flight.X, fromY = flight.Y;
    flight.Step(width);
    if (flight.VelocityY > 0 && flight.Y >= returnY) {
      shot.Returned = true;
      return shot;
    }
    if (flight.Y > lowest_) continue;
    StopAtFirstContact(flight, fromX, fromY, width, height, standing, fire);
    const double cx = flight.X + width / 2, cy = flight.Y + height / 2;
    // How close a miss comes: worth the time only when few bricks are left, where misses happen.
    if (Few() && shot.Ticks % 4 == 0) {
      for (size_t i = 0; i < bricks_.size(); ++i) {
        const TBrick& b = bricks_[i];
        if (b.Gold || !standing[i]) continue;
        shot.Nearest = std::min(shot.Nearest, std::hypot(cx - (b.X + b.W / 2), cy - (b.Y + b.H / 2)));
      }
    }
    const int c0 = Clamp(static_cast<int>(std::floor((flight.X - kLeftWall) / kCellWidth)), kColumns);
    const int c1 = Clamp(static_cast<int>(std::floor((flight.X + width - kLeftWall) / kCellWidth)), kColumns);
    const int r0 = Clamp(static_cast<int>(std::floor(flight.Y / kCellHeight)), kRows);
    const int r1 = Clamp(static_cast<int>(std::floor((flight.Y + height) / kCellHeight)), kRows);
    bool hit = false;  // one brick a tick, as in the game
    for (int r = r0; r <= r1 && !hit; ++r) {
      for (int c = c0; c <= c1 && !hit; ++c) {
        for (const int index : cells_[static_cast<size_t>(r * kColumns + c)]) {
          const TBrick& b = bricks_[static_cast<size_t>(index)];
          if (!standing[static_cast<size_t>(index)]) continue;
          const double bx = b.X + b.W / 2, by = b.Y + b.H / 2;
          if (flight.X >= b.X + b.W || flight.X + width <= b.X || flight.Y >= b.Y + b.H || flight.Y + height <= b.Y)
            continue;
          if (!MovesTowards({cx, cy}, {bx, by}, flight.VelocityX, flight.VelocityY)) continue;
          hit = true;
          if (!fire) {
            const TBounce bounce = BrickBounce(flight.X, flight.Y, width, height, b.X, b.Y, b.W, b.H);
            if (bounce.FlipX) flight.VelocityX = TurnedAway(flight.VelocityX, cx, bx);
            if (bounce.FlipY) flight.VelocityY = TurnedAway(flight.VelocityY, cy, by);
          }
          if (b.Gold) {
            if (fire) standing[static_cast<size_t>(index)] = false;
            break;
          }
          ++shot.Hits;
          const TBlockHit result = ApplyBlockDamage(b.Kind, hitPoints[static_cast<size_t>(index)], damage);
          hitPoints[static_cast<size_t>(index)] = result.HitPoints;
          if (result.Breaks) {
            standing[static_cast<size_t>(index)] = false;
            ++shot.Breaks;
          }
          break;
        }
      }
    }
  }
  shot.Ticks = maxTicks;
  return shot;
}

}  // namespace zb
