#include "app/HeadlessGame.h"

#include <vector>

#include "engine/PngWriter.h"

namespace zb {

using platform::Event;

HeadlessGame::HeadlessGame(std::filesystem::path gameFolder)
    : form_(std::make_unique<TForm1>(platform_, std::move(gameFolder))) {}

HeadlessGame::~HeadlessGame() = default;

bool HeadlessGame::Start() { return form_->FormCreate(); }

void HeadlessGame::Frame() {
  Event event;
  while (!form_->Closed() && platform_.window.PollEvent(event)) form_->HandleEvent(event);
  if (!form_->Closed()) form_->Idle();
}

void HeadlessGame::Frames(int count) {
  for (int i = 0; i < count && !form_->Closed(); ++i) Frame();
}

void HeadlessGame::KeyDown(uint8_t key, uint32_t shift) {
  Event e;
  e.type = Event::Type::KeyDown;
  e.key = key;
  e.shift = shift;
  Push(e);
}

void HeadlessGame::KeyUp(uint8_t key, uint32_t shift) {
  Event e;
  e.type = Event::Type::KeyUp;
  e.key = key;
  e.shift = shift;
  Push(e);
}

void HeadlessGame::Press(uint8_t key) {
  KeyDown(key);
  KeyUp(key);
}

void HeadlessGame::Char(uint8_t cp1251) {
  Event e;
  e.type = Event::Type::Char;
  e.ch = cp1251;
  Push(e);
}

void HeadlessGame::MouseMove(int x, int y) {
  Event e;
  e.type = Event::Type::MouseMove;
  e.x = x;
  e.y = y;
  Push(e);
}

void HeadlessGame::MouseDown(int x, int y, platform::MouseButton button) {
  Event e;
  e.type = Event::Type::MouseDown;
  e.button = button;
  e.x = x;
  e.y = y;
  Push(e);
}

void HeadlessGame::MouseUp(int x, int y, platform::MouseButton button) {
  Event e;
  e.type = Event::Type::MouseUp;
  e.button = button;
  e.x = x;
  e.y = y;
  Push(e);
}

void HeadlessGame::Click(int x, int y) {
  MouseMove(x, y);
  MouseDown(x, y);
  Event click;
  click.type = Event::Type::MouseClick;
  click.x = x;
  click.y = y;
  Push(click);
  MouseUp(x, y);
}

void HeadlessGame::CloseBox() {
  Event e;
  e.type = Event::Type::CloseRequest;
  Push(e);
}

void HeadlessGame::Minimize() {
  Event e;
  e.type = Event::Type::Minimized;
  Push(e);
}

bool HeadlessGame::SavePng(const std::string& path) {
  platform::Renderer* renderer = platform_.window.GetRenderer();
  if (!renderer) return false;
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!renderer->ReadPixels(pixels, width, height)) return false;
  return WritePng(path, pixels.data(), width, height);
}

uint32_t HeadlessGame::PixelAt(int x, int y) {
  platform::Renderer* renderer = platform_.window.GetRenderer();
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!renderer || !renderer->ReadPixels(pixels, width, height) || x < 0 || y < 0 || x >= width ||
      y >= height) {
    return 0;
  }
  return pixels[static_cast<size_t>(y) * width + x];
}

}  // namespace zb
