#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/BoundInput.h"
#include "app/GamepadInput.h"
#include "app/StartupLoader.h"
#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDevices.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxTimers.h"
#include "engine/Sound.h"
#include "engine/WindowTimer.h"
#include "engine/platform/Platform.h"
#include "game/PlayCore.h"
#include "gui/GuiBasic.h"
#include "persist/Settings.h"
#include "screens/ScreenContext.h"

namespace zb {

// The main window: owns every component, the play core and the screens' context, brings them up
// in a fixed order, turns the window's events into held keys and pointer presses, and runs one
// frame of the current screen per timer tick.
class TForm1 {
 public:
  // The content is read from `folders.Content`; "Config.cfg" is kept in `folders.User`.
  TForm1(platform::Platform& platform, TGameFolders folders);
  // Content and "Config.cfg" in one folder.
  TForm1(platform::Platform& platform, const std::filesystem::path& gameFolder)
      : TForm1(platform, TGameFolders::Portable(gameFolder)) {}
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Start-up up to the first frame; false when the device could not be initialised (the program
  // then ends). The rest loads a slice after each frame, or at once through FinishLoading.
  bool FormCreate();
  // Loads what start-up left for later; false when that failed (the player was told and the
  // window is closed).
  bool FinishLoading();
  // One idle pass of the application: the frame timer and the side timer.
  void Idle();
  // A window event, as the window delivers it.
  void HandleEvent(const platform::Event& event);
  // Asks the window to close, as its close box does; it closes only where the screen allows.
  void Close();
  bool Closed() const { return closed_; }

  // Window and component handlers.
  void DeviceInitialize(TGfxDevice& sender, bool& success);
  void TimerTimer();
  void Timer1Timer();
  void FormKeyDown(uint8_t key, uint32_t shift);
  void FormKeyUp(uint8_t key, uint32_t shift);
  void FormMouseDown(platform::MouseButton button, uint32_t shift, int x, int y);
  void WMSysCommand(uint32_t command);
  void WMSize(int sizeType);
  // The window lost the keyboard to another window: play pauses, held keys are let go.
  void FocusLost();
  // A game controller's event: the held directions steer, the buttons act as keys, and in the
  // menus the D-pad moves the focus.
  void HandlePad(const platform::Event& event);
  void FormCloseQuery(bool& canClose);
  void FormClose();
  void FormDestroy();
  // Saves the settings to "Config.cfg", with the two switches taken from the live device and canvas;
  // false (and the player told, once a run) when that failed.
  bool WriteConfig() { return SaveSettings(Screen); }
  // Keeps the window's size out of full screen for the next start, beside "Config.cfg"; false
  // when nothing was written (no folder to save in, or the write failed: the next start chooses).
  bool KeepWindowSize();
  // Whether the settings were saved when the window closed.
  bool SettingsSaved() const { return settingsSaved_; }

  std::filesystem::path ContentPath(const std::string& relative) const { return Screen.ContentPath(relative); }
  platform::Platform& Platform() { return platform_; }
  // Effects and music with the current volume settings.
  void LoadSounds() { Sound.LoadSounds(ContentPath("Sounds")); }
  void PlaySound(std::string_view name) { Screen.PlaySound(name); }
  void SetMusicVolume(int volume) { Screen.SetMusicVolume(volume); }
  uint8_t CurrentScreen() const { return Screen.CurrentScreen; }

  // The start-up work left for the frames of the logo.
  TStartupLoader Loader;

  // Components.
  TGfxDevice Device;
  TGfxTimer Timer;
  TGfxKeyboard Keyboard;
  TWindowTimer Timer1;
  TGuiBase GuiBase;
  TSoundSystem Sound;  // the effect table and MenuSong, GameSong, FinalSong
  TGfxCanvas MyCanvas;
  TGfxImages Images;
  TGfxFonts Fonts;
  TArchiveDb Archive;   // "Data/data.zbx": images, fonts, particle templates
  TArchiveDb Archive2;  // "Data/data1.zbx": more fonts

  // Shell state.
  std::array<bool, 256> KeysHeld{};
  TGamepadInput Pads;

  TSettings Settings;
  TShareScreen ShareScreen;  // the closing page, "wdata/config.ini"

  // Declared after the components it draws with, so it goes first. Its sprite engine and particle
  // manager draw with the form's images and canvas.
  TPlayCore Core;
  // What the screens see of this window.
  TScreenContext Screen;

 private:
  void ConfigureComponents();
  std::filesystem::path WindowSizePath() const;
  // The device's window size at start, from the kept one and the desktop.
  void ChooseWindowSize();
  void TakeBoundKeys();
  void PadCommand(TPadCommand command);
  // Tells why the game cannot start and closes it; always false.
  bool RefuseStart(const std::string& text);
  bool OpenArchive(TArchiveDb& archive);
  bool LoadFirstImages();
  // Queues the start-up work the first frame does not need.
  void QueueLoading();
  // A frame's share of the queued work, small enough to keep the frame rate.
  void LoadSlice();
  // Ends the start-up when the loading failed, and notes when it is done; false after a failure.
  bool LoadingProgressed();

  static constexpr uint32_t kLoadSliceMicros = 6000;

  platform::Platform& platform_;
  std::string startupError_;  // why the archives or the first images failed to load
  TMemoryStream loadBuffer_;  // one buffer for every record read at start-up
  // The image records left for the logo's frames, with the places they load into.
  using TPendingImage = std::pair<int, TGfxImage*>;
  std::vector<TPendingImage> pendingImages_;
  bool created_ = false;
  bool settingsSaved_ = false;
  bool closed_ = false;
  bool destroyed_ = false;
};

}  // namespace zb
