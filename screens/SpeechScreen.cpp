#include "screens/SpeechScreen.h"

#include <array>
#include <span>
#include <string>

#include "engine/Cp1251.h"
#include "engine/GfxFonts.h"
#include "game/StoryActors.h"
#include "game/SpeechLineText.h"
#include "gui/GuiButton.h"
#include "screens/FormControls.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

constexpr uint32_t kSpeechColour = 0xFF30C3FFu;

// One line of a scene: the speaker fades in, then the bubble, then the line waits for the player;
// the switch fades both out before the next speaker. The last line of a scene has no switch.
struct TTurn {
  int In;
  int Bubble;
  int Wait;
  int Switch = 0;
  int Buttons = -1;  // the buttons the wait shows, when it changes them
};

struct TScene {
  int FirstLine;
  std::span<const TTurn> Turns;
  int Close;
  int End;
};

constexpr std::array<TTurn, 7> kScene0{{{30, 50, 70, 90, 1},
                                        {130, 150, 160, 200, 1},
                                        {260, 280, 290, 320},
                                        {350, 380, 390, 410},
                                        {440, 450, 470, 480},
                                        {520, 530, 550, 560},
                                        {600, 610, 630, 0, 2}}};
constexpr std::array<TTurn, 3> kThreeLines{{{30, 40, 60, 70, 1}, {110, 120, 140, 150}, {190, 200, 220, 0, 2}}};
constexpr std::array<TTurn, 4> kFourLines{
    {{30, 40, 60, 70, 1}, {110, 120, 140, 150}, {190, 200, 220, 230}, {270, 280, 300, 0, 2}}};
constexpr std::array<TTurn, 5> kFiveLines{{{30, 40, 60, 70, 1},
                                           {110, 120, 140, 150},
                                           {190, 200, 220, 230},
                                           {280, 290, 310, 320},
                                           {360, 370, 390, 0, 2}}};

constexpr std::array<TScene, 6> kScenes{{{0, kScene0, 640, 690},
                                         {7, kThreeLines, 230, 270},
                                         {10, kFiveLines, 400, 440},
                                         {15, kFourLines, 310, 350},
                                         {19, kFiveLines, 400, 440},
                                         {24, kThreeLines, 230, 270}}};

bool HunterSpeaks(int line) {
  const SpeechLineShape* shape = ShapeOfSpeechLine(line);
  return shape != nullptr && shape->hunter;
}

TStoryActor* Speaker(TGameState& game, bool hunter) {
  return dynamic_cast<TStoryActor*>(hunter ? game.Hunter.Get() : game.Monkey.Get());
}

TCloud* Bubble(TGameState& game) { return dynamic_cast<TCloud*>(game.Cloud.Get()); }

void SpeakerIn(TScreenContext& ctx, int line) {
  TGameState& game = ctx.Game;
  const bool hunter = HunterSpeaks(line);
  const int side = hunter ? SideRight : SideLeft;
  if (TStoryActor* speaker = Speaker(game, hunter)) speaker->FadeIn();
  if (auto* prompt = dynamic_cast<TPressAnyKey*>(game.PressAnyKey.Get())) prompt->SetSide(side);
  if (TCloud* bubble = Bubble(game)) bubble->SetSide(side);
  game.SpeechLine = line;
}

void FadeOutLine(TScreenContext& ctx, bool hunter) {
  TGameState& game = ctx.Game;
  game.SpeechTextShown = false;
  if (TCloud* bubble = Bubble(game)) bubble->FadeOut();
  if (TStoryActor* speaker = Speaker(game, hunter)) speaker->FadeOut();
}

// The steps of the current scene due at the current tick.
void SceneStep(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  if (game.SpeechScene < 0 || game.SpeechScene >= static_cast<int>(kScenes.size())) return;
  const TScene& scene = kScenes[static_cast<size_t>(game.SpeechScene)];
  const int tick = game.ScreenTicks;
  for (size_t i = 0; i < scene.Turns.size(); ++i) {
    const TTurn& turn = scene.Turns[i];
    const int line = scene.FirstLine + static_cast<int>(i);
    if (tick == turn.In) SpeakerIn(ctx, line);
    if (tick == turn.Bubble) {
      if (TCloud* bubble = Bubble(game)) bubble->FadeIn();
    }
    if (tick == turn.Wait) {
      game.SpeechTextShown = true;
      game.SpeechWaiting = true;
      if (turn.Buttons >= 0) SetSpeechButtons(ctx, turn.Buttons);
    }
    if (turn.Switch != 0 && tick == turn.Switch) FadeOutLine(ctx, HunterSpeaks(line));
  }
  if (tick == scene.Close) {
    SetSpeechButtons(ctx, 0);
    FadeOutLine(ctx, false);
  }
  if (tick == scene.End) EndScene(ctx);
}

}  // namespace

void EnterSpeechScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  game.ScreenTicks = 0;
  ShowCursor(ctx, true);
  THunter& hunter = ctx.Play.Engine.Create<THunter>(ctx.Play);
  TMonkey& monkey = ctx.Play.Engine.Create<TMonkey>(ctx.Play);
  hunter.FadeOut();
  monkey.FadeOut();
  game.Hunter = &hunter;
  game.Monkey = &monkey;
  game.Cloud = &ctx.Play.Engine.Create<TCloud>();
  TPressAnyKey& prompt = ctx.Play.Engine.Create<TPressAnyKey>();
  prompt.Visible = false;
  game.PressAnyKey = &prompt;
  game.SpeechTextShown = false;
  game.SpeechWaiting = false;
  ShowForm(ctx, "scr_speech", true);
  SetSpeechButtons(ctx, 0);
  if (auto* next = Find<TGuiButton>(ctx, "b_speech_next")) next->Caption = ctx.Play.Language.Tr("Далее");
}

void ProcessSpeechScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  if (!game.SpeechWaiting) {
    ++game.ScreenTicks;
  } else {
    for (int code = 0; code < 256 && ctx.CurrentScreen == ScreenSpeech; ++code) {
      if (!ctx.KeysReleased[static_cast<size_t>(code)]) continue;
      if (code == 27) {
        EndScene(ctx);
      } else {
        ContinueScene(ctx);
      }
    }
  }
}

void SettleSpeechScreen(TScreenContext& ctx) {
  // A scene ended by the player has left this screen; its timeline is over.
  if (ctx.CurrentScreen == ScreenSpeech) SceneStep(ctx);
}

void LeaveSpeechScreen(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  for (SpriteRef<>* actor : {&game.Monkey, &game.Hunter, &game.Cloud}) {
    if (TSprite* sprite = actor->Get()) sprite->Kill();
  }
  ShowCursor(ctx, false);
  ShowForm(ctx, "scr_speech", false);
}

void ContinueScene(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  if (!game.SpeechWaiting) return;
  game.SpeechWaiting = false;
  ++game.ScreenTicks;
}

void EndScene(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  const int scene = game.SpeechScene;
  if (scene < 0 || scene > 5) return;
  SetSpeechButtons(ctx, 0);
  // Every outcome leaves the speech screen, so its form never stays over the next one.
  LeaveScreen(ctx, ScreenSpeech);
  if (scene == 0) {
    EnterScreen(ctx, ScreenLevelStart);
  } else if (scene < 5) {
    LeaveScreen(ctx, ScreenGame);
    ++game.LevelNumber;
    EnterScreen(ctx, ScreenGame);
  } else {
    ++game.LevelNumber;
    EnterScreen(ctx, ScreenEndGame);
  }
}

void SetSpeechButtons(TScreenContext& ctx, int mode) {
  SetVisible(ctx, "b_speech_skip", mode == 1);
  SetVisible(ctx, "b_speech_next", mode == 1 || mode == 2);
  if (mode == 2) {
    if (auto* next = Find<TGuiButton>(ctx, "b_speech_next")) next->Caption = ctx.Play.Language.Tr("Старт");
  }
}

void DrawSpeechText(TScreenContext& ctx) {
  const TGameState& game = ctx.Game;
  const auto& story = ctx.State.Story;
  if (!game.SpeechTextShown || game.SpeechLine < 0 || game.SpeechLine >= static_cast<int>(story.size())) return;
  TGfxFont* font = ctx.Play.Fonts.FindFont("DialogFont");
  const TSprite* bubble = game.Cloud.Get();
  if (font == nullptr || !font->Loaded() || bubble == nullptr) return;
  const TSpeechLine line = InLanguage(story[static_cast<size_t>(game.SpeechLine)], ctx.Play.Language);
  const float centre = bubble->X + static_cast<float>(bubble->PatternWidth()) / 2;
  for (size_t r = 0; r < line.Rows.size(); ++r) {
    const std::string& row = line.Rows[r];
    const float y = bubble->Y + static_cast<float>(line.FirstRowOffset + kSpeechRowStep * static_cast<int>(r));
    font->TextOut(row, kSpeechColour, centre - static_cast<float>(font->TextWidth(row) / 2), y);
  }
}

}  // namespace zb
