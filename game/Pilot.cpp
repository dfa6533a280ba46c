#include "game/Pilot.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "game/PlayCore.h"
#include "persist/Settings.h"
#include "game/Ball.h"
#include "game/BallRules.h"
#include "game/Bat.h"
#include "game/BlockRules.h"
#include "game/Blocks.h"
#include "game/Bonus.h"
#include "game/BonusRules.h"

namespace zb {
namespace {

constexpr double kAimStep = 3;
constexpr double kFineAimStep = 1;   // with few bricks left, for the narrow ways in to them
// A shot straight up comes straight back, and above a gold roof it can hang under the top wall for
// good: no shot is aimed closer to the vertical than this.
constexpr double kLeastLean = 2;
// After this many ticks without a brick breaking the pilot takes it as going round in a loop
// and breaks it by varying its aim.
constexpr int kStallTicks = 1500;
// A shot may lean only so far that the ball's sideways speed stays below the bat's: then the bat
// can always follow it, whatever the bricks and walls do to it (they only turn it round).
constexpr double kSidewaysShare = 0.85;
constexpr int kTraceTicks = 1500;    // a shot still up among the bricks this long is taken as it is
constexpr double kSpareTicks = 3;    // the bat stands still this long before the ball arrives
constexpr double kBonusFallSpeed = 3;

double CentreX(const TSprite& s) { return s.X + s.VisibleWidth() / 2.0; }

// Where a ball flying down reaches height `y` (its top), folded back at the walls; its centre.
double LandingX(const TBall& ball, double y) {
  const double width = ball.VisibleWidth();
  if (ball.VelocityY <= 0) return ball.X + width / 2;
  const double ticks = (y - ball.Y) / ball.VelocityY;
  const double span = kRightWall - width - kLeftWall;
  if (span <= 0) return ball.X;
  double x = std::fmod(ball.X - kLeftWall + ball.VelocityX * ticks, 2 * span);
  if (x < 0) x += 2 * span;
  if (x > span) x = 2 * span - x;
  return kLeftWall + x + width / 2;
}

bool WantedBonus(int kind) { return kind != BonusSmallBat; }

}  // namespace

void TPilot::Hold(uint8_t key, bool down, bool& held, const Push& push) {
  if (down == held) return;
  push(key, down);
  held = down;
}

void TPilot::Release(const TSettings& settings, const Push& push) {
  Hold(static_cast<uint8_t>(settings.Keys[0]), false, rightHeld_, push);
  Hold(static_cast<uint8_t>(settings.Keys[1]), false, leftHeld_, push);
  Hold(static_cast<uint8_t>(settings.Keys[2]), false, actionHeld_, push);
  plan_ = {};
}

void TPilot::Steer(const TPlayCore& core, const TSettings& settings, const Push& push) {
  const TGameState& game = core.Game;
  const auto right = static_cast<uint8_t>(settings.Keys[0]);
  const auto left = static_cast<uint8_t>(settings.Keys[1]);
  const auto action = static_cast<uint8_t>(settings.Keys[2]);

  // Bricks breaking (or the level changing) show that play is getting on.
  if (game.BlocksLeft != lastBlocksLeft_) {
    lastBlocksLeft_ = game.BlocksLeft;
    stallTicks_ = 0;
  } else {
    ++stallTicks_;
  }

  std::vector<const TBall*> flying;
  bool riding = false;
  for (int i = 0; i < std::min(game.BallCount, kMaxBalls); ++i) {
    const TBall* ball = game.Balls[static_cast<size_t>(i)].Get();
    if (ball == nullptr || ball->Dead()) continue;
    if (ball->OnBat) {
      riding = true;
    } else {
      flying.push_back(ball);
    }
  }
  // The action key goes down for one frame to launch, and again for every banana the monkey may throw.
  const bool throwNow = game.BananaMode && game.ThrowCooldown == 0;
  Hold(action, !actionHeld_ && (riding || throwNow), actionHeld_, push);

  const TBita* bat = game.Bita.Get();
  if (idle_ || bat == nullptr || flying.empty()) {
    Hold(left, false, leftHeld_, push);
    Hold(right, false, rightHeld_, push);
    return;
  }

  double lowestBrick = 0;
  std::vector<const TBonus*> bonuses;
  for (int i = 0; i < core.Engine.Count(); ++i) {
    const TSprite* sprite = core.Engine.SpriteAt(i);
    if (sprite == nullptr || sprite->Dead()) continue;
    if (dynamic_cast<const TBlock*>(sprite) != nullptr) {
      lowestBrick = std::max(lowestBrick, sprite->Y + static_cast<double>(sprite->PatternHeight()));
    } else if (const auto* bonus = dynamic_cast<const TBonus*>(sprite)) {
      // Falling bonuses only: the picture of a running bonus bears the same name.
      bonuses.push_back(bonus);
    }
  }

  // The ball to serve: the first to come down to the bat that the bat can still reach (a lost
  // cause is left to fall), else the lowest one on its way up.
  const double batCentre = CentreX(*bat);
  const TBall* served = nullptr;
  double arrival = std::numeric_limits<double>::max();
  bool reachable = false;
  for (const TBall* ball : flying) {
    const double hitY = bat->Y - ball->PatternHeight();
    if (ball->VelocityY <= 0 || ball->Y > hitY) continue;
    const double ticks = (hitY - ball->Y) / ball->VelocityY;
    const bool reach = std::abs(LandingX(*ball, hitY) - batCentre) <= ticks * bat->Speed + bat->VisibleWidth() / 2.0 - 4;
    if ((reach && !reachable) || (reach == reachable && ticks < arrival)) {
      arrival = ticks;
      served = ball;
      reachable = reach;
    }
  }
  double target = 0;
  if (served != nullptr) {
    const double hitY = bat->Y - served->PatternHeight();
    const double landing = LandingX(*served, hitY);
    target = landing;
    // Below every brick the ball's way down is known: aim it.
    if (served->Y > lowestBrick) {
      if (plan_.Ball != served || plan_.VelocityX != served->VelocityX || plan_.VelocityY != served->VelocityY) {
        plan_ = {served, served->VelocityX, served->VelocityY, AimedBatCentre(core, *served, landing, arrival)};
      }
      target = plan_.BatCentre;
    }
  } else {
    for (const TBall* ball : flying) {
      if (served == nullptr || ball->Y > served->Y) served = ball;
    }
    target = CentreX(*served);
    arrival = (bat->Y - served->PatternHeight() - served->Y) / std::max(0.1, std::abs(served->VelocityY));
  }

  // A moving bat bends the shot by 20 degrees: in the last ticks it stands if the ball meets it anyway.
  if (served != nullptr && served->VelocityY > 0 && arrival < 2 &&
      std::abs(LandingX(*served, bat->Y - served->PatternHeight()) - batCentre) < bat->VisibleWidth() / 2.0 - 2) {
    target = batCentre;
  }
  // A bonus worth having is fetched when the ball leaves time for the detour.
  const double batWidth = bat->VisibleWidth();
  for (const TBonus* bonus : bonuses) {
    if (!WantedBonus(bonus->Kind)) continue;
    const double fall = (bat->Y - (bonus->Y + bonus->PatternHeight())) / kBonusFallSpeed;
    if (fall < 0) continue;
    const double middle = bonus->X + bonus->PatternWidth() / 2.0;
    const double reach = batWidth / 2 - 6;
    const double stand = std::clamp(target, middle - reach, middle + reach);
    if (std::abs(stand - batCentre) > fall * bat->Speed) continue;
    if (std::abs(target - stand) > (arrival - fall - kSpareTicks) * bat->Speed) continue;
    target = stand;
    break;
  }

  const double lowest = kLeftWall + batWidth / 2;
  const double highest = kRightWall - batWidth / 2;
  const double gap = std::clamp(target, lowest, highest) - batCentre;
  const double deadZone = bat->Speed / 2 + 0.01;
  Hold(left, gap < -deadZone, leftHeld_, push);
  Hold(right, gap > deadZone, rightHeld_, push);
}

double TPilot::Jitter() {
  // A small generator of its own: the game's shared one must not be drawn from.
  jitter_ = jitter_ * 6364136223846793005ull + 1442695040888963407ull;
  return static_cast<double>(jitter_ >> 11) / static_cast<double>(1ull << 53);
}

double TPilot::AimedBatCentre(const TPlayCore& core, const TBall& ball, double landing, double ticks) {
  const TBita& bat = *core.Game.Bita.Get();
  const double batWidth = bat.VisibleWidth();
  const double batCentre = CentreX(bat);
  const double lowest = kLeftWall + batWidth / 2;
  const double highest = kRightWall - batWidth / 2;
  const double hitY = bat.Y - ball.PatternHeight();
  const double width = ball.VisibleWidth();
  const int damage = ball.Super ? kDamageFire : ball.Big() ? kDamageBig : kDamageNormal;
  model_.Load(core.Engine);
  double best = std::clamp(landing, lowest, highest);
  double bestScore = -std::numeric_limits<double>::max();
  const double limit =
      std::asin(std::min(1.0, kSidewaysShare * bat.Speed / std::max(ball.Speed, 0.1))) * 180 / std::numbers::pi;
  const double step = model_.Few() ? kFineAimStep : kAimStep;
  const bool stalled = stallTicks_ >= kStallTicks;
  for (double degrees = -std::floor(limit / step) * step; degrees <= limit; degrees += step) {
    if (std::abs(degrees) < kLeastLean) continue;
    const double centre = landing - degrees / 90 * batWidth;
    if (centre < lowest || centre > highest) continue;
    if (std::abs(centre - batCentre) > (ticks - kSpareTicks) * bat.Speed) continue;
    const TVelocity velocity = BatHitVelocity(degrees, ball.Speed);
    const TShotModel::TShot shot = model_.Trace(landing - width / 2, hitY, velocity.X, velocity.Y, width,
                                                ball.PatternHeight(), damage, hitY, kTraceTicks);
    // Bricks worn or broken per tick of the shot; a miss counts by how close it passes, and the
    // straighter of two equal shots is the safer. A miss that never comes back is caught up there.
    double score = shot.Hits > 0 ? 1000.0 * (shot.Hits + shot.Breaks) / (shot.Ticks + 100)
                                 : -std::min(shot.Nearest, 1e6) - std::abs(degrees) - (shot.Returned ? 0 : 1e7);
    // Going round in a loop: the model is wrong somewhere, so any shot of the best kind (a hit,
    // else a miss that comes back) may be the way out.
    if (stalled && shot.Returned) score = (shot.Hits > 0 ? 2 : 1) + Jitter();
    if (score > bestScore) {
      bestScore = score;
      best = centre;
    }
  }
  return best;
}

}  // namespace zb
