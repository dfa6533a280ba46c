#include "tools/autoplay/GameBot.h"

#include <cstdio>

#include "engine/Cp1251.h"
#include "engine/platform/Keys.h"
#include "gui/GuiEdit.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

constexpr const char* kDifficultyButtons[3] = {"b_choosedif_easy", "b_choosedif_medium", "b_choosedif_hard"};

platform::Event MakeEvent(platform::Event::Type type) {
  platform::Event e;
  e.type = type;
  return e;
}

std::string EditText(TScreenContext& screens, const char* name) {
  const auto* edit = dynamic_cast<const TGuiEdit*>(screens.GuiBase.FindControl(name));
  return edit != nullptr ? edit->Text() : std::string();
}

bool Showing(TScreenContext& screens, const char* name) {
  const TGuiControl* control = screens.GuiBase.FindControl(name);
  return control != nullptr && control->Showing();
}

}  // namespace

TGameBot::TGameBot(HeadlessGame& game, TGameBotOptions options, Output out)
    : game_(game), options_(std::move(options)), out_(std::move(out)), pilot_(options_.Idle) {}

void TGameBot::Push(const platform::Event& event) { game_.Platform().window.Push(event); }

void TGameBot::Press(uint8_t key) {
  platform::Event e = MakeEvent(platform::Event::Type::KeyDown);
  e.key = key;
  Push(e);
  e.type = platform::Event::Type::KeyUp;
  Push(e);
}

void TGameBot::Type(const std::string& utf8) {
  for (const char ch : Utf8ToCp1251(utf8)) {
    platform::Event e = MakeEvent(platform::Event::Type::Char);
    e.ch = static_cast<uint8_t>(ch);
    Push(e);
  }
}

