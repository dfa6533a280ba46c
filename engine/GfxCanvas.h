#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/GfxDevices.h"
#include "engine/GfxImages.h"
#include "engine/GfxTurnedFrames.h"
#include "engine/platform/Renderer.h"

namespace zb {

struct TPoint2f {
  float X = 0.0f, Y = 0.0f;
};

// Four corners or colours, in the order top-left, top-right, bottom-right, bottom-left.
using TQuadPoints = std::array<TPoint2f, 4>;
using TQuadColors = std::array<uint32_t, 4>;  // canvas colours, $AABBGGRR

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Effect codes: byte 0 source factor, byte 1 destination factor, byte 2 operation.
inline constexpr int fxNone = 1;        // opaque copy
inline constexpr int fxBlend = 0x0504;  // source alpha, inverse source alpha, add
inline constexpr int fxAdd = 0x0104;    // source alpha, one, add

inline constexpr TQuadColors Colors4(uint32_t color) { return {color, color, color, color}; }
// A canvas colour from its channels.
inline constexpr uint32_t CanvasColor(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
  return uint32_t{alpha} << 24 | uint32_t{blue} << 16 | uint32_t{green} << 8 | red;
}
// A quad of the axis-aligned rectangle from (left, top) to (right, bottom).
inline constexpr TQuadPoints RectPoints(float left, float top, float right, float bottom) {
  return {TPoint2f{left, top}, TPoint2f{right, top}, TPoint2f{right, bottom}, TPoint2f{left, bottom}};
}

enum class TPrimitiveKind : uint8_t { None, Points, Lines, Triangles };

// The 2D canvas: every request becomes colour-modulated vertices in one cache, drawn as one
// batch per run of requests that share primitive kind, effect and texture. The batch is drawn
// when the cache is full, when that state changes, on Flush and at the end of each scene.
class TGfxCanvas : public TGfxSubscriber {
 public:
  explicit TGfxCanvas(TGfxDevice* device = nullptr);
  ~TGfxCanvas() override;

  int VertexCache() const { return cacheSize_; }
  // Only while no device is live; rounded up to a multiple of 4 and kept within 512..65536.
  void SetVertexCache(int value);
  bool Antialias() const { return antialias_; }
  // Bilinear texture filtering when true, nearest texel when false.
  void SetAntialias(bool value);
  bool Dithering() const { return dithering_; }
  void SetDithering(bool value) { dithering_ = value; }  // the renderer has no dithering stage
  bool AlphaTesting() const { return alphaTesting_; }
  // Only while no device is live; blending already hides fully transparent texels.
  void SetAlphaTesting(bool value);

  // The pattern at its visible size, top-left at (x, y), white.
  void DrawImage(const TGfxImage* image, int pattern, float x, float y, int effect);
  void DrawPattern(const TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                   bool centerScale, bool mirrorX, bool mirrorY, uint8_t red, uint8_t green, uint8_t blue,
                   uint8_t alpha, int effect);
  void DrawPatternColors(const TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                         bool centerScale, bool mirrorX, bool mirrorY, const TQuadColors& colors, int effect);
  // (x, y) is the centre; positive angles (radians) turn clockwise on the screen.
  void DrawPatternRotated(const TGfxImage* image, int pattern, float x, float y, float angle, float scaleX,
                          float scaleY, bool mirrorX, bool mirrorY, const TQuadColors& colors, int effect);
  // DrawPatternRotated for a pattern that keeps coming back to the same angles (swaying
  // scenery): where the renderer copies upright pixels far faster than it fills turned triangles,
  // each angle is turned once, kept, and copied; unscaled and unmirrored patterns only.
  void DrawPatternTurned(const TGfxImage* image, int pattern, float x, float y, float angle, float scaleX,
                         float scaleY, bool mirrorX, bool mirrorY, const TQuadColors& colors, int effect);
  void DrawPatternQuad(const TGfxImage* image, int pattern, const TQuadPoints& points, bool mirrorX,
                       bool mirrorY, const TQuadColors& colors, int effect);
  void TexturedQuad(const TGfxImage* image, const TQuadPoints& points, const TPatternSource& source,
                    const TQuadColors& colors, int effect);
  void FillQuad(const TQuadPoints& points, const TQuadColors& colors, int effect);
  // The pixel whose top-left corner is (x, y).
  void PutPixel(float x, float y, uint32_t color, int effect);
  // One pixel wide, through the pixels from (x1, y1) up to (x2, y2), the last one excluded.
  void Line(float x1, float y1, float x2, float y2, uint32_t color1, uint32_t color2, int effect);
  void Triangle(TPoint2f p1, TPoint2f p2, TPoint2f p3, uint32_t color1, uint32_t color2, uint32_t color3,
                int effect);

  // The clip rectangle in logical coordinates; (0, 0, 0, 0) without a device.
  void GetClipRect(TRect& rect) const;
  void SetClipRect(const TRect& rect);

  // Draws the pending batch.
  void Flush();

  // Batches drawn so far (for tests and measurements).
  uint64_t FlushCount() const { return flushCount_; }

  bool Notify(TGfxDevice& sender, int message) override;

 private:
  // Makes room for a request and returns the index of its first vertex, or -1 without a device.
  int Prepare(TPrimitiveKind kind, platform::TextureId texture, int effect, int vertexCount, int indexCount);
  void EmitQuad(platform::TextureId texture, const TQuadPoints& points, const TQuadColors& colors,
                const float* u, const float* v, int effect, TPrimitiveKind kind);
  void Discard();

  std::vector<platform::Vertex> vertices_;
  std::vector<int> indices_;
  int cacheSize_ = 4096;
  int vertexCount_ = 0;
  int indexCount_ = 0;
  TPrimitiveKind kind_ = TPrimitiveKind::None;
  int effect_ = -1;
  platform::TextureId texture_ = platform::NoTexture;
  bool antialias_ = true;
  bool dithering_ = false;
  bool alphaTesting_ = true;
  uint64_t flushCount_ = 0;
  TTurnedFrames turned_;
};

}  // namespace zb
