// The GUI's share of a frame: the per-frame tick of the whole tree and drawing it through the
// canvas on the software renderer, with every screen form loaded and one screen shown.
// Usage: gui_frame_bench GAMEDIR [FRAMES]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/platform/headless/Headless.h"
#include "gui/GuiBasic.h"
#include "gui/GuiCanvasPainter.h"

namespace {

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s GAMEDIR [FRAMES]\n", argv[0]);
    return 1;
  }
  const std::filesystem::path game = argv[1];
  const int frames = argc > 2 ? std::atoi(argv[2]) : 2000;
  zb::platform::HeadlessWindow window;
  zb::TGfxDevice device(window, "bench");
  zb::TGfxCanvas canvas(&device);
  zb::TGfxImages images(&device);
  zb::TGfxFonts fonts(&device, &canvas);
  if (!device.Initialize()) return 1;
  zb::TArchiveDb archive(game / "Data" / "data.zbx", zb::TOpenModes::opReadOnly);
  const bool content = images.LoadFromArchive(archive) && fonts.LoadFromArchive(archive);
  zb::TGuiBase gui;
  gui.SetPainter(std::make_unique<zb::TGuiCanvasPainter>(canvas, images, &fonts));
  if (!gui.Taskbar().LoadFromFile(game / "Data" / "gfx.zbx")) {
    std::fprintf(stderr, "cannot load %s\n", (game / "Data" / "gfx.zbx").string().c_str());
    return 1;
  }
  std::printf("%d screen forms, images and fonts %s\n", gui.Taskbar().ControlCount(),
              content ? "loaded" : "missing (no pictures or text)");
  {
    device.OnRender = [](zb::TGfxDevice&) {};
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) device.Render(0xFF000000u, true);
    std::printf("%-14s %32.1f us/frame   (clear and present alone)\n", "no GUI",
                1e6 * Seconds(std::chrono::steady_clock::now() - t0) / frames);
  }
  for (const char* screen : {"scr_mainmenu", "scr_highscore"}) {
    zb::TGuiControl* form = gui.FindControl(screen);
    form->SetVisible(true);
    form->BringToFront();
    std::chrono::steady_clock::duration update{}, draw{};
    for (int i = 0; i < frames; ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      gui.Update();
      const auto t1 = std::chrono::steady_clock::now();
      device.OnRender = [&](zb::TGfxDevice&) { gui.Draw(); };
      const auto t2 = std::chrono::steady_clock::now();
      device.Render(0xFF000000u, true);
      const auto t3 = std::chrono::steady_clock::now();
      update += t1 - t0;
      draw += t3 - t2;
    }
    std::printf("%-14s update %7.2f us/frame   draw and render %8.1f us/frame   (%d frames, %llu batches)\n",
                screen, 1e6 * Seconds(update) / frames, 1e6 * Seconds(draw) / frames, frames,
                static_cast<unsigned long long>(canvas.FlushCount()));
    form->SetVisible(false);
    form->SendToBack();
  }
  return 0;
}
