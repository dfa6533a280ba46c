#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/GfxCanvas.h"
#include "engine/GfxDevices.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/platform/Platform.h"

namespace zb {

// One picture button of the share page: a link to a file, or the exit button.
struct TButton {
  enum TState { bsNormal = 0, bsHover = 1, bsDisabled = 2 };

  bool Hover = false;
  bool Enabled = true;
  bool Visible = true;
  int HoverX = 0, HoverY = 0;
  int HoverExtra[2] = {};  // stored from the file, never used
  int HitLeft = 0, HitTop = 0, HitWidth = 0, HitHeight = 0;
  int DisabledX = 0, DisabledY = 0;
  int DisabledExtra[2] = {};  // stored from the file, never used
  std::string Target;
  std::string NormalFile, HoverFile, DisabledFile;

  bool IsExit() const { return Target == "exit"; }
  // The state drawn now and where its picture goes.
  TState State() const;
  int StateX(TState state) const;
  int StateY(TState state) const;

  // The decoded picture of each state; the disabled one only for an exit button.
  std::array<std::unique_ptr<TGfxImage>, 3> Pictures;
};

// The page shown when the player quits: a background, picture buttons that open files or links,
// and a countdown after which the exit button becomes usable. Read once from
// "wdata/config.ini" of the game folder; when that file is missing or incomplete the page is
// inactive and quitting closes the window at once.
//
// The pictures are decoded once, when the page loads, and drawn from memory each frame. Their
// textures follow the device: released when it is lost or finalised, made again when drawn.
class TShareScreen : public TGfxSubscriber {
 public:
  static constexpr const char* kConfigFile = "wdata/config.ini";
  static constexpr const char* kExitTarget = "exit";
  static constexpr const char* kFontName = "sharetext";

  // `gameFolder` is where the file names of the page are resolved. `device` and `fonts` may be
  // null (a tool that only reads the page).
  TShareScreen(std::filesystem::path gameFolder, TGfxDevice* device, TGfxFonts* fonts);
  ~TShareScreen() override;
  TShareScreen(const TShareScreen&) = delete;
  TShareScreen& operator=(const TShareScreen&) = delete;

  // Reads "wdata/config.ini" of the game folder; true when the file exists (Active tells
  // whether the page is usable).
  bool Load();
  // The same from another file, its names still resolved in the game folder.
  bool LoadFile(const std::filesystem::path& configFile);
  // Tells whether a name of the page names a file of the game folder.
  using TFileCheck = std::function<bool(const std::string& name)>;
  // The page's lines alone, from `text`, with the names checked by `exists`: no file is read and
  // no picture decoded (LoadFile decodes them afterwards). Active tells whether the page is complete.
  void ReadPage(std::string text, const TFileCheck& exists);

  // Screen 32 entered: true when the page is shown (the 100 ms timer starts); false when it is
  // inactive, with Countdown 0 so that the window closes at once.
  bool Enter();
  // One step of the 100 ms timer while the page is shown.
  void Tick();
  // Per frame, before Draw: `pointer` is in logical 800 x 600 coordinates.
  void UpdateHover(platform::Point pointer);
  void Draw(TGfxCanvas& canvas);
  // A left press at `pointer`: runs every button under it. A link opens its file with the shell
  // when the file exists; an exit button asks the window to close, which is the result.
  bool MouseDown(platform::Point pointer, platform::Desktop& desktop);
  // The window may close only once the countdown has run out.
  bool CanClose() const { return Countdown == 0; }

  // The countdown text for a number of tenths: whole seconds left, rounded up; empty at 0.
  static std::string CountdownText(int tenths);

  const std::filesystem::path& GameFolder() const { return gameFolder_; }
  std::filesystem::path Resolve(const std::string& name) const { return gameFolder_ / name; }
  // A picture of the page in the language shown: "wdata/share.png" in English is
  // "wdata/lang/en/share.png" when that file exists, else the page's own.
  std::filesystem::path ResolvePicture(const std::string& name) const;
  // Shows the page's pictures in language `code` ("ru": its own), reloading a page already read.
  void SetLanguage(std::string code);
  const TGfxImage& Background() const { return background_; }

  bool Notify(TGfxDevice& sender, int message) override;

  bool Active = true;
  int ButtonCount = 0;
  std::vector<TButton> Buttons;
  std::string BackgroundFile;
  int Countdown = 0;  // tenths of a second
  bool FixedTextSize = false;
  int TextSize = 0;
  int CountdownX = 0, CountdownY = 0;
  uint32_t CountdownColor = 0;  // canvas colour, $AABBGGRR

 private:
  class Reader;
  bool ReadButton(Reader& reader, bool exit);
  bool LoadPictures();
  bool LoadPictures(TButton& button);
  void ScaleFont();
  TGfxFont* Font() const;
  void EnsureTextures(platform::Renderer& renderer);
  void ReleaseTextures();

  std::filesystem::path gameFolder_;
  std::filesystem::path configFile_;  // the page read last; empty before
  std::string language_;              // empty or "ru": the page's own pictures
  TGfxFonts* fonts_ = nullptr;
  TGfxImage background_;
  float fontScale_ = 0.0f;  // 0: the page leaves the font's scale alone
};

}  // namespace zb
