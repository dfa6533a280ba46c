#include "screens/OwnLevelsScreen.h"

#include <cstdio>
#include <string>

#include "engine/Cp1251.h"
#include "gui/GuiEdit.h"
#include "gui/GuiListBox.h"
#include "screens/FormControls.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

std::filesystem::path LevelsFolder(const TScreenContext& ctx) {
  return ctx.Folders.User.empty() ? std::filesystem::path() : LevelSetsFolder(ctx.Folders.User);
}

std::string Tr(TScreenContext& ctx, std::string_view russian) { return ctx.Play.Language.Tr(russian); }

std::string FileNameOf(const std::string& problem) {
  // The loader's messages name the file in quotes; the list shows its name alone.
  const size_t open = problem.find('"');
  const size_t close = open == std::string::npos ? open : problem.find('"', open + 1);
  if (close == std::string::npos) return problem;
  return std::filesystem::path(problem.substr(open + 1, close - open - 1)).filename().string();
}

// The set chosen in the list, read anew, with its table and what is wrong with it.
void ShowChosen(TScreenContext& ctx) {
  TOwnPlay& own = ctx.State.Own;
  own.Set = {};
  own.DeleteAsked = false;
  const TGuiListBox* sets = Find<TGuiListBox>(ctx, "ownsets");
  if (sets != nullptr && sets->ItemIndex >= 0 && sets->ItemIndex < static_cast<int>(sets->Items.size())) {
    own.Set = ReadLevelSet(LevelsFolder(ctx), Cp1251ToUtf8(sets->Items[static_cast<size_t>(sets->ItemIndex)]));
  }
  for (const std::string& problem : own.Set.Problems) std::fprintf(stderr, "%s\n", problem.c_str());
  if (auto* scores = Find<TGuiListBox>(ctx, "ownscores")) {
    scores->Items.clear();
    scores->ItemIndex = -1;
    if (!own.Set.Name.empty()) {
      for (const TSetScore& row : ReadSetScores(LevelsFolder(ctx), own.Set.Name)) {
        scores->Items.push_back(std::to_string(row.Score) + "  " + Utf8ToCp1251(row.Player));
      }
    }
  }
  if (auto* name = Find<TGuiEdit>(ctx, "ownsets_name")) name->SetText(Utf8ToCp1251(own.Set.Name));
  std::string info;
  if (own.Set.Name.empty()) {
    info = Tr(ctx, "Нет наборов: сохраните уровень в редакторе.");
  } else if (!own.Set.Problems.empty()) {
    info = Tr(ctx, "Повреждён и пропущен: ");
    for (size_t i = 0; i < own.Set.Problems.size(); ++i) info += (i ? ", " : "") + FileNameOf(own.Set.Problems[i]);
  } else {
    info = Tr(ctx, "Уровней в наборе: ") + std::to_string(own.Set.Levels.size());
  }
  SetLabel(ctx, "ownsets_info", info);
  SetEnabled(ctx, "b_ownsets_play", !own.Set.Levels.empty());
  SetEnabled(ctx, "b_ownsets_rename", !own.Set.Name.empty());
  SetEnabled(ctx, "b_ownsets_delete", !own.Set.Name.empty());
}

// Lists the sets and chooses `chosen` (UTF-8) when it is among them, else the first.
void ListSets(TScreenContext& ctx, const std::string& chosen) {
  auto* sets = Find<TGuiListBox>(ctx, "ownsets");
  if (sets == nullptr) return;
  sets->Items.clear();
  sets->ItemIndex = -1;
  for (const std::string& name : ListLevelSets(LevelsFolder(ctx))) {
    // The list shows CP1251: a folder named with letters outside it could not be found again.
    if (Cp1251ToUtf8(Utf8ToCp1251(name)) != name) {
      std::fprintf(stderr, "The level set \"%s\" is left out: its name has letters the game cannot show.\n", name.c_str());
      continue;
    }
    if (name == chosen) sets->ItemIndex = static_cast<int>(sets->Items.size());
    sets->Items.push_back(Utf8ToCp1251(name));
  }
  if (sets->ItemIndex < 0 && !sets->Items.empty()) sets->ItemIndex = 0;
  ShowChosen(ctx);
}

}  // namespace

