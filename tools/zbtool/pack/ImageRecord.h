#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zb::tool {

// 0xAARRGGBB pixels with straight (not premultiplied) alpha, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;
};

// Reads a PNG through cairo and undoes cairo's premultiplied alpha.
bool ReadPng(const std::filesystem::path& path, Picture& picture, std::string& error);

// Textures are at most this wide and high; larger sheets are split.
inline constexpr int kMaxTextureSize = 2048;

// An image record in A8R8G8B8 from a sheet of patternWidth x patternHeight cells, read left to
// right then top to bottom. visible 0 means the cell, count 0 every cell. The texture is the
// whole sheet, or, for a sheet beyond kMaxTextureSize, as many textures of whole cells as needed.
bool EncodeImageRecord(const Picture& sheet, int patternWidth, int patternHeight, int visibleWidth,
                       int visibleHeight, int count, std::vector<uint8_t>& record, std::string& error);

// The 33-byte image record header.
void AppendImageHeader(std::vector<uint8_t>& out, int format, int patternWidth, int patternHeight,
                       int visibleWidth, int visibleHeight, int count, int textureWidth, int textureHeight,
                       int textureCount);

}  // namespace zb::tool
