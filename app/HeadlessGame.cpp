#include "app/HeadlessGame.h"

#include <vector>

#include "engine/PngWriter.h"

namespace zb {

using platform::Event;

HeadlessGame::HeadlessGame(const std::filesystem::path& gameFolder)
    : HeadlessGame(TGameFolders::Portable(gameFolder)) {}

HeadlessGame::HeadlessGame(TGameFolders folders)
    : form_(std::make_unique<TForm1>(platform_, std::move(folders))) {}

HeadlessGame::~HeadlessGame() = default;

bool HeadlessGame::Start() { return form_->FormCreate() && form_->FinishLoading(); }

void HeadlessGame::Frame() {
  while (DeliverEvent()) {
  }
  Idle();
}

bool HeadlessGame::DeliverEvent() {
  Event event;
  if (form_->Closed() || !platform_.window.PollEvent(event)) return false;
  form_->HandleEvent(event);
  return true;
}

void HeadlessGame::Idle() {
  if (!form_->Closed()) form_->Idle();
}

void HeadlessGame::Frames(int count) {
  for (int i = 0; i < count && !form_->Closed(); ++i) Frame();
}

namespace {

Event KeyEvent(Event::Type type, uint8_t key, uint32_t shift) {
  Event e;
  e.type = type;
  e.key = key;
  e.shift = shift;
  return e;
}

Event PointerEvent(Event::Type type, int x, int y, platform::MouseButton button = platform::MouseButton::Left) {
  Event e;
  e.type = type;
  e.button = button;
  e.x = x;
  e.y = y;
  return e;
}

Event WindowEvent(Event::Type type) {
  Event e;
  e.type = type;
  return e;
}

}  // namespace

void HeadlessGame::KeyDown(uint8_t key, uint32_t shift) { Push(KeyEvent(Event::Type::KeyDown, key, shift)); }

void HeadlessGame::KeyUp(uint8_t key, uint32_t shift) { Push(KeyEvent(Event::Type::KeyUp, key, shift)); }

void HeadlessGame::Press(uint8_t key) {
  KeyDown(key);
  KeyUp(key);
}

void HeadlessGame::Char(uint8_t cp1251) {
  Event e = WindowEvent(Event::Type::Char);
  e.ch = cp1251;
  Push(e);
}

void HeadlessGame::MouseMove(int x, int y) { Push(PointerEvent(Event::Type::MouseMove, x, y)); }

void HeadlessGame::MouseDown(int x, int y, platform::MouseButton button) {
  Push(PointerEvent(Event::Type::MouseDown, x, y, button));
}

void HeadlessGame::MouseUp(int x, int y, platform::MouseButton button) {
  Push(PointerEvent(Event::Type::MouseUp, x, y, button));
}

void HeadlessGame::Click(int x, int y) {
  MouseMove(x, y);
  MouseDown(x, y);
  Push(PointerEvent(Event::Type::MouseClick, x, y));
  MouseUp(x, y);
}

void HeadlessGame::CloseBox() { Push(WindowEvent(Event::Type::CloseRequest)); }

void HeadlessGame::Minimize() { Push(WindowEvent(Event::Type::Minimized)); }

void HeadlessGame::FocusLost() { Push(WindowEvent(Event::Type::FocusLost)); }

void HeadlessGame::PadAdded(int32_t pad) {
  Event e = WindowEvent(Event::Type::PadAdded);
  e.pad = pad;
  Push(e);
}

void HeadlessGame::PadRemoved(int32_t pad) {
  Event e = WindowEvent(Event::Type::PadRemoved);
  e.pad = pad;
  Push(e);
}

void HeadlessGame::PadButton(int32_t pad, platform::PadButton button, bool down) {
  Event e = WindowEvent(down ? Event::Type::PadButtonDown : Event::Type::PadButtonUp);
  e.pad = pad;
  e.control = static_cast<uint8_t>(button);
  Push(e);
}

void HeadlessGame::PadPress(int32_t pad, platform::PadButton button) {
  PadButton(pad, button, true);
  PadButton(pad, button, false);
}

void HeadlessGame::PadAxis(int32_t pad, platform::PadAxis axis, int16_t value) {
  Event e = WindowEvent(Event::Type::PadAxisMotion);
  e.pad = pad;
  e.control = static_cast<uint8_t>(axis);
  e.value = value;
  Push(e);
}

bool HeadlessGame::ReadFrame(std::vector<uint32_t>& pixels, int& width, int& height) {
  platform::Renderer* renderer = platform_.window.GetRenderer();
  return renderer && renderer->ReadPixels(pixels, width, height);
}

bool HeadlessGame::SavePng(const std::string& path) {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  return ReadFrame(pixels, width, height) && WritePng(path, pixels.data(), width, height);
}

uint32_t HeadlessGame::PixelAt(int x, int y) {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  if (!ReadFrame(pixels, width, height) || x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[static_cast<size_t>(y) * width + x];
}

}  // namespace zb
