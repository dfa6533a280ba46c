#pragma once

#include <cstdint>

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

}  // namespace zb
