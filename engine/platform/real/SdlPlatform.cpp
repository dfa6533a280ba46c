#include "engine/platform/real/SdlPlatform.h"

#include <SDL.h>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <chrono>
#include <cmath>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/Cp1251.h"
#include "engine/FileRead.h"
#include "engine/platform/Keys.h"
#include "engine/platform/sdl/MixerAudio.h"
#include "engine/platform/sdl/SdlGamepads.h"
#include "engine/platform/sdl/SdlKeymap.h"
#include "engine/platform/real/EndSignals.h"
#include "engine/platform/real/VideoSession.h"
#include "engine/platform/real/WindowSystem.h"
#include "engine/platform/sdl/RendererChoice.h"
#include "engine/platform/sdl/SdlRenderer.h"
#include "engine/platform/UrlShortcut.h"
#include "engine/platform/sdl/CurlHttp.h"

namespace zb::platform {
namespace {

class SdlClock final : public Clock {
 public:
  SdlClock() {
#ifdef __linux__
    // The default slack of 50 microseconds would lengthen every short sleep of the frame cap.
    prctl(PR_SET_TIMERSLACK, 1000UL, 0UL, 0UL, 0UL);
#endif
  }
  uint32_t TickCount() override { return SDL_GetTicks(); }
  uint64_t PerformanceCounter() override { return SDL_GetPerformanceCounter(); }
  uint64_t PerformanceFrequency() override { return SDL_GetPerformanceFrequency(); }
  void Sleep(uint32_t milliseconds) override { SDL_Delay(milliseconds); }
  void SleepMicros(uint32_t micros) override { std::this_thread::sleep_for(std::chrono::microseconds(micros)); }
};

uint32_t ShiftState() {
  const SDL_Keymod mod = SDL_GetModState();
  const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  uint32_t shift = ShiftNone;
  if (mod & KMOD_SHIFT) shift |= ShiftShift;
  if (mod & KMOD_ALT) shift |= ShiftAlt;
  if (mod & KMOD_CTRL) shift |= ShiftCtrl;
  if (buttons & SDL_BUTTON_LMASK) shift |= ShiftLeftButton;
  if (buttons & SDL_BUTTON_RMASK) shift |= ShiftRightButton;
  if (buttons & SDL_BUTTON_MMASK) shift |= ShiftMiddleButton;
  return shift;
}

MouseButton ButtonFor(uint8_t sdlButton) {
  if (sdlButton == SDL_BUTTON_RIGHT) return MouseButton::Right;
  if (sdlButton == SDL_BUTTON_MIDDLE) return MouseButton::Middle;
  return MouseButton::Left;
}

class SdlWindow final : public Window {
 public:
  ~SdlWindow() override {
    Close();
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  bool Open(const WindowSettings& settings) override {
    if (!videoStarted_) {
      if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
      videoStarted_ = true;
    }
    Close();
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    const std::vector<RenderDriver> drivers = RenderDrivers();
    const char* hint = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    const std::string forced = hint ? hint : "";
    const RendererChoice choice = ChooseRenderer(drivers, "", forced, HasGraphicsDevice(DeviceFiles()));
    // A window made for OpenGL at once; SDL would otherwise make it anew for the renderer.
    const bool openGl = !choice.software && choice.driver >= 0 &&
                        std::string_view(drivers[static_cast<size_t>(choice.driver)].name).starts_with("opengl");
    windowed_ = Point{settings.windowWidth > 0 ? settings.windowWidth : settings.width,
                      settings.windowHeight > 0 ? settings.windowHeight : settings.height};
    Uint32 flags = openGl ? SDL_WINDOW_OPENGL : 0;
    if (settings.resizable) flags |= SDL_WINDOW_RESIZABLE;
    window_ = SDL_CreateWindow(settings.caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               windowed_.x, windowed_.y, flags);
    if (!window_) return false;
    // Below half its size the picture's texts no longer read.
    if (settings.resizable) SDL_SetWindowMinimumSize(window_, settings.width / 2, settings.height / 2);
    vsync_ = settings.vsync;
    fullscreen_ = false;
    if (!CreateRenderer(drivers, choice, forced, settings.width, settings.height)) {
      Close();
      return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SDL_StartTextInput();
    // Controllers are optional: without the subsystem the game is played with the keyboard.
    gamepads_.Start();
    return true;
  }

  void Close() override {
    renderer_.reset();
    if (window_) {
      SDL_DestroyWindow(window_);
      window_ = nullptr;
    }
  }

  bool IsOpen() const override { return window_ != nullptr; }
  Renderer* GetRenderer() override { return renderer_.get(); }

  bool SetFullscreen(bool fullscreen) override {
    if (!window_) return false;
    if (HasWindowManager(window_)) {
      if (SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
    } else {
      CoverDisplay(fullscreen);
    }
    fullscreen_ = fullscreen;
    return true;
  }

  bool IsFullscreen() const override { return window_ && fullscreen_; }

  void SetVSync(bool vsync) override {
    vsync_ = vsync;
    if (renderer_) SDL_RenderSetVSync(renderer_->Native(), vsync ? 1 : 0);
  }

  bool PollEvent(Event& event) override {
    while (pending_.empty()) {
      SDL_Event e;
      if (SDL_PollEvent(&e)) {
        Translate(e);
      } else if (followPointer_) {
        // After the whole batch: SDL may still report its stale position after the change.
        followPointer_ = false;
        FollowPointer();
      } else {
        return false;
      }
    }
    event = pending_.front();
    pending_.pop_front();
    return true;
  }

  Point Position() const override {
    Point p;
    if (window_) SDL_GetWindowPosition(window_, &p.x, &p.y);
    return p;
  }

  void SetPosition(Point topLeft) override {
    if (window_) SDL_SetWindowPosition(window_, topLeft.x, topLeft.y);
  }

  Point ScreenSize() const override {
    SDL_DisplayMode mode;
    const int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return Point{800, 600};
    return Point{mode.w, mode.h};
  }

  IntRect UsableDesktop() const override {
    const int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    SDL_Rect bounds;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &bounds) != 0 || bounds.w <= 0 || bounds.h <= 0) {
      const Point screen = ScreenSize();
      return IntRect{0, 0, screen.x, screen.y};
    }
    return IntRect{bounds.x, bounds.y, bounds.w, bounds.h};
  }

  Point WindowedSize() const override { return windowed_; }

  Point PointerPosition() const override { return pointer_; }

  bool ReadKeyboard(uint8_t (&table)[256]) override {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    std::fill(std::begin(table), std::end(table), uint8_t{0});
    for (int sc = 0; sc < count; ++sc) {
      if (const uint8_t key = VirtualKeyForScancode(sc); key != 0 && state[sc]) table[key] = 0x80;
    }
    return true;
  }

 private:
  // Without a window manager nobody carries out a full-screen request: the window itself takes the
  // display's place and size without a border, and its own size back.
  void CoverDisplay(bool cover) {
    SDL_Rect bounds{0, 0, windowed_.x, windowed_.y};
    const int display = SDL_GetWindowDisplayIndex(window_);
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
    SDL_SetWindowBordered(window_, cover ? SDL_FALSE : SDL_TRUE);
    if (cover) {
      SDL_SetWindowPosition(window_, bounds.x, bounds.y);
      SDL_SetWindowSize(window_, bounds.w, bounds.h);
    } else {
      SDL_SetWindowSize(window_, windowed_.x, windowed_.y);
      SDL_SetWindowPosition(window_, bounds.x + (bounds.w - windowed_.x) / 2, bounds.y + (bounds.h - windowed_.y) / 2);
    }
  }

  // The GL_RENDERER name of the context an OpenGL renderer has just made current.
  static std::string GlRendererName(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::string_view(info.name).rfind("opengl", 0) != 0) return {};
    using GetString = const unsigned char* (*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    return name ? reinterpret_cast<const char*>(name) : "";
  }

  static std::vector<RenderDriver> RenderDrivers() {
    std::vector<RenderDriver> drivers;
    for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
      SDL_RendererInfo info;
      if (SDL_GetRenderDriverInfo(i, &info) == 0) {
        drivers.push_back({info.name, (info.flags & SDL_RENDERER_ACCELERATED) != 0});
      }
    }
    return drivers;
  }

