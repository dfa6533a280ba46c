// Arbitrary bytes as the share page "wdata/config.ini" of a game folder that holds the files the
// game's own page names; the loaded page then takes ticks, pointer moves and clicks.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/platform/headless/Headless.h"
#include "fuzz/FuzzFile.h"
#include "persist/ShareScreen.h"

namespace {

// A 2 x 2 picture of four colours, 32 bits a pixel, bottom row first.
std::vector<uint8_t> Bmp2x2() {
  std::vector<uint8_t> bmp;
  const auto put = [&](uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) bmp.push_back(static_cast<uint8_t>(value >> (8 * i)));
  };
  bmp.push_back('B');
  bmp.push_back('M');
  put(54 + 16, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(2, 4);
  put(2, 4);
  put(1, 2);
  put(32, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (uint32_t pixel : {0xFF0000FFu, 0xFF00FF00u, 0x80FF0000u, 0xFFFFFFFFu}) put(pixel, 4);
  return bmp;
}

// A game folder made once, with the files the game's own page names, each picture 2 x 2 (a
// page's pictures are cut to their buttons, so any size will do). The pictures are BMP, which
// the image library tells by its content whatever the name says, and which decodes in no time.
const std::filesystem::path& GameFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path made = zb::fuzz::TempFolder();
    std::filesystem::create_directory(made / "wdata");
    const std::vector<uint8_t> bmp = Bmp2x2();
    for (const char* name : {"share", "scores", "scores_hover", "exit", "exit_hover", "exit_disabled"}) {
      zb::fuzz::WriteFile(made / "wdata" / (std::string(name) + ".png"), bmp.data(), bmp.size());
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
