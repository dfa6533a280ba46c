#pragma once

#include <cstdint>

namespace zb {

// The numbered screens. 2, 5, 11, 16, 21 and 33..39 name no screen.
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
  ScreenDemo = 33,
  ScreenEditor = 40,     // the level editor
  ScreenOwnLevels = 41,  // the player's own level sets
};


}  // namespace zb
