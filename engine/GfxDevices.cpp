#include "engine/GfxDevices.h"

#include <algorithm>
#include <utility>

namespace zb {

TGfxSubscriber::~TGfxSubscriber() { SetPublisher(nullptr); }

void TGfxSubscriber::SetPublisher(TGfxDevice* device) {
  if (publisher_ == device) return;
  if (publisher_) publisher_->Unsubscribe(this);
  if (device) device->Subscribe(this);
}

TGfxPublisher::~TGfxPublisher() {
  for (TGfxSubscriber* s : subscribers_) s->publisher_ = nullptr;
}

void TGfxPublisher::Subscribe(TGfxSubscriber* subscriber) {
  if (std::find(subscribers_.begin(), subscribers_.end(), subscriber) != subscribers_.end()) return;
  if (subscriber->publisher_) subscriber->publisher_->Unsubscribe(subscriber);
  subscribers_.push_back(subscriber);
  subscriber->publisher_ = static_cast<TGfxDevice*>(this);
}

void TGfxPublisher::Unsubscribe(TGfxSubscriber* subscriber) {
  const auto it = std::find(subscribers_.begin(), subscribers_.end(), subscriber);
  if (it == subscribers_.end()) return;
  subscribers_.erase(it);
  subscriber->publisher_ = nullptr;
}

bool TGfxPublisher::Notify(int message) {
  auto& self = static_cast<TGfxDevice&>(*this);
  // A copy: a subscriber may unsubscribe while it is being told.
  const std::vector<TGfxSubscriber*> targets = subscribers_;
  for (TGfxSubscriber* s : targets) {
    if (!s->Notify(self, message)) return false;
  }
  return true;
}

TGfxDevice::TGfxDevice(platform::Window& window, std::string caption)
    : window_(window), caption_(std::move(caption)) {}

TGfxDevice::~TGfxDevice() { Finalize(); }

void TGfxDevice::SetWidth(int value) {
  width_ = value;
  if (initialized_) Reset();
}

void TGfxDevice::SetHeight(int value) {
  height_ = value;
  if (initialized_) Reset();
}

void TGfxDevice::SetBitDepth(TBitDepth value) {
  if (!initialized_) bitDepth_ = value;
}

void TGfxDevice::SetRefresh(int value) {
  if (!initialized_) refresh_ = value;
}

void TGfxDevice::SetDepthBuffer(bool value) {
  if (!initialized_) depthBuffer_ = value;
}

void TGfxDevice::SetWindowSize(platform::Point size) {
  if (!initialized_) windowSize_ = size;
}

void TGfxDevice::SetResizable(bool value) {
  if (!initialized_) resizable_ = value;
}

void TGfxDevice::UpdateScale() {
  platform::Renderer* r = window_.GetRenderer();
  scaleX_ = r ? static_cast<float>(r->Width()) / 800.0f : 1.0f;
  scaleY_ = r ? static_cast<float>(r->Height()) / 600.0f : 1.0f;
}

bool TGfxDevice::ApplyPresentation() {
  window_.SetVSync(vsync_);
  return window_.SetFullscreen(!windowed_);
}

bool TGfxDevice::Initialize() {
  if (initialized_) return false;
  platform::WindowSettings settings;
  settings.width = width_;
  settings.height = height_;
  settings.windowWidth = windowSize_.x;
  settings.windowHeight = windowSize_.y;
  settings.resizable = resizable_;
  settings.caption = caption_;
  settings.vsync = vsync_;
  if (!window_.Open(settings)) return false;
  if (!windowed_) window_.SetFullscreen(true);
  initialized_ = true;
  lost_ = false;
  bool success = Notify(msgDeviceCreate);
  if (!success) {
    Finalize();
    return false;
  }
  if (OnInitialize) {
    UpdateScale();
    OnInitialize(*this, success);
    if (!success) Finalize();
  }
  return success;
}

void TGfxDevice::Finalize() {
  if (!initialized_) return;
  if (OnFinalize) OnFinalize(*this);
  Notify(msgDeviceFinalize);
  window_.Close();
  initialized_ = false;
  lost_ = false;
}

bool TGfxDevice::Reset() {
  if (!initialized_) return false;
  Notify(msgDeviceLost);
  if (!ApplyPresentation()) return false;
  UpdateScale();
  return Notify(msgDeviceReset);
}

void TGfxDevice::SetByIndex(int index, bool value) {
  switch (index) {
    case 0: windowed_ = value; break;
    case 1: vsync_ = value; break;
    case 2: hardwareTL_ = value; break;
    default: return;
  }
  // The window changes its mode in place and keeps its renderer with every texture, so nothing
  // is released and made again (start-up would otherwise create every texture twice).
  if (initialized_ && ApplyPresentation()) UpdateScale();
}

bool TGfxDevice::Render(uint32_t backColor, bool clear) {
  if (!OnRender || !BeginScene(backColor, clear)) return false;
  OnRender(*this);
  EndScene();
  return true;
}

bool TGfxDevice::BeginScene(uint32_t backColor, bool clear) {
  if (!initialized_ || lost_) return false;
  platform::Renderer* r = window_.GetRenderer();
  if (!r) return false;
  if (clear) {
    // Canvas colours are $AABBGGRR; the renderer takes $AARRGGBB.
    const uint32_t argb = (backColor & 0xFF00FF00u) | ((backColor & 0xFFu) << 16) | ((backColor >> 16) & 0xFFu);
    r->Clear(argb);
  }
  Notify(msgBeginScene);
  return true;
}

void TGfxDevice::EndScene() { Notify(msgEndScene); }

bool TGfxDevice::Flip() {
  if (!initialized_) return false;
  platform::Renderer* r = window_.GetRenderer();
  if (!r) return false;
  r->Present();
  return true;
}

void TGfxKeyboard::SetForeground(bool value) {
  if (!initialized_) foreground_ = value;
}

bool TGfxKeyboard::Initialize() {
  std::fill(std::begin(current_), std::end(current_), uint8_t{0});
  std::fill(std::begin(previous_), std::end(previous_), uint8_t{0});
  initialized_ = window_.IsOpen();
  return initialized_;
}

bool TGfxKeyboard::Update() {
  if (!initialized_ && !Initialize()) return false;
  uint8_t next[256];
  if (!window_.ReadKeyboard(next)) return false;
  std::copy(std::begin(current_), std::end(current_), std::begin(previous_));
  std::copy(std::begin(next), std::end(next), std::begin(current_));
  return true;
}

}  // namespace zb
