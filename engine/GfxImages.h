#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxDevices.h"
#include "engine/MemoryStream.h"
#include "engine/UninitVector.h"
#include "engine/platform/Renderer.h"

namespace zb {

// Which part of an image a textured quad shows: a pattern, optionally a rectangle inside its
// visible area (a width or height of 0 means the whole visible area), and mirroring.
struct TPatternSource {
  int Pattern = 0;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool MirrorX = false, MirrorY = false;
};

// Texture coordinates of a placed pattern, corners top-left, top-right, bottom-right, bottom-left.
struct TPatternPlacement {
  int Texture = 0;  // index into the image's textures
  float U[4] = {};
  float V[4] = {};
};

// One loaded image: textures cut into equally sized patterns (frames or tiles), each drawn at
// its visible size, centred in its cell. The converted pixels are kept so that textures can be
// rebuilt after a device reset and inspected by tools.
class TGfxImage {
 public:
  static constexpr int kHeaderSize = 33;

  TGfxImage() = default;
  ~TGfxImage();
  TGfxImage(const TGfxImage&) = delete;
  TGfxImage& operator=(const TGfxImage&) = delete;

  std::string Name;

  // Reads an image record at the stream's position, validates it and converts its pixels to
  // 0xAARRGGBB. False on a short or invalid record (nothing is kept then).
  bool LoadFromStream(TMemoryStream& stream);
  // Uploads the pixels; false (and no textures) when the renderer refuses one.
  bool CreateTextures(platform::Renderer& renderer);
  void ReleaseTextures();

  // Valid and loaded (textures may still be missing, e.g. without a device).
  bool Created() const { return created_; }
  bool HasTextures() const { return !textures_.empty(); }

  int TextureWidth() const { return textureWidth_; }
  int TextureHeight() const { return textureHeight_; }
  int TextureCount() const { return textureCount_; }
  // Always A8R8G8B8: the renderer takes nothing else.
  int TextureFormat() const { return 5; }
  int PatternWidth() const { return patternWidth_; }
  int PatternHeight() const { return patternHeight_; }
  int VisibleWidth() const { return visibleWidth_; }
  int VisibleHeight() const { return visibleHeight_; }
  int PatternCount() const { return patternCount_; }
  int PatternsPerRow() const { return patternWidth_ > 0 ? textureWidth_ / patternWidth_ : 0; }
  int RowsPerTexture() const { return patternHeight_ > 0 ? textureHeight_ / patternHeight_ : 0; }
  int PatternsPerTexture() const { return PatternsPerRow() * RowsPerTexture(); }

  platform::TextureId Texture(int index) const;
  // Rows of 0xAARRGGBB, top first; empty for an index out of range.
  std::span<const uint32_t> Pixels(int texture) const;

  // Where a pattern lies in the textures; false when the image cannot be drawn.
  bool Place(const TPatternSource& source, TPatternPlacement& placement) const;
  // Whether Place can succeed; drawing code checks this before anything else.
  bool Drawable() const { return created_ && !textures_.empty() && patternCount_ > 0; }

 private:
  int textureWidth_ = 0, textureHeight_ = 0, textureCount_ = 0;
  int patternWidth_ = 0, patternHeight_ = 0;
  int visibleWidth_ = 0, visibleHeight_ = 0;
  int patternCount_ = 0;
  bool created_ = false;
  std::vector<UninitVector<uint32_t>> pixels_;
  std::vector<platform::TextureId> textures_;
  platform::Renderer* renderer_ = nullptr;  // the one that holds textures_
};

// The image list: owns its images in load order and keeps their textures in step with the device.
class TGfxImages : public TGfxSubscriber {
 public:
  explicit TGfxImages(TGfxDevice* device = nullptr);
  ~TGfxImages() override;

  bool MipMapping() const { return mipMapping_; }
  void SetMipMapping(bool value) { mipMapping_ = value; }  // kept for the setting; textures have one level

  // Loads every record of type 1, in record order, as an image named by its key. At the first
  // failure that image is removed and the result is false; the images before it stay.
  bool LoadFromArchive(TArchiveDb& archive);
  // Loads the image record at `index` of an open archive into `image`, one of this list's, and
  // names it by the record's key. `buffer` is the caller's, so that a run of loads maps its memory
  // once. False when the record cannot be read, is not a valid image or gets no textures.
  bool LoadRecord(TArchiveDb& archive, int index, TGfxImage& image, TMemoryStream& buffer);
  // Why the last load failed, naming the archive and the record; empty after a success.
  const std::string& LoadError() const { return loadError_; }

  // The first image whose name matches with A-Z case ignored, or nullptr / -1.
  TGfxImage* FindImage(std::string_view name) const;
  int IndexOfImage(std::string_view name) const;
  TGfxImage* ImageAt(int index) const;
  int Count() const { return static_cast<int>(images_.size()); }

  // Appends an empty image (owned by the list).
  TGfxImage& Add();
  void Remove(int index);
  void Clear();

  bool Notify(TGfxDevice& sender, int message) override;

 private:
  platform::Renderer* LiveRenderer() const;

  std::vector<std::unique_ptr<TGfxImage>> images_;
  std::string loadError_;
  bool mipMapping_ = false;
};

}  // namespace zb
