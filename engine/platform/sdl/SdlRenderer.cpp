#include "engine/platform/sdl/SdlRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace zb::platform {
namespace {

static_assert(sizeof(Vertex) == sizeof(SDL_Vertex));
static_assert(offsetof(Vertex, r) == offsetof(SDL_Vertex, color));
static_assert(offsetof(Vertex, u) == offsetof(SDL_Vertex, tex_coord));

// Effect-code factor indices: zero, one, src colour, inv src colour, src alpha, inv src alpha,
// dst alpha, inv dst alpha, dst colour, inv dst colour, src alpha saturated.
SDL_BlendFactor FactorFor(int index) {
  switch (index) {
    case 0: return SDL_BLENDFACTOR_ZERO;
    case 1: return SDL_BLENDFACTOR_ONE;
    case 2: return SDL_BLENDFACTOR_SRC_COLOR;
    case 3: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case 4: return SDL_BLENDFACTOR_SRC_ALPHA;
    case 5: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    case 6: return SDL_BLENDFACTOR_DST_ALPHA;
    case 7: return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    case 8: return SDL_BLENDFACTOR_DST_COLOR;
    case 9: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
    case 10: return SDL_BLENDFACTOR_SRC_ALPHA;  // saturation has no SDL factor
    default: return SDL_BLENDFACTOR_ONE;
  }
}

// Operation indices: add, reverse subtract (dst - src), subtract (src - dst), min, max.
SDL_BlendOperation OperationFor(int index) {
  switch (index) {
    case 1: return SDL_BLENDOPERATION_SUBTRACT;
    case 2: return SDL_BLENDOPERATION_REV_SUBTRACT;
    case 3: return SDL_BLENDOPERATION_MINIMUM;
    case 4: return SDL_BLENDOPERATION_MAXIMUM;
    default: return SDL_BLENDOPERATION_ADD;
  }
}

}  // namespace

int SdlBlendModeForEffect(int effect, bool standardOnly) {
  const int src = effect & 0xFF;
  const int dst = (effect >> 8) & 0xFF;
  const int op = (effect >> 16) & 0xFF;
  if (effect == 1) return SDL_BLENDMODE_NONE;
  if (op == 0) {
    if (src == 4 && dst == 5) return SDL_BLENDMODE_BLEND;
    if (src == 4 && dst == 1) return SDL_BLENDMODE_ADD;
    if (src == 8 && dst == 0) return SDL_BLENDMODE_MOD;
  }
  if (standardOnly) {
    if (dst == 1) return SDL_BLENDMODE_ADD;
    if (src == 8 || dst == 2) return SDL_BLENDMODE_MOD;
    return SDL_BLENDMODE_BLEND;
  }
  return SDL_ComposeCustomBlendMode(FactorFor(src), FactorFor(dst), OperationFor(op),
                                    FactorFor(src), FactorFor(dst), OperationFor(op));
}

