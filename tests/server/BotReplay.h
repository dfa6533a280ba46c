#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/HeadlessGame.h"
#include "app/ReplayCheck.h"
#include "server/ReplayVerifier.h"
#include "tests/app/GameFolder.h"
#include "tools/autoplay/GameBot.h"

namespace zb::server::testing {

// The bot's game on easy, given up after `playFrames` frames of play, in a folder of links to the
// built game; the recording of it (empty when the bot made none).
inline TReplay BotReplay(uint32_t seed, int64_t playFrames, const std::string& name = "Bot") {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("zb-bot-" + std::to_string(::getpid()) + "-" + std::to_string(seed));
  test::LinkWholeGame(folder);
  TReplay replay;
  {
    HeadlessGame game(folder);
    game.SetDrawing(false);
    if (game.Start()) {
      TGameBotOptions options;
      options.Seed = seed;
      options.MaxFrames = playFrames;
      options.FrameBound = 200'000;
      options.Name = name;
      TGameBot bot(game, options, [](const std::string&) {});
      bot.Run();
      if (game.Screens().LastReplay) replay = *game.Screens().LastReplay;
    }
  }
  std::filesystem::remove_all(folder);
  return replay;
}

// The check the program makes, with the built game's content.
inline ReplayChecker GameChecker() {
  TReplayCheckOptions options;
  options.Content = ZB_GAME_DIR;
  return [options](const TReplay& replay) {
    const TReplayVerdict verdict = CheckReplay(replay, options);
    return ReplayCheckResult{verdict.Verified, verdict.Reason};
  };
}

}  // namespace zb::server::testing
