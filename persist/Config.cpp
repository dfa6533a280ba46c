#include "persist/Config.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstdint>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/Cp1251.h"
#include "engine/FileRead.h"
#include "persist/LineCode.h"
#include "persist/WholeFile.h"

namespace zb {
namespace {

constexpr int kPadNumber = 10;
constexpr int kPadText = 5;
constexpr int kPadPlayer = 10;
constexpr int kMaxVolume = 250;
// With its texts cut, no file of ours comes near this; a larger one is not read.
constexpr size_t kMaxFileBytes = size_t{1} << 20;

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

// The line of `text` padded to `multiple`, with its CR LF.
void AddLine(std::string& out, std::string_view text, int multiple = 0) {
  AppendEncodedLine(out, text, multiple);
  out += "\r\n";
}

void AddNumber(std::string& out, int value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  AddLine(out, std::string_view(digits, static_cast<size_t>(end - digits)), kPadNumber);
}

std::string_view Clipped(std::string_view text) { return text.substr(0, kMaxConfigTextBytes); }

void Clip(std::string& text) {
  if (text.size() > kMaxConfigTextBytes) text.resize(kMaxConfigTextBytes);
}

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
    lines_.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
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
  // The decoded text of a line into `text`; false, with `text` as it was, when the file has no
  // such line. The caller's string is used again from line to line: a string made for each of
  // the file's lines, and moved through each step, was most of the reader's time.
  bool Text(size_t index, std::string& text) const {
    if (index >= lines_.size()) return false;
    DecodeLineInto(lines_[index], text);
    return true;
  }
  // The decoded text without its padding, cut to the longest text the game keeps.
  bool Stripped(size_t index, std::string& text) const {
    if (!Text(index, text)) return false;
    StripPaddingInPlace(text);
    Clip(text);
    return true;
  }
  size_t Count() const { return lines_.size(); }
  // The layout checks ask for the same few numbers again and again: each is read once.
  std::optional<int64_t> Number(size_t index) const {
    if (index >= lines_.size()) return std::nullopt;
    if (numbers_.empty()) numbers_.resize(lines_.size());
    std::optional<std::optional<int64_t>>& number = numbers_[index];
    if (!number) number = Stripped(index, scratch_) ? ParseInteger(scratch_) : std::nullopt;
    return *number;
  }

 private:
  std::vector<std::string_view> lines_;
  mutable std::vector<std::optional<std::optional<int64_t>>> numbers_;
  mutable std::string scratch_;
};

// Whether the line holds a key count whose key lines end the file.
bool KeysFit(const Lines& lines, int64_t line) {
  if (line < 0 || static_cast<uint64_t>(line) >= lines.Count()) return false;
  const auto keys = lines.Number(static_cast<size_t>(line));
  if (!keys || *keys < 0 || *keys > static_cast<int64_t>(lines.Count())) return false;
  const uint64_t end = static_cast<uint64_t>(line) + 1 + static_cast<uint64_t>(*keys);
  return end == lines.Count();
}

// How many player lines the file holds. The count it states is taken when the key lines
// after that many names end the file; otherwise the count nearest to it that does, so that
// a count larger than the names present never reads the key lines as players.
std::optional<int64_t> PlayerLines(const Lines& lines) {
  const auto claimed = lines.Number(kLinePlayerCount);
  if (!claimed || *claimed < 0) return std::nullopt;
  const auto first = static_cast<int64_t>(kLineFirstPlayer);
  // A count beyond the lines present can never fit (and must not overflow below).
  const bool plausible = *claimed <= static_cast<int64_t>(lines.Count());
  if (plausible && KeysFit(lines, first + *claimed)) return claimed;
  std::optional<int64_t> best;
  // The game never writes more than ten names.
  for (int64_t p = 0; p <= kMaxPlayers; ++p) {
    if (KeysFit(lines, first + p) && (!best || std::llabs(p - *claimed) < std::llabs(*best - *claimed))) best = p;
  }
  if (best) return best;
  // A file cut short or with lines to spare: the stated count stands when its names are there.
  if (plausible && static_cast<uint64_t>(first + *claimed) <= lines.Count()) return claimed;
  return std::nullopt;
}

bool InRange(const std::optional<int64_t>& number, int64_t low, int64_t high) {
  return number && *number >= low && *number <= high;
}

// Whether the lines are laid out as the game's own writer lays them out: every number where one
// belongs, within its range, and the key lines ending the file after the stated players.
bool InWritersLayout(const Lines& lines) {
  const auto players = lines.Number(kLinePlayerCount);
  if (!InRange(players, 0, kMaxPlayers) || !InRange(lines.Number(kLineCurrentPlayer), 0, kMaxPlayers)) return false;
  if (!InRange(lines.Number(kLineMusic), 0, kMaxVolume) || !InRange(lines.Number(kLineFx), 0, kMaxVolume)) return false;
  const size_t keyLine = kLineFirstPlayer + static_cast<size_t>(*players);
  if (!KeysFit(lines, static_cast<int64_t>(keyLine))) return false;
  const auto keys = lines.Number(keyLine);
  if (!InRange(keys, 0, kMaxKeys)) return false;
  for (size_t i = 1; i <= static_cast<size_t>(*keys); ++i) {
    if (!InRange(lines.Number(keyLine + i), 0, 255)) return false;
  }
  return true;
}

void ReadSwitch(const Lines& lines, size_t index, std::string& scratch, bool& value) {
  if (lines.Text(index, scratch)) value = scratch != "false";
}

void ReadVolume(const Lines& lines, size_t index, int& value) {
  const auto number = lines.Number(index);
  if (number && *number >= 0 && *number <= kMaxVolume) value = static_cast<int>(*number);
}

}  // namespace

