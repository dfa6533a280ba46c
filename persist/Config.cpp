#include "persist/Config.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "persist/LineCode.h"

namespace zb {
namespace {

constexpr int kPadNumber = 10;
constexpr int kPadText = 5;
constexpr int kPadPlayer = 10;
constexpr int kMaxVolume = 250;
// No file of ours comes near this; anything larger is not read past it.
constexpr std::streamsize kMaxFileBytes = 1 << 20;

// Line indices (0-based) of the fixed part of the file.
constexpr size_t kLineFullScreen = 0;
constexpr size_t kLineAntialias = 1;
constexpr size_t kLineMusic = 2;
constexpr size_t kLineFx = 3;
constexpr size_t kLineCountry = 4;
constexpr size_t kLineName = 5;
constexpr size_t kLineHighScores = 6;
constexpr size_t kLinePlayerCount = kLineHighScores + 2 * kDifficulties * kHighScoreRows;
constexpr size_t kLineCurrentPlayer = kLinePlayerCount + 1;
constexpr size_t kLineFirstPlayer = kLineCurrentPlayer + 1;

void AddLine(std::string& out, std::string_view text) {
  out += EncodeLine(text);
  out += "\r\n";
}

void AddNumber(std::string& out, int value) { AddLine(out, PadText(std::to_string(value), kPadNumber)); }

std::optional<int64_t> ParseInteger(std::string_view text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// The file's lines, with their CR LF (or a lone LF) taken off.
class Lines {
 public:
  explicit Lines(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }
  // The decoded text of a line, or nothing when the file has no such line.
  std::optional<std::string> Text(size_t index) const {
    if (index >= lines_.size()) return std::nullopt;
    return DecodeLine(lines_[index]);
  }
  std::optional<std::string> Stripped(size_t index) const {
    auto text = Text(index);
    if (text) *text = StripPadding(std::move(*text));
    return text;
  }
  std::optional<int64_t> Number(size_t index) const {
    const auto text = Stripped(index);
    return text ? ParseInteger(*text) : std::nullopt;
  }

 private:
  std::vector<std::string_view> lines_;
};

void ReadSwitch(const Lines& lines, size_t index, bool& value) {
  if (const auto text = lines.Text(index)) value = *text != "false";
}

void ReadVolume(const Lines& lines, size_t index, int& value) {
  const auto number = lines.Number(index);
  if (number && *number >= 0 && *number <= kMaxVolume) value = static_cast<int>(*number);
}

}  // namespace

std::string ConfigText(TSettings& settings) {
  std::string out;
  AddLine(out, settings.FullScreen ? "true" : "false");
  AddLine(out, settings.Antialias ? "true" : "false");
  AddNumber(out, settings.MusicVolume);
  AddNumber(out, settings.FxVolume);
  AddLine(out, PadText(settings.PlayerCountry, kPadText));
  settings.PlayerCountry = StripPadding(std::move(settings.PlayerCountry));
  AddLine(out, PadText(settings.PlayerName, kPadText));
  settings.PlayerName = StripPadding(std::move(settings.PlayerName));
  for (const auto& table : settings.HighScores) {
    for (const auto& row : table) {
      AddLine(out, PadText(row.Name, kPadText));
      AddLine(out, PadText(row.Score, kPadText));
    }
  }
  // Counts outside the capacity are written held to it, so the file's layout stays whole.
  const int playerCount = std::clamp(settings.PlayerCount, 0, kMaxPlayers);
  AddNumber(out, playerCount);
  AddNumber(out, settings.CurrentPlayer);
  for (int i = 0; i < playerCount; ++i)
    AddLine(out, PadText(settings.Players[static_cast<size_t>(i)], kPadPlayer));
  const int keyCount = std::clamp(settings.KeyCount, 0, kMaxKeys);
  AddNumber(out, keyCount);
  for (int i = 0; i < keyCount; ++i) AddNumber(out, static_cast<int>(settings.Keys[static_cast<size_t>(i)]));
  return out;
}

bool WriteConfig(TSettings& settings, const std::filesystem::path& file) {
  const std::string text = ConfigText(settings);
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ec;
      std::filesystem::remove(temporary, ec);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, file, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

void ReadConfigText(TSettings& settings, std::string_view text) {
  const Lines lines(text);
  ReadSwitch(lines, kLineFullScreen, settings.FullScreen);
  ReadSwitch(lines, kLineAntialias, settings.Antialias);
  ReadVolume(lines, kLineMusic, settings.MusicVolume);
  ReadVolume(lines, kLineFx, settings.FxVolume);
  if (auto country = lines.Stripped(kLineCountry)) settings.PlayerCountry = std::move(*country);
  if (auto name = lines.Stripped(kLineName)) settings.PlayerName = std::move(*name);
  size_t index = kLineHighScores;
  for (auto& table : settings.HighScores) {
    for (auto& row : table) {
      // An empty line keeps the row's default.
      if (auto name = lines.Stripped(index++); name && !name->empty()) row.Name = std::move(*name);
      if (auto score = lines.Stripped(index++); score && !score->empty()) row.Score = std::move(*score);
    }
  }

  // Without a usable player count the rest of the file cannot be placed.
  const auto playerCount = lines.Number(kLinePlayerCount);
  const bool countUsable = playerCount && *playerCount >= 0;
  if (countUsable) settings.PlayerCount = static_cast<int>(std::min<int64_t>(*playerCount, kMaxPlayers));
  const auto current = lines.Number(kLineCurrentPlayer);
  if (current && *current >= 0 && (*current < settings.PlayerCount || *current == 0)) {
    settings.CurrentPlayer = static_cast<int>(*current);
  }
  if (settings.CurrentPlayer >= std::max(settings.PlayerCount, 1)) settings.CurrentPlayer = 0;
  if (!countUsable) return;
  for (int i = 0; i < settings.PlayerCount; ++i) {
    if (auto name = lines.Stripped(kLineFirstPlayer + static_cast<size_t>(i))) {
      settings.Players[static_cast<size_t>(i)] = std::move(*name);
    }
  }
  // Extra names of a list longer than ten are skipped, not read as the key lines.
  const size_t keyCountLine = kLineFirstPlayer + static_cast<size_t>(*playerCount);
  const auto keyCount = lines.Number(keyCountLine);
  if (!keyCount || *keyCount < 0) return;
  settings.KeyCount = static_cast<int>(std::min<int64_t>(*keyCount, kMaxKeys));
  for (int i = 0; i < settings.KeyCount; ++i) {
    const auto code = lines.Number(keyCountLine + 1 + static_cast<size_t>(i));
    // A code indexes the 256 key states.
    if (code && *code >= 0 && *code <= 255)
      settings.Keys[static_cast<size_t>(i)] = static_cast<uint32_t>(*code);
  }
}

bool ReadConfig(TSettings& settings, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string text(static_cast<size_t>(kMaxFileBytes), '\0');
  in.read(text.data(), kMaxFileBytes);
  text.resize(static_cast<size_t>(in.gcount()));
  ReadConfigText(settings, text);
  return true;
}

}  // namespace zb
