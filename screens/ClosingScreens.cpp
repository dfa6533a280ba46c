#include "screens/ClosingScreens.h"

#include <cstdio>
#include <string>

#include "engine/platform/Keys.h"
#include "gui/GuiEdit.h"
#include "persist/ScoreClient.h"
#include "screens/FormControls.h"
#include "screens/PlayerScreens.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"
#include "screens/StageScreens.h"

namespace zb {
namespace {

constexpr int kCountFrom = 40;
constexpr int kNextFrom = 100;

// Over the end picture the forms stand in the middle, over the playfield right of the panel.
void PlaceClosingForm(TScreenContext& ctx, const char* name) {
  TGuiControl* form = ctx.GuiBase.FindControl(name);
  if (form != nullptr) form->SetBoundsValue(0, ctx.GameFinished ? 225 : 304);
}

void ShowClosingForm(TScreenContext& ctx, const char* name) {
  ShowForm(ctx, name, true);
  PlaceClosingForm(ctx, name);
}

}  // namespace

void EnterYourScoreScreen(TScreenContext& ctx) {
  ShowCursor(ctx, true);
  ctx.Game.ScreenTicks = 0;
  SetLabel(ctx, "yourscore", "0");
  SetVisible(ctx, "b_yourscore_next", false);
  ShowClosingForm(ctx, "scr_yourscoreis");
}

void ProcessYourScoreScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  if (ctx.KeysReleased[vk::Enter] && game.ScreenTicks > kNextFrom) RunButton(ctx, "b_yourscore_next");
  if (game.ScreenTicks > kCountFrom) {
    const bool done = CountUpStep(ctx, "yourscore");
    if (game.ScreenTicks > kNextFrom && done) SetVisible(ctx, "b_yourscore_next", true);
  }
  if (game.ScreenTicks < game.GetShownScore() + 120) ++game.ScreenTicks;
}

void EnterCountryScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_ycountry", true);
  TGuiEdit* edit = Find<TGuiEdit>(ctx, "e_ycountry");
  if (edit != nullptr) edit->SetText(ctx.Settings.PlayerCountry);
  SetEnabled(ctx, "b_ycountry_next", false);
  SetVisible(ctx, "b_ycountry_next", true);
  if (edit != nullptr) edit->SetFocus();
  PlaceClosingForm(ctx, "scr_ycountry");
}

void ProcessCountryScreen(TScreenContext& ctx) {
  const TGuiEdit* edit = Find<TGuiEdit>(ctx, "e_ycountry");
  const bool named = edit != nullptr && !TrimName(edit->Text()).empty();
  SetEnabled(ctx, "b_ycountry_next", named);
  if (named && ctx.KeysReleased[vk::Enter]) RunButton(ctx, "b_ycountry_next");
}

void LeaveCountryScreen(TScreenContext& ctx) {
  if (const TGuiEdit* edit = Find<TGuiEdit>(ctx, "e_ycountry")) ctx.Settings.PlayerCountry = edit->Text();
  ShowForm(ctx, "scr_ycountry", false);
}

void EnterSendScoreScreen(TScreenContext& ctx) {
  ShowClosingForm(ctx, "scr_sendscore");
}

void AnswerSendScore(TScreenContext& ctx, bool send) {
  TGameState& game = ctx.Game;
  MusicOnScoreAnswered(ctx.Sound);
  ctx.PlaySound("check");
  LeaveScreen(ctx, ScreenSendScore);
  LeaveScreen(ctx, ScreenGame);
  const int32_t score = game.GetShownScore();
  const bool entered = InsertHighScore(ctx.Settings, game.Difficulty, score);
  // A new high score is written at once: a crash or a killed process must not lose it.
  if (entered) SaveSettings(ctx);
  if (entered) {
    ctx.State.ScoreViewDifficulty = game.Difficulty;
    EnterScreen(ctx, ScreenHighScore);
  } else {
    EnterScreen(ctx, ScreenMainMenu);
  }
  if (send) {
    const TScoreSubmission submission{game.Difficulty, ctx.Settings.PlayerName, ctx.Settings.PlayerCountry, score};
    const std::string base = ScoreServerBase(ctx.LinkPath("scores.url").parent_path());
    std::string token;
    const TSubmitResult sent =
        SubmitScore(ctx.Platform.GetHttp(), ctx.Platform.GetDesktop(), base, submission, ctx.Play.Language, &token);
    // The score is stored whatever becomes of its replay: a failed upload is not the player's concern.
    if (sent == TSubmitResult::Sent && ctx.LastReplay && ReplayIsOf(*ctx.LastReplay, submission)) {
      if (const std::string why = SendReplay(ctx.Platform.GetHttp(), base, token, *ctx.LastReplay); !why.empty()) {
        std::fprintf(stderr, "The replay of the game was not sent: %s\n", why.c_str());
      }
    }
  }
}

void EnterShareScreen(TScreenContext& ctx) {
  // Without a page the closing screen closes the window straight away.
  if (ctx.Share.Enter()) {
    ctx.Timer1.SetEnabled(true, ctx.Platform.GetClock().TickCount());
  } else {
    ctx.Close();
  }
}

void SettleShareScreen(TScreenContext& ctx) {
  // Escape asks to close; the window allows it once the countdown is over.
  if (ctx.KeysReleased[vk::Escape]) ctx.Close();
}

void ShareSideTimer(TScreenContext& ctx) { ctx.Share.Tick(); }

void SharePointerDown(TScreenContext& ctx, int x, int y) {
  if (ctx.Share.MouseDown({x, y}, ctx.Platform.GetDesktop())) ctx.Close();
}

void EndGameFromPlay(TScreenContext& ctx) {
  MusicOnExitToMenu(ctx.Sound);
  Go(ctx, ScreenExitToMenu, ScreenYourScore);
}

}  // namespace zb