void EnterOwnLevelsScreen(TScreenContext& ctx) {
  ctx.State.Own.Active = false;
  ctx.State.Editor.TestPlaying = false;
  if (!LevelsFolder(ctx).empty()) {
    for (const std::string& problem : ImportDroppedSets(LevelsFolder(ctx))) std::fprintf(stderr, "%s\n", problem.c_str());
  }
  ShowForm(ctx, "scr_ownlevels", true);
  ListSets(ctx, ctx.State.Own.Set.Name);
}

void LeaveOwnLevelsScreen(TScreenContext& ctx) { ShowForm(ctx, "scr_ownlevels", false); }

void ProcessOwnLevelsScreen(TScreenContext& ctx) {
  // The list's selection may change by the keyboard too.
  const TGuiListBox* sets = Find<TGuiListBox>(ctx, "ownsets");
  if (sets == nullptr) return;
  const std::string shown =
      sets->ItemIndex >= 0 && sets->ItemIndex < static_cast<int>(sets->Items.size())
          ? Cp1251ToUtf8(sets->Items[static_cast<size_t>(sets->ItemIndex)])
          : std::string();
  if (shown != ctx.State.Own.Set.Name) ShowChosen(ctx);
}

void PlayOwnSet(TScreenContext& ctx) {
  TOwnPlay& own = ctx.State.Own;
  if (own.Set.Levels.empty()) return;
  own.Active = true;
  ctx.State.Editor.TestPlaying = false;
  ctx.Game.SetShownScore(0);
  ctx.Game.LevelNumber = 1;
  ctx.Game.Lives = 3;
  ctx.GameFinished = false;
  Go(ctx, ScreenOwnLevels, ScreenChooseDifficulty);
}

void RenameOwnSet(TScreenContext& ctx) {
  TOwnPlay& own = ctx.State.Own;
  const TGuiEdit* edit = Find<TGuiEdit>(ctx, "ownsets_name");
  if (own.Set.Name.empty() || edit == nullptr) return;
  ctx.PlaySound("check");
  const std::string to = Cp1251ToUtf8(edit->Text());
  std::string error;
  if (!RenameLevelSet(LevelsFolder(ctx), own.Set.Name, to, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    SetLabel(ctx, "ownsets_info", Tr(ctx, "Не удалось переименовать набор."));
    return;
  }
  ListSets(ctx, to);
}

void DeleteOwnSet(TScreenContext& ctx) {
  TOwnPlay& own = ctx.State.Own;
  if (own.Set.Name.empty()) return;
  ctx.PlaySound("check");
  // The first press asks; the second deletes.
  if (!own.DeleteAsked) {
    own.DeleteAsked = true;
    SetLabel(ctx, "ownsets_info", Tr(ctx, "Удалить набор? Нажмите ещё раз."));
    return;
  }
  std::string error;
  if (!DeleteLevelSet(LevelsFolder(ctx), own.Set.Name, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    SetLabel(ctx, "ownsets_info", Tr(ctx, "Не удалось удалить набор."));
    own.DeleteAsked = false;
    return;
  }
  ListSets(ctx, {});
}

bool LoadOwnLevel(TScreenContext& ctx) {
  TGameState& game = ctx.Game;
  const TOwnPlay& own = ctx.State.Own;
  const std::filesystem::path file = SetLevelFile(own.Set, game.LevelNumber - 1);
  if (file.empty()) {
    // Past the last level: the set is played through.
    EnterScreen(ctx, ScreenYourScore);
    return false;
  }
  const LevelLoadResult loaded = LoadLevelFile(file, game.OwnLevelImage);
  if (!loaded.ok) {
    // Changed on the disk since the set was read: said, and the game ends there.
    ctx.Platform.GetDesktop().ShowMessageBox("Zumbala", loaded.error);
    EnterScreen(ctx, ScreenYourScore);
    return false;
  }
  return true;
}

void YourScoreNext(TScreenContext& ctx) {
  TOwnPlay& own = ctx.State.Own;
  if (ctx.State.Editor.TestPlaying) {
    Go(ctx, ScreenYourScore, ScreenEditor);
    return;
  }
  if (!own.Active) {
    Go(ctx, ScreenYourScore, ScreenCountry);
    return;
  }
  own.Active = false;
  if (!LevelsFolder(ctx).empty() && ctx.Folders.CanSave && !own.Set.Name.empty() && ctx.Game.GetShownScore() > 0) {
    AddSetScore(LevelsFolder(ctx), own.Set.Name, {Cp1251ToUtf8(ctx.Settings.PlayerName), ctx.Game.GetShownScore()});
  }
  Go(ctx, ScreenYourScore, ScreenOwnLevels);
}

}  // namespace zb
