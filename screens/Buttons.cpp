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
#include "screens/EditorScreen.h"
#include "screens/OwnLevelsScreen.h"
#include "screens/LanguageSwitch.h"

namespace zb {
namespace {

using Action = std::function<void(TScreenContext&)>;

// The buttons that only lead from one screen to another.
constexpr TButtonRoute kRoutes[] = {
    {"b_mainmenu_options", ScreenMainMenu, ScreenOptions},
    {"b_mainmenu_help", ScreenMainMenu, ScreenHelp},
    {"b_mainmenu_exit", ScreenMainMenu, ScreenExitGame},
    {"b_mainmenu_presshere", ScreenMainMenu, ScreenChangePlayer},
    {"b_exit_no", ScreenExitGame, ScreenMainMenu},
    {"b_help_back", ScreenHelp, ScreenMainMenu},
    {"b_highscore_back", ScreenHighScore, ScreenMainMenu},
    {"b_highscore_clear", ScreenHighScore, ScreenClearScores},
    {"b_clear_no", ScreenClearScores, ScreenHighScore},
    {"b_change_back", ScreenChangePlayer, ScreenMainMenu},
    {"b_change_delete", ScreenChangePlayer, ScreenDeletePlayer},
    {"b_change_create", ScreenChangePlayer, ScreenCreatePlayer},
    {"b_delete_no", ScreenDeletePlayer, ScreenChangePlayer},
    {"b_options_back", ScreenOptions, ScreenMainMenu},
    {"b_options_graphics", ScreenOptions, ScreenGraphics},
    {"b_options_sound", ScreenOptions, ScreenSound},
    {"b_options_controls", ScreenOptions, ScreenControls},
    {"b_sound_back", ScreenSound, ScreenOptions},
    {"b_graphics_back", ScreenGraphics, ScreenOptions},
    {"b_controls_back", ScreenControls, ScreenOptions},
    {"b_choosedif_back", ScreenChooseDifficulty, ScreenMainMenu},
    {"b_mainmenu_editor", ScreenMainMenu, ScreenEditor},
    {"b_mainmenu_ownlevels", ScreenMainMenu, ScreenOwnLevels},
    {"b_editor_back", ScreenEditor, ScreenMainMenu},
    {"b_ownsets_back", ScreenOwnLevels, ScreenMainMenu},
    {"b_ycountry_next", ScreenCountry, ScreenSendScore},
};

Action ChooseDifficulty(uint8_t difficulty) {
  return [difficulty](TScreenContext& ctx) {
    ctx.Game.Difficulty = difficulty;
    BeginRecordedGame(ctx);
    MusicOnDifficultyChosen(ctx.Sound);
    Go(ctx, ScreenChooseDifficulty, ScreenGame);
  };
}

void StartGame(TScreenContext& ctx) {
  ctx.State.Own.Active = false;
  ctx.State.Editor.TestPlaying = false;
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
      {"b_mainmenu_continue", ContinueFromMenu},
      {"b_mainmenu_highscore", ShowHighScores},
      {"b_mainmenu_logo", OpenWebsiteLink},
      {"b_exit_yes", QuitGame},
      {"b_help_previous", [](TScreenContext& f) { TurnHelpPage(f, -1); }},
      {"b_help_next", [](TScreenContext& f) { TurnHelpPage(f, 1); }},
      {"b_highscore_easy", [](TScreenContext& f) { ShowHighScoreTab(f, 0); }},
      {"b_highscore_medium", [](TScreenContext& f) { ShowHighScoreTab(f, 1); }},
      {"b_highscore_hard", [](TScreenContext& f) { ShowHighScoreTab(f, 2); }},
      {"b_clear_yes", ClearHighScores},
      {"b_create_create", CreatePlayerFromList},
      {"b_delete_yes", DeletePlayerAnswered},
      {"b_entername_create", CreatePlayerFromName},
      {"b_options_language", ChooseNextLanguage},
      {"b_sound_musicmin", [](TScreenContext& f) { StepMusicVolume(f, -1); }},
      {"b_sound_musicmax", [](TScreenContext& f) { StepMusicVolume(f, 1); }},
      {"b_sound_fxmax", [](TScreenContext& f) { StepFxVolume(f, 1); }},
      {"b_sound_fxmin", [](TScreenContext& f) { StepFxVolume(f, -1); }},
      {"b_fullscreen", ToggleFullScreen},
      {"b_antialias", ToggleAntialias},
      {"b_controls_default", DefaultControls},
      {"b_exitmm_yes", EndGameFromPlay},
      {"b_exitmm_no", ResumeFromExitToMenu},
      {"b_choosedif_easy", ChooseDifficulty(0)},
      {"b_choosedif_medium", ChooseDifficulty(1)},
      {"b_choosedif_hard", ChooseDifficulty(2)},
      {"b_sendscore_yes", [](TScreenContext& c) { AnswerSendScore(c, true); }},
      {"b_sendscore_no", [](TScreenContext& c) { AnswerSendScore(c, false); }},
      {"b_stagecomplete_next", NextStage},
      {"b_speech_skip", EndScene},
      {"b_speech_next", ContinueScene},
      {"b_highscore_view", ViewOnlineScores},
      {"b_share_subscribe", OpenWebsiteLink},
      {"b_share_tellafriend", OpenWebsiteLink},
      {"b_share_exit", [](TScreenContext& c) { c.Close(); }},
      {"b_yourscore_next", YourScoreNext},
      {"b_editor_test", TestPlayEditorLevel},
      {"b_editor_save", SaveEditorLevel},
      {"b_editor_undo", UndoEdit},
      {"b_editor_redo", RedoEdit},
      {"b_editor_difficulty", StepEditorDifficulty},
      {"b_ownsets_play", PlayOwnSet},
      {"b_ownsets_rename", RenameOwnSet},
      {"b_ownsets_delete", DeleteOwnSet},
  };
  for (const auto& [name, action] : buttons) {
    TGuiControl* control = ctx.GuiBase.FindControl(name);
    if (control == nullptr) continue;
    control->OnClick = [&ctx, action, name](TGuiControl&) {
      ctx.Recorder.NoteButton(name);
      action(ctx);
    };
  }
  for (const TButtonRoute& route : kRoutes) {
    TGuiControl* control = ctx.GuiBase.FindControl(route.Button);
    if (control == nullptr) continue;
    control->OnClick = [&ctx, route](TGuiControl&) {
      ctx.Recorder.NoteButton(route.Button);
      Go(ctx, route.From, route.To);
    };
  }
}

std::span<const TButtonRoute> ButtonRoutes() { return kRoutes; }

}  // namespace zb
