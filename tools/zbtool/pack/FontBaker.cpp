#include "tools/zbtool/pack/FontBaker.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <memory>

#include "engine/Cp1251.h"
#include "tools/zbtool/pack/ImageRecord.h"

namespace zb::tool {
namespace {

constexpr int kFirst = 32;
constexpr int kGlyphCount = 256 - kFirst;
constexpr int kColumns = 16;

// The code point of one CP1251 byte, 0 where the code page has none.
uint32_t CodePoint(int code) {
  const std::string utf8 = Cp1251ToUtf8(std::string(1, static_cast<char>(code)));
  const auto* b = reinterpret_cast<const unsigned char*>(utf8.data());
  if (utf8.size() == 1) return b[0] == '?' && code != '?' ? 0 : b[0];
  if (utf8.size() == 2) return (b[0] & 0x1Fu) << 6 | (b[1] & 0x3Fu);
  if (utf8.size() == 3) return (b[0] & 0x0Fu) << 12 | (b[1] & 0x3Fu) << 6 | (b[2] & 0x3Fu);
  return 0;
}

// Letters and digits must be there; a font without them is not fit for the game's texts.
bool Required(uint32_t cp) {
  return (cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z') ||
         (cp >= 0x0410 && cp <= 0x044F) || cp == 0x0401 || cp == 0x0451;
}

struct Glyph {
  int advance = 0;
  int left = 0, top = 0;  // bitmap origin relative to the pen and the baseline
  int width = 0, rows = 0;
  std::vector<uint8_t> coverage;
};

struct FreeTypeLibrary {
  FT_Library library = nullptr;
  FreeTypeLibrary() { FT_Init_FreeType(&library); }
  ~FreeTypeLibrary() {
    if (library) FT_Done_FreeType(library);
  }
};

}  // namespace

bool BakeFont(const std::filesystem::path& fontFile, int pixelSize, int spacing, std::vector<uint8_t>& record,
              std::string& error) {
  FreeTypeLibrary ft;
  if (!ft.library) {
    error = "FreeType did not start";
    return false;
  }
  FT_Face face = nullptr;
  if (FT_New_Face(ft.library, fontFile.c_str(), 0, &face) != 0) {
    error = "cannot read the font \"" + fontFile.string() + "\"";
    return false;
  }
  std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)> faceOwner(face, FT_Done_Face);
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    error = "the font \"" + fontFile.string() + "\" has no size " + std::to_string(pixelSize);
    return false;
  }
  const int ascender = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
  const int descender = static_cast<int>((-face->size->metrics.descender + 63) >> 6);

  std::vector<Glyph> glyphs(kGlyphCount);
  for (int code = kFirst; code < 256; ++code) {
    Glyph& g = glyphs[static_cast<size_t>(code - kFirst)];
    const uint32_t cp = CodePoint(code);
    const FT_UInt index = cp ? FT_Get_Char_Index(face, cp) : 0;
    if (index == 0) {
      if (Required(cp)) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "U+%04X", cp);
        error = "the font \"" + fontFile.string() + "\" has no glyph for " + hex + " (CP1251 " +
                std::to_string(code) + ")";
        return false;
      }
      continue;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) {
      error = "FreeType could not render CP1251 code " + std::to_string(code);
      return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.coverage.resize(static_cast<size_t>(g.width) * static_cast<size_t>(g.rows));
    for (int y = 0; y < g.rows; ++y) {
      const unsigned char* row = slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * slot->bitmap.pitch;
      std::copy_n(row, g.width, g.coverage.begin() + static_cast<ptrdiff_t>(y) * g.width);
    }
  }
  if (glyphs[0].advance == 0) glyphs[0].advance = std::max(1, pixelSize / 4);  // a font without a space

  // One cell for all: ink left of the pen or above the ascender shifts every glyph by the same pad.
  int padLeft = 0, padTop = 0, cellWidth = 1, cellHeight = ascender + descender;
  for (const Glyph& g : glyphs) {
    if (g.rows == 0) continue;
    padLeft = std::max(padLeft, -g.left);
    padTop = std::max(padTop, g.top - ascender);
  }
  for (const Glyph& g : glyphs) {
    cellWidth = std::max({cellWidth, g.advance, padLeft + g.left + g.width});
    if (g.rows > 0) cellHeight = std::max(cellHeight, padTop + ascender - g.top + g.rows);
  }
  cellHeight = std::max(cellHeight, padTop + ascender + descender);
  const int rows = (kGlyphCount + kColumns - 1) / kColumns;
  const int textureWidth = cellWidth * kColumns, textureHeight = cellHeight * rows;
  if (textureWidth > kMaxTextureSize || textureHeight > kMaxTextureSize) {
    error = "size " + std::to_string(pixelSize) + " makes glyph cells too large for one texture";
    return false;
  }

  std::vector<uint8_t> alpha(static_cast<size_t>(textureWidth) * static_cast<size_t>(textureHeight), 0);
  for (int i = 0; i < kGlyphCount; ++i) {
    const Glyph& g = glyphs[static_cast<size_t>(i)];
    const int x0 = (i % kColumns) * cellWidth + padLeft + g.left;
    const int y0 = (i / kColumns) * cellHeight + padTop + ascender - g.top;
    for (int y = 0; y < g.rows; ++y) {
      for (int x = 0; x < g.width; ++x) {
        alpha[static_cast<size_t>(y0 + y) * static_cast<size_t>(textureWidth) + static_cast<size_t>(x0 + x)] =
            g.coverage[static_cast<size_t>(y) * static_cast<size_t>(g.width) + static_cast<size_t>(x)];
      }
    }
  }

  record.clear();
  auto put32 = [&record](uint32_t v) {
    for (int i = 0; i < 4; ++i) record.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put32(kFirst);
  put32(static_cast<uint32_t>(spacing));
  put32(0);
  put32(kGlyphCount);
  const int lineHeight = padTop + ascender + descender;
  for (const Glyph& g : glyphs) {
    put32(static_cast<uint32_t>(g.advance));
    put32(static_cast<uint32_t>(lineHeight));
  }
  AppendImageHeader(record, 10, cellWidth, cellHeight, cellWidth, cellHeight, kGlyphCount, textureWidth,
                    textureHeight, 1);
  record.insert(record.end(), alpha.begin(), alpha.end());
  return true;
}

}  // namespace zb::tool
