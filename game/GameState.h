#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/GfxSprite.h"
#include "engine/XParticles.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/LevelFile.h"
#include "game/Random.h"

namespace zb {

// Sprites and particle systems the record points to. They belong to the sprite engine and
// the particle manager; the record never owns them. Balls, bat and the story sprites are checked
// references; the other pointers are cleared by their sprites when they go.
class TBonusImage;
class TCage;
class TKeyImage;
class TLeaf;
class TLevelTitle;
class TPlayerPula;
class TSprite;

inline constexpr int kMaxBalls = 3;

// Everything of a game in progress. Fields are not cleared at start-up: the new-game step and
// the level start set what they need.
struct TGameState {
  int32_t ScreenTicks = 0;
  int32_t LevelNumber = 1;
  uint8_t Difficulty = 0;  // 0 easy, 1 medium, 2 hard
  int32_t Lives = 3;
  int32_t Score = 0;  // working score of the running level

  std::array<SpriteRef<TBall>, kMaxBalls> Balls{};
  int32_t BallCount = 0;
  SpriteRef<TBita> Bita;
  int32_t BlocksLeft = 0;
  bool LevelCleared = false;
  bool LifeLostFlag = false;
  bool GameOverFlag = false;
  int32_t StallTicks = 0;  // ticks of play since a ball last touched the bat or a breakable brick

  // LastColumn, LastRow, OffsetX, OffsetY, LevelWord4 and the three grids; kept between levels.
  LevelImage Level;
  // A level of the player's own is played instead of the game's level file: no story, no keys, no cage.
  bool OwnLevel = false;
  LevelImage OwnLevelImage;

  // Checked references: the particle manager frees a system once it has stopped and faded.
  std::array<TXParticleRef, 5> WaterfallSystems{};
  int32_t WaterfallCount = 0;
  std::array<TXParticleRef, 9> FireSystems{};
  std::array<bool, 9> FireOn{};
  TBonusImage* BonusImage = nullptr;
  bool BonusImageShown = false;
  int32_t BonusTimeLeft = 0;  // 100 ms steps
  int32_t BonusDuration = 0;
  double BonusChance = 0.5;
  int32_t BonusesFalling = 0;
  int32_t MaxBonusesFalling = 1;
  bool BananaMode = false;
  std::vector<SpriteRef<TPlayerPula>> Bananas;  // the thrown bananas, in the order thrown
  int32_t ThrowCooldown = 0;
  int32_t ThrowCooldownTicks = 40;

  std::array<TLeaf*, 6> Leaves{};
  TLevelTitle* LevelTitle = nullptr;
  SpriteRef<> Hunter;
  SpriteRef<> Monkey;
  SpriteRef<> Cloud;
  SpriteRef<> PressAnyKey;
  bool StoryBeforeLevel = false;
  bool StoryAfterLevel = false;
  int32_t SpeechBeforeLevel = 0;
  int32_t SpeechAfterLevel = 0;
  int32_t SpeechScene = 0;
  int32_t SpeechLine = 0;
  bool SpeechTextShown = false;
  bool SpeechWaiting = false;
  TCage* Cage = nullptr;
  TKeyImage* KeyImage = nullptr;
  int32_t KeyImageFrame = 0;
  bool LevelDropsKeyPart = false;
  int32_t KeyPartKind = 0;
  bool KeyComplete = false;

  // The carried score in its encoded form; the HUD shows it and levels hand it on.
  std::string ShownScore;

  // Play's own draws: a ball's start, the bonuses, the split of three balls.
  TRandom Random;
  // Draws that only change the look (a leaf's sway, a mouth, a blink, the fireworks), so that a
  // game that draws nothing, or draws differently, is the same game.
  TRandom LookRandom{0x4C4F4F4Bu};
  // The bonus clock: it runs from the first level's start to game over, and every tenth tick is
  // one of its 100 ms steps.
  bool ClockRunning = false;
  int32_t ClockTicks = 0;

  void SetShownScore(int32_t value);
  int32_t GetShownScore() const;
  // One step of the HUD's count-up of the shown value towards `Score`.
  void CountUpShownScore();
};

}  // namespace zb
