#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zb {

class TForm1;
struct TSettings;

// A name without the spaces before and after it.
std::string TrimName(std::string_view name);
// Appends a player and makes it current; false when the list is full.
bool AddPlayer(TSettings& settings, const std::string& name);
// Removes the current player; the selection stays on the same index, or the one above after the last.
void DeleteCurrentPlayer(TSettings& settings);

// The first-start name screen (1) and the new-player screen (18).
void EnterEnterNameScreen(TForm1& form);
void ProcessEnterNameScreen(TForm1& form);
void EnterCreatePlayerScreen(TForm1& form);
void ProcessCreatePlayerScreen(TForm1& form);
// The create buttons: the typed name becomes a player, then on to the menu or the list.
void CreatePlayerFromName(TForm1& form);
void CreatePlayerFromList(TForm1& form);

// The player list (19) and the delete question (20).
void EnterChangePlayerScreen(TForm1& form);
void ProcessChangePlayerScreen(TForm1& form);
void LeaveChangePlayerScreen(TForm1& form);
void EnterDeletePlayerScreen(TForm1& form);
void DeletePlayerAnswered(TForm1& form);

// The high-score tables (8) and their reset (9).
void EnterHighScoreScreen(TForm1& form);
void ShowHighScoreTab(TForm1& form, uint8_t difficulty);
void ClearHighScores(TForm1& form);

}  // namespace zb
