#include "app/Form1.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/Cp1251.h"
#include "engine/NameKeys.h"
#include "engine/platform/Keys.h"
#include "game/Bonus.h"
#include "game/Hud.h"
#include "screens/Cursor.h"
#include "gui/GuiCanvasPainter.h"
#include "persist/Config.h"
#include "screens/Buttons.h"
#include "screens/LanguageSwitch.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"
#include "screens/SpeechScreen.h"

namespace zb {

namespace {
constexpr uint32_t kSysCommandMinimize = 0xF020;
constexpr int kSizeMinimized = 1;
}  // namespace

TPlayInput BoundInput(const TSettings& settings, const std::array<bool, 256>& held) {
  const auto bound = [&](int binding) {
    const uint32_t code = settings.Keys[static_cast<size_t>(binding)];
    return code < held.size() && held[code];
  };
  return {bound(0), bound(1), bound(2), bound(3)};
}

TPlayInput BoundInput(const TSettings& settings, const std::array<bool, 256>& held, const TGamepadInput& pads) {
  TPlayInput input = BoundInput(settings, held);
  input.Right = input.Right || pads.Right();
  input.Left = input.Left || pads.Left();
  input.Action = input.Action || pads.Action();
  return input;
}

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
      Play(Game, GameEngine, ParticleManager, Fonts),
      Screen(platform, std::move(folders), GuiBase, Device, MyCanvas, Images, Sound, Settings, Play, Timer1,
             ShareScreen),
      platform_(platform) {
  Play.Sounds = [this](std::string_view name) { PlaySound(name); };
  Screen.RequestClose = [this] { Close(); };
  Device.SetWidth(800);
  Device.SetHeight(600);
  Device.SetBitDepth(TBitDepth::bdHigh);
  Device.SetRefresh(0);
  Device.SetByIndex(0, true);   // windowed
  // No vertical sync: every frame advances the play a fixed step, so a present that waited for a
  // 60 Hz display would slow the game to 60 % of its speed; the frame timer paces 100 frames a second.
  Device.SetByIndex(1, false);
  Device.SetByIndex(2, false);  // software vertex processing
  Device.SetDepthBuffer(true);
  Device.OnInitialize = [this](TGfxDevice& sender, bool& success) { DeviceInitialize(sender, success); };
  Device.OnRender = [this](TGfxDevice&) { DeviceRender(); };

  Timer.SetSpeed(1200.0);
  Timer.SetMaxFPS(100);
  Timer.SetEnabled(false);
  Timer.OnTimer = [this](TGfxTimer&) { TimerTimer(); };
  Timer.OnProcess = [](TGfxTimer&) {};

  MyCanvas.SetVertexCache(4096);
  MyCanvas.SetAntialias(false);
  MyCanvas.SetDithering(true);
  MyCanvas.SetAlphaTesting(false);
  Images.SetMipMapping(false);

  Keyboard.SetForeground(true);
  Timer1.OnTimer = [this] { Timer1Timer(); };
  GuiBase.SetDesktop(&platform.GetDesktop());
  GuiBase.SetFreeKeys(&Screen.FreeCharKeys, &Screen.FreeSpecialKeys);
  GuiBase.SetPainter(std::make_unique<TGuiCanvasPainter>(MyCanvas, Images, &Fonts));
}

TForm1::~TForm1() { FormDestroy(); }

bool TForm1::FormCreate() {
  // 1. The device; its initialisation opens the archives and loads the first frames' images.
  if (!Device.Initialize()) {
    // The message names the file and the record that failed, where one did.
    std::string text = "Failed to initialize device!";
    if (!startupError_.empty()) text += "\n\n" + startupError_;
    return RefuseStart(text);
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
  Game.SetShownScore(0);
  if (!Screen.ConfigPath().empty()) {
    if (const ConfigFileResult read = zb::ReadConfig(Settings, Screen.ConfigPath()); !read.ok && !read.missing) {
      // A file that is there but cannot be read is not written over with the defaults.
      Screen.SettingsWritable = false;
      platform_.GetDesktop().ShowMessageBox(
          "Zumbala", Play.Language.Tr("Не удалось прочитать настройки: ") +
                         Play.Language.TrCp1251(ConfigErrorReason(read.code, true)) +
                         Play.Language.Tr(". Настройки этой игры не будут сохранены."));
    }
  }
  // Said once, at start-up: the game goes on without saving.
  if (!Screen.Folders.CanSave) platform_.GetDesktop().ShowMessageBox("Zumbala", Screen.Folders.Problem);
  // 9. Bound keys are no longer free.
  TakeBoundKeys();
  // 10. Window mode, and the window's place on the screen.
  Device.SetByIndex(0, !Settings.FullScreen);
  platform::Window& window = platform_.GetWindow();
  if (Device.Windowed()) {
    const platform::Point screen = window.ScreenSize();
    window.SetPosition({static_cast<int>(std::lround(screen.x / 2.0 - 800 / 2.0)),
                        static_cast<int>(std::lround(screen.y / 2.0 - 600 / 2.0))});
  } else {
    window.SetPosition({0, 0});
    Screen.PointerOffsetX = 5;
    Screen.PointerOffsetY = 34;
  }
  // 11. Texture filtering. 12. The sprite engine draws its sprites with the form's images and canvas.
  MyCanvas.SetAntialias(Settings.Antialias);
  GameEngine.Images = &Images;
  GameEngine.SetCanvas(&MyCanvas);
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
  Screen.Cursor = &GameEngine.Create<TCursor>(platform_.GetWindow());
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

void TForm1::DeviceInitialize(TGfxDevice& /*sender*/, bool& success) {
  // Only what the first frames show is loaded here; the rest follows between the logo's frames.
  success = OpenArchive(Archive) && OpenArchive(Archive2) && LoadFirstImages();
  Timer.SetEnabled(success);
}

bool TForm1::OpenArchive(TArchiveDb& archive) {
  if (archive.EnsureOpen()) return true;
  startupError_ = ArchiveError(archive);
  return false;
}

bool TForm1::LoadFirstImages() {
  // Every image gets its place in record order now: the GUI names images by their place in the list.
  std::vector<TPendingImage>& later = pendingImages_;
  for (int i = 0; i < Archive.RecordCount(); ++i) {
    if (Archive.RecordType(i) != kRecordImage) continue;
    TGfxImage& image = Images.Add();
    image.Name = Archive.RecordKey(i);
    later.emplace_back(i, &image);
  }
  // The logo and the pointer are the first frames' pictures.
  for (const std::string_view name : {"logo", "cursor"}) {
    const auto first = std::ranges::find_if(later, [&](const auto& slot) { return SameName(slot.second->Name, name); });
    if (first == later.end()) continue;
    if (!Images.LoadRecord(Archive, first->first, *first->second, loadBuffer_)) {
      startupError_ = Images.LoadError();
      return false;
    }
    later.erase(first);
  }
  return true;
}

void TForm1::QueueLoading() {
  // The songs first, for the menu song to start with the logo; then what takes longest in one
  // piece, while the logo is still dark.
  Loader.Add([this] {
    Sound.LoadMusic(ContentPath("Sounds"), Settings.MusicVolume);
    return std::string();
  });
  for (int effect = 0; effect < kSoundCount; ++effect) {
    Loader.Add([this, effect] {
      Sound.LoadSound(ContentPath("Sounds"), effect);
      return std::string();
    });
  }
  for (TArchiveDb* archive : {&Archive, &Archive2}) {
    for (int i = 0; i < archive->RecordCount(); ++i) {
      if (archive->RecordType(i) != kRecordFont) continue;
      Loader.Add([this, archive, i] {
        return Fonts.LoadRecord(*archive, i, loadBuffer_) ? std::string() : Fonts.LoadError();
      });
    }
  }
  // 20. The closing page, which measures its text with a font; without one, quitting closes at once.
  Loader.Add([this] {
    ShareScreen.Load();
    return std::string();
  });
  for (const auto& [record, image] : pendingImages_) {
    Loader.Add([this, record, image] {
      return Images.LoadRecord(Archive, record, *image, loadBuffer_) ? std::string() : Images.LoadError();
    });
  }
  // 18. The particle manager with the image "particles" and every template of the archive.
  Loader.Add([this] {
    ParticleManager.Canvas = &MyCanvas;
    ParticleManager.Image = Images.FindImage("particles");
    ParticleManager.LoadFromArchive(Archive);
    loadBuffer_ = TMemoryStream();
    pendingImages_.clear();
    return std::string();
  });
}

void TForm1::LoadSlice() {
  if (!Screen.Loading) return;
  Loader.Run(platform_.GetClock(), kLoadSliceMicros);
  LoadingProgressed();
}

bool TForm1::FinishLoading() {
  Loader.RunAll();
  return LoadingProgressed();
}

bool TForm1::LoadingProgressed() {
  if (closed_) return false;
  if (Loader.Failed()) return RefuseStart("Failed to initialize device!\n\n" + Loader.Error());
  Screen.Loading = !Loader.Done();
  if (!Screen.Loading) created_ = true;
  return true;
}

void TForm1::Idle() {
  bool done = false;
  Timer.Idle(done);
  Timer1.Poll(platform_.GetClock().TickCount());
}

void TForm1::TimerTimer() {
  GuiBase.Focus().SetActive(MenusTakeInput());
  Play.Input = BoundInput(Settings, KeysHeld, Pads);
  ProcessScreen(Screen, Screen.CurrentScreen);
  Screen.KeysReleased.fill(false);
  LoadSlice();
}

void TForm1::DeviceRender() {
  const uint32_t now = platform_.GetClock().TickCount();
  float delta = 0.0f;
  if (LastFrameTick != 0) {
    delta = static_cast<float>(static_cast<uint32_t>(now - LastFrameTick)) * 0.001f;
    if (delta > 0.001f) delta = 0.001f;
  }
  LastFrameTick = now;
  frameDelta_ = delta;
  for (RenderPass pass : RenderPasses(Screen.CurrentScreen, Screen.GameFinished)) {
    if (OnRenderPass) OnRenderPass(pass, true);
    RunPass(pass);
    if (OnRenderPass) OnRenderPass(pass, false);
  }
}

void TForm1::RunPass(RenderPass pass) {
  // Each pass calls into the component that owns it: the sprite engine, the particle
  // manager, the GUI, the HUD, the story text and the share screen.
  switch (pass) {
    case RenderPass::Collisions:
      GameEngine.CheckCollisions();
      break;
    case RenderPass::RemoveDead:
      GameEngine.RemoveDead();
      break;
    case RenderPass::DrawSprites:
      GameEngine.DrawAll();
      break;
    case RenderPass::MoveSprites:
      GameEngine.MoveAll(frameDelta_);
      break;
    case RenderPass::ParticleUpdate:
      ParticleManager.UpdateAll(frameDelta_ * 10.0f);
      break;
    case RenderPass::ParticleDraw:
      ParticleManager.DrawAll(0.0f, 0.0f);
      break;
    case RenderPass::ParticlesOfPlay:
      // "waterfall" and "Bonus" systems are drawn by their sprites; "dontpaint" ones never here.
      ParticleManager.DrawExcept({"Bonus", "waterfall", "dontpaint"}, 0.0f, 0.0f);
      break;
    case RenderPass::ParticlesOfPlayNoTail:
      ParticleManager.DrawExcept({"Bonus", "waterfall", "dontpaint", "cursortail"}, 0.0f, 0.0f);
      break;
    case RenderPass::ParticlesSalut:
      ParticleManager.DrawNamed("salut", 0.0f, 0.0f);
      break;
    case RenderPass::FireRing:
      for (size_t i = 0; i < Game.FireSystems.size(); ++i) {
        if (Game.FireOn[i]) Game.FireSystems[i].Draw(MyCanvas, 0.0f, 0.0f);
      }
      break;
    case RenderPass::CursorMove:
      if (Screen.Cursor != nullptr) Screen.Cursor->Move(frameDelta_);
      break;
    case RenderPass::CursorDraw:
      if (Screen.Cursor != nullptr) Screen.Cursor->DrawPointer();
      break;
    case RenderPass::CursorDrawIfVisible:
      if (Screen.Cursor != nullptr && Screen.Cursor->Visible) Screen.Cursor->DrawPointer();
      break;
    case RenderPass::BackImageBlended:
      MyCanvas.DrawImage(Images.FindImage("back"), 0, 0, 0, fxBlend);
      break;
    case RenderPass::EndGameImage:
      MyCanvas.DrawImage(Images.FindImage("endgame"), 0, 0, 0, fxNone);
      break;
    case RenderPass::BackGameImage:
      MyCanvas.DrawImage(Images.FindImage("backgame"), 0, 0, 0, fxNone);
      break;
    case RenderPass::Hud:
      DrawHud(Game, Play.Is(PlayPhase::Playing), Fonts);
      break;
    case RenderPass::PauseText:
      if (TGfxFont* font = Fonts.FindFont("PauseText")) {
        const std::string pause = Play.Language.Tr("ПАУЗА");
        font->TextOut(pause, 0xFF1721FCu, 400.0f - static_cast<float>(font->TextWidth(pause) / 2), 280.0f);
      }
      break;
    case RenderPass::Gui:
      GuiBase.Draw();
      break;
    case RenderPass::SpeechText:
      DrawSpeechText(Screen);
      break;
    case RenderPass::ShareUpdate:
      ShareScreen.UpdateHover(platform_.GetWindow().PointerPosition());
      break;
    case RenderPass::ShareDraw:
      ShareScreen.Draw(MyCanvas);
      break;
    default:
      break;
  }
}

void TForm1::Timer1Timer() {
  if (Screen.CurrentScreen == ScreenShare) ShareScreen.Tick();
  if (Screen.CurrentScreen != ScreenGame) return;
  BonusClockTick(Play);
}

void TForm1::FormKeyDown(uint8_t key, uint32_t /*shift*/) { KeysHeld[key] = true; }

void TForm1::FormKeyUp(uint8_t key, uint32_t /*shift*/) {
  KeysHeld[key] = false;
  Screen.KeysReleased[key] = true;
}

void TForm1::FormMouseDown(platform::MouseButton button, uint32_t /*shift*/, int x, int y) {
  if (Screen.CurrentScreen != ScreenShare || button != platform::MouseButton::Left) return;
  if (ShareScreen.MouseDown({x, y}, platform_.GetDesktop())) Close();
}

void TForm1::FormMouseUp(platform::MouseButton /*button*/, uint32_t /*shift*/, int /*x*/, int /*y*/) {}

void TForm1::PauseIfPlaying() {
  if (Screen.CurrentScreen == ScreenGame) EnterScreen(Screen, ScreenPause);
}

void TForm1::WMSysCommand(uint32_t command) {
  if ((command & 0xFFF0) == kSysCommandMinimize) PauseIfPlaying();
}

void TForm1::WMSize(int sizeType) {
  if (sizeType == kSizeMinimized) PauseIfPlaying();
}

void TForm1::FocusLost() {
  // The key-up events of keys held now go to the other window; without this the bat would
  // keep running once the player comes back.
  KeysHeld.fill(false);
  PauseIfPlaying();
}

bool TForm1::MenusTakeInput() const {
  switch (Screen.CurrentScreen) {
    case ScreenGame:
    case ScreenPause:
    case ScreenLevelStart:
    case ScreenLifeLost:
    case ScreenLogo:
    case ScreenShare: return false;
    default: return true;
  }
}

void TForm1::HandlePad(const platform::Event& event) {
  for (TPadCommand command : Pads.Handle(event)) PadCommand(command);
  // A controller unplugged mid-game lets go of the bat; the game waits for the player.
  if (event.type == platform::Event::Type::PadRemoved) PauseIfPlaying();
}

void TForm1::PadCommand(TPadCommand command) {
  TGuiFocus& focus = GuiBase.Focus();
  focus.SetActive(MenusTakeInput());
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

void TForm1::FormCloseQuery(bool& canClose) {
  canClose = false;
  switch (Screen.CurrentScreen) {
    case ScreenMainMenu:
    case ScreenHelp:
    case ScreenOptions:
    case ScreenHighScore:
    case ScreenClearScores:
    case ScreenChooseDifficulty:
    case ScreenChangePlayer:
    case ScreenDeletePlayer:
    case ScreenSound:
    case ScreenGraphics:
    case ScreenControls:
      LeaveScreen(Screen, Screen.CurrentScreen);
      EnterScreen(Screen, ScreenExitGame);
      break;
    case ScreenGame:
      EnterScreen(Screen, ScreenExitToMenu);
      break;
    case ScreenPause:
      LeaveScreen(Screen, ScreenPause);
      EnterScreen(Screen, ScreenExitToMenu);
      break;
    case ScreenShare:
      canClose = ShareScreen.CanClose();
      break;
    default:
      break;
  }
}

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
  const std::filesystem::path link = Screen.LinkPath("play.url");
  std::error_code ec;
  if (std::filesystem::exists(link, ec)) platform_.GetDesktop().ShellOpen(link.string(), "");
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Sound.Shutdown();
  // The systems go before the device releases the image they draw from.
  ParticleManager.Clear();
  ParticleManager.Image = nullptr;
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
  // Navigation keys of the menus go to the focus ring before anyone else sees them.
  GuiBase.Focus().SetActive(MenusTakeInput());
  if (GuiBase.Focus().TakeEvent(event)) return;
  switch (event.type) {
    case Type::KeyDown: FormKeyDown(event.key, event.shift); break;
    case Type::KeyUp: FormKeyUp(event.key, event.shift); break;
    case Type::MouseDown: FormMouseDown(event.button, event.shift, event.x, event.y); break;
    case Type::MouseUp: FormMouseUp(event.button, event.shift, event.x, event.y); break;
    case Type::CloseRequest: Close(); break;
    case Type::Minimized: WMSize(kSizeMinimized); break;
    case Type::FocusLost: FocusLost(); break;
    case Type::PadAdded:
    case Type::PadRemoved:
    case Type::PadButtonDown:
    case Type::PadButtonUp:
    case Type::PadAxisMotion: HandlePad(event); return;
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
