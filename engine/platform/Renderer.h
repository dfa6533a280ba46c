#pragma once

#include <cstdint>
#include <vector>

namespace zb::platform {

// One vertex of a batch; its layout equals SDL_Vertex so a batch goes to the GPU without copying.
struct Vertex {
  float x = 0, y = 0;
  uint8_t r = 255, g = 255, b = 255, a = 255;
  float u = 0, v = 0;
};

struct IntRect {
  int x = 0, y = 0, w = 0, h = 0;
  friend bool operator==(const IntRect&, const IntRect&) = default;
};

using TextureId = uint32_t;  // 0 is "no texture"
inline constexpr TextureId NoTexture = 0;

// The 2D drawing device: textures and indexed triangle batches in output pixels.
class Renderer {
 public:
  virtual ~Renderer() = default;

  // Output size in pixels (800 x 600: the renderer scales the logical space itself).
  virtual int Width() const = 0;
  virtual int Height() const = 0;

  // A static texture from rows of 0xAARRGGBB pixels, top row first.
  virtual TextureId CreateTexture(int width, int height, const uint32_t* argb) = 0;
  virtual void DestroyTexture(TextureId texture) = 0;

  // Draws indexed triangles. `effect` is a canvas effect code: byte 0 the source blend
  // factor, byte 1 the destination factor, byte 2 the operation; 1 is an opaque copy.
  virtual void DrawGeometry(TextureId texture, const Vertex* vertices, int vertexCount,
                            const int* indices, int indexCount, int effect,
                            bool linearFilter) = 0;

  // Clip rectangle in output pixels; nullptr removes it.
  virtual void SetClip(const IntRect* rect) = 0;
  virtual IntRect Clip() const = 0;

  // Whether upright copies cost far less than turned triangles (a renderer on the processor).
  virtual bool PrefersCopies() const { return false; }

  virtual void Clear(uint32_t argb) = 0;
  virtual void Present() = 0;

  // The current back buffer as 0xAARRGGBB rows (for screenshots and picture tests).
  virtual bool ReadPixels(std::vector<uint32_t>& argb, int& width, int& height) = 0;
};

}  // namespace zb::platform
