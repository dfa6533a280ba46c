// Arbitrary bytes as the share page "wdata/config.ini", read from memory with the names of the
// game's own page taken as the files there are; the page read then takes ticks, pointer moves and
// clicks. Only the page's reader runs: no file is written or read and no picture decoded per input
// (the picture decoder is the image library's, and writing each input to a file cost far more
// than reading it).
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/platform/headless/Headless.h"
#include "fuzz/FuzzFile.h"
#include "persist/ShareScreen.h"

namespace {

bool GameFile(const std::string& name) {
  for (std::string_view known : {"wdata/share.png", "wdata/scores.png", "wdata/scores_hover.png",
                                 "wdata/highscores.url", "wdata/exit.png", "wdata/exit_hover.png",
                                 "wdata/exit_disabled.png"}) {
    if (name == known) return true;
  }
  return false;
}

// A game folder holding the page's link, so that a press on a link button opens it.
std::filesystem::path LinkFolder() {
  const std::filesystem::path made = zb::fuzz::TempFolder();
  std::filesystem::create_directory(made / "wdata");
  const std::string link = "[InternetShortcut]\r\nURL=http://localhost/\r\n";
  zb::fuzz::WriteFile(made / "wdata/highscores.url", reinterpret_cast<const uint8_t*>(link.data()), link.size());
  return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static zb::TShareScreen screen(LinkFolder(), nullptr, nullptr);
  screen.ReadPage(std::string(reinterpret_cast<const char*>(data), size), GameFile);
  if (!screen.Enter()) return 0;
  zb::platform::HeadlessDesktop desktop;  // records what a link press would open
  for (int step = 0; step < 3; ++step) {
    screen.Tick();
    for (const zb::platform::Point at : {zb::platform::Point{0, 0}, {400, 300}, {799, 599}, {-5, 10000}}) {
      screen.UpdateHover(at);
      screen.MouseDown(at, desktop);
    }
  }
  zb::TShareScreen::CountdownText(screen.Countdown);
  return 0;
}
