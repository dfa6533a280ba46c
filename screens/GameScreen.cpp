#include "screens/GameScreen.h"

#include "engine/platform/Keys.h"
#include "game/Bonus.h"
#include "game/GameProcedures.h"
#include "screens/EditorScreen.h"
#include "screens/FormControls.h"
#include "screens/OwnLevelsScreen.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"

namespace zb {

void StartWaterfalls(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  game.WaterfallCount = 0;
  static constexpr float kFalls[5][2] = {{310, 140}, {290, 140}, {330, 140}, {270, 140}, {350, 150}};
  for (int i = 0; i < 5; ++i) {
    TXParticleRef fall = ctx.Play.Particles.Spawn("Waterfall.pss", kFalls[i][0], kFalls[i][1]);
    fall.SetName("waterfall");
    game.WaterfallSystems[static_cast<size_t>(i)] = fall;
  }
  game.WaterfallCount = 5;
}

void EnterGameScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  game.OwnLevel = ctx.State.Editor.TestPlaying || ctx.State.Own.Active;
  if (ctx.State.Editor.TestPlaying) {
    game.OwnLevelImage = ctx.State.Editor.Level.Image();
  } else if (ctx.State.Own.Active && !LoadOwnLevel(ctx)) {
    return;
  }
  KeepCheckpoint(ctx);
  ShowCursor(ctx, false);
  const LevelLoadResult built = BuildLevel(ctx.Play, ctx.Folders.Content);
  if (!built.ok) {
    // The level cannot be played: say why, take down what was built and go back to the menu. A
    // game under way ends as one the player quit: its score is still offered for the tables.
    ctx.Platform.GetDesktop().ShowMessageBox("Zumbala", built.error);
    LeaveGameScreen(ctx);
    MusicOnExitToMenu(ctx.Sound);
    EnterScreen(ctx, game.GetShownScore() > 0 ? ScreenYourScore : ScreenMainMenu);
    return;
  }
  StartWaterfalls(ctx);
  ctx.Core.StartClock();
  if (game.StoryBeforeLevel) {
    game.SpeechScene = game.SpeechBeforeLevel;
    EnterScreen(ctx, ScreenSpeech);
  } else {
    EnterScreen(ctx, ScreenLevelStart);
  }
}

void SettleGameScreen(TScreenContext& ctx) {
  ctx.Core.EndTick();
  if (ctx.State.Editor.TestPlaying && EndTestPlay(ctx)) return;
  if (ctx.KeysReleased[vk::Escape]) {
    ctx.PlaySound("check");
    EnterScreen(ctx, ScreenExitToMenu);
  }
  if (ctx.KeysReleased[vk::F1] || ctx.KeysReleased[vk::P]) {
    ctx.PlaySound("check");
    EnterScreen(ctx, ScreenPause);
  }
  // A copy: the screens entered raise events of their own.
  const std::vector<TPlayEvent> events = ctx.Core.Play.Events.Pending();
  for (const TPlayEvent& event : events) {
    switch (event.What) {
      case TPlayEvent::Kind::LifeLost: EnterScreen(ctx, ScreenLifeLost); break;
      case TPlayEvent::Kind::GameOver: EnterScreen(ctx, ScreenGameOver); break;
      case TPlayEvent::Kind::LevelCleared: EnterScreen(ctx, ScreenStageComplete); break;
      default: break;
    }
  }
}

void LeaveGameScreen(TScreenContext& ctx) { TearDownLevel(ctx.Play); }

void GameClockStep(TScreenContext& ctx) { BonusClockTick(ctx.Play); }

}  // namespace zb