bool TGameBot::ClickOn(const char* name) {
  TGuiControl* control = game_.Screens().GuiBase.FindControl(name);
  if (control == nullptr || !control->Showing()) return false;
  const TGuiRect rect = control->AbsoluteRect();
  game_.Click((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
  return true;
}

bool TGameBot::Due(int retry) {
  // A player sees a screen for a frame at least before acting on it.
  if (frames_ == enteredAt_) return false;
  if (actedHere_ && frames_ - lastAct_ < retry) return false;
  actedHere_ = true;
  lastAct_ = frames_;
  return true;
}

void TGameBot::Act() {
  TScreenContext& screens = game_.Screens();
  const auto push = [this](uint8_t key, bool down) {
    platform::Event e = MakeEvent(down ? platform::Event::Type::KeyDown : platform::Event::Type::KeyUp);
    e.key = key;
    Push(e);
  };
  // A story scene reads on with Space at every wait: down in one frame, up (the release that
  // counts) in the next.
  const bool read = screen_ == ScreenSpeech && screens.Core.Game.SpeechWaiting && !spaceHeld_;
  if (read != spaceHeld_) {
    platform::Event e = MakeEvent(read ? platform::Event::Type::KeyDown : platform::Event::Type::KeyUp);
    e.key = vk::Space;
    Push(e);
    spaceHeld_ = read;
  }
  switch (screen_) {
    case ScreenEnterName:
      if (EditText(screens, "edit_name1").empty()) {
        if (Due()) Type(options_.Name);
      } else if (Due(10)) {
        Press(vk::Enter);
      }
      break;
    case ScreenMainMenu:
      if (answered_) {
        if (Due()) ClickOn("b_mainmenu_exit");
      } else if (!started_ && Due()) {
        if (!options_.Continue) {
          ClickOn("b_mainmenu_startgame");
        } else if (!ClickOn("b_mainmenu_continue")) {
          noCheckpoint_ = true;
        }
      }
      break;
    case ScreenChooseDifficulty:
      if (!started_ && Due()) {
        if (options_.StartLevel > 0) screens.Core.Game.LevelNumber = options_.StartLevel;
        ClickOn(kDifficultyButtons[options_.Difficulty > 2 ? 2 : options_.Difficulty]);
      }
      break;
    case ScreenGame:
      if (options_.MaxFrames >= 0 && playFrames_ >= options_.MaxFrames) giveUp_ = true;
      if (giveUp_) {
        pilot_.Release(screens.Settings, push);
        if (Due()) Press(vk::Escape);
      } else {
        pilot_.Steer(screens.Core, screens.Settings, push);
      }
      break;
    case ScreenExitToMenu:
      if (giveUp_ && Due()) ClickOn("b_exitmm_yes");
      break;
    case ScreenStageComplete:
      if (Showing(screens, "b_stagecomplete_next") && Due()) ClickOn("b_stagecomplete_next");
      break;
    case ScreenYourScore:
      if (Showing(screens, "b_yourscore_next") && Due()) ClickOn("b_yourscore_next");
      break;
    case ScreenCountry:
      if (EditText(screens, "e_ycountry").empty()) {
        if (Due()) Type(options_.Country);
      } else if (Due(10)) {
        Press(vk::Enter);
      }
      break;
    case ScreenSendScore:
      if (Due()) ClickOn(options_.Send ? "b_sendscore_yes" : "b_sendscore_no");
      break;
    case ScreenHighScore:
      if (answered_ && Due()) Press(vk::Escape);
      break;
    case ScreenExitGame:
      if (answered_ && Due()) ClickOn("b_exit_yes");
      break;
    case ScreenShare:
      if (screens.Share.CanClose() && Due()) {
        const TButton* exit = nullptr;
        for (const TButton& button : screens.Share.Buttons) {
          if (button.IsExit() && button.Visible) exit = &button;
        }
        if (exit != nullptr) {
          game_.Click(exit->HitLeft + exit->HitWidth / 2, exit->HitTop + exit->HitHeight / 2);
        } else {
          Press(vk::Escape);
        }
      }
      break;
    default:
      break;
  }
}

void TGameBot::Entered(uint8_t screen) {
  TScreenContext& screens = game_.Screens();
  const uint8_t previous = screen_;
  screen_ = screen;
  actedHere_ = false;
  enteredAt_ = frames_;
  char line[160];
  std::snprintf(line, sizeof line, "frame=%lld screen=%d level=%d score=%d lives=%d", static_cast<long long>(frames_),
                screen, screens.Core.Game.LevelNumber, screens.Core.Game.GetShownScore(), screens.Core.Game.Lives);
  out_(line);
  pngPending_ = !options_.PngDir.empty();
  if (screen == ScreenGame || screen == ScreenLevelStart || screen == ScreenSpeech) started_ = true;
  if (screen == ScreenGameOver && ending_ == Ending::None) ending_ = Ending::GameOver;
  if (screen == ScreenEndGame && ending_ == Ending::None) ending_ = Ending::Finished;
  if (screen == ScreenYourScore) {
    if (ending_ == Ending::None) ending_ = Ending::Quit;
    finalLevel_ = screens.Core.Game.LevelNumber;
  }
  if (screen == ScreenSendScore) finalScore_ = screens.Core.Game.GetShownScore();
  if (previous == ScreenSendScore && !answered_) {
    answered_ = true;
    entered_ = screen == ScreenHighScore;
  }
}

void TGameBot::Observe() {
  TScreenContext& screens = game_.Screens();
  const auto& boxes = game_.Platform().desktop.messageBoxes;
  if (screens.CurrentScreen != screen_) Entered(screens.CurrentScreen);
  for (; messages_ < boxes.size(); ++messages_) out_("message: " + boxes[messages_].second);
}

void TGameBot::Frame() {
  while (game_.DeliverEvent()) Observe();
  if (game_.Closed()) return;
  const bool playing = game_.Screens().CurrentScreen == ScreenGame;
  game_.Idle();
  ++frames_;
  if (playing) ++playFrames_;
  if (pngPending_) {
    pngPending_ = false;
    char name[64];
    std::snprintf(name, sizeof name, "%03d-screen%02d-frame%07lld.png", ++pngCount_, screen_,
                  static_cast<long long>(frames_));
    if (!game_.SavePng((options_.PngDir / name).string())) out_("message: cannot write " + std::string(name));
  }
  Observe();
  if (AfterFrame) AfterFrame();
  // The recording sound library keeps every call; a whole game needs none of them.
  if (frames_ % 1024 == 0) game_.Platform().audio.ClearCalls();
}

bool TGameBot::Run() {
  TScreenContext& screens = game_.Screens();
  screens.NextGameSeed = options_.Seed;
  Observe();
  while (!game_.Closed() && !noCheckpoint_ && !stop_) {
    if (frames_ >= options_.FrameBound) return false;
    Act();
    Frame();
  }
  return true;
}

std::string TGameBot::Summary() const {
  const char* result = ending_ == Ending::Finished   ? "finished"
                       : ending_ == Ending::GameOver ? "gameover"
                       : ending_ == Ending::Quit     ? "quit"
                                                     : "running";
  char line[160];
  std::snprintf(line, sizeof line, "game: result=%s frames=%lld level=%d score=%d entered=%s", result,
                static_cast<long long>(frames_), finalLevel_, finalScore_, entered_ ? "yes" : "no");
  return line;
}

}  // namespace zb
