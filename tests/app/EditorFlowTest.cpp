// The level editor and the player's own sets, played through the real layout and screens.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "engine/Cp1251.h"
#include "engine/platform/Keys.h"
#include "game/LevelSets.h"
#include "gui/GuiEdit.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "persist/Checkpoint.h"
#include "screens/ScreenMachine.h"
#include "tests/app/GameFlowFixture.h"

namespace zb {
namespace {

using test::GameFlowTest;
namespace fs = std::filesystem;

// The texts the screens show are CP1251.
std::string Shown(std::string_view utf8) { return Utf8ToCp1251(utf8); }

int CellX(int column) { return kEditLeft + kEditCellWidth * column + 18; }
int CellY(int row) { return kEditTop + kEditCellHeight * row + 10; }

class EditorFlowTest : public GameFlowTest {
 protected:
  void OpenEditor() {
    StartWithPlayer();
    ClickOn("b_mainmenu_editor");
    ASSERT_EQ(Form().Screen.CurrentScreen, ScreenEditor);
  }
  TLevelEditor& Level() { return Form().Screen.State.Editor.Level; }
  const std::string& Message() { return Form().Screen.State.Editor.Message; }
  void Drag(int fromColumn, int toColumn, int row, platform::MouseButton button) {
    game_->MouseDown(CellX(fromColumn), CellY(row), button);
    for (int c = fromColumn; c <= toColumn; ++c) game_->MouseMove(CellX(c), CellY(row));
    game_->MouseUp(CellX(toColumn), CellY(row), button);
    game_->Frame();
  }
  void TypeInto(const char* edit, const std::string& text) {
    ClickOn(edit);
    for (const char c : text) game_->Char(static_cast<uint8_t>(c));
    game_->Frame();
  }
  std::string Label(const char* name) {
    const auto* label = dynamic_cast<TGuiLabel*>(Form().GuiBase.FindControl(name));
    return label != nullptr ? label->Text() : std::string();
  }
  fs::path Levels() { return LevelSetsFolder(folder_); }
  // Levels of the player's own are no game of the story: nothing to continue, nothing to send.
  void ExpectNothingKeptOfTheGame() {
    EXPECT_FALSE(fs::exists(CheckpointPath(folder_, "Kim")));
    EXPECT_FALSE(Form().Screen.LastReplay.has_value());
  }
};

TEST_F(EditorFlowTest, TheMouseAndTheKeysDrawAndEveryChangeUndoes) {
  OpenEditor();
  Drag(2, 6, 3, platform::MouseButton::Left);
  for (int c = 2; c <= 6; ++c) EXPECT_EQ(Level().Cell(c, 3), kPaletteValues[0]) << c;
  EXPECT_EQ(Label("editor_count"), Shown("Кирпичей: 5"));
  // A click on the palette chooses gold; gold does not count.
  game_->Click(22 + 45 * 2 + 10, 56 + 28 * 2 + 10);
  game_->Frame();
  ASSERT_EQ(Form().Screen.State.Editor.Brush, 4);
  Drag(8, 8, 3, platform::MouseButton::Left);
  EXPECT_EQ(Level().Cell(8, 3), 4);
  EXPECT_EQ(Label("editor_count"), Shown("Кирпичей: 5"));
  Drag(3, 4, 3, platform::MouseButton::Right);
  EXPECT_EQ(Level().Cell(3, 3), 0);
  EXPECT_EQ(Level().Cell(4, 3), 0);
  // The keyboard: the cursor stands where the mouse last drew.
  game_->Press(vk::Down);
  game_->Press(vk::Space);
  game_->Press(vk::Right);
  game_->Press(vk::Space);
  game_->Press(vk::Delete);
  game_->Frame();
  EXPECT_EQ(Level().Cell(4, 4), 4);
  EXPECT_EQ(Level().Cell(5, 4), 0);
  // Ctrl+Z steps back one change at a time: the erase, the place, the place, the right drag.
  for (int i = 0; i < 4; ++i) game_->KeyDown('Z', platform::ShiftCtrl), game_->KeyUp('Z', platform::ShiftCtrl);
  game_->Frame();
  EXPECT_EQ(Level().Cell(4, 4), 0);
  EXPECT_EQ(Level().Cell(3, 3), kPaletteValues[0]);
  ClickOn("b_editor_redo");
  EXPECT_EQ(Level().Cell(3, 3), 0);
  ClickOn("b_editor_undo");
  ClickOn("b_editor_undo");
  EXPECT_EQ(Level().Cell(8, 3), 0);
  EXPECT_EQ(Level().Cell(2, 3), kPaletteValues[0]);
}

TEST_F(EditorFlowTest, TestPlayRunsTheLevelAndComesBackToTheSameGrid) {
  OpenEditor();
  // Nothing to break: refused, and the editor says why.
  game_->Press(vk::F1 + 4);
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenEditor);
  EXPECT_EQ(Message(), Shown("Нет ни одного кирпича, который можно разбить."));
  Drag(4, 9, 5, platform::MouseButton::Left);
  const LevelImage drawn = Level().Image();
  ClickOn("b_editor_difficulty");
  ClickOn("b_editor_test");
  ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  EXPECT_EQ(Form().Core.Game.BlocksLeft, 6);
  EXPECT_EQ(Form().Core.Game.Difficulty, 1);
  EXPECT_EQ(Form().Core.Game.Cage, nullptr);
  ExpectNothingKeptOfTheGame();
  PressEscape();
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenEditor);
  EXPECT_EQ(Level().Image().words, drawn.words);
  // A lost ball ends it too.
  game_->Press(vk::F1 + 4);
  game_->Frame();
  ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  DropAllBalls();
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenEditor);
  // And so does the last brick.
  ClickOn("b_editor_test");
  ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  BreakAllBricks();
  game_->Frame();
  EXPECT_EQ(Form().Screen.CurrentScreen, ScreenEditor);
  EXPECT_EQ(Message(), Shown("Уровень пройден!"));
  EXPECT_EQ(Level().Image().words, drawn.words);
}

