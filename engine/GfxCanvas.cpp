#include "engine/GfxCanvas.h"

#include <algorithm>
#include <cmath>

namespace zb {
namespace {

inline void SetColor(platform::Vertex& v, uint32_t color) {
  v.r = static_cast<uint8_t>(color);
  v.g = static_cast<uint8_t>(color >> 8);
  v.b = static_cast<uint8_t>(color >> 16);
  v.a = static_cast<uint8_t>(color >> 24);
}

constexpr float kNoUv[4] = {0.0f, 0.0f, 0.0f, 0.0f};

bool LiveDevice(const TGfxDevice* device) { return device && device->Initialized() && !device->Lost(); }

}  // namespace

TGfxCanvas::TGfxCanvas(TGfxDevice* device) {
  vertices_.resize(static_cast<size_t>(cacheSize_));
  indices_.resize(static_cast<size_t>(cacheSize_));
  if (device) SetPublisher(device);
}

TGfxCanvas::~TGfxCanvas() = default;

void TGfxCanvas::SetVertexCache(int value) {
  if (LiveDevice(Publisher())) return;
  value = std::clamp((value + 3) / 4 * 4, 512, 65536);
  cacheSize_ = value;
  Discard();
  vertices_.assign(static_cast<size_t>(value), platform::Vertex{});
  indices_.assign(static_cast<size_t>(value), 0);
}

void TGfxCanvas::SetAntialias(bool value) {
  if (value == antialias_) return;
  Flush();  // the pending batch was meant for the old filter
  antialias_ = value;
}

void TGfxCanvas::SetAlphaTesting(bool value) {
  if (!LiveDevice(Publisher())) alphaTesting_ = value;
}

void TGfxCanvas::Discard() {
  vertexCount_ = 0;
  indexCount_ = 0;
  kind_ = TPrimitiveKind::None;
  effect_ = -1;
  texture_ = platform::NoTexture;
}

void TGfxCanvas::Flush() {
  if (vertexCount_ > 0) {
    TGfxDevice* device = Publisher();
    platform::Renderer* renderer = LiveDevice(device) ? device->Renderer() : nullptr;
    if (renderer) {
      renderer->DrawGeometry(texture_, vertices_.data(), vertexCount_, indices_.data(), indexCount_, effect_,
                             antialias_);
      ++flushCount_;
    }
  }
  vertexCount_ = 0;
  indexCount_ = 0;
}

int TGfxCanvas::Prepare(TPrimitiveKind kind, platform::TextureId texture, int effect, int vertexCount,
                        int indexCount) {
  if (!LiveDevice(Publisher())) return -1;
  if (vertexCount_ + vertexCount > cacheSize_ || indexCount_ + indexCount > cacheSize_ || kind != kind_ ||
      effect != effect_ || texture != texture_) {
    Flush();
    kind_ = kind;
    effect_ = effect;
    texture_ = texture;
  }
  const int first = vertexCount_;
  vertexCount_ += vertexCount;
  return first;
}

void TGfxCanvas::EmitQuad(platform::TextureId texture, const TQuadPoints& points, const TQuadColors& colors,
                          const float* u, const float* v, int effect, TPrimitiveKind kind) {
  const int first = Prepare(kind, texture, effect, 4, 6);
  if (first < 0) return;
  const TGfxDevice* device = Publisher();
  const float sx = device->ScaleX();
  const float sy = device->ScaleY();
  platform::Vertex* out = vertices_.data() + first;
  for (int i = 0; i < 4; ++i) {
    out[i].x = points[static_cast<size_t>(i)].X * sx;
    out[i].y = points[static_cast<size_t>(i)].Y * sy;
    SetColor(out[i], colors[static_cast<size_t>(i)]);
    out[i].u = u[i];
    out[i].v = v[i];
  }
  int* index = indices_.data() + indexCount_;
  index[0] = first;
  index[1] = first + 1;
  index[2] = first + 3;
  index[3] = first + 1;
  index[4] = first + 2;
  index[5] = first + 3;
  indexCount_ += 6;
}

void TGfxCanvas::TexturedQuad(const TGfxImage* image, const TQuadPoints& points, const TPatternSource& source,
                              const TQuadColors& colors, int effect) {
  if (!image || !image->Drawable()) return;
  TPatternPlacement place;
  if (!image->Place(source, place)) return;
  const platform::TextureId texture = image->Texture(place.Texture);
  if (texture == platform::NoTexture) return;
  EmitQuad(texture, points, colors, place.U, place.V, effect, TPrimitiveKind::Triangles);
}

void TGfxCanvas::DrawImage(const TGfxImage* image, int pattern, float x, float y, int effect) {
  if (!image) return;
  const auto w = static_cast<float>(image->VisibleWidth());
  const auto h = static_cast<float>(image->VisibleHeight());
  TPatternSource source;
  source.Pattern = pattern;
  TexturedQuad(image, RectPoints(x, y, x + w, y + h), source, Colors4(0xFFFFFFFFu), effect);
}

void TGfxCanvas::DrawPattern(const TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                             bool centerScale, bool mirrorX, bool mirrorY, uint8_t red, uint8_t green,
                             uint8_t blue, uint8_t alpha, int effect) {
  DrawPatternColors(image, pattern, x, y, scaleX, scaleY, centerScale, mirrorX, mirrorY,
                    Colors4(CanvasColor(red, green, blue, alpha)), effect);
}

void TGfxCanvas::DrawPatternColors(const TGfxImage* image, int pattern, float x, float y, float scaleX,
                                   float scaleY, bool centerScale, bool mirrorX, bool mirrorY,
                                   const TQuadColors& colors, int effect) {
  if (!image) return;
  const auto vw = static_cast<float>(image->VisibleWidth());
  const auto vh = static_cast<float>(image->VisibleHeight());
  // Rounding to nearest, ties to even, as the default floating-point mode does.
  const float w = std::nearbyint(vw * scaleX);
  const float h = std::nearbyint(vh * scaleY);
  if (centerScale && (scaleX != 1.0f || scaleY != 1.0f)) {
    x += std::nearbyint((vw - vw * scaleX) / 2.0f);
    y += std::nearbyint((vh - vh * scaleY) / 2.0f);
  }
  TPatternSource source;
  source.Pattern = pattern;
  source.MirrorX = mirrorX;
  source.MirrorY = mirrorY;
  TexturedQuad(image, RectPoints(x, y, x + w, y + h), source, colors, effect);
}

void TGfxCanvas::DrawPatternRotated(const TGfxImage* image, int pattern, float x, float y, float angle,
                                    float scaleX, float scaleY, bool mirrorX, bool mirrorY,
                                    const TQuadColors& colors, int effect) {
  if (!image) return;
  const float hw = static_cast<float>(image->VisibleWidth()) / 2.0f * scaleX;
  const float hh = static_cast<float>(image->VisibleHeight()) / 2.0f * scaleY;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  auto corner = [&](float cx, float cy) { return TPoint2f{x + cx * c - cy * s, y + cx * s + cy * c}; };
  const TQuadPoints points = {corner(-hw, -hh), corner(hw, -hh), corner(hw, hh), corner(-hw, hh)};
  DrawPatternQuad(image, pattern, points, mirrorX, mirrorY, colors, effect);
}

void TGfxCanvas::DrawPatternTurned(const TGfxImage* image, int pattern, float x, float y, float angle,
                                   float scaleX, float scaleY, bool mirrorX, bool mirrorY, const TQuadColors& colors,
                                   int effect) {
  TGfxDevice* device = Publisher();
  platform::Renderer* renderer = LiveDevice(device) ? device->Renderer() : nullptr;
  const bool oneColor = colors[0] == colors[1] && colors[0] == colors[2] && colors[0] == colors[3];
  if (renderer && renderer->PrefersCopies() && image && image->Drawable() && oneColor && scaleX == 1.0f &&
      scaleY == 1.0f && !mirrorX && !mirrorY && device->ScaleX() == 1.0f && device->ScaleY() == 1.0f &&
      x == std::floor(x) && y == std::floor(y)) {
    if (const TTurnedFrame* frame = turned_.Find(*renderer, *image, pattern, angle)) {
      if (frame->Texture == platform::NoTexture) return;  // nothing drawn at this angle
      const auto w = static_cast<float>(frame->Width);
      const auto h = static_cast<float>(frame->Height);
      const float u[4] = {0.0f, (w - 0.5f) / w, (w - 0.5f) / w, 0.0f};
      const float v[4] = {0.0f, 0.0f, (h - 0.5f) / h, (h - 0.5f) / h};
      const float left = x + static_cast<float>(frame->Left);
      const float top = y + static_cast<float>(frame->Top);
      EmitQuad(frame->Texture, RectPoints(left, top, left + w, top + h), colors, u, v, effect,
               TPrimitiveKind::Triangles);
      return;
    }
  }
  DrawPatternRotated(image, pattern, x, y, angle, scaleX, scaleY, mirrorX, mirrorY, colors, effect);
}

void TGfxCanvas::DrawPatternQuad(const TGfxImage* image, int pattern, const TQuadPoints& points, bool mirrorX,
                                 bool mirrorY, const TQuadColors& colors, int effect) {
  TPatternSource source;
  source.Pattern = pattern;
  source.MirrorX = mirrorX;
  source.MirrorY = mirrorY;
  TexturedQuad(image, points, source, colors, effect);
}

void TGfxCanvas::FillQuad(const TQuadPoints& points, const TQuadColors& colors, int effect) {
  EmitQuad(platform::NoTexture, points, colors, kNoUv, kNoUv, effect, TPrimitiveKind::Triangles);
}

void TGfxCanvas::PutPixel(float x, float y, uint32_t color, int effect) {
  EmitQuad(platform::NoTexture, RectPoints(x, y, x + 1.0f, y + 1.0f), Colors4(color), kNoUv, kNoUv, effect,
           TPrimitiveKind::Points);
}

void TGfxCanvas::Line(float x1, float y1, float x2, float y2, uint32_t color1, uint32_t color2, int effect) {
  const float dx = x2 - x1;
  const float dy = y2 - y1;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length <= 0.0f) return;
  // The renderer fills triangles only: a line is a one-pixel-wide band through the pixel
  // centres, starting at the first pixel and stopping before the last.
  const float ux = dx / length * 0.5f;
  const float uy = dy / length * 0.5f;
  const float sx = x1 + 0.5f - ux, sy = y1 + 0.5f - uy;
  const float ex = x2 + 0.5f - ux, ey = y2 + 0.5f - uy;
  const TQuadPoints points = {TPoint2f{sx + uy, sy - ux}, TPoint2f{ex + uy, ey - ux}, TPoint2f{ex - uy, ey + ux},
                              TPoint2f{sx - uy, sy + ux}};
  EmitQuad(platform::NoTexture, points, {color1, color2, color2, color1}, kNoUv, kNoUv, effect,
           TPrimitiveKind::Lines);
}

