#include "app/Form1.h"

#include <cstdio>

#include "app/ReplayCheck.h"
#include "app/StartupSettings.h"
#include "app/WindowFit.h"
#include "engine/platform/Keys.h"
#include "gui/GuiCanvasPainter.h"
#include "persist/WindowSizeSetting.h"
#include "screens/Buttons.h"
#include "screens/Cursor.h"
#include "screens/DemoScreen.h"
#include "screens/LanguageSwitch.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"

namespace zb {

namespace {
constexpr uint32_t kSysCommandMinimize = 0xF020;
constexpr int kSizeMinimized = 1;
}  // namespace

TForm1::TForm1(platform::Platform& platform, TGameFolders folders)
    : Device(platform.GetWindow(), "Zumbala"),
      Timer(platform.GetClock()),
      Keyboard(platform.GetWindow()),
      Timer1(100),
      Sound(platform.GetAudio()),
      MyCanvas(&Device),
      Images(&Device),
      Fonts(&Device, &MyCanvas),
      Archive(folders.Content / "Data/data.zbx", TOpenModes::opReadOnly),
      Archive2(folders.Content / "Data/data1.zbx", TOpenModes::opReadOnly),
      ShareScreen(folders.Content, &Device, &Fonts),
      Core(Fonts),
      Screen(platform, std::move(folders), GuiBase, Device, MyCanvas, Images, Archive, Sound, Settings, Core, Timer1,
             ShareScreen),
      platform_(platform) {
  Screen.RequestClose = [this] { Close(); };
  Screen.CheckChain = [this](const TReplay& checkpoint) { return CheckCheckpointChain(checkpoint, Screen.Folders.Content); };
  ConfigureComponents();
  GuiBase.SetDesktop(&platform.GetDesktop());
  GuiBase.SetFreeKeys(&Screen.FreeCharKeys, &Screen.FreeSpecialKeys);
  GuiBase.SetPainter(std::make_unique<TGuiCanvasPainter>(MyCanvas, Images, &Fonts));
}

void TForm1::ConfigureComponents() {
  Device.SetWidth(800);
  Device.SetHeight(600);
  Device.SetBitDepth(TBitDepth::bdHigh);
  Device.SetRefresh(0);
  Device.SetByIndex(0, true);  // windowed
  // No vertical sync: every frame advances the play a fixed step, so a present that waited for a
  // 60 Hz display would slow the game to 60 % of its speed; the frame timer paces 100 frames a second.
  Device.SetByIndex(1, false);
  Device.SetByIndex(2, false);  // software vertex processing
  Device.SetDepthBuffer(true);
  Device.SetResizable(true);
  Device.OnInitialize = [this](TGfxDevice& sender, bool& success) { DeviceInitialize(sender, success); };

  Timer.SetSpeed(1200.0);
  Timer.SetMaxFPS(100);
  Timer.SetEnabled(false);
  Timer.OnTimer = [this](TGfxTimer&) { TimerTimer(); };

  MyCanvas.SetVertexCache(4096);
  MyCanvas.SetAntialias(false);
  MyCanvas.SetDithering(true);
  MyCanvas.SetAlphaTesting(false);
  Images.SetMipMapping(false);

  Keyboard.SetForeground(true);
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

TForm1::~TForm1() { FormDestroy(); }

std::filesystem::path TForm1::WindowSizePath() const {
  return Screen.Folders.User.empty() ? std::filesystem::path() : Screen.Folders.User / kWindowSizeFileName;
}

void TForm1::ChooseWindowSize() {
  std::optional<platform::Point> kept;
  if (const std::filesystem::path file = WindowSizePath(); !file.empty()) {
    if (const auto size = ReadWindowSize(file)) kept = platform::Point{size->width, size->height};
  }
  const platform::IntRect usable = platform_.GetWindow().UsableDesktop();
  Device.SetWindowSize(StartWindowSize(kept, {usable.w, usable.h}, {Device.Width(), Device.Height()}));
}

bool TForm1::KeepWindowSize() {
  const std::filesystem::path file = WindowSizePath();
  platform::Window& window = platform_.GetWindow();
  if (!Screen.Folders.CanSave || file.empty() || !window.IsOpen()) return false;
  const platform::Point size = window.WindowedSize();
  return WriteWindowSize(file, TWindowSize{size.x, size.y}).ok;
}

bool TForm1::FormCreate() {
  // 1. The device, in a window of the size the player left it at, or one that fits the desktop;
  // its initialisation opens the archives and loads the first frames' images.
  ChooseWindowSize();
  if (!Device.Initialize()) {
    // The message names the file and the record that failed, where one did.
    return RefuseStart(StartupFailureText(startupError_));
  }
  // 2. The keyboard device; game input itself comes from window events.
  Keyboard.Initialize();
  // 3. The GUI: every screen form, hidden. Without the whole of it no screen could be left.
  const std::filesystem::path gui = ContentPath("Data/gfx.zbx");
  if (std::string error; !GuiBase.Taskbar().LoadFromFile(gui, &error)) {
    return RefuseStart("The interface file \"" + gui.generic_string() + "\" " + error + ".");
  }
  // 4. The buttons' callbacks, and the texts in the player's language.
  BindButtons(Screen);
  StartLanguage(Screen);
  // 5. The sound system.
  Sound.Init();

  // 6. Every key starts free for binding.
  Screen.FreeCharKeys.reset();
  for (int code = 65; code <= 255; ++code) Screen.FreeCharKeys.set(code);
  Screen.FreeSpecialKeys.reset();
  for (int code = 0; code < 256; ++code) {
    if (IsSpecialKey(code)) Screen.FreeSpecialKeys.set(code);
  }
  // 7-8. First-run defaults (the default high-score tables among them), then "Config.cfg".
  Settings = TSettings{};
  ResetHighScores(Settings);
  Core.Game.SetShownScore(0);
  ReadSettingsAtStart(Screen);
  // Said once, at start-up: the game goes on without saving.
  if (!Screen.Folders.CanSave && !Screen.Folders.Problem.empty()) platform_.GetDesktop().ShowMessageBox("Zumbala", Screen.Folders.Problem);
  // 9. Bound keys are no longer free.
  TakeBoundKeys();
  // 10. Window mode, and the window's place on the screen.
  Device.SetByIndex(0, !Settings.FullScreen);
  platform::Window& window = platform_.GetWindow();
  if (Device.Windowed()) {
    window.SetPosition(platform::CentredOn(window.ScreenSize(), window.WindowedSize()));
  } else {
    window.SetPosition({0, 0});
    Screen.PointerOffsetX = 5;
    Screen.PointerOffsetY = 34;
  }
  // 11. Texture filtering. 12. The sprite engine draws its sprites with the form's images and canvas.
  MyCanvas.SetAntialias(Settings.Antialias);
  Core.Engine.Images = &Images;
  Core.Engine.SetCanvas(&MyCanvas);
  // The story's lines; without them the story scenes pass without words.
  StoryLoadResult story = LoadStoryLines(ContentPath(kStoryFileName));
  if (!story.ok) std::fprintf(stderr, "%s\n", story.error.c_str());
  Screen.State.Story = std::move(story.lines);
  // 13. The current player's name replaces the one of the file.
  if (Settings.CurrentPlayer >= 0 && Settings.CurrentPlayer < kMaxPlayers) {
    Settings.PlayerName = Settings.Players[static_cast<size_t>(Settings.CurrentPlayer)];
  }
  // 14-15, 18, 20. The songs, the effects, the fonts, the other images, the particles and the
  // closing page load while the logo plays; the logo stays until they have.
  QueueLoading();
  Screen.Loading = true;

  // 16. The start-up logo.
  EnterScreen(Screen, ScreenLogo);
  // 17. The system pointer is hidden by the window itself.
  // 19. The pointer sprite.
  Screen.Cursor = &Core.Engine.Create<TCursor>(platform_.GetWindow());
  return true;
}

bool TForm1::RefuseStart(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  platform_.GetDesktop().ShowMessageBox("Zumbala", text);
  closed_ = true;
  return false;
}

void TForm1::TakeBoundKeys() {
  for (int i = 0; i < Settings.KeyCount && i < kMaxKeys; ++i) {
    const uint32_t code = Settings.Keys[i];
    if (IsSpecialKey(code)) {
      Screen.FreeSpecialKeys.reset(code);
    } else {
      const uint32_t upper = (code >= 'a' && code <= 'z') ? code - 32 : code;
      if (upper >= 65 && upper < 256) Screen.FreeCharKeys.reset(upper);
    }
  }
}

void TForm1::Idle() {
  bool done = false;
  Timer.Idle(done);
  Timer1.Poll(platform_.GetClock().TickCount());
}

void TForm1::TimerTimer() {
  GuiBase.Focus().SetActive(MenusTakeInput(Screen));
  Core.SetInput(BoundInput(Settings, KeysHeld, Pads));
  RunFrame(Screen);
  Screen.KeysReleased.fill(false);
  LoadSlice();
}

void TForm1::Timer1Timer() { RunSideTimer(Screen); }

void TForm1::FormKeyDown(uint8_t key, uint32_t /*shift*/) { KeysHeld[key] = true; }

void TForm1::FormKeyUp(uint8_t key, uint32_t /*shift*/) {
  KeysHeld[key] = false;
  Screen.KeysReleased[key] = true;
}

void TForm1::FormMouseDown(platform::MouseButton button, uint32_t /*shift*/, int x, int y) {
  if (button == platform::MouseButton::Left) PointerDown(Screen, x, y);
}

void TForm1::WMSysCommand(uint32_t command) {
  if ((command & 0xFFF0) == kSysCommandMinimize) PauseIfPlaying(Screen);
}

void TForm1::WMSize(int sizeType) {
  if (sizeType == kSizeMinimized) PauseIfPlaying(Screen);
}

void TForm1::FocusLost() {
  // The key-up events of keys held now go to the other window; without this the bat would
  // keep running once the player comes back.
  KeysHeld.fill(false);
  PauseIfPlaying(Screen);
}

void TForm1::HandlePad(const platform::Event& event) {
  for (TPadCommand command : Pads.Handle(event)) PadCommand(command);
  // A controller unplugged mid-game lets go of the bat; the game waits for the player.
  if (event.type == platform::Event::Type::PadRemoved) PauseIfPlaying(Screen);
}

void TForm1::PadCommand(TPadCommand command) {
  TGuiFocus& focus = GuiBase.Focus();
  focus.SetActive(MenusTakeInput(Screen));
  switch (command) {
    case TPadCommand::Up:
    case TPadCommand::Left: focus.Move(-1); break;
    case TPadCommand::Down:
    case TPadCommand::Right: focus.Move(1); break;
    case TPadCommand::Accept:
      // The first press in a menu shows the focus; in play A is the bound action key.
      if (focus.Active() && !focus.Focusable().empty()) {
        if (!focus.Activate()) focus.Move(0);
      } else if (const uint32_t action = Settings.Keys[2]; action < Screen.KeysReleased.size()) {
        Screen.KeysReleased[action] = true;
      }
      break;
    case TPadCommand::Pause: Screen.KeysReleased[vk::F1] = true; break;
    case TPadCommand::Escape: Screen.KeysReleased[vk::Escape] = true; break;
  }
}

void TForm1::FormCloseQuery(bool& canClose) { canClose = CloseQuery(Screen); }

void TForm1::Close() {
  if (closed_) return;
  bool canClose = false;
  FormCloseQuery(canClose);
  if (!canClose) return;
  FormClose();
  closed_ = true;
}

void TForm1::FormClose() {
  settingsSaved_ = WriteConfig();
  KeepWindowSize();
  const std::filesystem::path link = Screen.LinkPath("play.url");
  std::error_code ec;
  if (std::filesystem::exists(link, ec)) platform_.GetDesktop().ShellOpen(link.string(), "");
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Sound.Shutdown();
  // The systems go before the device releases the image they draw from.
  Core.Particles.Clear();
  Core.Particles.Image = nullptr;
  Device.Finalize();
  // "fscommand/qorun.exe" is a Windows program: started only where it exists.
  const std::filesystem::path program = ContentPath("fscommand/qorun.exe");
  std::error_code ec;
  if (created_ && std::filesystem::exists(program, ec)) {
    platform_.GetDesktop().ShellOpen(program.string(), "target=\"_blank\"");
  }
}

void TForm1::HandleEvent(const platform::Event& event) {
  using Type = platform::Event::Type;
  if (TakeDemoInput(Screen, event)) return;
  // Navigation keys of the menus go to the focus ring before anyone else sees them.
  GuiBase.Focus().SetActive(MenusTakeInput(Screen));
  if (GuiBase.Focus().TakeEvent(event)) return;
  WindowEvent(Screen, event);
  switch (event.type) {
    case Type::KeyDown: FormKeyDown(event.key, event.shift); break;
    case Type::KeyUp: FormKeyUp(event.key, event.shift); break;
    case Type::MouseDown: FormMouseDown(event.button, event.shift, event.x, event.y); break;
    case Type::CloseRequest: Close(); break;
    case Type::Minimized: WMSize(kSizeMinimized); break;
    case Type::FocusLost: FocusLost(); break;
    case Type::PadAdded:
    case Type::PadRemoved:
    case Type::PadButtonDown:
    case Type::PadButtonUp:
    case Type::PadAxisMotion: HandlePad(event); return;
    case Type::MouseUp:
    case Type::Char:
    case Type::MouseClick:
    case Type::MouseMove:
    case Type::Restored:
    case Type::FocusGained: break;
  }
  // The GUI sees every event after the form's own handler.
  GuiBase.Dispatch(event);
}

}  // namespace zb
