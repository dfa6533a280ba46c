#include "screens/ScreenTable.h"

#include <algorithm>
#include <array>

#include "screens/ClosingScreens.h"
#include "screens/DemoScreen.h"
#include "screens/EditorScreen.h"
#include "screens/GameScreen.h"
#include "screens/MenuScreens.h"
#include "screens/OwnLevelsScreen.h"
#include "screens/PlayScreens.h"
#include "screens/PlayerScreens.h"
#include "screens/SpeechScreen.h"
#include "screens/StageScreens.h"

namespace zb {
namespace {

using P = RenderPass;

constexpr std::array kScreen0 = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::CursorMove, P::Gui,
                                 P::ParticleUpdate, P::CountUpScore, P::Hud, P::CursorDraw};
constexpr std::array kMainMenu = {P::BackImageBlended, P::Collisions, P::RemoveDead, P::DrawSprites,
                                  P::MoveSprites, P::Gui, P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};
constexpr std::array kMenu = {P::BackImageBlended, P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites,
                              P::Gui, P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};
constexpr std::array kPlay = {P::RemoveDead, P::DrawSprites, P::MoveSprites, P::ParticleUpdate, P::CountUpScore,
                              P::Hud, P::ParticlesOfPlay};
constexpr std::array kGameOver = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::MoveSprites, P::Gui,
                                  P::ParticleUpdate, P::CountUpScore, P::Hud, P::ParticlesOfPlay};
constexpr std::array kStageComplete = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::MoveSprites,
                                       P::Gui, P::ParticleUpdate, P::CountUpScore, P::Hud,
                                       P::ParticlesOfPlayNoTail, P::CursorDrawIfVisible};
constexpr std::array kPause = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::CursorMove, P::Gui,
                               P::ParticleUpdate, P::CountUpScore, P::Hud, P::PauseText, P::CursorDraw};
constexpr std::array kFinalOfEnd = {P::EndGameImage, P::Gui, P::CursorMove, P::ParticleUpdate, P::CursorDraw,
                                    P::ParticlesSalut};
constexpr std::array kFinal = {P::BackGameImage, P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing,
                               P::MoveSprites, P::Gui, P::ParticleUpdate, P::CountUpScore, P::Hud, P::CursorDraw};
constexpr std::array kLifeLost = {P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites, P::ParticleUpdate,
                                  P::CountUpScore, P::Hud, P::ParticlesOfPlay};
constexpr std::array kSpeech = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::MoveSprites, P::Gui,
                                P::ParticleUpdate, P::CountUpScore, P::Hud, P::SpeechText,
                                P::ParticlesOfPlayNoTail, P::CursorMove, P::ParticleUpdate, P::CursorDraw};
constexpr std::array kEndGame = {P::EndGameImage, P::CursorMove, P::ParticleUpdate, P::CursorDraw,
                                 P::ParticlesSalut};
constexpr std::array kShare = {P::MoveSprites, P::ParticleUpdate, P::ShareUpdate, P::ShareDraw, P::CursorDraw};
constexpr std::array kLogo = {P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites, P::Gui,
                              P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};
// The palette lies on the editor's board: the grid is drawn over the GUI.
constexpr std::array kEditor = {P::RemoveDead, P::DrawSprites, P::MoveSprites, P::ParticleUpdate,
                                P::ParticlesOfPlay, P::Gui, P::EditorGrid, P::CursorMove, P::CursorDraw};

// A menu that Escape leaves by one of its buttons and the close box leaves for the quit question.
constexpr TScreenRow Menu(uint8_t number, std::string_view name, std::string_view form, std::string_view escape,
                          TScreenStep enter = nullptr, TScreenStep leave = nullptr) {
  return {.Number = number, .Name = name, .Form = form, .Enter = enter, .Leave = leave, .Passes = kMenu,
          .Close = CloseRule::AskToQuit, .EscapeButton = escape};
}

