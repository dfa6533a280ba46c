#include "screens/DemoScreen.h"

#include <algorithm>

#include "engine/Sound.h"
#include "game/GameProcedures.h"
#include "game/Scenery.h"
#include "screens/Cursor.h"
#include "screens/FormControls.h"
#include "screens/GameScreen.h"
#include "screens/PlayScreens.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

constexpr int kDemoLevels = 25;
// The demos play the same games in every run: the n-th plays level n with its own seed.
constexpr uint32_t kDemoSeed = 0x44454D4Fu;

void EndDemo(TScreenContext& ctx) {
  LeaveScreen(ctx, ScreenDemo);
  EnterScreen(ctx, ScreenMainMenu);
}

bool Bound(const TScreenContext& ctx, int binding) {
  const uint32_t code = ctx.Settings.Keys[static_cast<size_t>(binding)];
  return code < ctx.State.Demo.Held.size() && ctx.State.Demo.Held[code];
}

}  // namespace

void CountMainMenuIdle(TScreenContext& ctx) {
  TDemoState& demo = ctx.State.Demo;
  if (ctx.CurrentScreen != ScreenMainMenu || ++demo.IdleTicks < kDemoIdleTicks || ctx.Loading) return;
  LeaveScreen(ctx, ScreenMainMenu);
  EnterScreen(ctx, ScreenDemo);
}

void EnterDemoScreen(TScreenContext& ctx) {
  TDemoState& demo = ctx.State.Demo;
  TGameState& game = ctx.Game;
  demo.MenuRecord = game;
  demo.MenuSystems.clear();
  for (int i = 0; i < ctx.Play.Particles.Count(); ++i) demo.MenuSystems.push_back(ctx.Play.Particles.SystemAt(i));
  demo.CursorVisible = ctx.Cursor == nullptr || ctx.Cursor->Visible;
  demo.Pilot = TPilot{};
  demo.Held.fill(false);
  demo.Ticks = 0;
  game.Random.Seed(kDemoSeed + static_cast<uint32_t>(demo.Shown));
  game.LevelNumber = 1 + demo.Shown % kDemoLevels;
  ++demo.Shown;
  game.Difficulty = kDemoDifficulty;
  game.Lives = 3;
  game.SetShownScore(0);
  ShowCursor(ctx, false);
  MusicOnDifficultyChosen(ctx.Sound);
  // A level that cannot be built is no one's concern in a demo: the menu comes back quietly.
  if (!BuildLevel(ctx.Play, ctx.Folders.Content).ok) {
    EndDemo(ctx);
    return;
  }
  StartWaterfalls(ctx);
  ctx.Core.StartClock();
  EnterLevelStartScreen(ctx);
}

void ProcessDemoScreen(TScreenContext& ctx) {
  TDemoState& demo = ctx.State.Demo;
  if (ctx.Play.Is(PlayPhase::Playing)) {
    demo.Pilot.Steer(ctx.Core, ctx.Settings, [&demo](uint8_t key, bool down) { demo.Held[key] = down; });
  }
  ctx.Core.SetInput({Bound(ctx, 0), Bound(ctx, 1), Bound(ctx, 2), Bound(ctx, 3)});
  // The one step a lost life runs that play does not.
  if (ctx.Play.Is(PlayPhase::LifeLost)) ctx.Core.Run(PlayStep::Collide);
}

void SettleDemoScreen(TScreenContext& ctx) {
  ctx.Core.EndTick();
  if (ctx.Play.Is(PlayPhase::LevelStart)) {
    const TLevelTitle* title = ctx.Game.LevelTitle;
    if (title == nullptr || title->Ended()) {
      LeaveLevelStartScreen(ctx);
      ctx.Core.SetPhase(PlayPhase::Playing);
    }
  }
  const bool over = std::ranges::any_of(ctx.Core.Play.Events.Pending(), [](const TPlayEvent& event) {
    return event.What == TPlayEvent::Kind::GameOver || event.What == TPlayEvent::Kind::LevelCleared;
  });
  if (over || ++ctx.State.Demo.Ticks >= kDemoTicks) EndDemo(ctx);
}

void LeaveDemoScreen(TScreenContext& ctx) {
  TDemoState& demo = ctx.State.Demo;
  TearDownLevel(ctx.Play);
  for (int i = 0; i < ctx.Play.Particles.Count(); ++i) {
    TXParticleSystem* system = ctx.Play.Particles.SystemAt(i);
    if (std::ranges::find(demo.MenuSystems, system) == demo.MenuSystems.end()) system->StopEmitting(true);
  }
  demo.MenuSystems.clear();
  // What the demo's last moments raised is not the menu's to hear.
  ctx.Core.TakeEvents();
  if (demo.MenuRecord) ctx.Game = *demo.MenuRecord;
  demo.MenuRecord.reset();
  MusicOnExitToMenu(ctx.Sound);
  ShowCursor(ctx, demo.CursorVisible);
  demo.Held.fill(false);
  demo.IdleTicks = 0;
}

void DemoClockStep(TScreenContext& ctx) {
  if (ctx.Play.Is(PlayPhase::Playing)) GameClockStep(ctx);
}

bool TakeDemoInput(TScreenContext& ctx, const platform::Event& event) {
  using Type = platform::Event::Type;
  TDemoState& demo = ctx.State.Demo;
  bool input = false;
  switch (event.type) {
    case Type::KeyDown:
      // A key held since it ended the demo repeats; the repeats are the same press.
      if (demo.KeysToSwallow.test(event.key)) return true;
      input = true;
      break;
    case Type::KeyUp:
      if (!demo.KeysToSwallow.test(event.key)) return false;
      demo.KeysToSwallow.reset(event.key);
      return true;
    case Type::Char: return demo.KeysToSwallow.any();
    case Type::MouseDown: input = true; break;
    case Type::MouseClick: return demo.SwallowMouseRelease;
    case Type::MouseUp:
      if (!demo.SwallowMouseRelease) return false;
      demo.SwallowMouseRelease = false;
      return true;
    case Type::PadButtonDown: input = true; break;
    case Type::PadButtonUp:
      if (event.control >= demo.PadButtonsToSwallow.size() || !demo.PadButtonsToSwallow.test(event.control)) {
        return false;
      }
      demo.PadButtonsToSwallow.reset(event.control);
      return true;
    case Type::MouseMove:
      input = event.x != demo.PointerX || event.y != demo.PointerY;
      demo.PointerX = event.x;
      demo.PointerY = event.y;
      break;
    default: break;
  }
  if (!input) return false;
  demo.IdleTicks = 0;
  if (ctx.CurrentScreen != ScreenDemo) return false;
  EndDemo(ctx);
  switch (event.type) {
    case Type::KeyDown: demo.KeysToSwallow.set(event.key); return true;
    case Type::MouseDown: demo.SwallowMouseRelease = true; return true;
    case Type::PadButtonDown:
      if (event.control < demo.PadButtonsToSwallow.size()) demo.PadButtonsToSwallow.set(event.control);
      return true;
    default: return false;  // the pointer's move is the menu's too
  }
}

}  // namespace zb
