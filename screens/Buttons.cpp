#include "screens/Buttons.h"

#include <functional>
#include <utility>

#include "persist/ScoreClient.h"
#include "screens/ScreenContext.h"
#include "screens/MenuScreens.h"
#include "screens/PlayScreens.h"
#include "screens/PlayerScreens.h"
#include "screens/ScreenMachine.h"
#include "screens/SpeechScreen.h"
#include "screens/StageScreens.h"
#include "screens/ClosingScreens.h"
#include "screens/LanguageSwitch.h"

namespace zb {
namespace {

using Action = std::function<void(TScreenContext&)>;

Action GoTo(uint8_t from, uint8_t to) {
  return [from, to](TScreenContext& ctx) { Go(ctx, from, to); };
}

Action ChooseDifficulty(uint8_t difficulty) {
  return [difficulty](TScreenContext& ctx) {
    ctx.Game.Difficulty = difficulty;
    MusicOnDifficultyChosen(ctx.Sound);
    Go(ctx, ScreenChooseDifficulty, ScreenGame);
  };
}

void StartGame(TScreenContext& ctx) {
  ctx.Game.SetShownScore(0);
  ctx.Game.LevelNumber = 1;
  ctx.GameFinished = false;
  ctx.Game.Lives = 3;
  Go(ctx, ScreenMainMenu, ScreenChooseDifficulty);
}

void ShowHighScores(TScreenContext& ctx) {
  ctx.PlaySound("check");
  ctx.State.ScoreViewDifficulty = 0;
  LeaveScreen(ctx, ScreenMainMenu);
  EnterScreen(ctx, ScreenHighScore);
}

// The online table of the difficulty shown, in the browser.
void ViewOnlineScores(TScreenContext& ctx) {
  ctx.PlaySound("check");
  OpenScorePage(ctx.Platform.GetDesktop(), ScoreServerBase(ctx.LinkPath("scores.url").parent_path()), ctx.State.ScoreViewDifficulty);
}

void QuitGame(TScreenContext& ctx) {
  LeaveScreen(ctx, ScreenExitGame);
  EnterScreen(ctx, ScreenShare);
}

}  // namespace

void BindButtons(TScreenContext& ctx) {
  const std::pair<const char*, Action> buttons[] = {
      {"b_mainmenu_startgame", StartGame},
      {"b_mainmenu_highscore", ShowHighScores},
      {"b_mainmenu_options", GoTo(ScreenMainMenu, ScreenOptions)},
      {"b_mainmenu_help", GoTo(ScreenMainMenu, ScreenHelp)},
      {"b_mainmenu_exit", GoTo(ScreenMainMenu, ScreenExitGame)},
      {"b_mainmenu_presshere", GoTo(ScreenMainMenu, ScreenChangePlayer)},
      {"b_mainmenu_logo", OpenWebsiteLink},
      {"b_exit_yes", QuitGame},
      {"b_exit_no", GoTo(ScreenExitGame, ScreenMainMenu)},
      {"b_help_back", GoTo(ScreenHelp, ScreenMainMenu)},
      {"b_help_previous", [](TScreenContext& f) { TurnHelpPage(f, -1); }},
      {"b_help_next", [](TScreenContext& f) { TurnHelpPage(f, 1); }},
      {"b_highscore_back", GoTo(ScreenHighScore, ScreenMainMenu)},
      {"b_highscore_clear", GoTo(ScreenHighScore, ScreenClearScores)},
      {"b_highscore_easy", [](TScreenContext& f) { ShowHighScoreTab(f, 0); }},
      {"b_highscore_medium", [](TScreenContext& f) { ShowHighScoreTab(f, 1); }},
      {"b_highscore_hard", [](TScreenContext& f) { ShowHighScoreTab(f, 2); }},
      {"b_clear_yes", ClearHighScores},
      {"b_clear_no", GoTo(ScreenClearScores, ScreenHighScore)},
      {"b_change_back", GoTo(ScreenChangePlayer, ScreenMainMenu)},
      {"b_change_delete", GoTo(ScreenChangePlayer, ScreenDeletePlayer)},
      {"b_change_create", GoTo(ScreenChangePlayer, ScreenCreatePlayer)},
      {"b_create_create", CreatePlayerFromList},
      {"b_delete_yes", DeletePlayerAnswered},
      {"b_delete_no", GoTo(ScreenDeletePlayer, ScreenChangePlayer)},
      {"b_entername_create", CreatePlayerFromName},
      {"b_options_back", GoTo(ScreenOptions, ScreenMainMenu)},
      {"b_options_graphics", GoTo(ScreenOptions, ScreenGraphics)},
      {"b_options_sound", GoTo(ScreenOptions, ScreenSound)},
      {"b_options_controls", GoTo(ScreenOptions, ScreenControls)},
      {"b_options_language", ChooseNextLanguage},
      {"b_sound_back", GoTo(ScreenSound, ScreenOptions)},
      {"b_sound_musicmin", [](TScreenContext& f) { StepMusicVolume(f, -1); }},
      {"b_sound_musicmax", [](TScreenContext& f) { StepMusicVolume(f, 1); }},
      {"b_sound_fxmax", [](TScreenContext& f) { StepFxVolume(f, 1); }},
      {"b_sound_fxmin", [](TScreenContext& f) { StepFxVolume(f, -1); }},
      {"b_graphics_back", GoTo(ScreenGraphics, ScreenOptions)},
      {"b_fullscreen", ToggleFullScreen},
      {"b_antialias", ToggleAntialias},
      {"b_controls_back", GoTo(ScreenControls, ScreenOptions)},
      {"b_controls_default", DefaultControls},
      {"b_exitmm_yes", EndGameFromPlay},
      {"b_exitmm_no", ResumeFromExitToMenu},
      {"b_choosedif_back", GoTo(ScreenChooseDifficulty, ScreenMainMenu)},
      {"b_choosedif_easy", ChooseDifficulty(0)},
      {"b_choosedif_medium", ChooseDifficulty(1)},
      {"b_choosedif_hard", ChooseDifficulty(2)},
      {"b_yourscore_next", GoTo(ScreenYourScore, ScreenCountry)},
      {"b_sendscore_yes", [](TScreenContext& c) { AnswerSendScore(c, true); }},
      {"b_sendscore_no", [](TScreenContext& c) { AnswerSendScore(c, false); }},
      {"b_stagecomplete_next", NextStage},
      {"b_ycountry_next", GoTo(ScreenCountry, ScreenSendScore)},
      {"b_speech_skip", EndScene},
      {"b_speech_next", ContinueScene},
      {"b_highscore_view", ViewOnlineScores},
      {"b_share_subscribe", OpenWebsiteLink},
      {"b_share_tellafriend", OpenWebsiteLink},
      {"b_share_exit", [](TScreenContext& c) { c.Close(); }},
  };
  for (const auto& [name, action] : buttons) {
    TGuiControl* control = ctx.GuiBase.FindControl(name);
    if (control == nullptr) continue;
    control->OnClick = [&ctx, action](TGuiControl&) { action(ctx); };
  }
}

}  // namespace zb
