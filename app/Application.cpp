#include "app/Application.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "app/Form1.h"
#include "app/GameFolders.h"
#include "app/ScreenLog.h"
#include "persist/LanguageSetting.h"

namespace zb {

int RunGame(platform::Platform& platform, const std::filesystem::path& programFolder, const char* xdgDataHome,
            const char* home, const char* screenLog) {
  TGameFolders folders = PrepareUserFolder(ChooseFolders(ReadFolderFacts(programFolder, xdgDataHome, home)));
  folders.DesktopLanguage = LanguageFromEnvironment(std::getenv, AvailableLanguages(folders.Content));
  if (!folders.CanSave) std::fprintf(stderr, "zumbala: %s\n", folders.Problem.c_str());
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
    // Window events first: a screen change they ask for takes effect before the next frame.
    while (!form.Closed() && window.PollEvent(event)) form.HandleEvent(event);
    if (!form.Closed()) form.Idle();
    if (log) log->Note(form.CurrentScreen());
  }
  // Settings that could not be saved are a failure of the run, though the player was told.
  return form.SettingsSaved() ? 0 : 1;
}

}  // namespace zb
