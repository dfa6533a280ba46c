#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "engine/platform/Events.h"
#include "engine/platform/Http.h"
#include "engine/platform/Renderer.h"

namespace zb::platform {

class Audio;

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Millisecond ticks, a high-resolution counter and sleeping.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t TickCount() = 0;
  virtual uint64_t PerformanceCounter() = 0;
  virtual uint64_t PerformanceFrequency() = 0;  // 0 when there is no high-resolution counter
  virtual void Sleep(uint32_t milliseconds) = 0;
  // A short sleep that ends close to the asked time; a clock without one sleeps whole milliseconds.
  virtual void SleepMicros(uint32_t micros) { Sleep((micros + 999) / 1000); }
};

struct WindowSettings {
  // The picture's logical size; the window scales it to its own size, kept in proportion.
  int width = 800;
  int height = 600;
  // The window's client size at opening; 0 takes the picture's size.
  int windowWidth = 0;
  int windowHeight = 0;
  std::string caption = "Zumbala";
  bool vsync = false;
  bool resizable = false;
};

// Where a window of `size` stands centred on a screen of `screen`, each coordinate rounded.
inline Point CentredOn(Point screen, Point size) {
  return Point{static_cast<int>(std::lround(screen.x / 2.0 - size.x / 2.0)),
               static_cast<int>(std::lround(screen.y / 2.0 - size.y / 2.0))};
}

// The one game window with its renderer and its event queue.
class Window {
 public:
  virtual ~Window() = default;
  virtual bool Open(const WindowSettings& settings) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual Renderer* GetRenderer() = 0;

  virtual bool SetFullscreen(bool fullscreen) = 0;
  virtual bool IsFullscreen() const = 0;
  virtual void SetVSync(bool vsync) = 0;

  virtual bool PollEvent(Event& event) = 0;

  virtual Point Position() const = 0;
  virtual void SetPosition(Point topLeft) = 0;
  virtual Point ScreenSize() const = 0;
  // The part of the desktop a window may take (without panels and docks), of the display the
  // window is on, or will open on.
  virtual IntRect UsableDesktop() const = 0;
  // The client size of the window out of full screen: the one it has, or returns to.
  virtual Point WindowedSize() const = 0;
  // The pointer in logical 800 x 600 coordinates.
  virtual Point PointerPosition() const = 0;
  // One byte per virtual-key code, bit 7 set while the key is down.
  virtual bool ReadKeyboard(uint8_t (&table)[256]) = 0;
};

// The desktop around the window: message boxes, the shell's "open" verb, the clipboard.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // Caption and text in CP1251, like every text of the game.
  virtual void ShowMessageBox(const std::string& caption, const std::string& text) = 0;
  // Opens a document, a link file or a URL; false when nothing was opened.
  virtual bool ShellOpen(const std::string& target, const std::string& parameters) = 0;
  // The clipboard text converted to CP1251.
  virtual std::string ClipboardText() = 0;
};

// Everything the game needs from the operating system.
class Platform {
 public:
  virtual ~Platform() = default;
  virtual Clock& GetClock() = 0;
  virtual Window& GetWindow() = 0;
  virtual Desktop& GetDesktop() = 0;
  virtual Audio& GetAudio() = 0;
  virtual HttpClient& GetHttp() = 0;
  // The session asks the program to end (a signal): the game ends at once, its settings saved.
  virtual bool EndRequested() { return false; }
};

}  // namespace zb::platform
