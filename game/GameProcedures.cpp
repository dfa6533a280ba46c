#include "game/GameProcedures.h"

#include <algorithm>
#include <vector>

#include "game/PlayContext.h"
#include "game/BonusImage.h"
#include "game/BonusRules.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Blocks.h"
#include "game/KeysAndCages.h"
#include "game/Scenery.h"

namespace zb {

void CreateBlocksFromGrid(TPlayContext& play) {
  const LevelImage& level = play.Game.Level;
  // The loader refuses a grid past 41 x 41; the bounds stay here too so no cell is read outside it.
  const int lastColumn = std::min(level.LastColumn(), kLevelGridSize - 1);
  const int lastRow = std::min(level.LastRow(), kLevelGridSize - 1);
  for (int c = 0; c <= lastColumn; ++c) {
    for (int r = 0; r <= lastRow; ++r) {
      const int32_t v = level.BlockGrid(c, r);
      if (v <= 0) continue;
      // The offsets are the file's: summed in float, an extreme one cannot overflow an int.
      const float x = 172.0f + static_cast<float>(level.OffsetX()) + 37.0f * static_cast<float>(c);
      const float y = static_cast<float>(level.OffsetY()) + 20.0f * static_cast<float>(r);
      TBlock::Create(play.Engine, play, x, y, v - 1);
    }
  }
}

LevelLoadResult BuildLevel(TPlayContext& play, const std::filesystem::path& gameFolder) {
  TGameState& game = play.Game;
  TSpriteEngine& engine = play.Engine;
  // 1. The bat and the first ball, which rides on it unseen until the monkey has jumped in.
  game.Bita = &engine.Create<TBita>(play, 440.0f, 530.0f);
  TBall& ball = engine.Create<TBall>(play, false, false, 480.0f, 518.0f, 0);
  game.Balls[0] = &ball;
  ball.OnBat = true;
  ball.Visible = false;
  if (TShadow* shadow = ball.Shadow.Get()) shadow->Visible = false;
  // 2. Scenery.
  CreateLeaves(engine, play);
  engine.Create<TBack>(play);
  for (float x : {-600.0f, 200.0f, 1000.0f}) engine.Create<TSky>(x);
  engine.Create<TPanel>();
  // 3-4. The bricks of the level file.
  game.BlocksLeft = 0;
  const std::string name = LevelFileName(game.LevelNumber);
  LevelLoadResult loaded;
  if (game.OwnLevel) {
    loaded.error = WhyUnwinnable(game.OwnLevelImage);
    loaded.ok = loaded.error.empty();
    if (loaded.ok) {
      game.Level = game.OwnLevelImage;
    } else {
      loaded.error = "The level cannot be played: " + loaded.error;
    }
  } else if (name.empty()) {
    loaded.error = "Level " + std::to_string(game.LevelNumber) + " has no level file";
  } else {
    loaded = LoadLevelFile(gameFolder / name, game.Level);
  }
  if (!loaded.ok) return loaded;
  CreateBlocksFromGrid(play);
  // 5. The bonus and play state.
  game.BonusChance = 0.5;
  game.BonusImageShown = false;
  game.BonusTimeLeft = 0;
  game.Score = 0;
  game.BonusDuration = 0;
  game.FireOn.fill(false);
  game.MaxBonusesFalling = 1;
  game.BonusesFalling = 0;
  game.BananaMode = false;
  game.ThrowCooldown = 0;
  game.ThrowCooldownTicks = 40;
  game.LifeLostFlag = false;
  game.GameOverFlag = false;
  game.LevelCleared = false;
  // 6. Keys, key part and cage.
  SetupLevelKeys(play);
  // 7. The score carried over from the levels before.
  game.Score = game.GetShownScore();
  return loaded;
}

void TearDownLevel(TPlayContext& play) {
  TGameState& game = play.Game;
  TSpriteEngine& engine = play.Engine;
  for (int i = 0; i < engine.Count(); ++i) {
    TSprite* sprite = engine.SpriteAt(i);
    if (sprite != nullptr && sprite->Name != "cursor" && sprite->Name != "ball") sprite->Kill();
  }
  game.Bita = nullptr;
  std::vector<TBall*> balls;
  for (const SpriteRef<TBall>& ball : game.Balls) {
    if (TBall* live = ball.Get()) balls.push_back(live);
  }
  for (TBall* ball : balls) ball->Kill();
  for (SpriteRef<TBall>& ball : game.Balls) ball.Reset();
  for (int i = 0; i < game.WaterfallCount && i < static_cast<int>(game.WaterfallSystems.size()); ++i) {
    game.WaterfallSystems[static_cast<size_t>(i)].StopEmitting(true);
  }
  for (int i = 0; i < kFlameCount; ++i) {
    if (game.FireOn[static_cast<size_t>(i)]) PutOutFlame(play, i, true);
  }
  engine.RemoveDead();
}

int32_t ChooseBonusKind(TPlayContext& play) {
  TGameState& game = play.Game;
  return BonusKindForDraw(game.Random.Next(1800), game.Difficulty, game.Lives);
}

}  // namespace zb
