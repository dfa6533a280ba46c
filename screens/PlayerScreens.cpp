#include "screens/PlayerScreens.h"

#include <array>
#include <filesystem>

#include "persist/Checkpoint.h"

#include "screens/FormControls.h"
#include "screens/ScreenContext.h"
#include "engine/platform/Keys.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

constexpr std::array<uint32_t, kDifficulties> kTabColours = {0x2504EA70, 0x2504EAE0, 0x25040AEA};
constexpr std::array<const char*, kDifficulties> kTabButtons = {"b_highscore_easy", "b_highscore_medium",
                                                                "b_highscore_hard"};

void EnterNameEntry(TScreenContext& ctx, std::string_view form, const char* editName) {
  ShowForm(ctx, form, true);
  if (TGuiEdit* edit = Find<TGuiEdit>(ctx, editName)) {
    edit->SetText("");
    edit->SetFocus();
  }
}

std::string TypedName(TScreenContext& ctx, const char* editName) {
  const TGuiEdit* edit = Find<TGuiEdit>(ctx, editName);
  return edit != nullptr ? TrimName(edit->Text()) : std::string();
}

// The create button follows the typed name; Enter creates once there is one.
void NameEntryStep(TScreenContext& ctx, const char* editName, const char* buttonName) {
  const bool named = !TypedName(ctx, editName).empty();
  TGuiControl* button = ctx.GuiBase.FindControl(buttonName);
  if (button != nullptr) button->SetEnabled(named);
  if (named && ctx.KeysReleased[vk::Enter]) RunButton(ctx, buttonName);
}

// Adds the typed name; false when nothing usable was typed or the list is full.
bool CreateFromEdit(TScreenContext& ctx, const char* editName) {
  const std::string name = TypedName(ctx, editName);
  if (name.empty() || !AddPlayer(ctx.Settings, name)) return false;
  // Players are written at once, not only when the options are left or the game closes.
  SaveSettings(ctx);
  ctx.PlaySound("check");
  return true;
}

void ShowTabs(TScreenContext& ctx, uint8_t difficulty) {
  for (size_t d = 0; d < kTabButtons.size(); ++d) {
    if (TGuiButton* tab = Find<TGuiButton>(ctx, kTabButtons[d])) {
      const int32_t glyph = d == difficulty ? 1 : 0;
      tab->NormalGlyph = glyph;
      tab->DisabledGlyph = glyph;
      tab->ClickedGlyph = glyph;
    }
  }
  for (const char* name : {"ts_1", "ts_2", "ts_3"}) {
    if (TGuiControl* control = ctx.GuiBase.FindControl(name)) control->Bkgrnd.SetColor(kTabColours[difficulty]);
  }
  const auto& table = ctx.Settings.HighScores[difficulty];
  for (size_t row = 0; row < table.size(); ++row) {
    const std::string number = std::to_string(row + 1);
    SetLabel(ctx, "name" + number, table[row].Name);
    SetLabel(ctx, "score" + number, table[row].Score);
  }
}

}  // namespace

std::string TrimName(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return std::string(name);
}

bool AddPlayer(TSettings& settings, const std::string& name) {
  if (settings.PlayerCount < 0 || settings.PlayerCount >= kMaxPlayers) return false;
  settings.Players[static_cast<size_t>(settings.PlayerCount)] = name;
  settings.CurrentPlayer = settings.PlayerCount;
  ++settings.PlayerCount;
  settings.PlayerName = name;
  return true;
}

void DeleteCurrentPlayer(TSettings& settings) {
  const int count = settings.PlayerCount;
  const int current = settings.CurrentPlayer;
  if (count <= 0 || count > kMaxPlayers || current < 0 || current >= count) return;
  if (current == count - 1) {
    settings.Players[static_cast<size_t>(count - 1)].clear();
    if (count > 1) settings.CurrentPlayer = current - 1;
  } else {
    for (int i = current; i < count - 1; ++i) {
      settings.Players[static_cast<size_t>(i)] = settings.Players[static_cast<size_t>(i + 1)];
    }
    settings.Players[static_cast<size_t>(count - 1)].clear();
  }
  settings.PlayerCount = count - 1;
  settings.PlayerName = settings.Players[static_cast<size_t>(settings.CurrentPlayer)];
}

void EnterEnterNameScreen(TScreenContext& ctx) { EnterNameEntry(ctx, "scr_entername", "edit_name1"); }

void ProcessEnterNameScreen(TScreenContext& ctx) {
  NameEntryStep(ctx, "edit_name1", "b_entername_create");
}

void EnterCreatePlayerScreen(TScreenContext& ctx) { EnterNameEntry(ctx, "scr_create", "edit_name"); }

