#pragma once

#include <cstdint>
#include <string_view>

#include "engine/platform/Events.h"
#include "screens/ScreenId.h"

namespace zb {

struct TScreenContext;

// The screen machine: the one writer of `CurrentScreen`. A number that names no screen does
// nothing; the steps of a screen are those of its row in the screen table.

// The screen becomes current (and the phase of play its row names), then its enter step runs.
void EnterScreen(TScreenContext& ctx, uint8_t number);
// The leave step of a screen, current or not (a question over play leaves the game below it).
void LeaveScreen(TScreenContext& ctx, uint8_t number);
// The click sound, then from one screen to another.
void Go(TScreenContext& ctx, uint8_t from, uint8_t to);
// The screen over play leaves and play goes on where it stopped: the game screen is never
// entered again, which would load the level anew.
void ResumePlay(TScreenContext& ctx, uint8_t from);

// One frame tick of the current screen: Escape's button, its process step, the frame's passes
// (drawn when `ctx.Drawing`), the rest of its process step, and the sounds of play.
void RunFrame(TScreenContext& ctx);
// One 100 ms step of the side timer.
void RunSideTimer(TScreenContext& ctx);
// A left press in the window, in its logical coordinates.
void PointerDown(TScreenContext& ctx, int x, int y);
// A key or mouse event of the window, for the screens that follow them themselves.
void WindowEvent(TScreenContext& ctx, const platform::Event& event);
// The window's close box: true when the window may close now.
bool CloseQuery(TScreenContext& ctx);
// The window was minimised or lost the keyboard or a controller: play pauses, nothing else.
void PauseIfPlaying(TScreenContext& ctx);
// Whether the menus' focus ring and the pad's D-pad move over the buttons of this screen.
bool MenusTakeInput(const TScreenContext& ctx);

// Runs the click action attached to a control, as a click on it would.
void RunButton(TScreenContext& ctx, std::string_view name);

}  // namespace zb
