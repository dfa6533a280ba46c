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

}  // namespace

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
