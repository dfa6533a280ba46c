#include "app/Application.h"

#include "app/Form1.h"

namespace zb {

int RunGame(platform::Platform& platform, const std::filesystem::path& gameFolder) {
  TForm1 form(platform, gameFolder);
  if (!form.FormCreate()) return 1;
  platform::Window& window = platform.GetWindow();
  platform::Event event;
  while (!form.Closed()) {
    // Window events first: a screen change they ask for takes effect before the next frame.
    while (!form.Closed() && window.PollEvent(event)) form.HandleEvent(event);
    if (!form.Closed()) form.Idle();
  }
  // Settings that could not be saved are a failure of the run, though the player was told.
  return form.SettingsSaved() ? 0 : 1;
}

}  // namespace zb
