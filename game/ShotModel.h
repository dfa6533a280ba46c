#pragma once

#include <cstddef>
#include <vector>

namespace zb {

class TSpriteEngine;
struct TBallFlight;

// The bricks of the playfield as the pilot sees them, and the flight of a ball shot from the bat
// through them: walls, gold and the bricks it wears down or breaks, until it comes back down.
// A model, not the game: bomb blasts and falling bonuses are left out.
class TShotModel {
 public:
  struct TShot {
    int Hits = 0;          // bricks met on the way (gold not counted)
    int Breaks = 0;        // of those, the ones that broke
    int Ticks = 0;         // until the ball is back at the bat, or the trace gave up
    bool Returned = false; // false: still up among the bricks when the trace gave up
    double Nearest = 0;    // the closest it came to a breakable brick (centre to centre), when Few()
  };

  // Takes the bricks standing in the engine.
  void Load(const TSpriteEngine& engine);
  bool Empty() const { return bricks_.empty(); }
  // The bottom of the lowest brick; 0 when there is none.
  double Lowest() const { return lowest_; }
  // Bricks that can still break (gold left out).
  size_t Breakable() const { return breakable_; }
  // Few enough breakable bricks left that a miss is measured by how close it passes.
  bool Few() const { return breakable_ <= kFewBricks; }

  // A ball of the given size and damage (10 normal, 20 big, 100 fire, which passes through)
  // leaving (x, y), its top-left corner, with the velocity; back when it falls to `returnY`.
  TShot Trace(double x, double y, double velocityX, double velocityY, double width, double height, int damage,
              double returnY, int maxTicks) const;

 private:
  // As the game does: a long step stops at the first standing brick it would hit on its way,
  // unless its end meets that brick to the same effect.
  void StopAtFirstContact(TBallFlight& flight, double fromX, double fromY, double width, double height,
                          const std::vector<bool>& standing, bool fire) const;

  struct TBrick {
    double X, Y, W, H;
    int Kind;
    int HitPoints;
    bool Gold;
  };
  static constexpr double kCellWidth = 37;
  static constexpr double kCellHeight = 20;
  static constexpr int kColumns = 18;
  static constexpr int kRows = 30;
  static constexpr size_t kFewBricks = 40;

  std::vector<TBrick> bricks_;
  std::vector<std::vector<int>> cells_;  // kRows x kColumns lists of brick indices
  double lowest_ = 0;
  size_t breakable_ = 0;
};

}  // namespace zb