void ProcessCreatePlayerScreen(TScreenContext& ctx) {
  if (ctx.KeysReleased[vk::Escape]) {
    LeaveScreen(ctx, ScreenCreatePlayer);
    EnterScreen(ctx, ScreenChangePlayer);
  } else {
    NameEntryStep(ctx, "edit_name", "b_create_create");
  }
}

void CreatePlayerFromName(TScreenContext& ctx) {
  if (!CreateFromEdit(ctx, "edit_name1")) return;
  LeaveScreen(ctx, ScreenEnterName);
  EnterScreen(ctx, ScreenMainMenu);
}

void CreatePlayerFromList(TScreenContext& ctx) {
  if (!CreateFromEdit(ctx, "edit_name")) return;
  LeaveScreen(ctx, ScreenCreatePlayer);
  EnterScreen(ctx, ScreenChangePlayer);
}

void EnterChangePlayerScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_change", true);
  const TSettings& settings = ctx.Settings;
  if (TGuiListBox* list = Find<TGuiListBox>(ctx, "players")) {
    list->Items.assign(settings.Players.begin(), settings.Players.begin() + settings.PlayerCount);
    list->ItemIndex = settings.PlayerCount > 0 ? settings.CurrentPlayer : -1;
  }
  for (const char* name : {"b_change_back", "b_change_delete"}) {
    if (TGuiControl* button = ctx.GuiBase.FindControl(name)) button->SetEnabled(settings.PlayerCount != 0);
  }
  if (TGuiControl* create = ctx.GuiBase.FindControl("b_change_create")) {
    create->SetEnabled(settings.PlayerCount != kMaxPlayers);
  }
}

void ProcessChangePlayerScreen(TScreenContext& ctx) {
  // With no player left the list cannot be left but by creating one.
  if (ctx.Settings.PlayerCount > 0 && ctx.KeysReleased[vk::Escape]) RunButton(ctx, "b_change_back");
}

void LeaveChangePlayerScreen(TScreenContext& ctx) {
  TSettings& settings = ctx.Settings;
  const TGuiListBox* list = Find<TGuiListBox>(ctx, "players");
  if (list != nullptr && list->ItemIndex >= 0 && list->ItemIndex < settings.PlayerCount) {
    settings.CurrentPlayer = list->ItemIndex;
    settings.PlayerName = settings.Players[static_cast<size_t>(settings.CurrentPlayer)];
  } else if (settings.PlayerCount == 0) {
    // An empty list selects nothing: no current player until the next one is created.
    settings.CurrentPlayer = 0;
    settings.PlayerName.clear();
  }
  ShowForm(ctx, "scr_change", false);
}

void EnterDeletePlayerScreen(TScreenContext& ctx) {
  const TSettings& settings = ctx.Settings;
  const int current = settings.CurrentPlayer;
  SetLabel(ctx, "delete_name",
           current >= 0 && current < kMaxPlayers ? settings.Players[static_cast<size_t>(current)] : "");
  ShowForm(ctx, "scr_delete", true);
}

void DeletePlayerAnswered(TScreenContext& ctx) {
  ctx.PlaySound("check");
  const TSettings& settings = ctx.Settings;
  // The player's game to continue goes with them, and so does one set aside.
  if (settings.CurrentPlayer >= 0 && settings.CurrentPlayer < settings.PlayerCount && ctx.Folders.CanSave &&
      !ctx.Folders.User.empty()) {
    const std::filesystem::path checkpoint =
        CheckpointPath(ctx.Folders.User, settings.Players[static_cast<size_t>(settings.CurrentPlayer)]);
    RemoveCheckpointFile(checkpoint);
    RemoveCheckpointFile(std::filesystem::path(checkpoint) += ".bad");
  }
  DeleteCurrentPlayer(ctx.Settings);
  SaveSettings(ctx);
  LeaveScreen(ctx, ScreenDeletePlayer);
  EnterScreen(ctx, ScreenChangePlayer);
}

void EnterHighScoreScreen(TScreenContext& ctx) {
  ShowForm(ctx, "scr_highscore", true);
  for (int row = 1; row <= kHighScoreRows; ++row) SetLabel(ctx, "n" + std::to_string(row), std::to_string(row));
  ShowTabs(ctx, ctx.State.ScoreViewDifficulty < kDifficulties ? ctx.State.ScoreViewDifficulty : 0);
}

void ShowHighScoreTab(TScreenContext& ctx, uint8_t difficulty) {
  ctx.PlaySound("check");
  ctx.State.ScoreViewDifficulty = difficulty;
  ShowTabs(ctx, difficulty);
}

void ClearHighScores(TScreenContext& ctx) {
  ctx.PlaySound("check");
  ResetHighScores(ctx.Settings);
  LeaveScreen(ctx, ScreenClearScores);
  EnterScreen(ctx, ScreenHighScore);
}

}  // namespace zb
