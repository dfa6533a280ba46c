#include "persist/WindowSizeSetting.h"

#include <charconv>

#include "engine/FileRead.h"

namespace zb {
namespace {

// A file of ours is ten bytes; anything much larger is not one.
constexpr size_t kMaxFileBytes = 64;

std::optional<int> ParseSide(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < 1 || value > kMaxWindowSide) return std::nullopt;
  return value;
}

}  // namespace

std::string WindowSizeText(TWindowSize size) {
  return std::to_string(size.width) + " " + std::to_string(size.height) + "\n";
}

std::optional<TWindowSize> ParseWindowSize(std::string_view text) {
  if (text.ends_with('\n')) text.remove_suffix(1);
  if (text.ends_with('\r')) text.remove_suffix(1);
  const size_t space = text.find(' ');
  if (space == std::string_view::npos) return std::nullopt;
  const auto width = ParseSide(text.substr(0, space));
  const auto height = ParseSide(text.substr(space + 1));
  if (!width || !height) return std::nullopt;
  return TWindowSize{*width, *height};
}

std::optional<TWindowSize> ReadWindowSize(const std::filesystem::path& file) {
  const FileReadResult read = ReadFileText(file, kMaxFileBytes);
  if (!read.ok) return std::nullopt;
  return ParseWindowSize(read.bytes);
}

FileWriteResult WriteWindowSize(const std::filesystem::path& file, TWindowSize size) {
  return WriteWholeFile(file, WindowSizeText(size));
}

}  // namespace zb
