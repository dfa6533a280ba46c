// zbtool share FILE: loads a share page as the game does and prints what it read; with --draw, also
// draws it on the headless renderer with the game's fonts, as the player sees it.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/PngWriter.h"
#include "engine/platform/headless/Headless.h"
#include "persist/ShareScreen.h"

namespace zb::tool {
namespace {

const char* Bool(bool value) { return value ? "true" : "false"; }

void Print(const TShareScreen& page) {
  std::printf("active=%s\n", Bool(page.Active));
  if (!page.Active) return;
  std::printf("background=%s\n", page.BackgroundFile.c_str());
  std::printf("countdown=%d\n", page.Countdown);
  std::printf("countdown_at=%d,%d\n", page.CountdownX, page.CountdownY);
  // The canvas keeps $AABBGGRR; shown the usual way round.
  const uint32_t c = page.CountdownColor;
  std::printf("colour=$%08X\n", (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu));
  std::printf("fixed_text_size=%s\n", Bool(page.FixedTextSize));
  if (page.FixedTextSize) std::printf("text_size=%d\n", page.TextSize);
  for (size_t i = 0; i < page.Buttons.size(); ++i) {
    const TButton& b = page.Buttons[i];
    std::printf("button=%zu target=%s hover_at=%d,%d hit=%d,%d,%d,%d disabled_at=%d,%d normal=%s hover=%s "
                "disabled=%s enabled=%s\n",
                i, b.Target.c_str(), b.HoverX, b.HoverY, b.HitLeft, b.HitTop, b.HitWidth, b.HitHeight, b.DisabledX,
                b.DisabledY, b.NormalFile.c_str(), b.HoverFile.c_str(), b.DisabledFile.c_str(), Bool(b.Enabled));
  }
}

std::optional<platform::Point> ParsePoint(std::string_view text) {
  const size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  char* end = nullptr;
  const std::string x(text.substr(0, comma)), y(text.substr(comma + 1));
  const long px = std::strtol(x.c_str(), &end, 10);
  if (x.empty() || *end) return std::nullopt;
  const long py = std::strtol(y.c_str(), &end, 10);
  if (y.empty() || *end) return std::nullopt;
  return platform::Point{static_cast<int>(px), static_cast<int>(py)};
}

// Two frames, as the game draws them: the first one lets the exit button take the state the
// countdown gives it, the second is kept.
int DrawPage(const std::filesystem::path& file, const std::filesystem::path& gameFolder, const char* out,
             std::optional<int> tenths, platform::Point pointer) {
  platform::HeadlessWindow window;
  TGfxDevice device(window, "share");
  TGfxCanvas canvas(&device);
  TGfxFonts fonts(&device, &canvas);
  if (!device.Initialize()) {
    std::fputs("zbtool share: the headless renderer failed\n", stderr);
    return 1;
  }
  for (const char* archive : {"Data/data.zbx", "Data/data1.zbx"}) {
    TArchiveDb db(gameFolder / archive, TOpenModes::opReadOnly);
    fonts.LoadFromArchive(db);
  }
  TShareScreen page(gameFolder, &device, &fonts);
  page.LoadFile(file);
  Print(page);
  if (tenths) page.Countdown = *tenths;
  page.UpdateHover(pointer);
  device.OnRender = [&](TGfxDevice&) { page.Draw(canvas); };
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  for (int frame = 0; frame < 2; ++frame) {
    if (!device.Render(0xFF000000u, true)) {
      std::fputs("zbtool share: the headless renderer failed\n", stderr);
      return 1;
    }
  }
  if (!device.Renderer()->ReadPixels(pixels, w, h) || !WritePng(out, pixels.data(), w, h)) {
    std::fprintf(stderr, "zbtool share: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace

int RunShare(std::span<char* const> args) {
  const char* usage = "usage: zbtool share FILE [--draw OUT.png [--tenths N] [--pointer X,Y]]\n";
  if (args.empty()) {
    std::fputs(usage, stderr);
    return 1;
  }
  const std::filesystem::path file = args[0];
  // The game resolves the page's names in its game folder, the folder above "wdata".
  const std::filesystem::path gameFolder = std::filesystem::absolute(file).parent_path().parent_path();
  const char* out = nullptr;
  std::optional<int> tenths;
  platform::Point pointer{-1, -1};
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string_view option = args[i];
    if (i + 1 >= args.size()) {
      std::fputs(usage, stderr);
      return 1;
    }
    const char* value = args[++i];
    if (option == "--draw") {
      out = value;
    } else if (option == "--tenths") {
      char* end = nullptr;
      const long n = std::strtol(value, &end, 10);
      if (!*value || *end || n < 0 || n > 100000) {
        std::fprintf(stderr, "zbtool share: bad --tenths '%s'\n", value);
        return 1;
      }
      tenths = static_cast<int>(n);
    } else if (option == "--pointer") {
      const auto p = ParsePoint(value);
      if (!p) {
        std::fprintf(stderr, "zbtool share: bad --pointer '%s' (X,Y)\n", value);
        return 1;
      }
      pointer = *p;
    } else {
      std::fputs(usage, stderr);
      return 1;
    }
  }
  if (out) return DrawPage(file, gameFolder, out, tenths, pointer);
  TShareScreen page(gameFolder, nullptr, nullptr);
  page.LoadFile(file);
  Print(page);
  return 0;
}

}  // namespace zb::tool