const std::array kRows = {
    TScreenRow{.Number = ScreenExitToMenu, .Name = "ExitToMenu", .Form = "scr_exittomm",
               .Enter = EnterExitToMenuScreen, .Process = ProcessExitToMenuScreen, .Leave = LeaveExitToMenuScreen,
               .Passes = kScreen0, .Phase = PlayPhase::Paused},
    TScreenRow{.Number = ScreenEnterName, .Name = "EnterName", .Form = "scr_entername",
               .Enter = EnterEnterNameScreen, .Process = ProcessEnterNameScreen, .Passes = kMenu},
    TScreenRow{.Number = ScreenLogo, .Name = "Logo", .Enter = EnterLogoScreen, .Process = ProcessLogoScreen,
               .Settle = SettleLogoScreen, .Leave = LeaveLogoScreen, .Passes = kLogo,
               .Presents = Present::WithoutGui, .MenusTakeInput = false},
    TScreenRow{.Number = ScreenMainMenu, .Name = "MainMenu", .Form = "scr_mainmenu", .Enter = EnterMainMenuScreen,
               .Process = CountMainMenuIdle, .Passes = kMainMenu, .Close = CloseRule::AskToQuit, .EscapeButton = "b_mainmenu_exit"},
    Menu(ScreenHelp, "Help", "scr_help", "b_help_back", EnterHelpScreen),
    Menu(ScreenOptions, "Options", "scr_options", "b_options_back", nullptr, LeaveOptionsScreen),
    Menu(ScreenHighScore, "HighScore", "scr_highscore", "b_highscore_back", EnterHighScoreScreen),
    Menu(ScreenClearScores, "ClearScores", "scr_clear", "b_clear_no"),
    TScreenRow{.Number = ScreenExitGame, .Name = "ExitGame", .Form = "scr_exitgame", .Passes = kMenu,
               .EscapeButton = "b_exit_no"},
    TScreenRow{.Number = ScreenGame, .Name = "Game", .Enter = EnterGameScreen, .Settle = SettleGameScreen,
               .Leave = LeaveGameScreen, .Passes = kPlay, .Phase = PlayPhase::Playing, .MenusTakeInput = false,
               .Close = CloseRule::AskToLeavePlay, .PausesWhenHidden = true, .ClockStep = GameClockStep},
    TScreenRow{.Number = ScreenGameOver, .Name = "GameOver", .Form = "scr_gameover", .Enter = EnterGameOverScreen,
               .Process = ProcessGameOverScreen, .Settle = SettleGameOverScreen, .Passes = kGameOver},
    Menu(ScreenChooseDifficulty, "ChooseDifficulty", "scr_choosedif", "b_choosedif_back"),
    TScreenRow{.Number = ScreenStageComplete, .Name = "StageComplete", .Form = "scr_stagecomplete",
               .Enter = EnterStageCompleteScreen, .Process = ProcessStageCompleteScreen,
               .Settle = SettleStageCompleteScreen, .Leave = LeaveStageCompleteScreen, .Passes = kStageComplete,
               .Phase = PlayPhase::StageComplete},
    TScreenRow{.Number = ScreenPause, .Name = "Pause", .Enter = EnterPauseScreen, .Settle = SettlePauseScreen,
               .Leave = LeavePauseScreen, .Passes = kPause, .Phase = PlayPhase::Paused, .MenusTakeInput = false,
               .Close = CloseRule::UnpauseAndAsk},
    TScreenRow{.Number = ScreenCreatePlayer, .Name = "CreatePlayer", .Form = "scr_create",
               .Enter = EnterCreatePlayerScreen, .Process = ProcessCreatePlayerScreen, .Passes = kMenu},
    TScreenRow{.Number = ScreenChangePlayer, .Name = "ChangePlayer", .Form = "scr_change",
               .Enter = EnterChangePlayerScreen, .Process = ProcessChangePlayerScreen,
               .Leave = LeaveChangePlayerScreen, .Passes = kMenu, .Close = CloseRule::AskToQuit},
    Menu(ScreenDeletePlayer, "DeletePlayer", "scr_delete", "b_delete_no", EnterDeletePlayerScreen),
    TScreenRow{.Number = ScreenYourScore, .Name = "YourScore", .Form = "scr_yourscoreis",
               .Enter = EnterYourScoreScreen, .Process = ProcessYourScoreScreen, .Passes = kFinal,
               .PassesOfEnd = kFinalOfEnd},
    TScreenRow{.Number = ScreenSendScore, .Name = "SendScore", .Form = "scr_sendscore",
               .Enter = EnterSendScoreScreen, .Passes = kFinal, .PassesOfEnd = kFinalOfEnd,
               .EscapeButton = "b_sendscore_no"},
    TScreenRow{.Number = ScreenLifeLost, .Name = "LifeLost", .Settle = SettleLifeLostScreen, .Passes = kLifeLost,
               .Phase = PlayPhase::LifeLost, .MenusTakeInput = false},
    Menu(ScreenSound, "Sound", "scr_sound", "b_sound_back", EnterSoundScreen),
    Menu(ScreenGraphics, "Graphics", "scr_graphics", "b_graphics_back", EnterGraphicsScreen),
    Menu(ScreenControls, "Controls", "scr_controls", "b_controls_back", EnterControlsScreen, LeaveControlsScreen),
    TScreenRow{.Number = ScreenLevelStart, .Name = "LevelStart", .Enter = EnterLevelStartScreen,
               .Settle = SettleLevelStartScreen, .Leave = LeaveLevelStartScreen, .Passes = kPlay,
               .Presents = Present::WithoutGui, .Phase = PlayPhase::LevelStart, .MenusTakeInput = false},
    TScreenRow{.Number = ScreenSpeech, .Name = "Speech", .Form = "scr_speech", .Enter = EnterSpeechScreen,
               .Process = ProcessSpeechScreen, .Settle = SettleSpeechScreen, .Leave = LeaveSpeechScreen,
               .Passes = kSpeech, .Phase = PlayPhase::Speech},
    TScreenRow{.Number = ScreenEndGame, .Name = "EndGame", .Enter = EnterEndGameScreen,
               .Process = ProcessEndGameScreen, .Leave = LeaveEndGameScreen, .Passes = kEndGame},
    TScreenRow{.Number = ScreenCountry, .Name = "Country", .Form = "scr_ycountry", .Enter = EnterCountryScreen,
               .Process = ProcessCountryScreen, .Leave = LeaveCountryScreen, .Passes = kFinal,
               .PassesOfEnd = kFinalOfEnd},
    TScreenRow{.Number = ScreenShare, .Name = "Share", .Enter = EnterShareScreen, .Settle = SettleShareScreen,
               .Passes = kShare, .MenusTakeInput = false,
               .Close = CloseRule::WhenPageAllows, .SideTimer = ShareSideTimer, .PointerDown = SharePointerDown},
    TScreenRow{.Number = ScreenDemo, .Name = "Demo", .Enter = EnterDemoScreen, .Process = ProcessDemoScreen,
               .Settle = SettleDemoScreen, .Leave = LeaveDemoScreen, .Passes = kPlay, .Phase = PlayPhase::LevelStart,
               .MenusTakeInput = false, .Close = CloseRule::AskToQuit, .ClockStep = DemoClockStep},
    TScreenRow{.Number = ScreenEditor, .Name = "Editor", .Form = "scr_editor", .Enter = EnterEditorScreen,
               .Leave = LeaveEditorScreen, .Passes = kEditor, .MenusTakeInput = false, .Close = CloseRule::AskToQuit,
               .EscapeButton = "b_editor_back", .WindowEvent = EditorWindowEvent},
    TScreenRow{.Number = ScreenOwnLevels, .Name = "OwnLevels", .Form = "scr_ownlevels", .Enter = EnterOwnLevelsScreen,
               .Process = ProcessOwnLevelsScreen, .Leave = LeaveOwnLevelsScreen, .Passes = kMenu,
               .Close = CloseRule::AskToQuit, .EscapeButton = "b_ownsets_back"},
};

}  // namespace

bool DrawsOnly(RenderPass pass) {
  switch (pass) {
    case P::Collisions:
    case P::RemoveDead:
    case P::MoveSprites:
    case P::ParticleUpdate:
    case P::CountUpScore:
    case P::CursorMove:
    case P::ShareUpdate: return false;
    default: return true;
  }
}

const TScreenRow* FindScreen(uint8_t number) {
  const uint8_t index = ScreenIndex(number);
  const auto row = std::ranges::find(kRows, index, &TScreenRow::Number);
  return row != kRows.end() ? &*row : nullptr;
}

std::span<const TScreenRow> ScreenRows() { return kRows; }

std::span<const RenderPass> PassesOf(const TScreenRow& row, bool gameFinished) {
  return gameFinished && !row.PassesOfEnd.empty() ? row.PassesOfEnd : row.Passes;
}

}  // namespace zb
