#include "game/LevelSets.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "engine/FileRead.h"
#include "game/LevelSource.h"
#include "persist/Config.h"
#include "persist/LevelSetArchive.h"

namespace zb {
namespace {

constexpr std::string_view kScoresExtension = ".scores";

std::string LevelFileStem(int number) {
  char name[16];
  std::snprintf(name, sizeof name, "level%02d", number);
  return name;
}

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.generic_string() + "\""; }

// The title line of a level source; empty when it has none.
std::string TitleOf(const std::filesystem::path& source) {
  const FileReadResult read = ReadFileText(source, size_t{64} << 10);
  if (!read.ok) return {};
  std::istringstream in(read.bytes);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("title ", 0) == 0) return line.substr(6);
    if (line == "grid") break;
  }
  return {};
}

std::filesystem::path ScoresFile(const std::filesystem::path& levels, const std::string& set) {
  return levels / (set + std::string(kScoresExtension));
}

bool IsSetFolder(const std::filesystem::directory_entry& entry) {
  std::error_code ec;
  const std::string name = entry.path().filename().string();
  return entry.is_directory(ec) && CheckLevelName(name).empty();
}

}  // namespace

std::filesystem::path LevelSetsFolder(const std::filesystem::path& userFolder) { return userFolder / "levels"; }

std::string CheckLevelName(std::string_view name) {
  if (name.empty()) return "the name is empty.";
  if (name.size() > kMaxSetNameBytes) return "the name is too long.";
  if (name.front() == '.' || name.front() == ' ' || name.back() == ' ') return "the name starts or ends badly.";
  if (!IsPlainFileName(name)) return "the name holds a character a file name cannot.";
  return {};
}

std::vector<std::string> ListLevelSets(const std::filesystem::path& levels) {
  std::vector<std::string> sets;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(levels, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsSetFolder(*it)) sets.push_back(it->path().filename().string());
  }
  std::ranges::sort(sets);
  return sets;
}

TLevelSet ReadLevelSet(const std::filesystem::path& levels, const std::string& name) {
  TLevelSet set;
  set.Name = name;
  const std::filesystem::path folder = levels / name;
  for (int number = 1; number <= kMaxSetLevels; ++number) {
    const std::filesystem::path file = folder / LevelFileStem(number);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) continue;
    LevelImage image;
    const LevelLoadResult loaded = LoadLevelFile(file, image);
    if (!loaded.ok) {
      set.Problems.push_back(loaded.error);
      continue;
    }
    std::filesystem::path source = file;
    source += ".txt";
    std::string title = TitleOf(source);
    if (title.empty()) title = LevelFileStem(number).substr(5);
    set.Levels.push_back({number, title, file});
  }
  return set;
}

std::filesystem::path SetLevelFile(const TLevelSet& set, int index) {
  if (index < 0 || index >= static_cast<int>(set.Levels.size())) return {};
  return set.Levels[static_cast<size_t>(index)].File;
}

TSetSaveResult SaveSetLevel(const std::filesystem::path& levels, const std::string& set, const std::string& title,
                            const LevelImage& image) {
  TSetSaveResult result;
  if (const std::string why = CheckLevelName(set); !why.empty()) {
    result.error = "The set cannot be saved: " + why;
    return result;
  }
  if (title.empty() || title.size() > kMaxSetNameBytes || title.find('\n') != std::string::npos) {
    result.error = "The level needs a name of 1 to 40 letters.";
    return result;
  }
  if (const std::string why = WhyUnwinnable(image); !why.empty()) {
    result.error = "The level cannot be won: " + why;
    return result;
  }
  const std::filesystem::path folder = levels / set;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    result.error = Quoted(folder) + " cannot be made: " + ec.message();
    return result;
  }
  // The level of the same title, else the first number no file takes (a damaged one keeps its own).
  int number = 0;
  for (int n = 1; n <= kMaxSetLevels && number == 0; ++n) {
    std::filesystem::path source = folder / LevelFileStem(n);
    source += ".txt";
    if (TitleOf(source) == title) number = n;
  }
  for (int n = 1; n <= kMaxSetLevels && number == 0; ++n) {
    const std::filesystem::path file = folder / LevelFileStem(n);
    std::filesystem::path source = file;
    source += ".txt";
    if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec)) &&
        !std::filesystem::exists(std::filesystem::symlink_status(source, ec))) {
      number = n;
    }
  }
  if (number == 0) {
    result.error = "The set \"" + set + "\" already holds 25 levels.";
    return result;
  }
  const std::filesystem::path file = folder / LevelFileStem(number);
  std::filesystem::path source = file;
  source += ".txt";
  const std::vector<uint8_t> bytes = EncodeLevelFile(image);
  const ConfigFileResult wroteSource = WriteFileSafely(source, LevelSourceText(image, title));
  const ConfigFileResult wroteLevel =
      wroteSource.ok ? WriteFileSafely(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()))
                     : wroteSource;
  if (!wroteLevel.ok) {
    result.error = wroteLevel.error;
    return result;
  }
  result.ok = true;
  result.Number = number;
  return result;
}

