#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "engine/platform/headless/Headless.h"

namespace zb {

// The whole game on the headless platform: tests and tools drive it with the events a
// window would deliver and advance it frame by frame on the fake clock.
class HeadlessGame {
 public:
  // Content and "Config.cfg" in one folder.
  explicit HeadlessGame(const std::filesystem::path& gameFolder);
  explicit HeadlessGame(TGameFolders folders);
  ~HeadlessGame();

  bool Start();  // FormCreate, then the rest of the loading at once
  // Delivers the queued events, then runs one idle pass of the application.
  void Frame();
  // The same in steps, for a driver that looks at the game between the events of a frame: the
  // next queued event delivered (false when none is left or the window closed), then the idle pass.
  bool DeliverEvent();
  void Idle();
  void Frames(int count);

  void KeyDown(uint8_t key, uint32_t shift = 0);
  void KeyUp(uint8_t key, uint32_t shift = 0);
  void Press(uint8_t key);  // down and up
  void Char(uint8_t cp1251);
  void MouseMove(int x, int y);
  void MouseDown(int x, int y, platform::MouseButton button = platform::MouseButton::Left);
  void MouseUp(int x, int y, platform::MouseButton button = platform::MouseButton::Left);
  void Click(int x, int y);  // press, then click-and-release as the window reports it
  void CloseBox();
  void Minimize();
  void FocusLost();
  // Game controllers: `pad` is the controller's id.
  void PadAdded(int32_t pad);
  void PadRemoved(int32_t pad);
  void PadButton(int32_t pad, platform::PadButton button, bool down);
  void PadPress(int32_t pad, platform::PadButton button);  // down and up
  void PadAxis(int32_t pad, platform::PadAxis axis, int16_t value);

  bool SavePng(const std::string& path);
  uint32_t PixelAt(int x, int y);  // 0xAARRGGBB of the last rendered frame

  platform::HeadlessPlatform& Platform() { return platform_; }
  TForm1& Form() { return *form_; }
  // What tools and tests drive: the screens and the play core under them.
  TScreenContext& Screens() { return form_->Screen; }
  TPlayCore& Core() { return form_->Core; }
  bool Closed() const { return form_->Closed(); }
  // Frames are drawn (the default), or only played: the game is the same either way.
  void SetDrawing(bool drawing) { form_->Screen.Drawing = drawing; }

 private:
  void Push(const platform::Event& event) { platform_.window.Push(event); }
  bool ReadFrame(std::vector<uint32_t>& pixels, int& width, int& height);

  platform::HeadlessPlatform platform_;
  std::unique_ptr<TForm1> form_;
};

}  // namespace zb