SdlRenderer::SdlRenderer(SDL_Renderer* renderer) : renderer_(renderer) {
  SDL_RenderGetLogicalSize(renderer_, &width_, &height_);
  if (width_ == 0 || height_ == 0) SDL_GetRendererOutputSize(renderer_, &width_, &height_);
  SDL_RendererInfo info;
  software_ = SDL_GetRendererInfo(renderer_, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

SdlRenderer::~SdlRenderer() {
  for (Slot& slot : slots_) {
    if (slot.texture) SDL_DestroyTexture(slot.texture);
  }
  SDL_DestroyRenderer(renderer_);
}

int SdlRenderer::Width() const { return width_; }
int SdlRenderer::Height() const { return height_; }

TextureId SdlRenderer::CreateTexture(int width, int height, const uint32_t* argb) {
  SDL_Texture* texture =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (!texture) return NoTexture;
  if (argb && SDL_UpdateTexture(texture, nullptr, argb, width * 4) != 0) {
    SDL_DestroyTexture(texture);
    return NoTexture;
  }
  TextureId id;
  if (!freeIds_.empty()) {
    id = freeIds_.back();
    freeIds_.pop_back();
  } else {
    slots_.emplace_back();
    id = static_cast<TextureId>(slots_.size());
  }
  slots_[id - 1] = Slot{texture};
  slots_[id - 1].width = width;
  slots_[id - 1].height = height;
  return id;
}

void SdlRenderer::DestroyTexture(TextureId texture) {
  Slot* slot = Find(texture);
  if (!slot) return;
  SDL_DestroyTexture(slot->texture);
  *slot = Slot{};
  freeIds_.push_back(texture);
}

SdlRenderer::Slot* SdlRenderer::Find(TextureId id) {
  if (id == NoTexture || id > slots_.size() || !slots_[id - 1].texture) return nullptr;
  return &slots_[id - 1];
}

int SdlRenderer::ApplyBlend(Slot* slot, int effect) {
  int& current = slot ? slot->blendEffect : drawBlendEffect_;
  if (current == effect) return 0;
  auto apply = [&](int mode) {
    const auto blend = static_cast<SDL_BlendMode>(mode);
    return slot ? SDL_SetTextureBlendMode(slot->texture, blend)
                : SDL_SetRenderDrawBlendMode(renderer_, blend);
  };
  int result = apply(SdlBlendModeForEffect(effect, false));
  if (result != 0) result = apply(SdlBlendModeForEffect(effect, true));
  current = effect;
  return result;
}

void SdlRenderer::DrawGeometry(TextureId texture, const Vertex* vertices, int vertexCount,
                               const int* indices, int indexCount, int effect, bool linearFilter) {
  Slot* slot = Find(texture);
  ApplyBlend(slot, effect);
  if (slot && slot->linear != static_cast<int>(linearFilter)) {
    SDL_SetTextureScaleMode(slot->texture, linearFilter ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    slot->linear = linearFilter;
  }
  if (software_) {
    if (slot) {
      DrawSoftwareQuads(*slot, vertices, vertexCount, indices, indexCount);
    } else {
      DrawSoftwareFills(vertices, vertexCount, indices, indexCount);
    }
    return;
  }
  SDL_RenderGeometry(renderer_, slot ? slot->texture : nullptr,
                     reinterpret_cast<const SDL_Vertex*>(vertices), vertexCount, indices, indexCount);
}

void SdlRenderer::Modulate(Slot& slot, uint32_t rgba) {
  if (slot.modulation == rgba) return;
  SDL_SetTextureColorMod(slot.texture, rgba & 0xFF, (rgba >> 8) & 0xFF, (rgba >> 16) & 0xFF);
  SDL_SetTextureAlphaMod(slot.texture, rgba >> 24);
  slot.modulation = rgba;
}

namespace {

uint32_t Rgba(const Vertex& v) {
  return uint32_t{v.r} | uint32_t{v.g} << 8 | uint32_t{v.b} << 16 | uint32_t{v.a} << 24;
}

// Whether indices [i, i + 6) are the quad q, q+1, q+3 / q+1, q+2, q+3 of corners TL, TR, BR, BL
// that is axis-aligned on the screen.
bool IsUprightQuad(const Vertex* v, int vertexCount, const int* idx) {
  const int q = idx[0];
  if (q < 0 || q + 3 >= vertexCount || idx[1] != q + 1 || idx[2] != q + 3 || idx[3] != q + 1 ||
      idx[4] != q + 2 || idx[5] != q + 3) {
    return false;
  }
  const Vertex* c = v + q;
  return c[0].y == c[1].y && c[2].y == c[3].y && c[0].x == c[3].x && c[1].x == c[2].x && c[0].x != c[1].x &&
         c[0].y != c[3].y;
}

// The same, axis-aligned in the texture too and in one colour.
bool IsCopyableQuad(const Vertex* v, int vertexCount, const int* idx) {
  if (!IsUprightQuad(v, vertexCount, idx)) return false;
  const Vertex* c = v + idx[0];
  return c[0].u == c[3].u && c[1].u == c[2].u && c[0].v == c[1].v && c[2].v == c[3].v &&
         Rgba(c[0]) == Rgba(c[1]) && Rgba(c[0]) == Rgba(c[2]) && Rgba(c[0]) == Rgba(c[3]);
}

// The first pixel whose centre lies at or past `edge`, as the triangle filler covers pixels.
int FirstPixel(float edge) { return static_cast<int>(std::ceil(edge - 0.5f)); }

uint8_t Mix(uint8_t from, uint8_t to, float t) {
  return static_cast<uint8_t>(std::lround(from + (static_cast<float>(to) - from) * t));
}

}  // namespace

void SdlRenderer::DrawSoftwareQuads(Slot& slot, const Vertex* vertices, int vertexCount, const int* indices,
                                    int indexCount) {
  const auto* sdlVertices = reinterpret_cast<const SDL_Vertex*>(vertices);
  int pending = 0;  // start of the run of indices that go through the triangle filler
  auto drawPending = [&](int end) {
    if (end <= pending) return;
    Modulate(slot, 0xFFFFFFFFu);
    SDL_RenderGeometry(renderer_, slot.texture, sdlVertices, vertexCount, indices + pending, end - pending);
  };
  for (int i = 0; i + 6 <= indexCount; i += 6) {
    if (!IsCopyableQuad(vertices, vertexCount, indices + i)) continue;
    const Vertex* c = vertices + indices[i];
    float left = c[0].x, right = c[1].x, top = c[0].y, bottom = c[3].y;
    float uLeft = c[0].u, uRight = c[1].u, vTop = c[0].v, vBottom = c[3].v;
    if (right < left) std::swap(left, right), std::swap(uLeft, uRight);
    if (bottom < top) std::swap(top, bottom), std::swap(vTop, vBottom);
    int flip = SDL_FLIP_NONE;
    if (uRight < uLeft) flip |= SDL_FLIP_HORIZONTAL, std::swap(uLeft, uRight);
    if (vBottom < vTop) flip |= SDL_FLIP_VERTICAL, std::swap(vTop, vBottom);
    // Right and bottom edges may be inset by half a texel: +0.75 restores the texel edge.
    const int sx = static_cast<int>(std::lround(uLeft * slot.width));
    const int sy = static_cast<int>(std::lround(vTop * slot.height));
    const int sr = static_cast<int>(std::floor(uRight * slot.width + 0.75f));
    const int sb = static_cast<int>(std::floor(vBottom * slot.height + 0.75f));
    if (sr <= sx || sb <= sy) continue;
    drawPending(i);
    pending = i + 6;
    const SDL_Rect source{sx, sy, sr - sx, sb - sy};
    const SDL_FRect target{left, top, right - left, bottom - top};
    Modulate(slot, Rgba(c[0]));
    SDL_RenderCopyExF(renderer_, slot.texture, &source, &target, 0.0, nullptr,
                      static_cast<SDL_RendererFlip>(flip));
  }
  drawPending(indexCount);
}

void SdlRenderer::DrawSoftwareFills(const Vertex* vertices, int vertexCount, const int* indices,
                                    int indexCount) {
  int pending = 0;  // start of the run of indices that go through the triangle filler
  auto drawPending = [&](int end) {
    if (end <= pending) return;
    SDL_RenderGeometry(renderer_, nullptr, reinterpret_cast<const SDL_Vertex*>(vertices), vertexCount,
                       indices + pending, end - pending);
  };
  for (int i = 0; i + 6 <= indexCount; i += 6) {
    if (!IsUprightQuad(vertices, vertexCount, indices + i)) continue;
    const Vertex* c = vertices + indices[i];
    // One colour, or a gradient along one axis only (what the GUI fills); others are filled as triangles.
    const bool down = Rgba(c[0]) == Rgba(c[1]) && Rgba(c[2]) == Rgba(c[3]);
    const bool across = Rgba(c[0]) == Rgba(c[3]) && Rgba(c[1]) == Rgba(c[2]);
    if (!down && !across) continue;
    drawPending(i);
    pending = i + 6;
    FillUpright(c, down);
  }
  drawPending(indexCount);
}

void SdlRenderer::FillUpright(const Vertex* c, bool down) {
  const bool flipX = c[1].x < c[0].x;
  const bool flipY = c[3].y < c[0].y;
  const float left = flipX ? c[1].x : c[0].x, right = flipX ? c[0].x : c[1].x;
  const float top = flipY ? c[3].y : c[0].y, bottom = flipY ? c[0].y : c[3].y;
  const int x0 = FirstPixel(left), x1 = FirstPixel(right), y0 = FirstPixel(top), y1 = FirstPixel(bottom);
  if (x1 <= x0 || y1 <= y0) return;
  // The colours at the start and the end of the gradient's axis.
  const Vertex& from = down ? c[flipY ? 3 : 0] : c[flipX ? 1 : 0];
  const Vertex& to = down ? c[flipY ? 0 : 3] : c[flipX ? 0 : 1];
  const int first = down ? y0 : x0, last = down ? y1 : x1;
  const float start = down ? top : left, length = down ? bottom - top : right - left;
  int run = first;  // lines of one colour are filled together
  uint32_t runColor = 0;
  auto fill = [&](int end) {
    if (end <= run) return;
    SDL_SetRenderDrawColor(renderer_, runColor & 0xFF, (runColor >> 8) & 0xFF, (runColor >> 16) & 0xFF,
                           runColor >> 24);
    const SDL_Rect r = down ? SDL_Rect{x0, run, x1 - x0, end - run} : SDL_Rect{run, y0, end - run, y1 - y0};
    SDL_RenderFillRect(renderer_, &r);
  };
  for (int line = first; line < last; ++line) {
    const float t =
        Rgba(from) == Rgba(to) ? 0.0f : std::clamp((static_cast<float>(line) + 0.5f - start) / length, 0.0f, 1.0f);
    const uint32_t color = uint32_t{Mix(from.r, to.r, t)} | uint32_t{Mix(from.g, to.g, t)} << 8 |
                           uint32_t{Mix(from.b, to.b, t)} << 16 | uint32_t{Mix(from.a, to.a, t)} << 24;
    if (line == first) runColor = color;
    if (color != runColor) {
      fill(line);
      run = line;
      runColor = color;
    }
  }
  fill(last);
}

void SdlRenderer::SetClip(const IntRect* rect) {
  clip_ = rect ? std::optional<IntRect>(*rect) : std::nullopt;
  ApplyClip();
}

void SdlRenderer::ApplyClip() {
  if (!clip_) {
    SDL_RenderSetClipRect(renderer_, nullptr);
    return;
  }
  const SDL_Rect r{clip_->x, clip_->y, clip_->w, clip_->h};
  SDL_RenderSetClipRect(renderer_, &r);
}

IntRect SdlRenderer::Clip() const { return clip_ ? *clip_ : IntRect{0, 0, width_, height_}; }

void SdlRenderer::Clear(uint32_t argb) {
  SDL_SetRenderDrawColor(renderer_, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
  // Clearing ignores the clip rectangle, as a device clear does.
  if (clip_) SDL_RenderSetClipRect(renderer_, nullptr);
  SDL_RenderClear(renderer_);
  // SDL keeps the clip in window pixels: once the window has changed size (full screen), the old
  // one would cut the picture, so it is set again from the logical one.
  if (clip_) ApplyClip();
}

void SdlRenderer::Present() { SDL_RenderPresent(renderer_); }

bool SdlRenderer::ReadPixels(std::vector<uint32_t>& argb, int& width, int& height) {
  if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) return false;
  argb.resize(static_cast<size_t>(width) * height);
  return SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(),
                              width * 4) == 0;
}

}  // namespace zb::platform
