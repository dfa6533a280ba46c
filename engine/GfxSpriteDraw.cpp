// Drawing a sprite: the image lookup, the clip test, the five draw modes and the zoomed path.
#include <string>

#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"

namespace zb {

const TGfxImage* TSprite::FindCached(const std::string& name) const {
  const TGfxImages* images = engine_.Images;
  if (images == nullptr) return nullptr;
  // The last answer stands while the list has the same length and still holds the same image at
  // that index; otherwise search again. The remembered pointer is only compared, never followed.
  if (cachedCount_ == images->Count() && name == cachedName_) {
    if (cachedIndex_ < 0) return nullptr;
    const TGfxImage* image = images->ImageAt(cachedIndex_);
    if (image != nullptr && image == cachedImage_) return image;
  }
  cachedName_ = name;
  cachedCount_ = images->Count();
  cachedIndex_ = images->IndexOfImage(name);
  cachedImage_ = images->ImageAt(cachedIndex_);
  return cachedImage_;
}

const TGfxImage* TSprite::DrawnImage() const {
  switch (ImageNameMode) {
    case 0: return FindCached(ImageName + std::to_string(ImageNumber));
    case 1: return FindCached(ImageName);
    default: return nullptr;
  }
}

namespace {

const TGfxImage* Named(const TSpriteEngine& engine, const std::string& name) {
  return engine.Images != nullptr ? engine.Images->FindImage(name) : nullptr;
}

}  // namespace

int TSprite::VisibleWidth() const {
  const TGfxImage* image = Named(engine_, ImageName);
  return image != nullptr ? image->VisibleWidth() : 0;
}

int TSprite::VisibleHeight() const {
  const TGfxImage* image = Named(engine_, ImageName);
  return image != nullptr ? image->VisibleHeight() : 0;
}

int TSprite::PatternWidth() const {
  const TGfxImage* image = Named(engine_, ImageName);
  return image != nullptr ? image->PatternWidth() : 0;
}

int TSprite::PatternHeight() const {
  const TGfxImage* image = Named(engine_, ImageName);
  return image != nullptr ? image->PatternHeight() : 0;
}

void TSprite::Draw() {
  if (!Visible) return;
  TGfxCanvas* canvas = engine_.Canvas();
  if (canvas == nullptr) return;
  const TGfxImage* image = DrawnImage();
  if (image == nullptr) return;

  const auto w = static_cast<float>(image->PatternWidth());
  const auto h = static_cast<float>(image->PatternHeight());
  const auto left = static_cast<float>(ClipBounds.Left);
  const auto top = static_cast<float>(ClipBounds.Top);
  const auto right = static_cast<float>(ClipBounds.Right);
  const auto bottom = static_cast<float>(ClipBounds.Bottom);
  const float wx = engine_.WorldX;
  const float wy = engine_.WorldY;
  const auto red = static_cast<uint8_t>(Red);
  const auto green = static_cast<uint8_t>(Green);
  const auto blue = static_cast<uint8_t>(Blue);
  const auto alpha = static_cast<uint8_t>(Alpha);

  if (drawMode_ != 5 && left + wx < w + X && right + wx > X && top + wy < h + Y && bottom + wy > Y) {
    const auto px = static_cast<float>(SpriteTrunc(X + OffsetX + ShiftX - wx));
    const auto py = static_cast<float>(SpriteTrunc(Y + OffsetY + ShiftY - wy));
    const TQuadColors single = Colors4(PackedColor());
    auto quad = [&] {
      TQuadPoints points;
      for (size_t i = 0; i < 4; ++i) {
        points[i] = {static_cast<float>(SpriteTrunc(QuadPoints[i].X + OffsetX + ShiftX - wx)),
                     static_cast<float>(SpriteTrunc(QuadPoints[i].Y + OffsetY + ShiftY - wy))};
      }
      return points;
    };
    switch (drawMode_) {
      case 0:
        canvas->DrawPattern(image, PatternIndex, px, py, ScaleX, ScaleY, CenterScale, MirrorX, MirrorY, red,
                            green, blue, alpha, DrawEffect);
        break;
      case 1:
        canvas->DrawPatternRotated(image, PatternIndex, px, py, Angle, ScaleX, ScaleY, MirrorX, MirrorY,
                                   single, DrawEffect);
        break;
      case 2:
        canvas->DrawPatternColors(image, PatternIndex, px, py, ScaleX, ScaleY, CenterScale, MirrorX, MirrorY,
                                  CornerColors, DrawEffect);
        break;
      case 3:
        canvas->DrawPatternQuad(image, PatternIndex, quad(), MirrorX, MirrorY, single, DrawEffect);
        break;
      case 4:
        canvas->DrawPatternQuad(image, PatternIndex, quad(), MirrorX, MirrorY, CornerColors, DrawEffect);
        break;
      default:
        break;
    }
    return;
  }

  const float zx = engine_.ZoomX;
  const float zy = engine_.ZoomY;
  if (left + wx < (w + X) * zx && right + wx > X * zx && top + wy < (h + Y) * zy && bottom + wy > Y * zy) {
    const auto px = static_cast<float>(SpriteTrunc((X + OffsetX + ShiftX) * zx - wx));
    const auto py = static_cast<float>(SpriteTrunc((Y + OffsetY + ShiftY) * zy - wy));
    canvas->DrawPattern(image, PatternIndex, px, py, ScaleX * zx, ScaleY * zy, false, MirrorX, MirrorY, red,
                        green, blue, alpha, DrawEffect);
  }
}

}  // namespace zb