  // The device files where a graphics card would show; elsewhere than Linux, one is assumed.
  static std::vector<std::string> DeviceFiles() {
#ifdef __linux__
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
      files.push_back(entry.path().string());
    }
    for (const char* file : {"/dev/nvidia0", "/dev/dxg"}) {
      if (std::filesystem::exists(file, ec)) files.emplace_back(file);
    }
    return files;
#else
    return {"/dev/dri/card0"};
#endif
  }

  bool CreateRenderer(const std::vector<RenderDriver>& drivers, RendererChoice choice, const std::string& forced,
                      int width, int height) {
    SDL_Renderer* native = nullptr;
    if (!choice.software) {
      const Uint32 vsyncFlag = vsync_ ? SDL_RENDERER_PRESENTVSYNC : 0;
      native = SDL_CreateRenderer(window_, choice.driver, SDL_RENDERER_ACCELERATED | vsyncFlag);
      choice = native ? ChooseRenderer(drivers, GlRendererName(native), forced) : RendererChoice{-1, true};
      if (native && choice.software) {
        SDL_DestroyRenderer(native);
        native = nullptr;
      }
    }
    if (!native) {
      // Presented through the window system's shared memory, not through an OpenGL texture.
      SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
      native = SDL_CreateRenderer(window_, choice.driver, SDL_RENDERER_SOFTWARE);
      if (!native && choice.driver >= 0) native = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!native) return false;
    // The logical size lets full screen scale the 800 x 600 picture with letterboxing.
    SDL_RenderSetLogicalSize(native, width, height);
    renderer_ = std::make_unique<SdlRenderer>(native);
    return true;
  }

