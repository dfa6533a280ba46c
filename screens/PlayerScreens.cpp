#include "screens/PlayerScreens.h"

#include <array>

#include "app/Form1.h"
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

template <class T>
T* Find(TForm1& form, std::string_view name) {
  return dynamic_cast<T*>(form.GuiBase.FindControl(name));
}

void SetLabel(TForm1& form, const std::string& name, const std::string& text) {
  if (TGuiLabel* label = Find<TGuiLabel>(form, name)) label->SetText(text);
}

void EnterNameEntry(TForm1& form, uint8_t screen, const char* editName) {
  FormEnter(form, screen);
  if (TGuiEdit* edit = Find<TGuiEdit>(form, editName)) {
    edit->SetText("");
    edit->SetFocus();
  }
}

std::string TypedName(TForm1& form, const char* editName) {
  const TGuiEdit* edit = Find<TGuiEdit>(form, editName);
  return edit != nullptr ? TrimName(edit->Text()) : std::string();
}

// The create button follows the typed name; Enter creates once there is one.
void NameEntryStep(TForm1& form, const char* editName, const char* buttonName) {
  const bool named = !TypedName(form, editName).empty();
  TGuiControl* button = form.GuiBase.FindControl(buttonName);
  if (button != nullptr) button->SetEnabled(named);
  if (named && form.KeysReleased[vk::Enter]) RunButton(form, buttonName);
}

// Adds the typed name; false when nothing usable was typed or the list is full.
bool CreateFromEdit(TForm1& form, const char* editName) {
  const std::string name = TypedName(form, editName);
  if (name.empty() || !AddPlayer(form.Settings, name)) return false;
  form.PlaySound("check");
  return true;
}

void ShowTabs(TForm1& form, uint8_t difficulty) {
  for (size_t d = 0; d < kTabButtons.size(); ++d) {
    if (TGuiButton* tab = Find<TGuiButton>(form, kTabButtons[d])) {
      const int32_t glyph = d == difficulty ? 1 : 0;
      tab->NormalGlyph = glyph;
      tab->DisabledGlyph = glyph;
      tab->ClickedGlyph = glyph;
    }
  }
  for (const char* name : {"ts_1", "ts_2", "ts_3"}) {
    if (TGuiControl* control = form.GuiBase.FindControl(name)) control->Bkgrnd.SetColor(kTabColours[difficulty]);
  }
  const auto& table = form.Settings.HighScores[difficulty];
  for (size_t row = 0; row < table.size(); ++row) {
    const std::string number = std::to_string(row + 1);
    SetLabel(form, "name" + number, table[row].Name);
    SetLabel(form, "score" + number, table[row].Score);
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

void EnterEnterNameScreen(TForm1& form) { EnterNameEntry(form, ScreenEnterName, "edit_name1"); }

void ProcessEnterNameScreen(TForm1& form) {
  NameEntryStep(form, "edit_name1", "b_entername_create");
  MenuProcess(form, {});
}

void EnterCreatePlayerScreen(TForm1& form) { EnterNameEntry(form, ScreenCreatePlayer, "edit_name"); }

void ProcessCreatePlayerScreen(TForm1& form) {
  if (form.KeysReleased[vk::Escape]) {
    LeaveScreen(form, ScreenCreatePlayer);
    EnterScreen(form, ScreenChangePlayer);
  } else {
    NameEntryStep(form, "edit_name", "b_create_create");
  }
  MenuProcess(form, {});
}

void CreatePlayerFromName(TForm1& form) {
  if (!CreateFromEdit(form, "edit_name1")) return;
  LeaveScreen(form, ScreenEnterName);
  EnterScreen(form, ScreenMainMenu);
}

void CreatePlayerFromList(TForm1& form) {
  if (!CreateFromEdit(form, "edit_name")) return;
  LeaveScreen(form, ScreenCreatePlayer);
  EnterScreen(form, ScreenChangePlayer);
}

void EnterChangePlayerScreen(TForm1& form) {
  FormEnter(form, ScreenChangePlayer);
  const TSettings& settings = form.Settings;
  if (TGuiListBox* list = Find<TGuiListBox>(form, "players")) {
    list->Items.assign(settings.Players.begin(), settings.Players.begin() + settings.PlayerCount);
    list->ItemIndex = settings.PlayerCount > 0 ? settings.CurrentPlayer : -1;
  }
  for (const char* name : {"b_change_back", "b_change_delete"}) {
    if (TGuiControl* button = form.GuiBase.FindControl(name)) button->SetEnabled(settings.PlayerCount != 0);
  }
  if (TGuiControl* create = form.GuiBase.FindControl("b_change_create")) {
    create->SetEnabled(settings.PlayerCount != kMaxPlayers);
  }
}

void ProcessChangePlayerScreen(TForm1& form) {
  MenuProcess(form, form.Settings.PlayerCount > 0 ? "b_change_back" : "");
}

void LeaveChangePlayerScreen(TForm1& form) {
  TSettings& settings = form.Settings;
  const TGuiListBox* list = Find<TGuiListBox>(form, "players");
  if (list != nullptr && list->ItemIndex >= 0 && list->ItemIndex < settings.PlayerCount) {
    settings.CurrentPlayer = list->ItemIndex;
    settings.PlayerName = settings.Players[static_cast<size_t>(settings.CurrentPlayer)];
  } else if (settings.PlayerCount == 0) {
    // An empty list selects nothing: no current player until the next one is created.
    settings.CurrentPlayer = 0;
    settings.PlayerName.clear();
  }
  FormLeave(form, ScreenChangePlayer);
}

void EnterDeletePlayerScreen(TForm1& form) {
  const TSettings& settings = form.Settings;
  const int current = settings.CurrentPlayer;
  SetLabel(form, "delete_name",
           current >= 0 && current < kMaxPlayers ? settings.Players[static_cast<size_t>(current)] : "");
  FormEnter(form, ScreenDeletePlayer);
}

void DeletePlayerAnswered(TForm1& form) {
  form.PlaySound("check");
  DeleteCurrentPlayer(form.Settings);
  LeaveScreen(form, ScreenDeletePlayer);
  EnterScreen(form, ScreenChangePlayer);
}

void EnterHighScoreScreen(TForm1& form) {
  FormEnter(form, ScreenHighScore);
  for (int row = 1; row <= kHighScoreRows; ++row) SetLabel(form, "n" + std::to_string(row), std::to_string(row));
  ShowTabs(form, form.Screens.ScoreViewDifficulty < kDifficulties ? form.Screens.ScoreViewDifficulty : 0);
}

void ShowHighScoreTab(TForm1& form, uint8_t difficulty) {
  form.PlaySound("check");
  form.Screens.ScoreViewDifficulty = difficulty;
  ShowTabs(form, difficulty);
}

void ClearHighScores(TForm1& form) {
  form.PlaySound("check");
  ResetHighScores(form.Settings);
  LeaveScreen(form, ScreenClearScores);
  EnterScreen(form, ScreenHighScore);
}

}  // namespace zb
