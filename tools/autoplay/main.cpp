// zumbala-autoplay LEVEL DIFFICULTY FRAMES [--seed N] [--png OUT.png]: plays one level of the
// real game headless and prints how it ended.
#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "app/HeadlessGame.h"
#include "screens/ScreenId.h"
#include "tools/autoplay/AutoPlayer.h"

namespace {

bool ParseInt(std::string_view text, long long low, long long high, long long& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= low && value <= high;
}

int Usage() {
  std::fprintf(stderr,
               "usage: zumbala-autoplay LEVEL DIFFICULTY FRAMES [--seed N] [--png OUT.png]\n"
               "  LEVEL 1..25, DIFFICULTY 0 easy, 1 medium, 2 hard; runs from the game folder\n"
               "  (the program's own folder when it holds Data/, else the working folder)\n");
  return 2;
}

std::filesystem::path GameFolder(const char* argv0) {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) self = std::filesystem::absolute(argv0, ec);
  const std::filesystem::path folder = self.parent_path();
  if (!folder.empty() && std::filesystem::is_directory(folder / "Data", ec)) return folder;
  return std::filesystem::current_path();
}

int Play(int argc, char** argv) {
  if (argc < 4) return Usage();
  long long level = 0, difficulty = 0, frames = 0, seed = 1;
  if (!ParseInt(argv[1], 1, 25, level) || !ParseInt(argv[2], 0, 2, difficulty) ||
      !ParseInt(argv[3], 0, 100'000'000, frames)) {
    return Usage();
  }
  std::string png;
  for (int i = 4; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--seed" && i + 1 < argc) {
      if (!ParseInt(argv[++i], 0, 0xFFFFFFFFll, seed)) return Usage();
    } else if (arg == "--png" && i + 1 < argc) {
      png = argv[++i];
    } else {
      return Usage();
    }
  }

  zb::HeadlessGame game(GameFolder(argv[0]));
  if (!game.Start()) {
    std::fprintf(stderr, "zumbala-autoplay: the game could not start\n");
    return 1;
  }
  zb::TAutoPlayer player(game);
  player.StartLevel(static_cast<int>(level), static_cast<uint8_t>(difficulty), static_cast<uint32_t>(seed));
  for (const auto& [caption, text] : game.Platform().desktop.messageBoxes) {
    std::fprintf(stderr, "zumbala-autoplay: %s\n", text.c_str());
  }
  // A level the game refuses leaves it on the main menu: no result to report.
  if (game.Form().CurrentScreen() == zb::ScreenMainMenu) {
    std::fprintf(stderr, "zumbala-autoplay: level %lld could not be played\n", level);
    return 1;
  }
  player.Run(static_cast<int>(frames));
  if (!png.empty() && !game.SavePng(png)) {
    std::fprintf(stderr, "zumbala-autoplay: cannot write %s\n", png.c_str());
    return 1;
  }
  std::printf("%s\n", player.Summary().c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Play(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zumbala-autoplay: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zumbala-autoplay: an unknown error\n");
  }
  return 1;
}
