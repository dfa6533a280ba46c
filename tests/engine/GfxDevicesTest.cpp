#include "engine/GfxDevices.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/platform/headless/Headless.h"

namespace zb {
namespace {

class Recorder final : public TGfxSubscriber {
 public:
  Recorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
  bool Notify(TGfxDevice&, int message) override {
    log_.push_back(name_ + ":" + std::to_string(message));
    return message != refuse;
  }
  int refuse = -1;

 private:
  std::string name_;
  std::vector<std::string>& log_;
};

TEST(GfxDevice, NotificationsGoInRegistrationOrderAndStopAtTheFirstFalse) {
  platform::HeadlessWindow window;
  TGfxDevice device(window, "Zumbala");
  std::vector<std::string> log;
  Recorder a("a", log), b("b", log), c("c", log);
  a.SetPublisher(&device);
  b.SetPublisher(&device);
  c.SetPublisher(&device);
  EXPECT_TRUE(device.Notify(msgBeginScene));
  EXPECT_EQ(log, (std::vector<std::string>{"a:260", "b:260", "c:260"}));

  log.clear();
  b.refuse = msgEndScene;
  EXPECT_FALSE(device.Notify(msgEndScene));
  EXPECT_EQ(log, (std::vector<std::string>{"a:261", "b:261"}));

  // A subscriber that goes away is no longer told.
  log.clear();
  b.SetPublisher(nullptr);
  device.Notify(msgDeviceLost);
  EXPECT_EQ(log, (std::vector<std::string>{"a:258", "c:258"}));
}

TEST(GfxDevice, InitializeSendsCreateThenCallsOnInitializeAndFinalizesOnFailure) {
  platform::HeadlessWindow window;
  TGfxDevice device(window, "Zumbala");
  std::vector<std::string> log;
  Recorder a("a", log);
  a.SetPublisher(&device);
  bool handlerSawSuccess = false;
  device.OnInitialize = [&](TGfxDevice&, bool& success) {
    handlerSawSuccess = success;
    success = false;
  };
  EXPECT_FALSE(device.Initialize());
  EXPECT_TRUE(handlerSawSuccess);
  EXPECT_FALSE(device.Initialized());
  EXPECT_EQ(log, (std::vector<std::string>{"a:256", "a:257"}));
  EXPECT_FALSE(window.IsOpen());

  log.clear();
  device.OnInitialize = nullptr;
  a.refuse = msgDeviceCreate;
  EXPECT_FALSE(device.Initialize());
  EXPECT_EQ(log, (std::vector<std::string>{"a:256", "a:257"}));

  window.FailNextOpen();
  a.refuse = -1;
  log.clear();
  EXPECT_FALSE(device.Initialize());
  EXPECT_TRUE(log.empty());
}

TEST(GfxDevice, RenderClearsCallsOnRenderInsideTheSceneAndNeedsAHandler) {
  platform::HeadlessWindow window;
  TGfxDevice device(window, "Zumbala");
  std::vector<std::string> log;
  Recorder a("a", log);
  a.SetPublisher(&device);
  EXPECT_FALSE(device.Render(0, true));  // no device yet
  ASSERT_TRUE(device.Initialize());
  EXPECT_FALSE(device.Render(0, true));  // no handler
  device.OnRender = [&](TGfxDevice&) { log.push_back("render"); };
  log.clear();
  // Canvas colour $AABBGGRR: opaque blue.
  EXPECT_TRUE(device.Render(0xFFFF0000u, true));
  EXPECT_EQ(log, (std::vector<std::string>{"a:260", "render", "a:261"}));
  std::vector<uint32_t> pixels;
  int w = 0, h = 0;
  ASSERT_TRUE(window.GetRenderer()->ReadPixels(pixels, w, h));
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_EQ(pixels[0] & 0xFFFFFF, 0x0000FFu);
  EXPECT_TRUE(device.Flip());
}

TEST(GfxDevice, SetByIndexSwitchesWindowModeInPlaceKeepingTheTextures) {
  platform::HeadlessWindow window;
  TGfxDevice device(window, "Zumbala");
  std::vector<std::string> log;
  Recorder a("a", log);
  a.SetPublisher(&device);
  device.SetByIndex(0, false);  // before the device exists: stored only
  EXPECT_TRUE(log.empty());
  ASSERT_TRUE(device.Initialize());
  EXPECT_TRUE(window.IsFullscreen());
  log.clear();
  const platform::Renderer* renderer = device.Renderer();
  device.SetByIndex(0, true);
  EXPECT_FALSE(window.IsFullscreen());
  // The same renderer keeps every texture: nobody is told to release and rebuild them.
  EXPECT_EQ(device.Renderer(), renderer);
  EXPECT_TRUE(log.empty());
  EXPECT_FLOAT_EQ(device.ScaleX(), 1.0f);
  EXPECT_FLOAT_EQ(device.ScaleY(), 1.0f);
  device.Finalize();
  EXPECT_FALSE(device.Initialized());
  EXPECT_FALSE(device.Flip());
}

TEST(GfxKeyboard, UpdateKeepsThePreviousTable) {
  platform::HeadlessWindow window;
  TGfxKeyboard keyboard(window);
  EXPECT_FALSE(keyboard.Update());  // no window to read from
  ASSERT_TRUE(window.Open({}));
  platform::Event down;
  down.type = platform::Event::Type::KeyDown;
  down.key = 37;
  window.Push(down);
  platform::Event e;
  while (window.PollEvent(e)) {
  }
  ASSERT_TRUE(keyboard.Update());
  EXPECT_EQ(keyboard.Current()[37], 0x80);
  EXPECT_EQ(keyboard.Previous()[37], 0);
  ASSERT_TRUE(keyboard.Update());
  EXPECT_EQ(keyboard.Previous()[37], 0x80);
}

}  // namespace
}  // namespace zb
