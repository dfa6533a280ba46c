#include "screens/EditorScreen.h"

#include <cstdio>
#include <string>

#include "engine/Cp1251.h"
#include "engine/platform/Keys.h"
#include "game/BlockRules.h"
#include "game/GameProcedures.h"
#include "game/Scenery.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "screens/FormControls.h"
#include "screens/GameScreen.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

// The palette on the editor's board: three kinds a row.
constexpr int kPaletteLeft = 22;
constexpr int kPaletteTop = 56;
constexpr int kPaletteStepX = 45;
constexpr int kPaletteStepY = 28;
constexpr int kPaletteColumns = 3;
constexpr const char* kDifficulties[] = {"Легко", "Средне", "Сложно"};
constexpr uint8_t kTestPlayKey = vk::F1 + 4;  // F5

TEditorState& Editor(TScreenContext& ctx) { return ctx.State.Editor; }

std::string Tr(TScreenContext& ctx, std::string_view russian) { return ctx.Play.Language.Tr(russian); }

int PaletteX(size_t i) { return kPaletteLeft + kPaletteStepX * static_cast<int>(i % kPaletteColumns); }
int PaletteY(size_t i) { return kPaletteTop + kPaletteStepY * static_cast<int>(i / kPaletteColumns); }

// The palette entry under a point, or -1.
int PaletteAt(int x, int y) {
  for (size_t i = 0; i < kPaletteValues.size(); ++i) {
    if (x >= PaletteX(i) && x < PaletteX(i) + kEditCellWidth && y >= PaletteY(i) && y < PaletteY(i) + kEditCellHeight) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void Refresh(TScreenContext& ctx) {
  const TEditorState& editor = Editor(ctx);
  SetLabel(ctx, "editor_count", Tr(ctx, "Кирпичей: ") + std::to_string(editor.Level.CountedBricks()));
  SetEnabled(ctx, "b_editor_undo", editor.Level.CanUndo());
  SetEnabled(ctx, "b_editor_redo", editor.Level.CanRedo());
  if (auto* button = Find<TGuiButton>(ctx, "b_editor_difficulty")) {
    button->Caption = Tr(ctx, kDifficulties[editor.Difficulty % 3]);
  }
}

void Say(TScreenContext& ctx, std::string text) {
  Editor(ctx).Message = std::move(text);
  Refresh(ctx);
}

// Why the level cannot be played, in the language shown; empty when it can.
std::string WhyNot(TScreenContext& ctx) {
  const TWinCheck check = CheckWinnable(Editor(ctx).Level.Image());
  const std::string cell = std::to_string(check.Column + 1) + Tr(ctx, ", ряд ") + std::to_string(check.Row + 1);
  switch (check.Why) {
    case TWinCheck::Fault::None: return {};
    case TWinCheck::Fault::NoBrick: return Tr(ctx, "Нет ни одного кирпича, который можно разбить.");
    case TWinCheck::Fault::Outside: return Tr(ctx, "Кирпич вне поля: столбец ") + cell;
    case TWinCheck::Fault::WalledIn: return Tr(ctx, "Кирпич замурован золотом: столбец ") + cell;
  }
  return {};
}

std::string EditText(TScreenContext& ctx, std::string_view name) {
  const TGuiEdit* edit = Find<TGuiEdit>(ctx, name);
  return edit != nullptr ? Cp1251ToUtf8(edit->Text()) : std::string();
}

bool TypingInEdit(TScreenContext& ctx) {
  for (const char* name : {"editor_set", "editor_level"}) {
    const TGuiEdit* edit = Find<TGuiEdit>(ctx, name);
    if (edit != nullptr && edit->IsFocused()) return true;
  }
  return false;
}

void PaintAt(TScreenContext& ctx, int x, int y) {
  TEditorState& editor = Editor(ctx);
  if (const auto cell = CellAt(x, y)) {
    editor.Level.Paint(cell->Column, cell->Row, editor.PaintValue);
    editor.Level.Cursor = *cell;
    Refresh(ctx);
  }
}

void PointerEvent(TScreenContext& ctx, const platform::Event& event) {
  using Type = platform::Event::Type;
  TEditorState& editor = Editor(ctx);
  const bool leftOrRight = event.button == platform::MouseButton::Left || event.button == platform::MouseButton::Right;
  if (event.type == Type::MouseDown && leftOrRight) {
    if (const int entry = PaletteAt(event.x, event.y); entry >= 0 && event.button == platform::MouseButton::Left) {
      editor.Brush = kPaletteValues[static_cast<size_t>(entry)];
      ctx.PlaySound("check");
      return;
    }
    if (!CellAt(event.x, event.y)) return;
    editor.Level.BeginStroke();
    editor.Painting = true;
    editor.PaintValue = event.button == platform::MouseButton::Left ? editor.Brush : 0;
    editor.Message.clear();
    PaintAt(ctx, event.x, event.y);
  } else if (event.type == Type::MouseMove && editor.Painting) {
    PaintAt(ctx, event.x, event.y);
  } else if (event.type == Type::MouseUp && editor.Painting && leftOrRight) {
    editor.Painting = false;
    editor.Level.EndStroke();
    Refresh(ctx);
  }
}

void KeyEvent(TScreenContext& ctx, const platform::Event& event) {
  TEditorState& editor = Editor(ctx);
  TLevelEditor& level = editor.Level;
  if (event.type != platform::Event::Type::KeyDown || TypingInEdit(ctx)) return;
  const bool ctrl = (event.shift & platform::ShiftCtrl) != 0;
  switch (event.key) {
    case vk::Left: level.MoveCursor(-1, 0); break;
    case vk::Right: level.MoveCursor(1, 0); break;
    case vk::Up: level.MoveCursor(0, -1); break;
    case vk::Down: level.MoveCursor(0, 1); break;
    case vk::Space: level.Place(level.Cursor.Column, level.Cursor.Row, editor.Brush); break;
    case vk::Delete: level.Erase(level.Cursor.Column, level.Cursor.Row); break;
    case kTestPlayKey: TestPlayEditorLevel(ctx); return;
    default:
      if (ctrl && event.key == 'Z') level.Undo();
      if (ctrl && event.key == 'Y') level.Redo();
      break;
  }
  Refresh(ctx);
}

void DrawBrick(TScreenContext& ctx, int32_t value, float x, float y) {
  const auto kind = value > 0 ? FindBlockKind(value - 1) : std::nullopt;
  if (!kind) return;
  ctx.MyCanvas.DrawImage(ctx.Images.FindImage(kind->Image), 0, x, y, fxBlend);
  // The bomb bobs on the brick in play; here it rests at its middle.
  if (kind->Bomb) ctx.MyCanvas.DrawImage(ctx.Images.FindImage("bomb"), 0, x + 3.0f, y - 2.0f, fxBlend);
}

void Frame(TScreenContext& ctx, float left, float top, float right, float bottom, uint32_t color) {
  TGfxCanvas& canvas = ctx.MyCanvas;
  canvas.Line(left, top, right, top, color, color, fxBlend);
  canvas.Line(right, top, right, bottom, color, color, fxBlend);
  canvas.Line(right, bottom, left, bottom, color, color, fxBlend);
  canvas.Line(left, bottom, left, top, color, color, fxBlend);
}

}  // namespace

void EnterEditorScreen(TScreenContext& ctx) {
  TEditorState& editor = Editor(ctx);
  editor.TestPlaying = false;
  editor.Painting = false;
  ctx.Game.OwnLevel = false;
  TSpriteEngine& engine = ctx.Core.Engine;
  CreateLeaves(engine, ctx.Play);
  engine.Create<TBack>(ctx.Play);
  for (float x : {-600.0f, 200.0f, 1000.0f}) engine.Create<TSky>(x);
  StartWaterfalls(ctx);
  ShowForm(ctx, "scr_editor", true);
  ShowCursor(ctx, true);
  Refresh(ctx);
}

void LeaveEditorScreen(TScreenContext& ctx) {
  TEditorState& editor = Editor(ctx);
  editor.Painting = false;
  editor.Level.EndStroke();
  TearDownLevel(ctx.Play);
  ShowForm(ctx, "scr_editor", false);
}

void EditorWindowEvent(TScreenContext& ctx, const platform::Event& event) {
  using Type = platform::Event::Type;
  switch (event.type) {
    case Type::MouseDown:
    case Type::MouseMove:
    case Type::MouseUp: PointerEvent(ctx, event); break;
    case Type::KeyDown: KeyEvent(ctx, event); break;
    default: break;
  }
}

void DrawEditor(TScreenContext& ctx) {
  const TEditorState& editor = Editor(ctx);
  TGfxCanvas& canvas = ctx.MyCanvas;
  constexpr float kRight = kEditLeft + kEditCellWidth * kEditColumns;
  constexpr float kBottom = kEditTop + kEditCellHeight * kEditRows;
  const uint32_t line = CanvasColor(255, 255, 255, 48);
  for (int c = 0; c <= kEditColumns; ++c) {
    const float x = static_cast<float>(kEditLeft + kEditCellWidth * c);
    canvas.Line(x, kEditTop, x, kBottom, line, line, fxBlend);
  }
  for (int r = 0; r <= kEditRows; ++r) {
    const float y = static_cast<float>(kEditTop + kEditCellHeight * r);
    canvas.Line(kEditLeft, y, kRight, y, line, line, fxBlend);
  }
  for (int c = 0; c < kEditColumns; ++c) {
    for (int r = 0; r < kEditRows; ++r) {
      DrawBrick(ctx, editor.Level.Cell(c, r), static_cast<float>(kEditLeft + kEditCellWidth * c),
                static_cast<float>(kEditTop + kEditCellHeight * r));
    }
  }
  const float cx = static_cast<float>(kEditLeft + kEditCellWidth * editor.Level.Cursor.Column);
  const float cy = static_cast<float>(kEditTop + kEditCellHeight * editor.Level.Cursor.Row);
  Frame(ctx, cx, cy, cx + kEditCellWidth, cy + kEditCellHeight, CanvasColor(255, 230, 60, 255));
  for (size_t i = 0; i < kPaletteValues.size(); ++i) {
    const auto x = static_cast<float>(PaletteX(i));
    const auto y = static_cast<float>(PaletteY(i));
    DrawBrick(ctx, kPaletteValues[i], x, y);
    if (kPaletteValues[i] == editor.Brush) {
      Frame(ctx, x - 3, y - 3, x + kEditCellWidth + 3, y + kEditCellHeight + 3, CanvasColor(255, 230, 60, 255));
    }
  }
  if (!editor.Message.empty()) {
    if (TGfxFont* font = ctx.Play.Fonts.FindFont("DialogFont")) {
      const float width = static_cast<float>(font->TextWidth(editor.Message));
      canvas.FillQuad(RectPoints(kEditLeft + 8, 462, kRight + 28, 502), Colors4(CanvasColor(10, 30, 20, 170)), fxBlend);
      font->TextOut(editor.Message, CanvasColor(255, 240, 128, 255), (kEditLeft + kRight) / 2 - width / 2, 470.0f);
    }
  }
}

void TestPlayEditorLevel(TScreenContext& ctx) {
  TEditorState& editor = Editor(ctx);
  editor.Level.EndStroke();
  if (const std::string why = WhyNot(ctx); !why.empty()) {
    Say(ctx, why);
    return;
  }
  editor.Message.clear();
  editor.TestPlaying = true;
  ctx.State.Own.Active = false;
  TGameState& game = ctx.Game;
  game.SetShownScore(0);
  game.LevelNumber = 1;
  game.Lives = 3;
  game.Difficulty = editor.Difficulty;
  ctx.GameFinished = false;
  Go(ctx, ScreenEditor, ScreenGame);
}

bool EndTestPlay(TScreenContext& ctx) {
  bool ended = ctx.KeysReleased[vk::Escape];
  bool cleared = false;
  for (const TPlayEvent& event : ctx.Core.Play.Events.Pending()) {
    using Kind = TPlayEvent::Kind;
    if (event.What == Kind::LifeLost || event.What == Kind::GameOver) ended = true;
    if (event.What == Kind::LevelCleared) ended = cleared = true;
  }
  if (!ended) return false;
  ctx.PlaySound(cleared ? "stagecomplete" : "check");
  LeaveScreen(ctx, ScreenGame);
  EnterScreen(ctx, ScreenEditor);
  Say(ctx, cleared ? Tr(ctx, "Уровень пройден!") : std::string());
  return true;
}

void SaveEditorLevel(TScreenContext& ctx) {
  TEditorState& editor = Editor(ctx);
  editor.Level.EndStroke();
  ctx.PlaySound("check");
  if (const std::string why = WhyNot(ctx); !why.empty()) {
    Say(ctx, why);
    return;
  }
  if (ctx.Folders.User.empty() || !ctx.Folders.CanSave) {
    Say(ctx, Tr(ctx, "Сохранить негде: папка игрока недоступна."));
    return;
  }
  const std::string set = EditText(ctx, "editor_set");
  const std::string title = EditText(ctx, "editor_level");
  if (!CheckLevelName(set).empty()) {
    Say(ctx, Tr(ctx, "Впишите имя набора."));
    return;
  }
  if (!CheckLevelName(title).empty()) {
    Say(ctx, Tr(ctx, "Впишите имя уровня."));
    return;
  }
  const TSetSaveResult saved = SaveSetLevel(LevelSetsFolder(ctx.Folders.User), set, title, editor.Level.Image());
  if (!saved.ok) {
    std::fprintf(stderr, "%s\n", saved.error.c_str());
    Say(ctx, Tr(ctx, "Не удалось сохранить уровень."));
    return;
  }
  Say(ctx, Tr(ctx, "Сохранено: уровень ") + std::to_string(saved.Number) + Tr(ctx, " набора ") + Utf8ToCp1251(set));
}

void UndoEdit(TScreenContext& ctx) {
  Editor(ctx).Level.Undo();
  Refresh(ctx);
}

void RedoEdit(TScreenContext& ctx) {
  Editor(ctx).Level.Redo();
  Refresh(ctx);
}

void StepEditorDifficulty(TScreenContext& ctx) {
  TEditorState& editor = Editor(ctx);
  editor.Difficulty = static_cast<uint8_t>((editor.Difficulty + 1) % 3);
  ctx.PlaySound("check");
  Refresh(ctx);
}

}  // namespace zb
