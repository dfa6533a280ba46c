#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/GfxCanvas.h"
#include "engine/GfxDevices.h"
#include "engine/GfxImages.h"
#include "engine/LocalPictures.h"
#include "engine/Sound.h"
#include "engine/WindowTimer.h"
#include "engine/platform/Platform.h"
#include "game/PlayCore.h"
#include "gui/GuiBasic.h"
#include "gui/GuiTranslate.h"
#include "persist/Settings.h"
#include "persist/ShareScreen.h"
#include "screens/GameRecording.h"
#include "screens/RenderPass.h"
#include "screens/ScreenState.h"

namespace zb {

class TCursor;

// Where the game reads its content and where it keeps the player's own files.
struct TGameFolders {
  std::filesystem::path Content;  // Data/, Sounds/, wdata/ and the link files that come with the game
  std::filesystem::path User;     // "Config.cfg" and the player's own link files; empty when there is none
  bool CanSave = true;            // false: what is there is read, nothing is written
  std::string Problem;            // why nothing is saved, in words for the player
  std::string DesktopLanguage;    // the environment's language, for a first start; empty: Russian

  // Both in one folder, as in a portable copy and in the tests.
  static TGameFolders Portable(const std::filesystem::path& folder) { return {folder, folder, true, {}}; }
};

// What the screens' steps and buttons use of the window. The window owns it and fills the key
// flags from its events; the screen machine owns the screen number, the screens everything they
// keep between their steps.
struct TScreenContext {
  TScreenContext(platform::Platform& platform, TGameFolders folders, TGuiBase& gui, TGfxDevice& device,
                 TGfxCanvas& canvas, TGfxImages& images, TArchiveDb& archive, TSoundSystem& sound, TSettings& settings, TPlayCore& core,
                 TWindowTimer& timer1, TShareScreen& share)
      : Platform(platform),
        Folders(std::move(folders)),
        GuiBase(gui),
        Device(device),
        MyCanvas(canvas),
        Images(images),
        Archive(archive),
        Sound(sound),
        Settings(settings),
        Core(core),
        Play(core.Play),
        Game(core.Game),
        Timer1(timer1),
        Share(share) {}
  TScreenContext(const TScreenContext&) = delete;
  TScreenContext& operator=(const TScreenContext&) = delete;

  std::filesystem::path ContentPath(const std::string& relative) const { return Folders.Content / relative; }
  // "Config.cfg"; empty when there is no folder for the player's files.
  std::filesystem::path ConfigPath() const;
  // A link file ("website.url", "play.url", "scores.url"): the player's own when there is one,
  // else the one that came with the game (which may not exist either).
  std::filesystem::path LinkPath(const std::string& name) const;
  // An effect at the current effect volume.
  void PlaySound(std::string_view name) { Sound.PlaySound(name, Settings.FxVolume); }
  void SetMusicVolume(int volume) {
    Settings.MusicVolume = volume;
    Sound.SetMusicVolume(volume);
  }
  // Asks the window to close, as its close box does.
  void Close() {
    if (RequestClose) RequestClose();
  }

  platform::Platform& Platform;
  const TGameFolders Folders;
  TGuiBase& GuiBase;
  TGfxDevice& Device;
  TGfxCanvas& MyCanvas;
  TGfxImages& Images;
  TArchiveDb& Archive;  // "Data/data.zbx", whose images are the Russian pictures
  TSoundSystem& Sound;
  TSettings& Settings;
  TPlayCore& Core;
  TPlayContext& Play;
  TGameState& Game;
  TWindowTimer& Timer1;  // the 100 ms side timer
  TShareScreen& Share;   // the closing page
  std::function<void()> RequestClose;

  // Filled by the window's key events; cleared after every frame tick.
  std::array<bool, 256> KeysReleased{};
  // The keys a binding may still take.
  std::bitset<256> FreeCharKeys;
  std::bitset<256> FreeSpecialKeys;
  int PointerOffsetX = 0;
  int PointerOffsetY = 0;

  // Written by the screen machine only.
  uint8_t CurrentScreen = 0;
  bool GameFinished = false;
  TScreenState State;
  // The pointer sprite; it lives in the sprite engine until the end.
  TCursor* Cursor = nullptr;
  // "Config.cfg": not written over when it could not be read at start-up; the player is told
  // once a run that the settings cannot be saved.
  bool SettingsWritable = true;
  // Start-up content is still loading; the logo stays until it is done.
  bool Loading = false;
  bool SettingsSaveFailed = false;
  // Frames are drawn; a run that draws nothing plays the same game.
  bool Drawing = true;
  // Called before (true) and after (false) every pass of a frame; measurements hook in here.
  std::function<void(RenderPass pass, bool starting)> OnPass;
  // The GUI file's own texts, kept while the GUI shows another language.
  TGuiTranslation GuiTexts;
  // The pictures with words of the language shown.
  TLocalPictures Pictures;

  // The game being recorded; the replay being played back instead of the player's input, if any;
  // the seed the next game starts from when a tool or a replay sets one; the last game recorded.
  TGameRecorder Recorder;
  std::unique_ptr<TReplayFeed> Feed;
  std::optional<uint32_t> NextGameSeed;
  std::optional<TReplay> LastReplay;
  // The checkpoint taken at the latest level start; the current player's checkpoint the main menu
  // offers to continue; the file whose problem the player was told about (told once).
  std::optional<TReplay> LastCheckpoint;
  std::optional<TReplay> MenuCheckpoint;
  std::string CheckpointProblemTold;
  std::vector<int> MenuTops;  // the main menu's buttons where the layout puts them
  // Plays a checkpoint's game again headless: empty when it comes to the state it claims, else
  // why not. Set by the window, which can run a second game; unset, nothing is checked.
  std::function<std::string(const TReplay& checkpoint)> CheckChain;
};

// The special keys a binding may take: Tab, Shift, Ctrl, Space..Down, Insert, Delete.
bool IsSpecialKey(uint32_t code);

// Saves the settings to "Config.cfg", with the two switches taken from the live device and canvas.
// Where nothing can be saved only the settings in memory are refreshed; when a write fails the
// player is told, the first time in a run. False when nothing was written.
bool SaveSettings(TScreenContext& ctx);

}  // namespace zb
