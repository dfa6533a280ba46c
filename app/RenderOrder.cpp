#include "app/RenderOrder.h"

#include <array>

#include "screens/ScreenId.h"

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
    case ScreenExitToMenu: return kScreen0;
    case ScreenMainMenu: return kMainMenu;
    case ScreenGame:
    case ScreenLevelStart: return kPlay;
    case ScreenGameOver: return kGameOver;
    case ScreenStageComplete: return kStageComplete;
    case ScreenPause: return kPause;
    case ScreenYourScore:
    case ScreenSendScore:
    case ScreenCountry: return gameFinished ? std::span<const RenderPass>(kFinalFinished) : std::span<const RenderPass>(kFinal);
    case ScreenLifeLost: return kLifeLost;
    case ScreenSpeech: return kSpeech;
    case ScreenEndGame: return kEndGame;
    case ScreenShare: return kShare;
    default: return kOther;
  }
}

}  // namespace zb