void TGfxCanvas::Triangle(TPoint2f p1, TPoint2f p2, TPoint2f p3, uint32_t color1, uint32_t color2,
                          uint32_t color3, int effect) {
  const int first = Prepare(TPrimitiveKind::Triangles, platform::NoTexture, effect, 3, 3);
  if (first < 0) return;
  const TGfxDevice* device = Publisher();
  const TPoint2f p[3] = {p1, p2, p3};
  const uint32_t c[3] = {color1, color2, color3};
  for (int i = 0; i < 3; ++i) {
    platform::Vertex& v = vertices_[static_cast<size_t>(first + i)];
    v.x = p[i].X * device->ScaleX();
    v.y = p[i].Y * device->ScaleY();
    v.u = v.v = 0.0f;
    SetColor(v, c[i]);
    indices_[static_cast<size_t>(indexCount_++)] = first + i;
  }
}

void TGfxCanvas::GetClipRect(TRect& rect) const {
  const TGfxDevice* device = Publisher();
  platform::Renderer* renderer = LiveDevice(device) ? device->Renderer() : nullptr;
  if (!renderer) {
    rect = TRect{};
    return;
  }
  const platform::IntRect clip = renderer->Clip();
  const float sx = device->ScaleX() > 0 ? device->ScaleX() : 1.0f;
  const float sy = device->ScaleY() > 0 ? device->ScaleY() : 1.0f;
  rect.Left = static_cast<int>(std::lround(clip.x / sx));
  rect.Top = static_cast<int>(std::lround(clip.y / sy));
  rect.Right = static_cast<int>(std::lround((clip.x + clip.w) / sx));
  rect.Bottom = static_cast<int>(std::lround((clip.y + clip.h) / sy));
}

void TGfxCanvas::SetClipRect(const TRect& rect) {
  TGfxDevice* device = Publisher();
  platform::Renderer* renderer = LiveDevice(device) ? device->Renderer() : nullptr;
  if (!renderer) return;
  Flush();  // what is pending belongs to the old clip
  const float sx = device->ScaleX();
  const float sy = device->ScaleY();
  const platform::IntRect clip{static_cast<int>(std::lround(rect.Left * sx)),
                               static_cast<int>(std::lround(rect.Top * sy)),
                               static_cast<int>(std::lround(std::max(0, rect.Right - rect.Left) * sx)),
                               static_cast<int>(std::lround(std::max(0, rect.Bottom - rect.Top) * sy))};
  renderer->SetClip(&clip);
}

bool TGfxCanvas::Notify(TGfxDevice& /*sender*/, int message) {
  switch (message) {
    case msgEndScene:
      Flush();
      break;
    case msgDeviceLost:
    case msgDeviceFinalize:
      Discard();
      turned_.Clear();
      break;
    default:
      break;
  }
  return true;
}

}  // namespace zb
