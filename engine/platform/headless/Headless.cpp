#include "engine/platform/headless/Headless.h"

#include <SDL.h>

#include "engine/platform/headless/NullRenderer.h"
#include "engine/platform/sdl/SdlRenderer.h"

namespace zb::platform {

void HeadlessClock::Sleep(uint32_t milliseconds) {
  sleeps_.push_back(milliseconds);
  sleptMillis_ += milliseconds;
  AdvanceMillis(milliseconds);
}

HeadlessWindow::HeadlessWindow() = default;

HeadlessWindow::~HeadlessWindow() { Close(); }

bool HeadlessWindow::Open(const WindowSettings& settings) {
  if (failOpen_) {
    failOpen_ = false;
    return false;
  }
  Close();
  settings_ = settings;
  vsync_ = settings.vsync;
  windowed_ = Point{settings.windowWidth > 0 ? settings.windowWidth : settings.width,
                    settings.windowHeight > 0 ? settings.windowHeight : settings.height};
  position_ = Point{(screen_.x - windowed_.x) / 2, (screen_.y - windowed_.y) / 2};
  if (!rasterise_) {
    renderer_ = std::make_unique<NullRenderer>(settings.width, settings.height);
    return true;
  }
  surface_ = SDL_CreateRGBSurfaceWithFormat(0, settings.width, settings.height, 32,
                                            SDL_PIXELFORMAT_ARGB8888);
  if (!surface_) return false;
  SDL_Renderer* native = SDL_CreateSoftwareRenderer(surface_);
  if (!native) {
    SDL_FreeSurface(surface_);
    surface_ = nullptr;
    return false;
  }
  renderer_ = std::make_unique<SdlRenderer>(native);
  return true;
}

void HeadlessWindow::Close() {
  renderer_.reset();
  if (surface_) {
    SDL_FreeSurface(surface_);
    surface_ = nullptr;
  }
}

Renderer* HeadlessWindow::GetRenderer() { return renderer_.get(); }

bool HeadlessWindow::SetFullscreen(bool fullscreen) {
  fullscreen_ = fullscreen;
  return true;
}

bool HeadlessWindow::PollEvent(Event& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  if (event.type == Event::Type::KeyDown) keys_[event.key] = 0x80;
  if (event.type == Event::Type::KeyUp) keys_[event.key] = 0;
  if (event.type == Event::Type::MouseMove || event.type == Event::Type::MouseDown ||
      event.type == Event::Type::MouseUp) {
    pointer_ = Point{event.x, event.y};
  }
  return true;
}

bool HeadlessWindow::ReadKeyboard(uint8_t (&table)[256]) {
  std::copy(std::begin(keys_), std::end(keys_), std::begin(table));
  return true;
}

void HeadlessWindow::Push(const Event& event) { events_.push_back(event); }

}  // namespace zb::platform
