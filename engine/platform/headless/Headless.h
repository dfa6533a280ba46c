#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/Platform.h"
#include "engine/platform/headless/RecordingAudio.h"
#include "engine/platform/headless/ScriptedHttp.h"

struct SDL_Surface;

namespace zb::platform {

// A clock that moves only when told to, or when someone sleeps on it.
class HeadlessClock final : public Clock {
 public:
  uint32_t TickCount() override { return static_cast<uint32_t>(micros_ / 1000); }
  uint64_t PerformanceCounter() override { return micros_; }
  uint64_t PerformanceFrequency() override { return 1'000'000; }
  void Sleep(uint32_t milliseconds) override;

  void AdvanceMicros(uint64_t micros) { micros_ += micros; }
  void AdvanceMillis(uint32_t millis) { micros_ += uint64_t{millis} * 1000; }
  uint64_t TotalSleptMillis() const { return sleptMillis_; }
  const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
  void ClearSleeps() { sleeps_.clear(); }

 private:
  uint64_t micros_ = 1'000'000;  // tick 0 means "never" to some callers, so start later
  uint64_t sleptMillis_ = 0;
  std::vector<uint32_t> sleeps_;
};

// A window that exists only in memory: a software renderer on an 800 x 600 surface (or, with
// rasterising switched off, a renderer that draws nothing) and a queue of events pushed by the test.
class HeadlessWindow final : public Window {
 public:
  HeadlessWindow();
  ~HeadlessWindow() override;

  bool Open(const WindowSettings& settings) override;
  void Close() override;
  bool IsOpen() const override { return renderer_ != nullptr; }
  Renderer* GetRenderer() override;
  bool SetFullscreen(bool fullscreen) override;
  bool IsFullscreen() const override { return fullscreen_; }
  void SetVSync(bool vsync) override { vsync_ = vsync; }
  bool PollEvent(Event& event) override;
  Point Position() const override { return position_; }
  void SetPosition(Point topLeft) override { position_ = topLeft; }
  Point ScreenSize() const override { return screen_; }
  IntRect UsableDesktop() const override { return usable_ ? *usable_ : IntRect{0, 0, screen_.x, screen_.y}; }
  Point WindowedSize() const override { return windowed_; }
  Point PointerPosition() const override { return pointer_; }
  bool ReadKeyboard(uint8_t (&table)[256]) override;

  void Push(const Event& event);
  void SetPointer(Point p) { pointer_ = p; }
  void SetScreenSize(Point size) { screen_ = size; }
  // The desktop without its panels; the whole screen until set.
  void SetUsableDesktop(IntRect usable) { usable_ = usable; }
  // As the player's resizing of the window does (the picture keeps its logical size).
  void SetWindowedSize(Point size) { windowed_ = size; }
  void FailNextOpen() { failOpen_ = true; }
  // Whether the next Open rasterises; without it there are no pixels to read.
  void SetRasterise(bool rasterise) { rasterise_ = rasterise; }
  bool Rasterises() const { return rasterise_; }
  const WindowSettings& Settings() const { return settings_; }
  bool VSync() const { return vsync_; }

 private:
  SDL_Surface* surface_ = nullptr;
  std::unique_ptr<Renderer> renderer_;
  std::deque<Event> events_;
  WindowSettings settings_;
  Point position_{0, 0};
  Point screen_{1920, 1080};
  std::optional<IntRect> usable_;
  Point windowed_{800, 600};
  Point pointer_{0, 0};
  uint8_t keys_[256] = {};
  bool fullscreen_ = false;
  bool vsync_ = false;
  bool failOpen_ = false;
  bool rasterise_ = true;
};

// Records what the game asks of the desktop.
class HeadlessDesktop final : public Desktop {
 public:
  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    messageBoxes.emplace_back(caption, text);
  }
  bool ShellOpen(const std::string& target, const std::string& parameters) override {
    shellOpens.emplace_back(target, parameters);
    return true;
  }
  std::string ClipboardText() override { return clipboard; }

  std::vector<std::pair<std::string, std::string>> messageBoxes;
  std::vector<std::pair<std::string, std::string>> shellOpens;
  std::string clipboard;  // CP1251
};

class HeadlessPlatform final : public Platform {
 public:
  Clock& GetClock() override { return clock; }
  Window& GetWindow() override { return window; }
  Desktop& GetDesktop() override { return desktop; }
  // The recording backend, unless a test hands in another one (the mixer on the dummy driver).
  Audio& GetAudio() override { return audioOverride ? *audioOverride : audio; }
  // The scripted client, unless a tool hands in a real one.
  HttpClient& GetHttp() override { return httpOverride ? *httpOverride : http; }
  bool EndRequested() override { return endRequested; }

  HeadlessClock clock;
  HeadlessWindow window;
  HeadlessDesktop desktop;
  RecordingAudio audio;
  Audio* audioOverride = nullptr;
  ScriptedHttp http;
  HttpClient* httpOverride = nullptr;
  bool endRequested = false;  // as a signal would
};

}  // namespace zb::platform
