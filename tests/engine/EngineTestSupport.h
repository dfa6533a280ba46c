#pragma once

// Byte builders, a recording renderer and a device on it, shared by the engine tests.

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "engine/GfxDevices.h"
#include "engine/platform/headless/RendererWindow.h"

namespace zb::test {

// Little-endian bytes written field by field.
class Bytes {
 public:
  Bytes& U8(uint8_t v) {
    data.push_back(v);
    return *this;
  }
  Bytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  Bytes& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
  Bytes& Raw(const std::string& s) {
    data.insert(data.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Raw(const std::vector<uint8_t>& v) {
    data.insert(data.end(), v.begin(), v.end());
    return *this;
  }
  std::vector<uint8_t> data;
};

inline std::array<uint8_t, 16> Md5(const std::vector<uint8_t>& data) {
  std::array<uint8_t, 16> digest{};
  unsigned int length = 0;
  EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_md5(), nullptr);
  return digest;
}

inline std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
  uLongf length = compressBound(data.size());
  std::vector<uint8_t> out(length);
  compress2(out.data(), &length, data.data(), data.size(), 9);
  out.resize(length);
  return out;
}

// A record as the archive stores it; the optional fields override what a correct writer would put.
struct RawRecord {
  std::string key;
  uint16_t type = 0;
  std::vector<uint8_t> data;
  std::optional<uint32_t> unpackedSize;
  std::optional<std::array<uint8_t, 16>> digest;
  std::optional<std::vector<uint8_t>> stored;
};

// Header, then each record's 44-byte header and data, then the table at the end.
inline std::vector<uint8_t> BuildArchive(const std::vector<RawRecord>& records) {
  Bytes body;
  std::vector<uint32_t> offsets;
  for (const RawRecord& r : records) {
    const std::vector<uint8_t> stored = r.stored ? *r.stored : Deflate(r.data);
    const auto digest = r.digest ? *r.digest : Md5(r.data);
    offsets.push_back(12 + static_cast<uint32_t>(body.data.size()));
    body.U16(r.type).U32(r.unpackedSize ? *r.unpackedSize : static_cast<uint32_t>(r.data.size()));
    body.U32(static_cast<uint32_t>(stored.size()));
    body.U32(0).U32(0x40E5F000);  // a double time stamp, not interpreted
    body.Raw(std::vector<uint8_t>(digest.begin(), digest.end()));
    body.U16(0).U32(0).U32(0);  // secure flag, initialisation vector
    body.Raw(stored);
  }
  Bytes file;
  file.Raw("ZBDB").U32(static_cast<uint32_t>(records.size()));
  file.U32(12 + static_cast<uint32_t>(body.data.size()));
  file.Raw(body.data);
  for (size_t i = 0; i < records.size(); ++i) {
    file.U32(static_cast<uint32_t>(records[i].key.size())).Raw(records[i].key).U32(offsets[i]);
  }
  return file.data;
}

// A fresh folder under the temporary directory, removed with the object.
class TempDir {
 public:
  TempDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("zb-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    const auto file = path_ / name;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return file;
  }

 private:
  std::filesystem::path path_;
};

// Keeps textures and every DrawGeometry call; draws nothing.
class RecordingRenderer final : public platform::Renderer {
 public:
  struct Draw {
    platform::TextureId texture;
    std::vector<platform::Vertex> vertices;
    std::vector<int> indices;
    int effect;
    bool linear;
  };

  int Width() const override { return 800; }
  int Height() const override { return 600; }
  platform::TextureId CreateTexture(int width, int height, const uint32_t* argb) override {
    textures.push_back({width, height, std::vector<uint32_t>(argb, argb + size_t(width) * size_t(height))});
    ++live;
    return static_cast<platform::TextureId>(textures.size());
  }
  void DestroyTexture(platform::TextureId) override { --live; }
  void DrawGeometry(platform::TextureId texture, const platform::Vertex* vertices, int vertexCount,
                    const int* indices, int indexCount, int effect, bool linearFilter) override {
    draws.push_back({texture, std::vector<platform::Vertex>(vertices, vertices + vertexCount),
                     std::vector<int>(indices, indices + indexCount), effect, linearFilter});
  }
  void SetClip(const platform::IntRect* rect) override { clip = rect ? *rect : platform::IntRect{0, 0, 800, 600}; }
  platform::IntRect Clip() const override { return clip; }
  void Clear(uint32_t) override {}
  void Present() override {}
  bool ReadPixels(std::vector<uint32_t>&, int&, int&) override { return false; }

  struct Texture {
    int width, height;
    std::vector<uint32_t> argb;
  };
  std::vector<Texture> textures;
  std::vector<Draw> draws;
  platform::IntRect clip{0, 0, 800, 600};
  int live = 0;
};

// A device that is up, drawing on a recording renderer.
struct RecordingDevice {
  RecordingDevice() : window(renderer), device(window, "test") { device.Initialize(); }
  RecordingRenderer renderer;
  platform::RendererWindow window;
  TGfxDevice device;
};

}  // namespace zb::test
