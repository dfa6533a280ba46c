#include "engine/platform/real/WindowSystem.h"

#include <SDL.h>
#include <SDL_syswm.h>

#ifdef ZB_HAVE_X11
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace zb::platform {

#ifdef ZB_HAVE_X11
namespace {

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// The window named by a window's _NET_SUPPORTING_WM_CHECK property, or None.
Window SupportingWindow(Display* display, Window window, Atom check) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  Window found = None;
  if (XGetWindowProperty(display, window, check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
          Success &&
      type == XA_WINDOW && format == 32 && count == 1 && data != nullptr) {
    found = *reinterpret_cast<Window*>(data);
  }
  if (data != nullptr) XFree(data);
  return found;
}

}  // namespace
#endif

bool HasWindowManager(SDL_Window* window) {
#ifdef ZB_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return true;
  Display* display = info.info.x11.display;
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  // A manager that has gone leaves the root's property behind, naming a window that no longer
  // names itself (or no longer exists: the error that reading it raises is ignored).
  XSync(display, False);
  auto* previous = XSetErrorHandler(IgnoreXError);
  const Window manager = SupportingWindow(display, DefaultRootWindow(display), check);
  const bool alive = manager != None && SupportingWindow(display, manager, check) == manager;
  XSync(display, False);
  XSetErrorHandler(previous);
  return alive;
#else
  (void)window;
  return true;
#endif
}

void PointerInWindow(SDL_Window* window, int& x, int& y) {
  SDL_GetMouseState(&x, &y);
#ifdef ZB_HAVE_X11
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  Window root = None, child = None;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned int mask = 0;
  if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY, &windowX, &windowY,
                    &mask)) {
    x = windowX;
    y = windowY;
  }
#else
  (void)window;
#endif
}

}  // namespace zb::platform
