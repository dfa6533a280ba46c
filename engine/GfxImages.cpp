#include "engine/GfxImages.h"

#include <cstdint>
#include <utility>

#include "engine/NameKeys.h"
#include "engine/PixelFormats.h"

namespace zb {

TGfxImage::~TGfxImage() { ReleaseTextures(); }

bool TGfxImage::LoadFromStream(TMemoryStream& stream) {
  ReleaseTextures();
  pixels_.clear();
  created_ = false;

  uint8_t format = 0;
  int32_t pw, ph, vw, vh, count, tw, th, tc;
  if (!stream.ReadU8(format) || !stream.ReadI32(pw) || !stream.ReadI32(ph) || !stream.ReadI32(vw) ||
      !stream.ReadI32(vh) || !stream.ReadI32(count) || !stream.ReadI32(tw) || !stream.ReadI32(th) ||
      !stream.ReadI32(tc)) {
    return false;
  }
  const TPixelFormatInfo* info = PixelFormatInfo(format);
  if (!info || tw <= 0 || th <= 0 || tc < 0) return false;
  if (pw <= 0) pw = tw;
  if (ph <= 0) ph = th;
  // A missing visible size means the whole cell (the texture size would exceed any smaller cell).
  if (vw <= 0) vw = pw;
  if (vh <= 0) vh = ph;
  if (pw > tw || ph > th || vw > pw || vh > ph) return false;

  // The pixels must all be there before anything is reserved for them.
  const uint64_t texturePixels = uint64_t(tw) * uint64_t(th);
  // Pattern arithmetic is in int; without textures the sizes are still held to what it can count.
  if (texturePixels > uint64_t{INT32_MAX}) return false;
  if (tc > 0 && texturePixels > stream.Remaining()) return false;
  const uint64_t textureBytes = texturePixels * uint64_t(info->bytes);
  if (tc > 0 && textureBytes > stream.Remaining() / uint64_t(tc)) return false;

  textureWidth_ = tw;
  textureHeight_ = th;
  textureCount_ = tc;
  patternWidth_ = pw;
  patternHeight_ = ph;
  visibleWidth_ = vw;
  visibleHeight_ = vh;
  patternCount_ = count > 0 ? count : PatternsPerTexture() * tc;

  pixels_.resize(static_cast<size_t>(tc));
  const size_t rowBytes = static_cast<size_t>(tw) * static_cast<size_t>(info->bytes);
  for (auto& texture : pixels_) {
    texture.resize(static_cast<size_t>(texturePixels));
    for (int row = 0; row < th; ++row) {
      ConvertRowToArgb(format, stream.Data() + stream.Position(), tw,
                       texture.data() + static_cast<size_t>(row) * static_cast<size_t>(tw));
      stream.Skip(rowBytes);
    }
  }
  created_ = true;
  return true;
}

bool TGfxImage::CreateTextures(platform::Renderer& renderer) {
  ReleaseTextures();
  if (!created_) return false;
  renderer_ = &renderer;
  for (const auto& texture : pixels_) {
    const platform::TextureId id = renderer.CreateTexture(textureWidth_, textureHeight_, texture.data());
    if (id == platform::NoTexture) {
      ReleaseTextures();
      return false;
    }
    textures_.push_back(id);
  }
  return true;
}

void TGfxImage::ReleaseTextures() {
  if (renderer_) {
    for (platform::TextureId id : textures_) renderer_->DestroyTexture(id);
  }
  textures_.clear();
  renderer_ = nullptr;
}

platform::TextureId TGfxImage::Texture(int index) const {
  if (index < 0 || index >= static_cast<int>(textures_.size())) return platform::NoTexture;
  return textures_[static_cast<size_t>(index)];
}

std::span<const uint32_t> TGfxImage::Pixels(int texture) const {
  if (texture < 0 || texture >= static_cast<int>(pixels_.size())) return {};
  return pixels_[static_cast<size_t>(texture)];
}

bool TGfxImage::Place(const TPatternSource& source, TPatternPlacement& placement) const {
  if (!created_ || patternCount_ <= 0 || pixels_.empty()) return false;
  const int perTexture = PatternsPerTexture();
  const int perRow = PatternsPerRow();
  int pattern = source.Pattern;
  if (pattern > patternCount_ - 1) pattern = patternCount_ - 1;
  if (pattern < 0) pattern = 0;
  placement.Texture = pattern / perTexture;
  const int q = pattern % perTexture;
  const int column = q % perRow;
  const int row = (q / perRow) % RowsPerTexture();

  const int left = column * patternWidth_ + (patternWidth_ - visibleWidth_) / 2 + source.Left;
  const int top = row * patternHeight_ + (patternHeight_ - visibleHeight_) / 2 + source.Top;
  const int w = source.Width > 0 ? source.Width : visibleWidth_;
  const int h = source.Height > 0 ? source.Height : visibleHeight_;
  float uLeft = static_cast<float>(left) / static_cast<float>(textureWidth_);
  float vTop = static_cast<float>(top) / static_cast<float>(textureHeight_);
  float uRight = (static_cast<float>(left + w) - 0.5f) / static_cast<float>(textureWidth_);
  float vBottom = (static_cast<float>(top + h) - 0.5f) / static_cast<float>(textureHeight_);
  if (source.MirrorX) std::swap(uLeft, uRight);
  if (source.MirrorY) std::swap(vTop, vBottom);
  placement.U[0] = uLeft;
  placement.V[0] = vTop;
  placement.U[1] = uRight;
  placement.V[1] = vTop;
  placement.U[2] = uRight;
  placement.V[2] = vBottom;
  placement.U[3] = uLeft;
  placement.V[3] = vBottom;
  return true;
}

TGfxImages::TGfxImages(TGfxDevice* device) {
  if (device) SetPublisher(device);
}

TGfxImages::~TGfxImages() { Clear(); }

platform::Renderer* TGfxImages::LiveRenderer() const {
  TGfxDevice* device = Publisher();
  return device ? device->Renderer() : nullptr;
}

bool TGfxImages::LoadFromArchive(TArchiveDb& archive) {
  loadError_.clear();
  if (!archive.EnsureOpen()) {
    loadError_ = ArchiveError(archive);
    return false;
  }
  // One buffer for every record: a fresh one each time would be mapped and faulted in anew.
  TMemoryStream buffer;
  for (int i = 0; i < archive.RecordCount(); ++i) {
    if (archive.RecordType(i) != kRecordImage) continue;
    if (!LoadRecord(archive, i, Add(), buffer)) {
      Remove(Count() - 1);
      return false;
    }
  }
  return true;
}

bool TGfxImages::LoadRecord(TArchiveDb& archive, int index, TGfxImage& image, TMemoryStream& buffer) {
  loadError_.clear();
  image.Name = archive.RecordKey(index);
  buffer.Clear();
  const std::string record = "The image \"" + image.Name + "\" cannot be loaded: ";
  platform::Renderer* renderer = LiveRenderer();
  if (!archive.ReadRecordAt(index, buffer)) {
    loadError_ = record + ArchiveError(archive);
  } else if (buffer.SetPosition(0); !image.LoadFromStream(buffer)) {
    loadError_ = record + "its record in " + Quoted(archive) + " is not a valid image.";
  } else if (renderer && !image.CreateTextures(*renderer)) {
    loadError_ = record + "its textures cannot be created.";
  }
  return loadError_.empty();
}

TGfxImage* TGfxImages::FindImage(std::string_view name) const { return ImageAt(IndexOfImage(name)); }

int TGfxImages::IndexOfImage(std::string_view name) const {
  for (size_t i = 0; i < images_.size(); ++i) {
    if (SameName(images_[i]->Name, name)) return static_cast<int>(i);
  }
  return -1;
}

TGfxImage* TGfxImages::ImageAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return images_[static_cast<size_t>(index)].get();
}

TGfxImage& TGfxImages::Add() { return *images_.emplace_back(std::make_unique<TGfxImage>()); }

void TGfxImages::Remove(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
}

void TGfxImages::Clear() { images_.clear(); }

bool TGfxImages::Notify(TGfxDevice& sender, int message) {
  switch (message) {
    case msgDeviceCreate:
    case msgDeviceReset: {
      platform::Renderer* renderer = sender.Renderer();
      bool ok = true;
      for (auto& image : images_) {
        if (image->Created()) ok = renderer && image->CreateTextures(*renderer) && ok;
      }
      return ok;
    }
    case msgDeviceLost:
      for (auto& image : images_) image->ReleaseTextures();
      return true;
    case msgDeviceFinalize:
      Clear();
      return true;
    default:
      return true;
  }
}

}  // namespace zb