  void Push(Event event) { pending_.push_back(event); }

  // When the window changes place or size under a pointer that stands still, no motion is
  // reported, and the last one was in the old window's scale: the pointer is read again.
  void FollowPointer() {
    if (!renderer_) return;
    int windowX = 0, windowY = 0;
    PointerInWindow(window_, windowX, windowY);
    float x = 0, y = 0;
    SDL_RenderWindowToLogical(renderer_->Native(), windowX, windowY, &x, &y);
    pointer_ = Point{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
    Event ev;
    ev.type = Event::Type::MouseMove;
    ev.x = pointer_.x;
    ev.y = pointer_.y;
    ev.shift = ShiftState();
    Push(ev);
  }

  void Translate(const SDL_Event& e) {
    if (const auto pad = gamepads_.Translate(e)) {
      Push(*pad);
      return;
    }
    Event ev;
    switch (e.type) {
      case SDL_QUIT:
        ev.type = Event::Type::CloseRequest;
        Push(ev);
        break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          ev.type = Event::Type::CloseRequest;
          Push(ev);
        } else if (e.window.event == SDL_WINDOWEVENT_MINIMIZED) {
          ev.type = Event::Type::Minimized;
          Push(ev);
        } else if (e.window.event == SDL_WINDOWEVENT_RESTORED) {
          ev.type = Event::Type::Restored;
          Push(ev);
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          ev.type = Event::Type::FocusLost;
          Push(ev);
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          ev.type = Event::Type::FocusGained;
          Push(ev);
        } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.window.event == SDL_WINDOWEVENT_MOVED) {
          // The size the player gave the window; full screen's is not one to come back to.
          if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && !fullscreen_ && e.window.data1 > 0 &&
              e.window.data2 > 0) {
            windowed_ = Point{e.window.data1, e.window.data2};
          }
          followPointer_ = true;
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        ev.key = VirtualKeyForScancode(e.key.keysym.scancode);
        if (ev.key == 0) break;
        ev.type = e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
        ev.shift = ShiftState();
        Push(ev);
        // Control characters arrive as characters too, as typing them does on the desktop.
        if (e.type == SDL_KEYDOWN &&
            (ev.key == vk::Backspace || ev.key == vk::Enter || ev.key == vk::Escape || ev.key == vk::Tab)) {
          Event ch;
          ch.type = Event::Type::Char;
          ch.ch = ev.key;
          ch.shift = ev.shift;
          Push(ch);
        }
        break;
      }
      case SDL_TEXTINPUT: {
        for (char c : Utf8ToCp1251(e.text.text)) {
          Event ch;
          ch.type = Event::Type::Char;
          ch.ch = static_cast<uint8_t>(c);
          ch.shift = ShiftState();
          Push(ch);
        }
        break;
      }
      case SDL_MOUSEMOTION:
        pointer_ = Point{e.motion.x, e.motion.y};
        ev.type = Event::Type::MouseMove;
        ev.x = e.motion.x;
        ev.y = e.motion.y;
        ev.shift = ShiftState();
        Push(ev);
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        pointer_ = Point{e.button.x, e.button.y};
        ev.button = ButtonFor(e.button.button);
        ev.x = e.button.x;
        ev.y = e.button.y;
        ev.shift = ShiftState();
        const bool up = e.type == SDL_MOUSEBUTTONUP;
        if (up && ev.button == MouseButton::Left && ev.x >= 0 && ev.y >= 0 && ev.x < 800 && ev.y < 600) {
          Event click = ev;
          click.type = Event::Type::MouseClick;
          Push(click);
        }
        ev.type = up ? Event::Type::MouseUp : Event::Type::MouseDown;
        Push(ev);
        break;
      }
      default:
        break;
    }
  }

  SDL_Window* window_ = nullptr;
  std::unique_ptr<SdlRenderer> renderer_;
  SdlGamepads gamepads_;
  std::deque<Event> pending_;
  Point pointer_{0, 0};
  Point windowed_{800, 600};
  bool fullscreen_ = false;
  bool followPointer_ = false;
  bool vsync_ = false;
  bool videoStarted_ = false;
};

