#pragma once

#include <cstdint>
#include <string_view>

namespace zb {

class TForm1;

enum ScreenId : uint8_t {
  ScreenExitToMenu = 0,
  ScreenEnterName = 1,
  ScreenLogo = 3,
  ScreenMainMenu = 4,
  ScreenHelp = 6,
  ScreenOptions = 7,
  ScreenHighScore = 8,
  ScreenClearScores = 9,
  ScreenExitGame = 10,
  ScreenGame = 12,
  ScreenGameOver = 13,
  ScreenChooseDifficulty = 14,
  ScreenStageComplete = 15,
  ScreenPause = 17,
  ScreenCreatePlayer = 18,
  ScreenChangePlayer = 19,
  ScreenDeletePlayer = 20,
  ScreenYourScore = 22,
  ScreenSendScore = 23,
  ScreenLifeLost = 24,
  ScreenSound = 25,
  ScreenGraphics = 26,
  ScreenControls = 27,
  ScreenLevelStart = 28,
  ScreenSpeech = 29,
  ScreenEndGame = 30,
  ScreenCountry = 31,
  ScreenShare = 32,
};

// Whether a number names a screen (2, 5, 11, 16 and 21 do not).
bool IsScreen(uint8_t number);

// The three steps of a screen; a number that names no screen does nothing.
void ProcessScreen(TForm1& form, uint8_t number);
void EnterScreen(TForm1& form, uint8_t number);
void LeaveScreen(TForm1& form, uint8_t number);

// The end of almost every process step: render, update the GUI, present.
void RenderAndPresent(TForm1& form);

// The GUI form of a screen ("scr_..."), or null for a screen without one.
const char* ScreenFormName(uint8_t number);
// Form enter: the screen becomes current and its form shows on top.
void FormEnter(TForm1& form, uint8_t number);
// Form leave: the screen's form hides behind the others.
void FormLeave(TForm1& form, uint8_t number);
// Menu process: Escape runs the named button's action (none when empty), the background
// "back" goes under the frame, then render, GUI update, present.
void MenuProcess(TForm1& form, std::string_view escapeButton);
// The menu background alone, drawn under the next render.
void DrawMenuBackground(TForm1& form);
// The click sound, then from one screen to another.
void Go(TForm1& form, uint8_t from, uint8_t to);
// Runs the click action attached to a control, as a click on it would.
void RunButton(TForm1& form, std::string_view name);

}  // namespace zb
