#include "persist/ShareScreen.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

#include "engine/FileRead.h"
#include "engine/MemoryStream.h"
#include "persist/SharePicture.h"

namespace zb {
namespace {

// No page of ours comes near this; a larger file is not read past it.
constexpr size_t kMaxFileBytes = size_t{1} << 20;
constexpr int kBackgroundWidth = 800, kBackgroundHeight = 600;
// A longer wait would keep the player from quitting; a minute is more than any page needs.
constexpr int kMaxCountdownSeconds = 60;

// Whether a hit area lies on the picture: one beyond it could never be clicked, and the exit
// button with it the page could never be left.
bool OnPicture(int left, int top, int width, int height) {
  const auto within = [](int start, int size, int limit) {
    return start >= 0 && size >= 0 && int64_t{start} + size <= limit;
  };
  return within(left, width, kBackgroundWidth) && within(top, height, kBackgroundHeight);
}

bool FileExists(const std::filesystem::path& file) {
  std::error_code ec;
  return std::filesystem::exists(file, ec) && !std::filesystem::is_directory(file, ec);
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

// The lines of the page file, read in order. Every read first checks that the page is still
// active and that a line is left; otherwise nothing is read and the page becomes inactive.
class TShareScreen::Reader {
 public:
  Reader(std::string text, const TFileCheck& exists, bool& active)
      : text_(std::move(text)), exists_(exists), active_(active) {}

  // The next line without its leading spaces.
  std::optional<std::string_view> Line() {
    if (!active_ || position_ >= text_.size()) {
      active_ = false;
      return std::nullopt;
    }
    size_t end = text_.find('\n', position_);
    if (end == std::string::npos) end = text_.size();
    std::string_view line(text_.data() + position_, end - position_);
    position_ = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : line.substr(first);
  }

  std::string Text() {
    const auto line = Line();
    return line ? std::string(*line) : std::string();
  }

  // A line of at least N decimal integers separated by single spaces; values after them
  // are not read. A short line or a value that is not a number makes the page inactive.
  template <size_t N>
  bool Numbers(std::array<int, N>& values) {
    const auto line = Line();
    if (!line) return false;
    std::string_view rest = *line;
    for (size_t i = 0; i < N; ++i) {
      const size_t space = rest.find(' ');
      const auto value = ParseInt(rest.substr(0, space));
      if (!value) {
        active_ = false;
        return false;
      }
      values[i] = *value;
      // Past the last value the rest is empty, which is no number.
      rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return true;
  }

  // A line naming a file of the game folder that must exist.
  std::string File() {
    std::string name = Text();
    if (active_ && (name.empty() || !exists_(name))) active_ = false;
    return name;
  }

 private:
  std::string text_;
  size_t position_ = 0;
  const TFileCheck& exists_;
  bool& active_;
};

TButton::TState TButton::State() const {
  TState state = bsNormal;
  if (!Enabled && IsExit()) state = bsDisabled;
  if (Enabled && Hover) state = bsHover;
  return state;
}

int TButton::StateX(TState state) const {
  return state == bsHover ? HoverX : state == bsDisabled ? DisabledX : HitLeft;
}

int TButton::StateY(TState state) const {
  return state == bsHover ? HoverY : state == bsDisabled ? DisabledY : HitTop;
}

TShareScreen::TShareScreen(std::filesystem::path gameFolder, TGfxDevice* device, TGfxFonts* fonts)
    : gameFolder_(std::move(gameFolder)), fonts_(fonts) {
  if (device) SetPublisher(device);
}

TShareScreen::~TShareScreen() { ReleaseTextures(); }

bool TShareScreen::Load() { return LoadFile(gameFolder_ / kConfigFile); }

std::filesystem::path TShareScreen::ResolvePicture(const std::string& name) const {
  if (!language_.empty() && language_ != "ru") {
    const std::filesystem::path own(name);
    std::filesystem::path local = gameFolder_ / own.parent_path() / "lang" / language_ / own.filename();
    if (FileExists(local)) return local;
  }
  return Resolve(name);
}

void TShareScreen::SetLanguage(std::string code) {
  if (code == language_) return;
  language_ = std::move(code);
  if (!configFile_.empty()) LoadFile(configFile_);
}

bool TShareScreen::LoadFile(const std::filesystem::path& configFile) {
  configFile_ = configFile;
  FileReadResult file = ReadFileText(configFile, kMaxFileBytes);
  if (!file.ok) {
    ReadPage({}, {});
    return false;
  }
  ReadPage(std::move(file.bytes), [this](const std::string& name) { return FileExists(Resolve(name)); });
  if (Active && !LoadPictures()) {
    Active = false;
    Countdown = 0;
  }
  ScaleFont();
  return true;
}

void TShareScreen::ReadPage(std::string text, const TFileCheck& exists) {
  Buttons.clear();
  TMemoryStream none;
  background_.LoadFromStream(none);  // empties it
  fontScale_ = 0.0f;
  Active = !text.empty();
  Reader reader(std::move(text), exists, Active);
  std::array<int, 1> count{};
  reader.Numbers(count);
  ButtonCount = count[0];
  BackgroundFile = reader.File();
  for (int i = 0; i + 1 < ButtonCount && Active; ++i) ReadButton(reader, false);
  ReadButton(reader, true);

  std::array<int, 2> at{};
  if (reader.Numbers(at)) {
    CountdownX = at[0];
    CountdownY = at[1];
  }
  std::array<int, 1> seconds{};
  // A negative count could never run out and the window could never close.
  if (reader.Numbers(seconds) && (seconds[0] < 0 || seconds[0] > kMaxCountdownSeconds)) Active = false;
  Countdown = Active ? 10 * seconds[0] : 0;
  std::array<int, 3> colour{};
  if (reader.Numbers(colour)) {
    CountdownColor = 0xFF000000u + static_cast<uint32_t>(colour[2]) * 65536u +
                     static_cast<uint32_t>(colour[1]) * 256u + static_cast<uint32_t>(colour[0]);
  }
  FixedTextSize = reader.Text() == "TRUE";
  if (FixedTextSize) {
    std::array<int, 1> size{};
    reader.Numbers(size);
    TextSize = size[0];
  }
}

bool TShareScreen::LoadPictures() {
  // The buttons before one whose picture fails are kept, as if the page had ended there.
  for (auto button = Buttons.begin(); button != Buttons.end(); ++button) {
    if (!LoadPictures(*button)) {
      Buttons.erase(button, Buttons.end());
      return false;
    }
  }
  return LoadSharePicture(ResolvePicture(BackgroundFile), kBackgroundWidth, kBackgroundHeight, background_);
}

bool TShareScreen::ReadButton(Reader& reader, bool exit) {
  TButton button;
  std::array<int, 4> hover{}, hit{}, disabled{};
  if (reader.Numbers(hover)) {
    button.HoverX = hover[0];
    button.HoverY = hover[1];
    button.HoverExtra[0] = hover[2];
    button.HoverExtra[1] = hover[3];
  }
  if (reader.Numbers(hit)) {
    button.HitLeft = hit[0];
    button.HitTop = hit[1];
    button.HitWidth = hit[2];
    button.HitHeight = hit[3];
    if (!OnPicture(hit[0], hit[1], hit[2], hit[3])) Active = false;
  }
  if (exit) {
    if (reader.Numbers(disabled)) {
      button.DisabledX = disabled[0];
      button.DisabledY = disabled[1];
      button.DisabledExtra[0] = disabled[2];
      button.DisabledExtra[1] = disabled[3];
    }
    button.NormalFile = reader.File();
    button.HoverFile = reader.File();
    button.DisabledFile = reader.File();
    button.Target = kExitTarget;
  } else {
    button.NormalFile = reader.File();
    button.HoverFile = reader.File();
    button.Target = reader.File();
    button.DisabledFile = button.NormalFile;
    button.DisabledX = button.HitLeft;
    button.DisabledY = button.HitTop;
  }
  button.Enabled = !button.IsExit();
  if (!Active) return false;
  Buttons.push_back(std::move(button));
  return true;
}

bool TShareScreen::LoadPictures(TButton& button) {
  const std::string* files[3] = {&button.NormalFile, &button.HoverFile, &button.DisabledFile};
  // Only an exit button is ever drawn disabled.
  const int states = button.IsExit() ? 3 : 2;
  for (int state = 0; state < states; ++state) {
    auto picture = std::make_unique<TGfxImage>();
    if (!LoadSharePicture(ResolvePicture(*files[state]), button.HitWidth, button.HitHeight, *picture)) return false;
    button.Pictures[static_cast<size_t>(state)] = std::move(picture);
  }
  return true;
}

TGfxFont* TShareScreen::Font() const { return fonts_ ? fonts_->FindFont(kFontName) : nullptr; }

void TShareScreen::ScaleFont() {
  TGfxFont* font = Font();
  if (!font) return;
  if (FixedTextSize) {
    const double width = font->TextWidth("A");
    if (width > 0) fontScale_ = static_cast<float>(TextSize / width);
  } else {
    // Measured unscaled, so that the last link button decides and not the order of the buttons.
    const float scale = font->Scale;
    font->Scale = 1.0f;
    const double width = font->TextWidth("A");
    font->Scale = scale;
    for (const TButton& button : Buttons) {
      if (!button.IsExit() && width > 0) fontScale_ = static_cast<float>(button.HitHeight * 0.6 / width);
    }
  }
  if (fontScale_ > 0) font->Scale = fontScale_;
}

bool TShareScreen::Enter() {
  if (!Active) Countdown = 0;
  return Active;
}

void TShareScreen::Tick() {
  if (Countdown > 0) --Countdown;
}

void TShareScreen::UpdateHover(platform::Point pointer) {
  for (TButton& b : Buttons) {
    // Both edges count, as in the page's own hit test.
    b.Hover = b.HitLeft <= pointer.x && pointer.x <= b.HitLeft + b.HitWidth && b.HitTop <= pointer.y &&
              pointer.y <= b.HitTop + b.HitHeight;
  }
}

std::string TShareScreen::CountdownText(int tenths) {
  if (tenths <= 0) return {};
  // Rounded up: a countdown of 3 s shows "3" for its first whole second, never "4".
  return std::to_string(tenths / 10 + (tenths % 10 != 0 ? 1 : 0));
}

void TShareScreen::Draw(TGfxCanvas& canvas) {
  TGfxDevice* device = canvas.Publisher();
  platform::Renderer* renderer = device ? device->Renderer() : nullptr;
  if (!renderer) return;
  EnsureTextures(*renderer);
  canvas.DrawImage(&background_, 0, 0, 0, fxBlend);
  for (const TButton& button : Buttons) {
    if (!button.Visible) continue;
    const TButton::TState state = button.State();
    const TGfxImage* picture = button.Pictures[static_cast<size_t>(state)].get();
    if (picture) canvas.DrawImage(picture, 0, button.StateX(state), button.StateY(state), fxBlend);
  }
  if (Countdown == 0) {
    for (TButton& button : Buttons) {
      if (button.IsExit()) button.Enabled = true;
    }
    return;
  }
  TGfxFont* font = Font();
  if (!font) return;
  if (fontScale_ > 0) font->Scale = fontScale_;
  const std::string text = CountdownText(Countdown);
  const double x = CountdownX - font->TextWidth(text) / 2;
  const double y = CountdownY - font->TextHeight(text) / 2;
  font->TextOut(text, CountdownColor, static_cast<float>(x), static_cast<float>(y));
}

bool TShareScreen::MouseDown(platform::Point pointer, platform::Desktop& desktop) {
  UpdateHover(pointer);
  bool close = false;
  for (const TButton& button : Buttons) {
    if (!button.Hover) continue;
    if (button.IsExit()) {
      close = true;
    } else if (const auto file = Resolve(button.Target); FileExists(file)) {
      desktop.ShellOpen(file.string(), "");
    }
  }
  return close;
}

void TShareScreen::EnsureTextures(platform::Renderer& renderer) {
  if (background_.Created() && !background_.HasTextures()) background_.CreateTextures(renderer);
  for (TButton& button : Buttons) {
    for (auto& picture : button.Pictures) {
      if (picture && picture->Created() && !picture->HasTextures()) picture->CreateTextures(renderer);
    }
  }
}

void TShareScreen::ReleaseTextures() {
  background_.ReleaseTextures();
  for (TButton& button : Buttons) {
    for (auto& picture : button.Pictures) {
      if (picture) picture->ReleaseTextures();
    }
  }
}

bool TShareScreen::Notify(TGfxDevice&, int message) {
  // The renderer that holds the textures goes away with these; Draw makes them again.
  if (message == msgDeviceLost || message == msgDeviceFinalize) ReleaseTextures();
  return true;
}

}  // namespace zb
