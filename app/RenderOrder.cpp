#include "app/RenderOrder.h"

#include <array>

namespace zb {
namespace {

using P = RenderPass;

constexpr std::array kScreen0 = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::CursorMove,
                                 P::Gui, P::ParticleUpdate, P::Hud, P::CursorDraw};
constexpr std::array kMainMenu = {P::BackImageBlended, P::Collisions, P::RemoveDead, P::DrawSprites,
                                  P::MoveSprites, P::Gui, P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};
constexpr std::array kPlay = {P::RemoveDead, P::DrawSprites, P::MoveSprites, P::ParticleUpdate, P::Hud,
                              P::ParticlesOfPlay};
constexpr std::array kGameOver = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::MoveSprites,
                                  P::Gui, P::ParticleUpdate, P::Hud, P::ParticlesOfPlay};
constexpr std::array kStageComplete = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing,
                                       P::MoveSprites, P::Gui, P::ParticleUpdate, P::Hud,
                                       P::ParticlesOfPlayNoTail, P::CursorDrawIfVisible};
constexpr std::array kPause = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::CursorMove,
                               P::Gui, P::ParticleUpdate, P::Hud, P::PauseText, P::CursorDraw};
constexpr std::array kFinalFinished = {P::EndGameImage, P::Gui, P::CursorMove, P::ParticleUpdate,
                                       P::CursorDraw, P::ParticlesSalut};
constexpr std::array kFinal = {P::BackGameImage, P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing,
                               P::MoveSprites, P::Gui, P::ParticleUpdate, P::Hud, P::CursorDraw};
constexpr std::array kLifeLost = {P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites,
                                  P::ParticleUpdate, P::Hud, P::ParticlesOfPlay};
constexpr std::array kSpeech = {P::Collisions, P::RemoveDead, P::DrawSprites, P::FireRing, P::MoveSprites,
                                P::Gui, P::ParticleUpdate, P::Hud, P::SpeechText, P::ParticlesOfPlayNoTail,
                                P::CursorMove, P::ParticleUpdate, P::CursorDraw};
constexpr std::array kEndGame = {P::CursorMove, P::ParticleUpdate, P::CursorDraw, P::ParticlesSalut};
constexpr std::array kShare = {P::MoveSprites, P::ParticleUpdate, P::ShareUpdate, P::ShareDraw, P::CursorDraw};
constexpr std::array kOther = {P::Collisions, P::RemoveDead, P::DrawSprites, P::MoveSprites, P::Gui,
                               P::ParticleUpdate, P::ParticleDraw, P::CursorDraw};

}  // namespace

std::span<const RenderPass> RenderPasses(uint8_t screen, bool gameFinished) {
  switch (screen) {
    case 0: return kScreen0;
    case 4: return kMainMenu;
    case 12:
    case 28: return kPlay;
    case 13: return kGameOver;
    case 15: return kStageComplete;
    case 17: return kPause;
    case 22:
    case 23:
    case 31: return gameFinished ? std::span<const RenderPass>(kFinalFinished) : std::span<const RenderPass>(kFinal);
    case 24: return kLifeLost;
    case 29: return kSpeech;
    case 30: return kEndGame;
    case 32: return kShare;
    default: return kOther;
  }
}

}  // namespace zb