TEST_F(EditorFlowTest, ASavedSetIsPlayedFromTheMainMenuAndKeepsItsOwnTable) {
  OpenEditor();
  Drag(3, 5, 8, platform::MouseButton::Left);
  ClickOn("b_editor_save");
  EXPECT_EQ(Message(), Shown("Впишите имя набора."));
  TypeInto("editor_set", "Jungle");
  TypeInto("editor_level", "One");
  ClickOn("b_editor_save");
  EXPECT_EQ(Message(), Shown("Сохранено: уровень 1 набора Jungle")) << Message();
  Drag(3, 3, 9, platform::MouseButton::Left);
  auto* level = dynamic_cast<TGuiEdit*>(Form().GuiBase.FindControl("editor_level"));
  ASSERT_NE(level, nullptr);
  level->SetText("Two");
  ClickOn("b_editor_save");
  ASSERT_TRUE(fs::exists(Levels() / "Jungle" / "level02"));
  ASSERT_TRUE(fs::exists(Levels() / "Jungle" / "level02.txt"));
  // A third level damaged on the disk is named and left out.
  { std::FILE* f = std::fopen((Levels() / "Jungle" / "level03").c_str(), "wb"); std::fputs("junk", f); std::fclose(f); }
  ClickOn("b_editor_back");
  ClickOn("b_mainmenu_ownlevels");
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenOwnLevels);
  EXPECT_EQ(Label("ownsets_info"), Shown("Повреждён и пропущен: level03"));
  Form().Screen.LastReplay = TReplay{};  // as an earlier game of the story leaves it
  ClickOn("b_ownsets_play");
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenChooseDifficulty);
  ClickOn("b_choosedif_easy");
  ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  EXPECT_EQ(Form().Core.Game.BlocksLeft, 3);
  ExpectNothingKeptOfTheGame();
  BreakAllBricks();
  ASSERT_TRUE(RunUntil(ScreenStageComplete, 100));
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 20000));
  ClickOn("b_stagecomplete_next");
  ASSERT_TRUE(RunUntil(ScreenGame, 3000));
  EXPECT_EQ(Form().Core.Game.LevelNumber, 2);
  EXPECT_EQ(Form().Core.Game.BlocksLeft, 4);
  BreakAllBricks();
  ASSERT_TRUE(RunUntil(ScreenStageComplete, 100));
  ASSERT_TRUE(WaitForControl("b_stagecomplete_next", 20000));
  ClickOn("b_stagecomplete_next");
  // Past the last level the set is done: the final score, then the set's own table.
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenYourScore);
  const int32_t score = Form().Core.Game.GetShownScore();
  EXPECT_GT(score, 0);
  ASSERT_TRUE(WaitForControl("b_yourscore_next", 20000));
  ClickOn("b_yourscore_next");
  ASSERT_EQ(Form().Screen.CurrentScreen, ScreenOwnLevels);
  ExpectNothingKeptOfTheGame();
  const std::vector<TSetScore> table = ReadSetScores(Levels(), "Jungle");
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].Score, score);
  EXPECT_EQ(table[0].Player, "Kim");
  const auto* scores = dynamic_cast<TGuiListBox*>(Form().GuiBase.FindControl("ownscores"));
  ASSERT_NE(scores, nullptr);
  ASSERT_EQ(scores->Items.size(), 1u);
  EXPECT_EQ(scores->Items[0], std::to_string(score) + "  Kim");
  // The game's own tables are untouched.
  EXPECT_NE(Form().Settings.HighScores[0][0].Name, "Kim");
  // Renamed, then deleted on the second press.
  auto* name = dynamic_cast<TGuiEdit*>(Form().GuiBase.FindControl("ownsets_name"));
  ASSERT_NE(name, nullptr);
  name->SetText("Jungle2");
  ClickOn("b_ownsets_rename");
  EXPECT_EQ(ListLevelSets(Levels()), std::vector<std::string>{"Jungle2"});
  EXPECT_EQ(ReadSetScores(Levels(), "Jungle2").size(), 1u);
  ClickOn("b_ownsets_delete");
  EXPECT_EQ(ListLevelSets(Levels()).size(), 1u);
  ClickOn("b_ownsets_delete");
  EXPECT_TRUE(ListLevelSets(Levels()).empty());
}

// The autoplayer clears a level saved into a set, as it plays the game's own.
TEST_F(EditorFlowTest, TheAutoplayerClearsASavedLevel) {
  TLevelEditor editor;
  for (int c = 5; c <= 10; ++c) editor.Place(c, 12, 10);
  ASSERT_TRUE(SaveSetLevel(Levels(), "Bot", "Low", editor.Image()).ok);
  const fs::path program = folder_ / "zumbala-autoplay";
  fs::copy_file(ZB_AUTOPLAY, program, fs::copy_options::overwrite_existing);
  const std::string command = program.string() + " --set " + (Levels() / "Bot").string() + " 1 easy 60000 --seed 3";
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  EXPECT_NE(output.find("level=1 "), std::string::npos) << output;
  EXPECT_NE(output.find("blocks_left=0"), std::string::npos) << output;
  EXPECT_NE(output.find("result=cleared"), std::string::npos) << output;
  // A level the set does not have is refused.
  pipe = popen((program.string() + " --set " + (Levels() / "Bot").string() + " 2 easy 100 2>&1").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) {}
  EXPECT_NE(pclose(pipe), 0);
}

}  // namespace
}  // namespace zb
