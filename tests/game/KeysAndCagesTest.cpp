#include "game/KeysAndCages.h"

#include <vector>

#include "tests/game/PlayfieldFixture.h"

namespace zb {
namespace {

using KeysAndCagesTest = PlayfieldTest;

TEST_F(KeysAndCagesTest, KeyImageNames) {
  EXPECT_EQ(KeyImageName(0), "keyblanc");
  EXPECT_EQ(KeyImageName(11), "k1el1");
  EXPECT_EQ(KeyImageName(45), "k4el5");
  EXPECT_EQ(KeyImageName(46), "keyblanc");
  EXPECT_EQ(KeyImageName(50), "keyblanc");
  EXPECT_EQ(KeyImageName(-11), "keyblanc");
}

TEST_F(KeysAndCagesTest, LevelTwoIndicatorTakesTheSecondPart) {
  TGameState& game = Game();
  game.LevelNumber = 2;
  SetupLevelKeys(Play());
  ASSERT_NE(game.KeyImage, nullptr);
  EXPECT_EQ(game.KeyImage->ImageName, "k1el1");
  EXPECT_EQ(game.KeyImage->KeyImageNumber, 11);
  EXPECT_EQ(game.KeyImage->Name, "keyimage");
  EXPECT_EQ(game.KeyImage->Z(), 720);
  EXPECT_TRUE(game.LevelDropsKeyPart);
  EXPECT_EQ(game.KeyPartKind, 12);
  EXPECT_FALSE(game.KeyComplete);
  EXPECT_EQ(game.Cage, nullptr);
  EXPECT_FALSE(game.StoryBeforeLevel);
  EXPECT_FALSE(game.StoryAfterLevel);

  // The last brick's part flies from the brick to the panel, speeding up.
  TKeyPart& part = Engine().Create<TKeyPart>(Play(), 500.0f, 300.0f, game.KeyPartKind);
  EXPECT_EQ(part.ImageName, "k1el2");
  SpriteRef<TKeyPart> ref(part);
  int ticks = 0;
  while (ref && ticks < 1000) {
    Tick();
    ++ticks;
  }
  EXPECT_FALSE(ref);
  EXPECT_GT(ticks, 50);
  EXPECT_LT(ticks, 150);
  EXPECT_EQ(game.KeyImageFrame, 14);
  ASSERT_NE(game.KeyImage, nullptr);
  EXPECT_EQ(game.KeyImage->ImageName, "k1el4");
  EXPECT_EQ(game.KeyImage->KeyImageNumber, 14);
}

TEST_F(KeysAndCagesTest, CageLevelKeyFliesToTheCageAndTheDoorOpens) {
  TGameState& game = Game();
  game.LevelNumber = 4;
  SetupLevelKeys(Play());
  ASSERT_NE(game.Cage, nullptr);
  ASSERT_NE(game.KeyImage, nullptr);
  EXPECT_TRUE(game.KeyComplete);
  EXPECT_FALSE(game.LevelDropsKeyPart);
  EXPECT_TRUE(game.StoryAfterLevel);
  EXPECT_EQ(game.SpeechAfterLevel, 2);
  EXPECT_EQ(game.KeyImage->ImageName, "k1el5");
  TCage& cage = *game.Cage;
  EXPECT_EQ(cage.X, 400.0f);
  EXPECT_EQ(cage.Y, 50.0f);
  ASSERT_NE(cage.Animal, nullptr);
  EXPECT_EQ(cage.Animal->X, 436.0f);
  EXPECT_EQ(cage.Animal->Y, 100.0f);
  EXPECT_FALSE(cage.Animal->Visible);

  game.KeyImage->StartFlight();
  SpriteRef<TKeyImage> key(game.KeyImage);
  int ticks = 0;
  while (key && ticks < 1000) {
    Tick();
    ++ticks;
  }
  EXPECT_FALSE(key);
  EXPECT_EQ(game.KeyImage, nullptr);
  EXPECT_TRUE(cage.Opening);

  // Eight steps of five drawn frames, with the shift of each door frame.
  std::vector<int> frames;
  for (int i = 0; i < 45; ++i) {
    cage.StepDoor();
    if (i % 5 == 4) frames.push_back(cage.DoorFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 8}));
  EXPECT_EQ(cage.DoorShift, -47);

  // The animal dies with its cage.
  SpriteRef<TAnimal> animal(cage.Animal);
  cage.Kill();
  Tick();
  EXPECT_FALSE(animal);
  EXPECT_EQ(game.Cage, nullptr);
}

TEST_F(KeysAndCagesTest, AnimalBlinksEveryHundredTicksForTen) {
  TGameState& game = Game();
  game.LevelNumber = 11;
  SetupLevelKeys(Play());
  ASSERT_NE(game.Cage, nullptr);
  TAnimal& lion = *game.Cage->Animal;
  EXPECT_EQ(lion.ImageName, "lion");
  EXPECT_EQ(lion.BlinkImage, "lion_1");
  EXPECT_EQ(lion.PartOffsetX, 22);
  EXPECT_GE(lion.PartLimit, 10);
  EXPECT_LT(lion.PartLimit, 40);
  Tick(98);
  EXPECT_FALSE(lion.BlinkOn);
  Tick();
  EXPECT_TRUE(lion.BlinkOn);
  Tick(9);
  EXPECT_TRUE(lion.BlinkOn);
  Tick();
  EXPECT_FALSE(lion.BlinkOn);
  // Part flips come 40..69 ticks apart after the first.
  EXPECT_GE(lion.PartLimit, 40);
  EXPECT_LT(lion.PartLimit, 70);
}

}  // namespace
}  // namespace zb