bool RenameLevelSet(const std::filesystem::path& levels, const std::string& from, const std::string& to,
                    std::string& error) {
  if (const std::string why = CheckLevelName(to); !why.empty()) {
    error = "The set cannot be renamed: " + why;
    return false;
  }
  if (!CheckLevelName(from).empty()) {
    error = "There is no set \"" + from + "\".";
    return false;
  }
  std::error_code ec;
  if (from == to) return true;
  if (std::filesystem::exists(std::filesystem::symlink_status(levels / to, ec)) ||
      std::filesystem::exists(std::filesystem::symlink_status(ScoresFile(levels, to), ec))) {
    error = "There is a set \"" + to + "\" already.";
    return false;
  }
  std::filesystem::rename(levels / from, levels / to, ec);
  if (ec) {
    error = Quoted(levels / from) + " cannot be renamed: " + ec.message();
    return false;
  }
  if (std::filesystem::exists(ScoresFile(levels, from), ec)) {
    std::filesystem::rename(ScoresFile(levels, from), ScoresFile(levels, to), ec);
  }
  return true;
}

bool DeleteLevelSet(const std::filesystem::path& levels, const std::string& name, std::string& error) {
  std::error_code ec;
  if (name.empty() || !CheckLevelName(name).empty()) {
    error = "There is no set \"" + name + "\".";
    return false;
  }
  std::filesystem::remove_all(levels / name, ec);
  if (ec) {
    error = Quoted(levels / name) + " cannot be deleted: " + ec.message();
    return false;
  }
  std::filesystem::remove(ScoresFile(levels, name), ec);
  return true;
}

std::vector<TSetScore> ReadSetScores(const std::filesystem::path& levels, const std::string& set) {
  std::vector<TSetScore> scores;
  const FileReadResult read = ReadFileText(ScoresFile(levels, set), size_t{64} << 10);
  if (!read.ok) return scores;
  std::istringstream in(read.bytes);
  std::string line;
  while (std::getline(in, line) && static_cast<int>(scores.size()) < kSetScoreRows) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    int32_t value = 0;
    const auto [end, ec] = std::from_chars(line.data(), line.data() + space, value);
    if (ec != std::errc() || end != line.data() + space || value < 0) continue;
    scores.push_back({line.substr(space + 1), value});
  }
  std::ranges::stable_sort(scores, std::greater<>(), &TSetScore::Score);
  return scores;
}

bool AddSetScore(const std::filesystem::path& levels, const std::string& set, const TSetScore& score) {
  std::vector<TSetScore> scores = ReadSetScores(levels, set);
  const auto at = std::ranges::upper_bound(scores, score.Score, std::greater<>(), &TSetScore::Score);
  scores.insert(at, score);
  if (static_cast<int>(scores.size()) > kSetScoreRows) scores.resize(kSetScoreRows);
  std::string text;
  for (const TSetScore& row : scores) {
    std::string player = row.Player;
    std::ranges::replace(player, '\n', ' ');
    text += std::to_string(row.Score) + " " + player + "\n";
  }
  return WriteFileSafely(ScoresFile(levels, set), text).ok;
}

std::vector<std::string> ImportDroppedSets(const std::filesystem::path& levels) {
  std::vector<std::string> problems;
  std::error_code ec;
  std::vector<std::filesystem::path> dropped;
  for (std::filesystem::directory_iterator it(levels, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() == kSetArchiveExtension && it->is_regular_file(ec)) dropped.push_back(it->path());
  }
  std::ranges::sort(dropped);
  for (const std::filesystem::path& file : dropped) {
    const FileReadResult read = ReadFileText(file, kMaxArchiveBytes);
    std::vector<TArchivedFile> files;
    std::string why;
    if (!read.ok) {
      problems.push_back("The level set " + read.error + ".");
      continue;
    }
    if (!UnpackLevelSet(read.bytes, files, why)) {
      problems.push_back("The level set " + Quoted(file) + " cannot be imported: " + why + ".");
      continue;
    }
    std::string base = file.stem().string();
    if (!CheckLevelName(base).empty()) base = "set";
    std::string name = base;
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(levels / name, ec)); ++n) {
      name = base.substr(0, kMaxSetNameBytes - 4) + " " + std::to_string(n);
    }
    if (!WriteSetFolder(levels / name, files, why)) {
      problems.push_back("The level set " + Quoted(file) + " cannot be imported: " + why + ".");
      continue;
    }
    std::filesystem::remove(file, ec);
  }
  return problems;
}

}  // namespace zb
