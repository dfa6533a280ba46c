#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "persist/WholeFile.h"

namespace zb {

// The window's last size out of full screen, kept in its own small file beside "Config.cfg"
// (whose format other readers rely on): one line, "WIDTH HEIGHT" in pixels.
inline constexpr const char* kWindowSizeFileName = "Window.cfg";

struct TWindowSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TWindowSize&, const TWindowSize&) = default;
};

// No window is made larger than this in either direction.
inline constexpr int kMaxWindowSide = 16384;

// "1600 1200\n" for a size.
std::string WindowSizeText(TWindowSize size);
// The size of the file's text; nothing when it is not one line of two whole numbers between 1
// and kMaxWindowSide (a damaged file: the game chooses the size again).
std::optional<TWindowSize> ParseWindowSize(std::string_view text);

// The size kept in `file`; nothing without a file or with a damaged one.
std::optional<TWindowSize> ReadWindowSize(const std::filesystem::path& file);
// Written as safely as "Config.cfg" is.
FileWriteResult WriteWindowSize(const std::filesystem::path& file, TWindowSize size);

}  // namespace zb
