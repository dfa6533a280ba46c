#include "screens/ScreenMachine.h"

#include "engine/platform/Keys.h"
#include "screens/FramePasses.h"
#include "screens/ScreenId.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenTable.h"

namespace zb {
namespace {

TGuiControl* FormOf(TScreenContext& ctx, const TScreenRow& row) {
  return row.Form.empty() ? nullptr : ctx.GuiBase.FindControl(row.Form);
}

void SetCurrent(TScreenContext& ctx, const TScreenRow& row) {
  ctx.CurrentScreen = row.Number;
  ctx.Core.SetPhase(row.Phase);
}

void PlaySounds(TScreenContext& ctx) {
  for (const TPlayEvent& event : ctx.Core.TakeEvents()) {
    if (event.What == TPlayEvent::Kind::Sound) ctx.Sound.PlayEffect(static_cast<int>(event.Cue), ctx.Settings.FxVolume);
  }
}

}  // namespace

void EnterScreen(TScreenContext& ctx, uint8_t number) {
  const TScreenRow* row = FindScreen(number);
  if (row == nullptr) return;
  // Every way out of a game passes the final score or goes back to the menu.
  if (number == ScreenYourScore || number == ScreenMainMenu) FinishRecordedGame(ctx);
  SetCurrent(ctx, *row);
  if (row->Enter != nullptr) {
    row->Enter(ctx);
  } else if (TGuiControl* form = FormOf(ctx, *row)) {
    form->SetVisible(true);
    form->BringToFront();
  }
}

void LeaveScreen(TScreenContext& ctx, uint8_t number) {
  const TScreenRow* row = FindScreen(number);
  if (row == nullptr) return;
  if (row->Leave != nullptr) {
    row->Leave(ctx);
  } else if (TGuiControl* form = FormOf(ctx, *row)) {
    form->SetVisible(false);
    form->SendToBack();
  }
}

void Go(TScreenContext& ctx, uint8_t from, uint8_t to) {
  ctx.PlaySound("check");
  LeaveScreen(ctx, from);
  EnterScreen(ctx, to);
}

void ResumePlay(TScreenContext& ctx, uint8_t from) {
  LeaveScreen(ctx, from);
  SetCurrent(ctx, *FindScreen(ScreenGame));
}

void RunFrame(TScreenContext& ctx) {
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  if (row == nullptr) return;
  FeedAndNoteFrame(ctx);
  if (!row->EscapeButton.empty() && ctx.KeysReleased[vk::Escape]) RunButton(ctx, row->EscapeButton);
  if (row->Process != nullptr) row->Process(ctx);
  // A step that changed the screen draws the new one already.
  if (const TScreenRow* now = FindScreen(ctx.CurrentScreen)) {
    RunPasses(ctx, PassesOf(*now, ctx.GameFinished), row->Presents == Present::WithGui);
  }
  if (row->Settle != nullptr) row->Settle(ctx);
  // The bonus clock counts every tick of the game and steps only where its screen says.
  if (ctx.Core.ClockStep()) {
    const TScreenRow* current = FindScreen(ctx.CurrentScreen);
    if (current != nullptr && current->ClockStep != nullptr) current->ClockStep(ctx);
  }
  PlaySounds(ctx);
}

void RunSideTimer(TScreenContext& ctx) {
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  if (row != nullptr && row->SideTimer != nullptr) row->SideTimer(ctx);
}

void PointerDown(TScreenContext& ctx, int x, int y) {
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  if (row != nullptr && row->PointerDown != nullptr) row->PointerDown(ctx, x, y);
}

void WindowEvent(TScreenContext& ctx, const platform::Event& event) {
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  if (row != nullptr && row->WindowEvent != nullptr) row->WindowEvent(ctx, event);
}

bool CloseQuery(TScreenContext& ctx) {
  ctx.Recorder.NoteAction({ReplayActionKind::Close, {}});
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  switch (row != nullptr ? row->Close : CloseRule::Ignore) {
    case CloseRule::Ignore: return false;
    case CloseRule::AskToQuit:
      LeaveScreen(ctx, ctx.CurrentScreen);
      EnterScreen(ctx, ScreenExitGame);
      return false;
    case CloseRule::AskToLeavePlay: EnterScreen(ctx, ScreenExitToMenu); return false;
    case CloseRule::UnpauseAndAsk:
      LeaveScreen(ctx, ScreenPause);
      EnterScreen(ctx, ScreenExitToMenu);
      return false;
    case CloseRule::WhenPageAllows: return ctx.Share.CanClose();
  }
  return false;
}

void PauseIfPlaying(TScreenContext& ctx) {
  ctx.Recorder.NoteAction({ReplayActionKind::Pause, {}});
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  if (row != nullptr && row->PausesWhenHidden) EnterScreen(ctx, ScreenPause);
}

bool MenusTakeInput(const TScreenContext& ctx) {
  const TScreenRow* row = FindScreen(ctx.CurrentScreen);
  return row == nullptr || row->MenusTakeInput;
}

void RunButton(TScreenContext& ctx, std::string_view name) {
  TGuiControl* control = ctx.GuiBase.FindControl(name);
  const TGameRecorder::TOwnClicks own(ctx.Recorder);
  if (control != nullptr && control->OnClick) control->OnClick(*control);
}

}  // namespace zb
