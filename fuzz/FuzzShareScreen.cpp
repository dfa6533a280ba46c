// Arbitrary bytes as the share page "wdata/config.ini" of a game folder that holds the files the
// game's own page names; the loaded page then takes ticks, pointer moves and clicks.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/PngWriter.h"
#include "engine/platform/headless/Headless.h"
#include "fuzz/FuzzFile.h"
#include "persist/ShareScreen.h"

namespace {

// A game folder made once, with the files the game's own page names, each picture 2 x 2 (a
// page's pictures are cut to their buttons, so any size will do).
const std::filesystem::path& GameFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path made = zb::fuzz::TempFolder();
    std::filesystem::create_directory(made / "wdata");
    const uint32_t pixels[4] = {0xFF0000FFu, 0xFF00FF00u, 0x80FF0000u, 0xFFFFFFFFu};
    const std::vector<uint8_t> png = zb::EncodePng(pixels, 2, 2);
    for (const char* name : {"share", "scores", "scores_hover", "exit", "exit_hover", "exit_disabled"}) {
      zb::fuzz::WriteFile(made / "wdata" / (std::string(name) + ".png"), png.data(), png.size());
    }
    const std::string link = "[InternetShortcut]\r\nURL=http://localhost/\r\n";
    zb::fuzz::WriteFile(made / "wdata/highscores.url", reinterpret_cast<const uint8_t*>(link.data()), link.size());
    return made;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path page = GameFolder() / "wdata/config.ini";
  zb::fuzz::WriteFile(page, data, size);
  zb::TShareScreen screen(GameFolder(), nullptr, nullptr);
  screen.LoadFile(page);
  if (!screen.Enter()) return 0;
  zb::platform::HeadlessDesktop desktop;
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
