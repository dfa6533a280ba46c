// zumbala-autoplay LEVEL DIFFICULTY FRAMES [--seed N] [--png OUT.png] [--lives]: plays one level of
// the real game headless and prints how it ended.
// zumbala-autoplay --game DIFFICULTY [options]: plays a whole game through the real screens.
// zumbala-autoplay --replay FILE: plays a recorded game again through the real screens.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/HeadlessGame.h"
#include "app/ReplayCheck.h"
#include "persist/Config.h"
#include "persist/ReplayStore.h"
#include "engine/platform/sdl/CurlHttp.h"
#include "screens/ScreenId.h"
#include "screens/ScreenState.h"
#include "tools/autoplay/AutoPlayer.h"
#include "tools/autoplay/GameBot.h"

namespace {

bool ParseInt(std::string_view text, long long low, long long high, long long& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= low && value <= high;
}

bool ParseDifficulty(std::string_view text, long long& value) {
  constexpr std::string_view names[] = {"easy", "medium", "hard"};
  for (long long i = 0; i < 3; ++i) {
    if (text == names[i]) {
      value = i;
      return true;
    }
  }
  return ParseInt(text, 0, 2, value);
}

int Usage() {
  std::fprintf(stderr,
               "usage: zumbala-autoplay LEVEL DIFFICULTY FRAMES [--seed N] [--png OUT.png] [--lives]\n"
               "       zumbala-autoplay --set DIR LEVEL DIFFICULTY FRAMES [the same options]\n"
               "       zumbala-autoplay --game DIFFICULTY [--seed N] [--name NAME] [--country TEXT]\n"
               "                        [--send yes|no] [--start-level L] [--max-frames N] [--idle]\n"
               "                        [--png-dir DIR] [--bound N] [--record FILE] [--continue]\n"
               "       zumbala-autoplay --replay FILE\n"
               "  LEVEL 1..25, DIFFICULTY 0 easy, 1 medium, 2 hard (or the names); runs from the game\n"
               "  folder (the program's own folder when it holds Data/, else the working folder);\n"
               "  --set plays level LEVEL of the level set in the folder DIR instead; --continue goes on\n"
               "  with the player's checkpoint (the menu's Continue) instead of a new game\n");
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

int PlayGame(int argc, char** argv) {
  long long difficulty = 0;
  if (argc < 3 || !ParseDifficulty(argv[2], difficulty)) return Usage();
  zb::TGameBotOptions options;
  options.Difficulty = static_cast<uint8_t>(difficulty);
  std::filesystem::path record;
  for (int i = 3; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    long long value = 0;
    if (arg == "--idle") {
      options.Idle = true;
    } else if (arg == "--continue") {
      options.Continue = true;
    } else if (!hasValue) {
      return Usage();
    } else if (arg == "--seed") {
      if (!ParseInt(argv[++i], 0, 0xFFFFFFFFll, value)) return Usage();
      options.Seed = static_cast<uint32_t>(value);
    } else if (arg == "--name") {
      options.Name = argv[++i];
    } else if (arg == "--country") {
      options.Country = argv[++i];
    } else if (arg == "--send") {
      const std::string_view answer = argv[++i];
      if (answer != "yes" && answer != "no") return Usage();
      options.Send = answer == "yes";
    } else if (arg == "--start-level") {
      if (!ParseInt(argv[++i], 1, 25, value)) return Usage();
      options.StartLevel = static_cast<int>(value);
    } else if (arg == "--max-frames") {
      if (!ParseInt(argv[++i], 0, 1'000'000'000, value)) return Usage();
      options.MaxFrames = value;
    } else if (arg == "--png-dir") {
      options.PngDir = argv[++i];
    } else if (arg == "--record") {
      record = argv[++i];
    } else if (arg == "--bound") {
      if (!ParseInt(argv[++i], 1, 1'000'000'000, value)) return Usage();
      options.FrameBound = value;
    } else {
      return Usage();
    }
  }
  if (!options.PngDir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.PngDir, ec);
  }

  zb::HeadlessGame game(GameFolder(argv[0]));
  game.Platform().window.SetRasterise(!options.PngDir.empty());
  // "yes" submits through the real HTTP client; the window stays headless.
  std::unique_ptr<zb::platform::CurlHttp> http;
  if (options.Send) {
    http = std::make_unique<zb::platform::CurlHttp>();
    game.Platform().httpOverride = http.get();
  }
  if (!game.Start()) {
    for (const auto& [caption, text] : game.Platform().desktop.messageBoxes) std::printf("message: %s\n", text.c_str());
    std::fprintf(stderr, "zumbala-autoplay: the game could not start\n");
    return 1;
  }
  zb::TGameBot bot(game, options, [](const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
  });
  const bool ended = bot.Run();
  if (bot.NoCheckpoint()) {
    std::fprintf(stderr, "zumbala-autoplay: the player has no game to continue\n");
    return 1;
  }
  std::printf("%s\n", bot.Summary().c_str());
  if (!record.empty()) {
    const std::optional<zb::TReplay>& replay = game.Screens().LastReplay;
    if (!replay) {
      std::fprintf(stderr, "zumbala-autoplay: no game was recorded\n");
      return 1;
    }
    if (const zb::ConfigFileResult written = zb::WriteFileSafely(record, zb::EncodeReplay(*replay)); !written.ok) {
      std::fprintf(stderr, "zumbala-autoplay: %s\n", written.error.c_str());
      return 1;
    }
  }
  if (!ended) {
    std::fprintf(stderr, "zumbala-autoplay: the bound of %lld frames ran out\n",
                 static_cast<long long>(options.FrameBound));
    return 1;
  }
  return 0;
}

// The screens the replayed game enters, as `--game` prints them, with the frames of the game; then
// its game: line.
int PlayReplay(int argc, char** argv) {
  if (argc != 3) return Usage();
  const zb::TReplayReadResult read = zb::ReadReplayFile(argv[2]);
  if (!read.Replay) {
    std::fprintf(stderr, "zumbala-autoplay: %s: %s\n", argv[2], read.Error.c_str());
    return 1;
  }
  const char* result = "quit";
  std::optional<uint8_t> shown;
  zb::TReplayCheckOptions options;
  options.Content = GameFolder(argv[0]);
  options.NewGameOnly = false;
  options.TimeCap = std::chrono::hours(1);
  options.AfterFrame = [&](zb::HeadlessGame& game) {
    zb::TScreenContext& screens = game.Screens();
    if (shown == screens.CurrentScreen) return;
    shown = screens.CurrentScreen;
    const zb::TGameState& state = screens.Core.Game;
    std::printf("frame=%lld screen=%d level=%d score=%d lives=%d\n", static_cast<long long>(screens.Feed->Frame()),
                *shown, state.LevelNumber, state.GetShownScore(), state.Lives);
    if (*shown == zb::ScreenGameOver) result = "gameover";
    if (*shown == zb::ScreenEndGame) result = "finished";
  };
  const zb::TReplayVerdict verdict = zb::CheckReplay(*read.Replay, options);
  std::printf("game: result=%s frames=%lld level=%d score=%d entered=no\n", result,
              static_cast<long long>(read.Replay->Frames), read.Replay->FinalLevel, read.Replay->FinalScore);
  if (!verdict.Verified) {
    std::fprintf(stderr, "zumbala-autoplay: the replay does not play out: %s\n", verdict.Reason.c_str());
    return 1;
  }
  return 0;
}

// `set` is the folder of a level set of the player's own, or empty for the game's levels.
int PlayLevel(int argc, char** argv, const char* program, const std::filesystem::path& set) {
  if (argc < 4) return Usage();
  long long level = 0, difficulty = 0, frames = 0, seed = 1;
  if (!ParseInt(argv[1], 1, 25, level) || !ParseDifficulty(argv[2], difficulty) ||
      !ParseInt(argv[3], 0, 100'000'000, frames)) {
    return Usage();
  }
  std::string png;
  bool lives = false;
  for (int i = 4; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--seed" && i + 1 < argc) {
      if (!ParseInt(argv[++i], 0, 0xFFFFFFFFll, seed)) return Usage();
    } else if (arg == "--png" && i + 1 < argc) {
      png = argv[++i];
    } else if (arg == "--lives") {
      lives = true;
    } else {
      return Usage();
    }
  }

  zb::HeadlessGame game(GameFolder(program));
  // Pixels only for the picture asked for.
  game.Platform().window.SetRasterise(!png.empty());
  if (!game.Start()) {
    std::fprintf(stderr, "zumbala-autoplay: the game could not start\n");
    return 1;
  }
  if (!set.empty()) {
    zb::TOwnPlay& own = game.Screens().State.Own;
    own.Set = zb::ReadLevelSet(set.parent_path(), set.filename().string());
    for (const std::string& problem : own.Set.Problems) std::fprintf(stderr, "zumbala-autoplay: %s\n", problem.c_str());
    if (level > static_cast<long long>(own.Set.Levels.size())) {
      std::fprintf(stderr, "zumbala-autoplay: the set \"%s\" has %zu playable levels\n", set.c_str(),
                   own.Set.Levels.size());
      return 1;
    }
    own.Active = true;
  }
  zb::TAutoPlayer player(game);
  player.PlayOnWithLives(lives);
  player.StartLevel(static_cast<int>(level), static_cast<uint8_t>(difficulty), static_cast<uint32_t>(seed));
  for (const auto& [caption, text] : game.Platform().desktop.messageBoxes) {
    std::fprintf(stderr, "zumbala-autoplay: %s\n", text.c_str());
  }
  // A level the game refuses leaves it on the main menu: no result to report.
  if (game.Screens().CurrentScreen == zb::ScreenMainMenu) {
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
    if (argc >= 2 && std::string_view(argv[1]) == "--game") return PlayGame(argc, argv);
    if (argc >= 2 && std::string_view(argv[1]) == "--replay") return PlayReplay(argc, argv);
    if (argc >= 3 && std::string_view(argv[1]) == "--set") {
      std::error_code ec;
      std::filesystem::path set = std::filesystem::absolute(argv[2], ec).lexically_normal();
      if (!set.has_filename()) set = set.parent_path();
      return PlayLevel(argc - 2, argv + 2, argv[0], set);
    }
    return PlayLevel(argc, argv, argv[0], {});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zumbala-autoplay: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zumbala-autoplay: an unknown error\n");
  }
  return 1;
}
