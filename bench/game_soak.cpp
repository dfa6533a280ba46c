// Whole games played back to back in one process by the game bot, headless and without
// rasterising, for a given time: built with AddressSanitizer and UndefinedBehaviorSanitizer by
// bench/soak.sh, it shows that long play neither trips the sanitizers nor grows the process.
//
//   game_soak GAME_DIR MINUTES [WORK_DIR]
//
// Each game runs in WORK_DIR (default: a fresh folder under the temporary folder), which links to
// the content of GAME_DIR and keeps its own "Config.cfg" from game to game, as a player's does. It
// prints one line per game and a summary; the exit status is 1 when a game did not end, when the
// heap the games leave behind grows more than 5 % after the first game, or, in a build without the
// address sanitizer, when the resident memory after the last game of a kind is more than 5 % above
// that after the first game of that kind (the kinds free different amounts). The sanitizer holds
// up to 256 MB of freed memory back to catch late uses, so there the resident size is only shown.
#include <malloc.h>
#include <unistd.h>
#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's run-time library (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/HeadlessGame.h"
#include "tools/autoplay/GameBot.h"

namespace {

namespace fs = std::filesystem;

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Bytes the program holds on its heap: unlike the resident size, it does not depend on how much
// freed memory the allocator keeps (or, under the sanitizer, holds back to catch late uses).
size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

bool LinkContent(const fs::path& game, const fs::path& work) {
  std::error_code ec;
  fs::create_directories(work, ec);
  for (const char* folder : {"Data", "Sounds", "wdata"}) {
    if (!fs::is_directory(game / folder, ec)) {
      std::fprintf(stderr, "game_soak: %s has no %s folder\n", game.c_str(), folder);
      return false;
    }
    if (!fs::exists(work / folder, ec)) fs::create_directory_symlink(fs::absolute(game / folder), work / folder, ec);
    if (ec) {
      std::fprintf(stderr, "game_soak: cannot link %s: %s\n", folder, ec.message().c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: game_soak GAME_DIR MINUTES [WORK_DIR]\n");
    return 2;
  }
  const fs::path game = argv[1];
  const double minutes = std::atof(argv[2]);
  const fs::path work = argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path() / ("zb-soak-" + std::to_string(getpid()));
  if (minutes <= 0 || !LinkContent(game, work)) return 2;

  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  const auto elapsedMinutes = [&] { return std::chrono::duration<double>(Clock::now() - start).count() / 60; };
  // Per kind of game: the resident memory after its first and after its latest game.
  long firstKiB[3] = {}, lastKiB[3] = {}, peakKiB = 0;
  size_t firstHeap = 0, lastHeap = 0;
  int games = 0;
  bool allEnded = true;
  while (games == 0 || elapsedMinutes() < minutes) {
    zb::TGameBotOptions options;
    options.Difficulty = static_cast<uint8_t>(games % 3);
    options.Seed = static_cast<uint32_t>(games + 1);
    // In turn: a whole game, a game given up from play through the exit question, a game over.
    if (games % 3 == 1) options.MaxFrames = 60'000;
    options.Idle = games % 3 == 2;
    bool ended = false;
    std::string summary;
    {
      zb::HeadlessGame headless(work);
      headless.Platform().window.SetRasterise(false);
      if (!headless.Start()) {
        std::fprintf(stderr, "game_soak: the game could not start in %s\n", work.c_str());
        return 1;
      }
      // The bot's last lines, shown when a game does not come to its end.
      std::deque<std::string> lines;
      zb::TGameBot bot(headless, options, [&](const std::string& line) {
        lines.push_back(line);
        if (lines.size() > 40) lines.pop_front();
      });
      ended = bot.Run();
      summary = bot.Summary();
      if (!ended) {
        for (const std::string& line : lines) std::printf("  %s\n", line.c_str());
      }
    }
    const int kind = games % 3;
    ++games;
    allEnded = allEnded && ended;
    // The game is gone: what it left on the heap, and the resident size once the allocator has
    // given back what it can.
    malloc_trim(0);
    const long kib = ResidentKiB();
    const size_t heap = LiveHeapBytes();
    if (firstKiB[kind] == 0) firstKiB[kind] = kib;
    lastKiB[kind] = kib;
    peakKiB = std::max(peakKiB, kib);
    if (games == 1) firstHeap = heap;
    lastHeap = heap;
    std::printf("soak: game=%d minutes=%.1f rss_kib=%ld heap_kib=%zu %s\n", games, elapsedMinutes(), kib, heap / 1024,
                summary.c_str());
    std::fflush(stdout);
  }
  double growth = 0;
  for (int kind = 0; kind < 3; ++kind) {
    if (firstKiB[kind] == 0) continue;
    growth = std::max(growth, 100.0 * static_cast<double>(lastKiB[kind] - firstKiB[kind]) /
                                  static_cast<double>(firstKiB[kind]));
  }
  const double heapGrowth =
      firstHeap > 0 ? 100.0 * (static_cast<double>(lastHeap) - static_cast<double>(firstHeap)) / static_cast<double>(firstHeap) : 0;
  std::printf("soak: games=%d minutes=%.1f rss_first_kib=%ld/%ld/%ld rss_last_kib=%ld/%ld/%ld rss_peak_kib=%ld "
              "rss_growth=%.1f%% heap_first_kib=%zu heap_last_kib=%zu heap_growth=%.1f%%\n",
              games, elapsedMinutes(), firstKiB[0], firstKiB[1], firstKiB[2], lastKiB[0], lastKiB[1], lastKiB[2],
              peakKiB, growth, firstHeap / 1024, lastHeap / 1024, heapGrowth);
  if (argc <= 3) {
    std::error_code ec;
    fs::remove_all(work, ec);
  }
#if defined(__SANITIZE_ADDRESS__)
  const bool residentFlat = true;
#else
  const bool residentFlat = growth <= 5.0;
#endif
  return allEnded && residentFlat && heapGrowth <= 5.0 ? 0 : 1;
}
