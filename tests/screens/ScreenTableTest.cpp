#include "screens/ScreenTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "game/PlayCore.h"
#include "screens/Buttons.h"

namespace zb {
namespace {

using P = RenderPass;

std::vector<P> Passes(uint8_t screen, bool finished = false) {
  const TScreenRow* row = FindScreen(screen);
  if (row == nullptr) return {};
  const auto span = PassesOf(*row, finished);
  return {span.begin(), span.end()};
}

std::vector<PlayStep> StateSteps(uint8_t screen) {
  std::vector<PlayStep> steps;
  for (const P pass : Passes(screen)) {
    switch (pass) {
      case P::Collisions: steps.push_back(PlayStep::Collide); break;
      case P::RemoveDead: steps.push_back(PlayStep::RemoveDead); break;
      case P::MoveSprites: steps.push_back(PlayStep::Move); break;
      case P::ParticleUpdate: steps.push_back(PlayStep::Particles); break;
      case P::CountUpScore: steps.push_back(PlayStep::CountUpScore); break;
      default: break;
    }
  }
  return steps;
}

TEST(ScreenTable, EveryNumberedScreenHasOneRowAndTheGapsNone) {
  const std::set<int> screens = {0, 1, 3, 4, 6, 7, 8, 9, 10, 12, 13, 14, 15, 17,
                                 18, 19, 20, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 40, 41};
  std::set<int> rows;
  for (const TScreenRow& row : ScreenRows()) {
    EXPECT_TRUE(rows.insert(row.Number).second) << "two rows for " << int(row.Number);
    EXPECT_FALSE(row.Passes.empty()) << int(row.Number);
    EXPECT_FALSE(row.Name.empty()) << int(row.Number);
  }
  EXPECT_EQ(rows, screens);
  for (const int gap : {2, 5, 11, 16, 21, 34, 127}) EXPECT_EQ(FindScreen(static_cast<uint8_t>(gap)), nullptr) << gap;
  // The dispatch reads the low seven bits only.
  EXPECT_EQ(FindScreen(128 + ScreenMainMenu), FindScreen(ScreenMainMenu));
}

TEST(ScreenTable, EveryButtonRouteLeadsBetweenScreensThatExist) {
  for (const TButtonRoute& route : ButtonRoutes()) {
    EXPECT_NE(FindScreen(route.From), nullptr) << route.Button;
    EXPECT_NE(FindScreen(route.To), nullptr) << route.Button;
    EXPECT_NE(route.From, route.To) << route.Button;
  }
}

TEST(ScreenTable, TheScreensOfPlayRunThePlayCoresStepsInItsOrder) {
  // What the core runs alone for a phase is what its screen runs between the drawing passes.
  EXPECT_EQ(StateSteps(ScreenGame), PlaySteps(PlayPhase::Playing));
  EXPECT_EQ(StateSteps(ScreenLifeLost), PlaySteps(PlayPhase::LifeLost));
  EXPECT_EQ(StateSteps(ScreenLevelStart), PlaySteps(PlayPhase::LevelStart));
  EXPECT_EQ(FindScreen(ScreenGame)->Phase, PlayPhase::Playing);
  EXPECT_EQ(FindScreen(ScreenLifeLost)->Phase, PlayPhase::LifeLost);
  EXPECT_EQ(FindScreen(ScreenPause)->Phase, PlayPhase::Paused);
  EXPECT_EQ(FindScreen(ScreenExitToMenu)->Phase, PlayPhase::Paused);
}

TEST(ScreenTable, PlayDrawsWithoutCollisionsOrGuiAndLeavesGameSystemsOut) {
  const std::vector<P> play = {P::RemoveDead, P::DrawSprites, P::MoveSprites, P::ParticleUpdate,
                               P::CountUpScore, P::Hud, P::ParticlesOfPlay};
  EXPECT_EQ(Passes(ScreenGame), play);
  EXPECT_EQ(Passes(ScreenLevelStart), play);
}

TEST(ScreenTable, FinalScreensDependOnTheEndOfTheGame) {
  for (uint8_t screen : {22, 23, 31}) {
    EXPECT_EQ(Passes(screen, true).front(), P::EndGameImage);
    EXPECT_EQ(Passes(screen, true).back(), P::ParticlesSalut);
    EXPECT_EQ(Passes(screen, false).front(), P::BackGameImage);
    EXPECT_EQ(Passes(screen, false).back(), P::CursorDraw);
  }
  EXPECT_EQ(Passes(ScreenGame, true), Passes(ScreenGame, false));
}

TEST(ScreenTable, SpeechUpdatesParticlesTwiceAndPauseWritesItsText) {
  const auto speech = Passes(ScreenSpeech);
  EXPECT_EQ(std::count(speech.begin(), speech.end(), P::ParticleUpdate), 2);
  EXPECT_EQ(speech[9], P::SpeechText);
  const auto pause = Passes(ScreenPause);
  EXPECT_EQ(pause[pause.size() - 2], P::PauseText);
  EXPECT_EQ(Passes(ScreenStageComplete).back(), P::CursorDrawIfVisible);
}

TEST(ScreenTable, MenusDrawTheirBackgroundUnderTheCommonOrder) {
  const std::vector<P> common = {P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites, P::Gui,
                                 P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};
  std::vector<P> menu = {P::BackImageBlended};
  menu.insert(menu.end(), common.begin(), common.end());
  EXPECT_EQ(Passes(ScreenLogo), common);
  for (uint8_t screen : {1, 4, 6, 7, 8, 9, 10, 14, 18, 19, 20, 25, 26, 27}) EXPECT_EQ(Passes(screen), menu) << +screen;
  EXPECT_EQ(Passes(ScreenShare), (std::vector<P>{P::MoveSprites, P::ParticleUpdate, P::ShareUpdate, P::ShareDraw,
                                                 P::CursorDraw}));
  EXPECT_EQ(Passes(ScreenEndGame), (std::vector<P>{P::EndGameImage, P::CursorMove, P::ParticleUpdate,
                                                   P::CursorDraw, P::ParticlesSalut}));
}

TEST(ScreenTable, TheCountUpOfTheScoreStandsRightBeforeEveryHud) {
  for (const TScreenRow& row : ScreenRows()) {
    for (const bool finished : {false, true}) {
      const auto passes = Passes(row.Number, finished);
      for (size_t i = 0; i < passes.size(); ++i) {
        if (passes[i] == P::Hud) {
          ASSERT_GT(i, 0u);
          EXPECT_EQ(passes[i - 1], P::CountUpScore) << int(row.Number);
        }
      }
    }
  }
}

// The editor keeps the arrows for its cursor cell.
TEST(ScreenTable, OnlyPlayTakesNoMenuInputAndOnlyTheGamePausesWhenTheWindowHides) {
  std::set<int> noMenus;
  std::set<int> pausing;
  for (const TScreenRow& row : ScreenRows()) {
    if (!row.MenusTakeInput) noMenus.insert(row.Number);
    if (row.PausesWhenHidden) pausing.insert(row.Number);
  }
  EXPECT_EQ(noMenus, (std::set<int>{3, 12, 17, 24, 28, 32, 33, ScreenEditor}));
  EXPECT_EQ(pausing, (std::set<int>{12}));
}

}  // namespace
}  // namespace zb
