#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zb {

struct TScreenContext;
struct TSettings;

// A name without the spaces before and after it.
std::string TrimName(std::string_view name);
// Appends a player and makes it current; false when the list is full.
bool AddPlayer(TSettings& settings, const std::string& name);
// Removes the current player; the selection stays on the same index, or the one above after the last.
void DeleteCurrentPlayer(TSettings& settings);

// The first-start name screen (1) and the new-player screen (18).
void EnterEnterNameScreen(TScreenContext& ctx);
void ProcessEnterNameScreen(TScreenContext& ctx);
void EnterCreatePlayerScreen(TScreenContext& ctx);
void ProcessCreatePlayerScreen(TScreenContext& ctx);
// The create buttons: the typed name becomes a player, then on to the menu or the list.
void CreatePlayerFromName(TScreenContext& ctx);
void CreatePlayerFromList(TScreenContext& ctx);

// The player list (19) and the delete question (20).
void EnterChangePlayerScreen(TScreenContext& ctx);
void ProcessChangePlayerScreen(TScreenContext& ctx);
void LeaveChangePlayerScreen(TScreenContext& ctx);
void EnterDeletePlayerScreen(TScreenContext& ctx);
void DeletePlayerAnswered(TScreenContext& ctx);

// The high-score tables (8) and their reset (9).
void EnterHighScoreScreen(TScreenContext& ctx);
void ShowHighScoreTab(TScreenContext& ctx, uint8_t difficulty);
void ClearHighScores(TScreenContext& ctx);

}  // namespace zb
