#include "engine/PngWriter.h"

#include <zlib.h>

#include <fstream>

namespace zb {
namespace {

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v >> 24));
  out.push_back(static_cast<uint8_t>(v >> 16));
  out.push_back(static_cast<uint8_t>(v >> 8));
  out.push_back(static_cast<uint8_t>(v));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutBe32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
  PutBe32(out, static_cast<uint32_t>(crc));
}

}  // namespace

std::vector<uint8_t> EncodePng(const uint32_t* argb, int width, int height) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (1 + width * 4));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no row filter
    for (int x = 0; x < width; ++x) {
      const uint32_t p = argb[static_cast<size_t>(y) * width + x];
      raw.push_back(static_cast<uint8_t>(p >> 16));
      raw.push_back(static_cast<uint8_t>(p >> 8));
      raw.push_back(static_cast<uint8_t>(p));
      raw.push_back(static_cast<uint8_t>(p >> 24));
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutBe32(header, static_cast<uint32_t>(width));
  PutBe32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no interlace
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  return png;
}

bool WritePng(const std::string& path, const uint32_t* argb, int width, int height) {
  const std::vector<uint8_t> png = EncodePng(argb, width, height);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(out);
}

}  // namespace zb
