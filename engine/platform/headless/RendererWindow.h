#pragma once

#include "engine/platform/Platform.h"

namespace zb::platform {

// A window without events or screen whose drawing goes to a renderer the caller owns: lets
// tests and benchmarks run a device on a recording or a do-nothing renderer.
class RendererWindow final : public Window {
 public:
  explicit RendererWindow(Renderer& renderer) : renderer_(renderer) {}

  bool Open(const WindowSettings& settings) override {
    settings_ = settings;
    open_ = true;
    return true;
  }
  void Close() override { open_ = false; }
  bool IsOpen() const override { return open_; }
  Renderer* GetRenderer() override { return open_ ? &renderer_ : nullptr; }
  bool SetFullscreen(bool fullscreen) override {
    fullscreen_ = fullscreen;
    return true;
  }
  bool IsFullscreen() const override { return fullscreen_; }
  void SetVSync(bool) override {}
  bool PollEvent(Event&) override { return false; }
  Point Position() const override { return {}; }
  void SetPosition(Point) override {}
  Point ScreenSize() const override { return {settings_.width, settings_.height}; }
  IntRect UsableDesktop() const override { return {0, 0, settings_.width, settings_.height}; }
  Point WindowedSize() const override { return {settings_.width, settings_.height}; }
  Point PointerPosition() const override { return {}; }
  bool ReadKeyboard(uint8_t (&table)[256]) override {
    for (uint8_t& key : table) key = 0;
    return open_;
  }

 private:
  Renderer& renderer_;
  WindowSettings settings_;
  bool open_ = false;
  bool fullscreen_ = false;
};

}  // namespace zb::platform
