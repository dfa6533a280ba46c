#include "app/Application.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "app/Form1.h"
#include "app/GameFolders.h"
#include "app/ScreenLog.h"
#include "engine/Cp1251.h"
#include "persist/FolderLock.h"
#include "persist/LanguageSetting.h"
#include "persist/ReplayStore.h"
#include "engine/platform/Keys.h"

namespace zb {
namespace {

// A signal ends the game where it stands: the settings are saved as at a close, without the
// closing page or the question, and a failure is only printed, as nobody may be there to close a box.
int EndOnSignal(TForm1& form) {
  const bool couldSave = form.Screen.Folders.CanSave && form.Screen.SettingsWritable;
  form.Screen.SettingsSaveFailed = true;
  const bool saved = form.WriteConfig();
  form.KeepWindowSize();
  if (couldSave && !saved) std::fprintf(stderr, "zumbala: the settings could not be saved\n");
  return saved ? 0 : 1;
}

// One copy of the game at a time saves into a folder; a second one plays on without saving.
void LockUserFolder(TGameFolders& folders, std::optional<TFolderLock>& lock) {
  if (!folders.CanSave || folders.User.empty()) return;
  lock.emplace(folders.User);
  if (!lock->Busy()) return;
  folders.CanSave = false;
  folders.Problem = Utf8ToCp1251("Игра уже запущена с папкой \"" + folders.User.string() +
                                 "\". Эта копия не сохранит игроков, рекорды и настройки, чтобы не затереть "
                                 "сохранённые той игрой.");
}

// Until the logo has passed, the window runs as at any start; then the recorded game plays, and
// the final score stays a few seconds before the window closes.
constexpr uint32_t kReplayEndHoldMs = 4000;

bool LeavesReplay(const platform::Event& event) {
  return event.type == platform::Event::Type::CloseRequest ||
         (event.type == platform::Event::Type::KeyUp && event.key == vk::Escape);
}

}  // namespace

int RunReplay(platform::Platform& platform, const std::filesystem::path& programFolder, const char* xdgDataHome,
              const char* home, const std::filesystem::path& replayFile) {
  TReplayReadResult read = ReadReplayFile(replayFile);
  if (!read.Replay) {
    std::fprintf(stderr, "zumbala: %s: %s\n", replayFile.c_str(), read.Error.c_str());
    return 1;
  }
  // The player's settings show the replay in their language and window; nothing is written.
  TGameFolders folders = ChooseFolders(ReadFolderFacts(programFolder, xdgDataHome, home));
  folders.CanSave = false;
  folders.Problem.clear();
  folders.DesktopLanguage = LanguageFromEnvironment(std::getenv, AvailableLanguages(folders.Content));
  TForm1 form(platform, folders);
  if (!form.FormCreate()) return 1;
  platform::Window& window = platform.GetWindow();
  platform::Event event;
  bool started = false;
  std::optional<uint32_t> endedAt;
  while (!form.Closed() && !platform.EndRequested()) {
    while (window.PollEvent(event)) {
      if (LeavesReplay(event)) return 0;
    }
    form.Idle();
    TScreenContext& screens = form.Screen;
    if (!started && ReachMainMenu(screens)) {
      // A continued game shows its last segment, from the checkpoint it went on from.
      StartSegment(screens, *read.Replay);
      started = true;
    }
    const uint32_t now = platform.GetClock().TickCount();
    if (started && !endedAt && (screens.LastReplay || screens.Feed->Done())) endedAt = now;
    if (endedAt && now - *endedAt > kReplayEndHoldMs) return 0;
  }
  return 0;
}

int RunGame(platform::Platform& platform, const std::filesystem::path& programFolder, const char* xdgDataHome,
            const char* home, const char* screenLog) {
  TGameFolders folders = PrepareUserFolder(ChooseFolders(ReadFolderFacts(programFolder, xdgDataHome, home)));
  std::optional<TFolderLock> lock;
  LockUserFolder(folders, lock);
  folders.DesktopLanguage = LanguageFromEnvironment(std::getenv, AvailableLanguages(folders.Content));
  if (!folders.CanSave) std::fprintf(stderr, "zumbala: %s\n", Cp1251ToUtf8(folders.Problem).c_str());
  TForm1 form(platform, folders);
  if (!form.FormCreate()) return 1;
  std::ofstream logFile;
  std::optional<TScreenLog> log;
  if (screenLog != nullptr) {
    logFile.open(screenLog, std::ios::app);
    if (logFile) log.emplace(logFile);
    else std::fprintf(stderr, "zumbala: the screen log %s cannot be written\n", screenLog);
  }
  platform::Window& window = platform.GetWindow();
  platform::Event event;
  while (!form.Closed()) {
    if (platform.EndRequested()) return EndOnSignal(form);
    // Window events first: a screen change they ask for takes effect before the next frame.
    while (!form.Closed() && window.PollEvent(event)) form.HandleEvent(event);
    if (!form.Closed()) form.Idle();
    if (log) log->Note(form.CurrentScreen());
  }
  // Settings that could not be saved are a failure of the run, though the player was told.
  return form.SettingsSaved() ? 0 : 1;
}

}  // namespace zb
