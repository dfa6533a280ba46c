#pragma once

#include <cstdint>
#include <string>

#include "engine/platform/Events.h"
#include "engine/platform/Http.h"
#include "engine/platform/Renderer.h"

namespace zb::platform {

class Audio;

struct Point {
  int x = 0, y = 0;
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
  int width = 800;
  int height = 600;
  std::string caption = "Zumbala";
  bool vsync = false;
};

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
