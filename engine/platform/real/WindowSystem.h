#pragma once

struct SDL_Window;

namespace zb::platform {

// Whether a window manager runs for the window's display. On an X server without one, a request
// for the full-screen state is never answered (the window keeps its size while SDL believes it
// covers the display); other video systems always have one.
bool HasWindowManager(SDL_Window* window);

// The pointer relative to the window's client area in window pixels, asked of the window system
// (SDL's own answer is its last motion event, stale once the window has moved or changed size).
void PointerInWindow(SDL_Window* window, int& x, int& y);

}  // namespace zb::platform