std::string ConfigText(TSettings& settings) {
  std::string out;
  out.reserve(4096);
  AddLine(out, settings.FullScreen ? "true" : "false");
  AddLine(out, settings.Antialias ? "true" : "false");
  AddNumber(out, settings.MusicVolume);
  AddNumber(out, settings.FxVolume);
  for (std::string* text : {&settings.PlayerCountry, &settings.PlayerName}) {
    Clip(*text);
    AddLine(out, *text, kPadText);
    StripPaddingInPlace(*text);
  }
  for (const auto& table : settings.HighScores) {
    for (const auto& row : table) {
      AddLine(out, Clipped(row.Name), kPadText);
      AddLine(out, Clipped(row.Score), kPadText);
    }
  }
  // Counts outside the capacity are written held to it, so the file's layout stays whole.
  const int playerCount = std::clamp(settings.PlayerCount, 0, kMaxPlayers);
  AddNumber(out, playerCount);
  AddNumber(out, settings.CurrentPlayer);
  for (int i = 0; i < playerCount; ++i)
    AddLine(out, Clipped(settings.Players[static_cast<size_t>(i)]), kPadPlayer);
  const int keyCount = std::clamp(settings.KeyCount, 0, kMaxKeys);
  AddNumber(out, keyCount);
  for (int i = 0; i < keyCount; ++i) AddNumber(out, static_cast<int>(settings.Keys[static_cast<size_t>(i)]));
  return out;
}

namespace {

ConfigFileResult AsConfigResult(FileWriteResult written) {
  ConfigFileResult result;
  result.ok = written.ok;
  result.code = written.code;
  result.error = std::move(written.error);
  result.failedFile = std::move(written.failedFile);
  return result;
}

}  // namespace

ConfigFileResult WriteFileSafely(const std::filesystem::path& file, std::string_view text) {
  return AsConfigResult(WriteWholeFile(file, text));
}

ConfigFileResult WriteConfig(TSettings& settings, const std::filesystem::path& file) {
  return WriteFileSafely(file, ConfigText(settings));
}

ConfigFileResult KeepDamagedConfig(const std::filesystem::path& file) {
  const FileReadResult read = ReadFileText(file, kMaxFileBytes);
  if (!read.ok) {
    ConfigFileResult result;
    result.code = read.code;
    result.error = read.error;
    result.failedFile = file;
    return result;
  }
  std::filesystem::path kept = file;
  kept += kDamagedSuffix;
  return WriteFileSafely(kept, read.bytes);
}

