#pragma once

#include "engine/platform/Events.h"

namespace zb {

struct TScreenContext;

// The level editor (40): the playfield's scenery with the grid of brick cells over it and, on its
// board at the left, the palette of brick kinds, the count of bricks that count, the difficulty of
// test play, the names to save under and the buttons. The left mouse button places the chosen
// kind (a drag paints), the right one erases; the arrows move a cursor cell, Space places, Delete
// erases, Ctrl+Z and Ctrl+Y undo and redo, F5 plays the level.
void EnterEditorScreen(TScreenContext& ctx);
void LeaveEditorScreen(TScreenContext& ctx);
void EditorWindowEvent(TScreenContext& ctx, const platform::Event& event);
// The pass that draws the grid, its bricks, the cursor, the palette and the message.
void DrawEditor(TScreenContext& ctx);

// The buttons.
void TestPlayEditorLevel(TScreenContext& ctx);  // refused, saying why, for a level that cannot be won
void SaveEditorLevel(TScreenContext& ctx);
void UndoEdit(TScreenContext& ctx);
void RedoEdit(TScreenContext& ctx);
void StepEditorDifficulty(TScreenContext& ctx);

// Test play ends on Escape, a lost ball, game over or the level cleared: back to the editor with
// the grid as it was. True when it ended.
bool EndTestPlay(TScreenContext& ctx);

}  // namespace zb
