#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/platform/Platform.h"

namespace zb {

class TGfxDevice;

// Device notifications, sent to subscribers in registration order.
enum GfxNotification : int {
  msgDeviceCreate = 256,
  msgDeviceFinalize = 257,
  msgDeviceLost = 258,
  msgDeviceReset = 259,
  msgBeginScene = 260,
  msgEndScene = 261,
};

// A component that lives on the device: canvas, image list, font list, GUI root.
class TGfxSubscriber {
 public:
  virtual ~TGfxSubscriber();
  // Answers whether the subscriber handled the notification; false stops the send.
  virtual bool Notify(TGfxDevice& sender, int message) = 0;

  TGfxDevice* Publisher() const { return publisher_; }
  void SetPublisher(TGfxDevice* device);

 private:
  friend class TGfxPublisher;
  TGfxDevice* publisher_ = nullptr;
};

class TGfxPublisher {
 public:
  virtual ~TGfxPublisher();
  void Subscribe(TGfxSubscriber* subscriber);
  void Unsubscribe(TGfxSubscriber* subscriber);
  size_t SubscriberCount() const { return subscribers_.size(); }
  // Sends to every subscriber in order and stops at the first false answer.
  bool Notify(int message);

 private:
  std::vector<TGfxSubscriber*> subscribers_;
};

enum class TBitDepth { bdLow, bdHigh };

// The rendering device of the main window: one frame is clear, begin scene, OnRender,
// end scene, present. Subscribers learn of creation, loss, reset and release.
class TGfxDevice : public TGfxPublisher {
 public:
  TGfxDevice(platform::Window& window, std::string caption);
  ~TGfxDevice() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int value);
  void SetHeight(int value);
  TBitDepth BitDepth() const { return bitDepth_; }
  void SetBitDepth(TBitDepth value);
  int Refresh() const { return refresh_; }
  void SetRefresh(int value);
  bool Windowed() const { return windowed_; }
  bool VSync() const { return vsync_; }
  bool HardwareTL() const { return hardwareTL_; }
  bool DepthBuffer() const { return depthBuffer_; }
  void SetDepthBuffer(bool value);
  // The window's client size at opening, 0 x 0 for the picture's own; the picture is scaled to it.
  platform::Point WindowSize() const { return windowSize_; }
  void SetWindowSize(platform::Point size);
  // Whether the player may resize the window.
  bool Resizable() const { return resizable_; }
  void SetResizable(bool value);

  bool Initialized() const { return initialized_; }
  bool Lost() const { return lost_; }
  float ScaleX() const { return scaleX_; }
  float ScaleY() const { return scaleY_; }
  platform::Renderer* Renderer() const { return initialized_ ? window_.GetRenderer() : nullptr; }
  platform::Window& Window() const { return window_; }

  bool Initialize();
  void Finalize();
  bool Reset();
  // 0 Windowed, 1 VSync, 2 HardwareTL; a live device applies the change at once, keeping its textures.
  void SetByIndex(int index, bool value);
  // `backColor` is a canvas colour ($AABBGGRR).
  bool Render(uint32_t backColor, bool clear);
  // The same frame for a caller that draws between the two itself; false: nothing may be drawn.
  bool BeginScene(uint32_t backColor, bool clear);
  void EndScene();
  bool Flip();

  std::function<void(TGfxDevice&, bool&)> OnInitialize;
  std::function<void(TGfxDevice&)> OnFinalize;
  std::function<void(TGfxDevice&)> OnRender;

 private:
  bool ApplyPresentation();
  void UpdateScale();

  platform::Window& window_;
  std::string caption_;
  int width_ = 800;
  int height_ = 600;
  TBitDepth bitDepth_ = TBitDepth::bdHigh;
  int refresh_ = 0;
  bool windowed_ = true;
  bool vsync_ = false;
  bool hardwareTL_ = true;
  bool depthBuffer_ = false;
  platform::Point windowSize_{0, 0};
  bool resizable_ = false;
  bool initialized_ = false;
  bool lost_ = false;
  float scaleX_ = 1.0f;
  float scaleY_ = 1.0f;
};

// Polls the keyboard state; the game itself reads keys from window events.
class TGfxKeyboard {
 public:
  explicit TGfxKeyboard(platform::Window& window) : window_(window) {}

  bool Foreground() const { return foreground_; }
  void SetForeground(bool value);
  bool Initialized() const { return initialized_; }

  bool Initialize();
  bool Update();
  void Finalize() { initialized_ = false; }

  // Bit 7 set while the key is down.
  const uint8_t (&Current() const)[256] { return current_; }
  const uint8_t (&Previous() const)[256] { return previous_; }

 private:
  platform::Window& window_;
  bool foreground_ = true;
  bool initialized_ = false;
  uint8_t current_[256] = {};
  uint8_t previous_[256] = {};
};

}  // namespace zb
