#pragma once

#include <cstdint>
#include <string_view>

#include "screens/ScreenId.h"

namespace zb {

struct TScreenContext;

// The three steps of a screen; a number that names no screen does nothing.
void ProcessScreen(TScreenContext& ctx, uint8_t number);
void EnterScreen(TScreenContext& ctx, uint8_t number);
void LeaveScreen(TScreenContext& ctx, uint8_t number);

// The end of almost every process step: render, update the GUI, present.
void RenderAndPresent(TScreenContext& ctx);

// The GUI form of a screen ("scr_..."), or null for a screen without one.
const char* ScreenFormName(uint8_t number);
// Form enter: the screen becomes current and its form shows on top.
void FormEnter(TScreenContext& ctx, uint8_t number);
// Form leave: the screen's form hides behind the others.
void FormLeave(TScreenContext& ctx, uint8_t number);
// Menu process: Escape runs the named button's action (none when empty), the background
// "back" goes under the frame, then render, GUI update, present.
void MenuProcess(TScreenContext& ctx, std::string_view escapeButton);
// The menu background alone, drawn under the next render.
void DrawMenuBackground(TScreenContext& ctx);
// The click sound, then from one screen to another.
void Go(TScreenContext& ctx, uint8_t from, uint8_t to);
// Runs the click action attached to a control, as a click on it would.
void RunButton(TScreenContext& ctx, std::string_view name);

}  // namespace zb