bool ReadConfigText(TSettings& settings, std::string_view text) {
  const Lines lines(text);
  const bool whole = InWritersLayout(lines);
  std::string decoded;
  ReadSwitch(lines, kLineFullScreen, decoded, settings.FullScreen);
  ReadSwitch(lines, kLineAntialias, decoded, settings.Antialias);
  ReadVolume(lines, kLineMusic, settings.MusicVolume);
  ReadVolume(lines, kLineFx, settings.FxVolume);
  lines.Stripped(kLineCountry, settings.PlayerCountry);
  lines.Stripped(kLineName, settings.PlayerName);
  size_t index = kLineHighScores;
  for (auto& table : settings.HighScores) {
    for (auto& row : table) {
      // An empty line keeps the row's default.
      if (lines.Stripped(index++, decoded) && !decoded.empty()) row.Name = decoded;
      if (lines.Stripped(index++, decoded) && !decoded.empty()) row.Score = decoded;
    }
  }

  // Without a usable player count the rest of the file cannot be placed.
  const auto playerCount = PlayerLines(lines);
  const bool countUsable = playerCount.has_value();
  if (countUsable) settings.PlayerCount = static_cast<int>(std::min<int64_t>(*playerCount, kMaxPlayers));
  const auto current = lines.Number(kLineCurrentPlayer);
  if (current && *current >= 0 && (*current < settings.PlayerCount || *current == 0)) {
    settings.CurrentPlayer = static_cast<int>(*current);
  }
  if (settings.CurrentPlayer >= std::max(settings.PlayerCount, 1)) settings.CurrentPlayer = 0;
  if (!countUsable) return whole;
  const int64_t playerLines = *playerCount;
  for (int i = 0; i < settings.PlayerCount; ++i) {
    lines.Stripped(kLineFirstPlayer + static_cast<size_t>(i), settings.Players[static_cast<size_t>(i)]);
  }
  // Extra names of a list longer than ten are skipped, not read as the key lines.
  const size_t keyCountLine = kLineFirstPlayer + static_cast<size_t>(playerLines);
  const auto keyCount = lines.Number(keyCountLine);
  if (!keyCount || *keyCount < 0) return whole;
  settings.KeyCount = static_cast<int>(std::min<int64_t>(*keyCount, kMaxKeys));
  for (int i = 0; i < settings.KeyCount; ++i) {
    const auto code = lines.Number(keyCountLine + 1 + static_cast<size_t>(i));
    // A code indexes the 256 key states.
    if (code && *code >= 0 && *code <= 255)
      settings.Keys[static_cast<size_t>(i)] = static_cast<uint32_t>(*code);
  }
  return whole;
}

ConfigFileResult ReadConfig(TSettings& settings, const std::filesystem::path& file) {
  FileReadResult read = ReadFileText(file, kMaxFileBytes);
  ConfigFileResult result;
  result.ok = read.ok;
  result.missing = read.Missing();
  result.code = read.code;
  result.error = read.error;
  if (read.ok) result.damaged = !ReadConfigText(settings, read.bytes);
  return result;
}

std::string ConfigErrorReason(const std::error_code& code, bool reading, const std::filesystem::path& file,
                              const TLanguage& language) {
  const auto is = [&](std::errc e) { return code == e; };
  std::string reason;
  if (reading && is(std::errc::file_too_large)) {
    reason = "файл настроек слишком велик";
  } else if (is(std::errc::no_space_on_device) || is(std::errc::file_too_large) || code.value() == EDQUOT) {
    reason = "на диске не хватает места";
  } else if (is(std::errc::read_only_file_system)) {
    reason = "папка игры доступна только для чтения";
  } else if (is(std::errc::permission_denied) || is(std::errc::operation_not_permitted)) {
    reason = "нет доступа к файлу настроек или к папке игры";
  } else if (is(std::errc::is_a_directory) && file.extension() == ".tmp") {
    return language.Tr("на месте временного файла \"") + Utf8ToCp1251(file.filename().string()) +
           language.Tr("\" стоит папка");
  } else if (is(std::errc::is_a_directory)) {
    reason = "на месте файла настроек стоит папка";
  } else if (reading && is(std::errc::invalid_argument)) {
    // The reader takes regular files only: a pipe or a device stands there.
    reason = "на месте файла настроек стоит не файл, а канал или устройство";
  } else {
    return language.Tr("ошибка ввода-вывода") + " (" + code.message() + ")";
  }
  return language.Tr(reason);
}

}  // namespace zb
