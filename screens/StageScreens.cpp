#include "screens/StageScreens.h"

#include <array>
#include <charconv>
#include <string>

#include "game/Ball.h"
#include "game/Bat.h"
#include "game/BonusImage.h"
#include "game/KeysAndCages.h"
#include "game/Monkey.h"
#include "game/Scenery.h"
#include "gui/GuiLabel.h"
#include "screens/FormControls.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

constexpr int kGameOverFormTick = 60;
constexpr int kGameOverTicks = 350;
constexpr int kFireworkEvery = 20;
constexpr int kEndGameTicks = 400;
constexpr std::array<const char*, 7> kFireworks = {"GoldExp.pss",   "RedExp.pss",   "GreenExp.pss",
                                                   "BlueExp.pss",   "YellowExp.pss", "BrownExp.pss",
                                                   "MagentaExp.pss"};

TMonkeyFace* Face(TGameState& game) {
  TBita* bat = game.Bita.Get();
  return bat != nullptr ? bat->Face.Get() : nullptr;
}

void StartFace(TGameState& game, int state) {
  if (TMonkeyFace* face = Face(game)) face->Start(state);
}

}  // namespace

bool CountUpStep(TScreenContext& ctx, std::string_view label) {
  TGuiLabel* shown = Find<TGuiLabel>(ctx, label);
  if (shown == nullptr) return true;
  const int64_t target = ctx.Game.GetShownScore();
  const std::string& text = shown->Text();
  int64_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (value >= target) return true;
  const int64_t gap = target - value;
  value += gap > 1000 ? 100 : gap > 100 ? 10 : 1;
  shown->SetText(std::to_string(value));
  return false;
}

void SettleLifeLostScreen(TScreenContext& ctx) {
  ctx.Core.EndTick();
  for (const TPlayEvent& event : ctx.Core.Play.Events.Pending()) {
    if (event.What == TPlayEvent::Kind::Served) {
      ResumePlay(ctx, ScreenLifeLost);
      return;
    }
  }
}

void EnterStageCompleteScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  ctx.PlaySound("stagecomplete");
  game.ScreenTicks = 0;
  ClearRunningBonus(ctx.Play);
  for (const SpriteRef<TBall>& ref : game.Balls) {
    TBall* ball = ref.Get();
    if (ball == nullptr) continue;
    ball->Visible = false;
    if (TShadow* shadow = ball->Shadow.Get()) shadow->Visible = false;
    if (ball->SuperTrailOn) ball->SuperTrail.StopEmitting(false);
  }
  SetLabel(ctx, "sc_score", "0");
  StartFace(game, FaceLevelDone);
  if (TBita* bat = game.Bita.Get()) {
    bat->Visible = false;
    if (TBitaImage* overlay = bat->Overlay.Get()) overlay->Visible = false;
    if (TShadow* shadow = bat->Shadow.Get()) shadow->Visible = false;
  }
}

void ProcessStageCompleteScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  const int countFrom = game.KeyComplete ? 500 : 300;
  if (game.KeyComplete && game.ScreenTicks == 90 && game.KeyImage != nullptr) game.KeyImage->StartFlight();
  if (game.ScreenTicks == (game.KeyComplete ? 350 : 150)) {
    ShowForm(ctx, "scr_stagecomplete", true);
    ShowCursor(ctx, true);
  }
  ctx.State.CountedUp = game.ScreenTicks > countFrom && CountUpStep(ctx, "sc_score");
  if (game.ScreenTicks < game.GetShownScore() + countFrom) ++game.ScreenTicks;
}

void SettleStageCompleteScreen(TScreenContext& ctx) {
  if (ctx.State.CountedUp || ctx.Game.GetShownScore() == 0) SetVisible(ctx, "b_stagecomplete_next", true);
}

void LeaveStageCompleteScreen(TScreenContext& ctx) {
  SetVisible(ctx, "b_stagecomplete_next", false);
  ShowForm(ctx, "scr_stagecomplete", false);
}

void NextStage(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  LeaveScreen(ctx, ScreenStageComplete);
  if (game.StoryAfterLevel) {
    game.SpeechScene = game.SpeechAfterLevel;
    EnterScreen(ctx, ScreenSpeech);
  } else {
    LeaveScreen(ctx, ScreenGame);
    ++game.LevelNumber;
    EnterScreen(ctx, ScreenGame);
  }
}

void EnterGameOverScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  game.ScreenTicks = 0;
  StartFace(game, FaceStay);
  MusicOnGameOver(ctx.Sound);
  ctx.PlaySound("gameover");
  ctx.Core.StopClock();
  ClearRunningBonus(ctx.Play);
}

void ProcessGameOverScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  if (game.ScreenTicks == kGameOverFormTick) ShowForm(ctx, "scr_gameover", true);
}

void SettleGameOverScreen(TScreenContext& ctx) {
  if (++ctx.Game.ScreenTicks == kGameOverTicks) {
    LeaveScreen(ctx, ScreenGameOver);
    EnterScreen(ctx, ScreenYourScore);
  }
}

void EnterEndGameScreen(TScreenContext& ctx) {
  DropCheckpoint(ctx);
  ctx.Game.ScreenTicks = 0;
  ctx.GameFinished = true;
}

void ProcessEndGameScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  ++game.ScreenTicks;
  if (game.ScreenTicks % kFireworkEvery == 0) {
    const char* firework = kFireworks[static_cast<size_t>(game.LookRandom.Next(7))];
    const int x = game.LookRandom.Next(800);
    const int y = game.LookRandom.Next(600);
    ctx.Play.Particles.Spawn(firework, static_cast<float>(x), static_cast<float>(y)).SetName("salut");
  }
  if (game.ScreenTicks == kEndGameTicks) EnterScreen(ctx, ScreenYourScore);
}

// Leaving the fireworks hides the main menu's form.
void LeaveEndGameScreen(TScreenContext& ctx) { ShowForm(ctx, "scr_mainmenu", false); }

}  // namespace zb
