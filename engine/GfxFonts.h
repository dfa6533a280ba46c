#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDevices.h"
#include "engine/GfxImages.h"
#include "engine/MemoryStream.h"

namespace zb {

class TGfxFonts;

// A configuration error: text drawn with a font that has no font list or no canvas.
class EFontConfigError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

struct TGlyph {
  int Width = 0;
  int Height = 0;
};

enum TFontStyle : uint32_t { fsBold = 1, fsItalic = 2, fsShadow = 4, fsEmboss = 8 };

// A bitmap font: one glyph per character code from FirstChar on, glyph i being pattern i of
// its image. Text is CP1251 bytes; "#$AABBGGRR", "&$AABBGGRR" and "0xAABBGGRR" inside it set
// the top, the bottom or both colours.
class TGfxFont {
 public:
  TGfxFont() = default;
  TGfxFont(const TGfxFont&) = delete;
  TGfxFont& operator=(const TGfxFont&) = delete;

  std::string Name;
  int FirstChar = 32;
  int Spacing = 0;
  std::vector<TGlyph> Glyphs;
  TGfxImage Image;

  float Scale = 1.0f;
  float ExtraSpacing = 0.0f;
  bool ParseEscapes = true;
  uint32_t Style = 0;  // TFontStyle bits
  float SpaceWidthFactor = 0.3f;
  float ShadowAlpha = 0.5f;
  uint32_t ShadowColor = 0;
  float ShadowDistance = 1.0f;
  float EmbossAlpha = 0.8f;
  uint32_t EmbossColor = 0;

  bool Loaded() const { return loaded_; }
  TGfxFonts* Owner() const { return owner_; }

  // Reads a font record at the stream's position; false on a short or invalid record.
  bool LoadFromStream(TMemoryStream& stream);

  // Top-left at (x, y), one colour, ordinary alpha blending.
  void TextOut(std::string_view text, uint32_t color, float x, float y);
  // A vertical gradient per glyph from `top` to `bottom` colours, drawn with `effect`.
  // Throws EFontConfigError for a loaded font without a list or without a canvas.
  void TextOutEx(std::string_view text, uint32_t top, int effect, uint32_t bottom, float x, float y);
  double TextWidth(std::string_view text) const;
  double TextHeight(std::string_view text) const;

 private:
  friend class TGfxFonts;
  template <typename OnGlyph>
  double Walk(std::string_view text, uint32_t& top, uint32_t& bottom, OnGlyph&& onGlyph) const;
  void DrawGlyph(TGfxCanvas& canvas, int glyph, float x, float y, uint32_t top, uint32_t bottom, int effect);

  bool loaded_ = false;
  TGfxFonts* owner_ = nullptr;
};

// The font list: owns its fonts in load order and draws them through its canvas.
class TGfxFonts : public TGfxSubscriber {
 public:
  explicit TGfxFonts(TGfxDevice* device = nullptr, TGfxCanvas* canvas = nullptr);
  ~TGfxFonts() override;

  TGfxCanvas* Canvas() const { return canvas_; }
  void SetCanvas(TGfxCanvas* canvas) { canvas_ = canvas; }

  // Appends and loads every record of type 3, in record order; a font is named by its key once
  // it loads. Stops with false at the first failure, leaving that font (unloaded) in the list.
  // Loading is additive: a name already present keeps resolving to the earlier font.
  bool LoadFromArchive(TArchiveDb& archive);
  // Appends and loads the font record at `index` of an open archive, reading through `buffer`;
  // on failure the font stays in the list unloaded and the result is false.
  bool LoadRecord(TArchiveDb& archive, int index, TMemoryStream& buffer);
  // Why the last load failed, naming the archive and the record; empty after a success.
  const std::string& LoadError() const { return loadError_; }

  // The first font whose name matches with A-Z case ignored, or nullptr / -1.
  TGfxFont* FindFont(std::string_view name) const;
  int IndexOfFont(std::string_view name) const;
  TGfxFont* FontAt(int index) const;
  int Count() const { return static_cast<int>(fonts_.size()); }

  // Appends an unloaded font with the running default name ("Font" and two digits).
  TGfxFont& Add();
  void Clear();

  bool Notify(TGfxDevice& sender, int message) override;

 private:
  std::vector<std::unique_ptr<TGfxFont>> fonts_;
  std::string loadError_;
  TGfxCanvas* canvas_ = nullptr;
};

}  // namespace zb
