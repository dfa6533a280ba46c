#pragma once

namespace zb {

struct TPlayContext;
class TBita;

// Losing a life, from the fall of the last ball to the new serve: the bat stands still for a
// while, runs back to the middle, and there the life is taken and a new ball sits on the bat.
inline constexpr int kLifeLostStandTicks = 100;
inline constexpr float kBatHomeX = 440;
inline constexpr float kBatRunStep = 3;
inline constexpr float kBatHomeSnap = 2;  // closer than this the bat steps straight home
inline constexpr float kServeX = 480;
inline constexpr float kServeY = 526;

// The last ball left play: a life is lost while more than one remains, else the game is over.
void LastBallLost(TPlayContext& play);
// The life-lost sequence begins: the running bonus ends and the monkey looks sad.
void StartLifeLost(TPlayContext& play);
// The bat's move while a life is lost: once it has stood long enough, a step towards home.
void WalkBatHome(TPlayContext& play, TBita& bat);
// The rest of a tick of the sequence, after the moves; true on the tick the new ball is served.
bool LifeLostStep(TPlayContext& play);

}  // namespace zb
