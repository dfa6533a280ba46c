#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/platform/Events.h"
#include "game/PlayContext.h"
#include "screens/RenderPass.h"
#include "screens/ScreenId.h"

namespace zb {

struct TScreenContext;

using TScreenStep = void (*)(TScreenContext&);
using TPointerStep = void (*)(TScreenContext&, int x, int y);
using TEventStep = void (*)(TScreenContext&, const platform::Event& event);

// What the window's close box does on a screen.
enum class CloseRule : uint8_t {
  Ignore,
  AskToQuit,        // this screen leaves, the quit question comes
  AskToLeavePlay,   // the question "back to the menu?" comes over play
  UnpauseAndAsk,    // the pause ends, then the same question
  WhenPageAllows,   // the closing page closes once its countdown is over
};

// How a frame ends after its passes.
enum class Present : uint8_t {
  WithGui,     // the GUI updates before the picture is presented
  WithoutGui,  // the logo and the level title present without a GUI update
};

// One screen: everything the game knows of it, in one row.
struct TScreenRow {
  uint8_t Number = 0;
  std::string_view Name;
  std::string_view Form;         // its GUI form, "scr_..."; empty for a screen without one
  TScreenStep Enter = nullptr;   // after the screen became current; none: its form shows on top
  TScreenStep Process = nullptr; // the process step before the frame's passes
  TScreenStep Settle = nullptr;  // the process step after them
  TScreenStep Leave = nullptr;   // none: its form hides behind the others
  std::span<const RenderPass> Passes;
  std::span<const RenderPass> PassesOfEnd;  // when the whole story was played; empty: the same
  Present Presents = Present::WithGui;
  PlayPhase Phase = PlayPhase::Frozen;
  bool MenusTakeInput = true;  // the focus ring and the pad's D-pad move over its buttons
  CloseRule Close = CloseRule::Ignore;
  std::string_view EscapeButton;  // the button Escape presses before the process step
  bool PausesWhenHidden = false;  // minimising, losing the focus or a controller pauses it
  TScreenStep SideTimer = nullptr;      // every 100 ms of the side timer
  TScreenStep ClockStep = nullptr;      // every step of the play core's bonus clock
  TPointerStep PointerDown = nullptr;   // a left press in the window
  TEventStep WindowEvent = nullptr;     // every key and mouse event, before the GUI sees it
};

// The dispatch reads only the low seven bits of a screen number.
constexpr uint8_t ScreenIndex(uint8_t number) { return number & 0x7F; }

// The row of a screen, or null for a number that names none.
const TScreenRow* FindScreen(uint8_t number);
// Every screen, by number.
std::span<const TScreenRow> ScreenRows();
// The passes of a screen's frame.
std::span<const RenderPass> PassesOf(const TScreenRow& row, bool gameFinished);

}  // namespace zb
