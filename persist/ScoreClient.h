#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/Language.h"
#include "engine/platform/Http.h"
#include "engine/platform/Platform.h"
#include "persist/ReplayFile.h"
#include "persist/ScoreLine.h"

namespace zb {

// One finished game as it is sent; texts are CP1251 bytes, as the settings keep them.
struct TScoreSubmission {
  int Difficulty = 0;  // 0 easy, 1 medium, 2 hard
  std::string Name;
  std::string Country;
  int64_t Score = 0;
};

enum class TSubmitResult {
  Unreachable,  // the version check failed: the player was told
  NotStored,    // the submission itself failed or was refused: the player was told
  Sent,
};

// Scheme, host and port of the score server: the "URL=" line of "scores.url" in the game
// folder when there is a usable one, otherwise the build's default.
std::string ScoreServerBase(const std::filesystem::path& gameFolder);

// The server token of a version reply: the fifth "|"-separated field, "OK" being the first;
// empty when the reply has fewer than five "|".
std::string ScoreServerToken(std::string_view reply);

// The public page of one difficulty's scores; empty for a difficulty outside 0..2.
std::string ScorePageUrl(std::string_view base, int difficulty);

// The version check, then the score line. A failed check or submission shows "Can't connect to
// server!" (one the server refused says so); a name or country longer than the server stores is
// cut, and the player told, in `language`. Both requests block. `spentToken`, when given, gets the
// token the stored score spent (the replay of the game goes with it).
TSubmitResult SubmitScore(platform::HttpClient& http, platform::Desktop& desktop, std::string_view base,
                          const TScoreSubmission& score, const TLanguage& language = TLanguage(),
                          std::string* spentToken = nullptr);

// The replay is of the game whose score this is: the same difficulty, player and final score.
bool ReplayIsOf(const TReplay& replay, const TScoreSubmission& score);

// Sends the replay of a stored score, tied to it by the token its submission spent; the server
// verifies it later. Empty when the server took it, else why not. Blocks; nothing is shown.
std::string SendReplay(platform::HttpClient& http, std::string_view base, std::string_view token,
                       const TReplay& replay);

// Opens the score page of a difficulty in the browser; false when nothing was opened.
bool OpenScorePage(platform::Desktop& desktop, std::string_view base, int difficulty);

}  // namespace zb