// A link file is a few lines; a larger one is not a link file.
constexpr size_t kMaxShortcutBytes = 64 * 1024;

class SdlDesktop final : public Desktop {
 public:
  void ShowMessageBox(const std::string& caption, const std::string& text) override {
    // The game's texts are CP1251; the desktop's UTF-8.
    const std::string title = Cp1251ToUtf8(caption);
    const std::string message = Cp1251ToUtf8(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr) != 0) {
      SDL_LogError(SDL_LOG_CATEGORY_APPLICATION, "%s: %s", title.c_str(), message.c_str());
    }
  }

  bool ShellOpen(const std::string& target, const std::string& /*parameters*/) override {
    std::string url = target;
    if (std::filesystem::path(target).extension() == ".url") {
      const FileReadResult contents = ReadFileText(target, kMaxShortcutBytes);
      if (!contents.ok) return false;
      const auto found = UrlFromShortcut(contents.bytes);
      if (!found) return false;
      url = *found;
    } else if (std::filesystem::exists(target)) {
      url = "file://" + std::filesystem::absolute(target).string();
    }
    return SDL_OpenURL(url.c_str()) == 0;
  }

  std::string ClipboardText() override {
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string result = Utf8ToCp1251(text);
    SDL_free(text);
    return result;
  }
};

class SdlPlatform final : public Platform {
 public:
  Clock& GetClock() override { return clock_; }
  Window& GetWindow() override { return window_; }
  Desktop& GetDesktop() override { return desktop_; }
  Audio& GetAudio() override { return audio_; }
  HttpClient& GetHttp() override { return http_; }
  bool EndRequested() override { return signals_.Raised(); }

 private:
  // Before anything of SDL starts: its threads and its own signal handlers come later.
  EndSignals signals_;
  VideoSession video_;
  SdlClock clock_;
  SdlWindow window_;
  SdlDesktop desktop_;
  MixerAudio audio_;
  CurlHttp http_;
};

}  // namespace

std::unique_ptr<Platform> CreateSdlPlatform() { return std::make_unique<SdlPlatform>(); }

}  // namespace zb::platform
