#include "app/RenderOrder.h"

#include <gtest/gtest.h>

#include <vector>

namespace zb {
namespace {

using P = RenderPass;

std::vector<P> Passes(uint8_t screen, bool finished = false) {
  const auto span = RenderPasses(screen, finished);
  return {span.begin(), span.end()};
}

TEST(RenderOrder, PlayDrawsWithoutCollisionsOrGuiAndLeavesGameSystemsOut) {
  const std::vector<P> play = {P::RemoveDead, P::DrawSprites, P::MoveSprites, P::ParticleUpdate, P::Hud,
                               P::ParticlesOfPlay};
  EXPECT_EQ(Passes(12), play);
  EXPECT_EQ(Passes(28), play);
}

TEST(RenderOrder, FinalScreensDependOnTheEndOfTheGame) {
  for (uint8_t screen : {22, 23, 31}) {
    EXPECT_EQ(Passes(screen, true).front(), P::EndGameImage);
    EXPECT_EQ(Passes(screen, true).back(), P::ParticlesSalut);
    EXPECT_EQ(Passes(screen, false).front(), P::BackGameImage);
    EXPECT_EQ(Passes(screen, false).back(), P::CursorDraw);
  }
}

TEST(RenderOrder, SpeechUpdatesParticlesTwiceAndPauseWritesItsText) {
  const auto speech = Passes(29);
  EXPECT_EQ(std::count(speech.begin(), speech.end(), P::ParticleUpdate), 2);
  EXPECT_EQ(speech[8], P::SpeechText);
  const auto pause = Passes(17);
  EXPECT_EQ(pause[pause.size() - 2], P::PauseText);
  EXPECT_EQ(Passes(4).front(), P::BackImageBlended);
  EXPECT_EQ(Passes(15).back(), P::CursorDrawIfVisible);
}

TEST(RenderOrder, EveryOtherScreenUsesTheCommonOrder) {
  const std::vector<P> common = {P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites, P::Gui,
                                 P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};
  for (uint8_t screen : {1, 3, 6, 7, 8, 9, 10, 14, 18, 19, 20, 25, 26, 27}) EXPECT_EQ(Passes(screen), common);
  EXPECT_EQ(Passes(32), (std::vector<P>{P::MoveSprites, P::ParticleUpdate, P::ShareUpdate, P::ShareDraw,
                                        P::CursorDraw}));
  EXPECT_EQ(Passes(30), (std::vector<P>{P::CursorMove, P::ParticleUpdate, P::CursorDraw, P::ParticlesSalut}));
}

}  // namespace
}  // namespace zb
