#include "engine/GfxFonts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "engine/NameKeys.h"

namespace zb {
namespace {

// Eight hexadecimal digits, or `current` when they are not.
uint32_t ParseColor(std::string_view digits, uint32_t current) {
  uint32_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return current;
    value = value << 4 | static_cast<uint32_t>(d);
  }
  return value;
}

constexpr size_t kEscapeLength = 10;

}  // namespace

bool TGfxFont::LoadFromStream(TMemoryStream& stream) {
  loaded_ = false;
  Glyphs.clear();
  uint32_t first = 0, count = 0;
  int32_t spacing = 0;
  if (!stream.ReadU32(first) || !stream.ReadI32(spacing) || !stream.Skip(4) || !stream.ReadU32(count)) {
    return false;
  }
  if (count > stream.Remaining() / 8) return false;
  std::vector<TGlyph> glyphs(count);
  for (TGlyph& g : glyphs) {
    int32_t w = 0, h = 0;
    stream.ReadI32(w);  // the count check above guarantees the bytes
    stream.ReadI32(h);
    g = {w, h};
  }
  if (!Image.LoadFromStream(stream)) return false;
  FirstChar = static_cast<int>(first & 0xFF);
  Spacing = spacing;
  Glyphs = std::move(glyphs);
  loaded_ = true;
  return true;
}

template <typename OnGlyph>
double TGfxFont::Walk(std::string_view text, uint32_t& top, uint32_t& bottom, OnGlyph&& onGlyph) const {
  double pen = 0.0;
  const int count = static_cast<int>(Glyphs.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (ParseEscapes) {
      // Each form is tried once, in this order, and only with a character after it.
      auto escape = [&](char sign, char marker) {
        return i + kEscapeLength < text.size() && text[i] == sign && text[i + 1] == marker;
      };
      if (escape('#', '$')) {
        top = ParseColor(text.substr(i + 2, 8), top);
        i += kEscapeLength;
      }
      if (escape('&', '$')) {
        bottom = ParseColor(text.substr(i + 2, 8), bottom);
        i += kEscapeLength;
      }
      if (escape('0', 'x')) {
        bottom = ParseColor(text.substr(i + 2, 8), bottom);
        top = bottom;
        i += kEscapeLength;
      }
    }
    const int glyph = static_cast<int>(static_cast<uint8_t>(text[i])) - FirstChar;
    if (glyph < 0 || glyph >= count) {
      pen += (Image.VisibleWidth() * SpaceWidthFactor + ExtraSpacing) * Scale;
      continue;
    }
    onGlyph(glyph, pen, top, bottom);
    // Width and spacing come from the file: their sum is taken in 64 bits.
    const int64_t advance = int64_t{Glyphs[static_cast<size_t>(glyph)].Width} + Spacing;
    pen += (static_cast<float>(advance) + ExtraSpacing) * Scale;
  }
  return pen;
}

double TGfxFont::TextWidth(std::string_view text) const {
  if (!loaded_) return 0.0;
  uint32_t top = 0, bottom = 0;
  return Walk(text, top, bottom, [](int, double, uint32_t, uint32_t) {});
}

double TGfxFont::TextHeight(std::string_view text) const {
  if (!loaded_) return 0.0;
  uint32_t top = 0, bottom = 0;
  int tallest = 0;
  Walk(text, top, bottom, [&](int glyph, double, uint32_t, uint32_t) {
    tallest = std::max(tallest, Glyphs[static_cast<size_t>(glyph)].Height);
  });
  return tallest * static_cast<double>(Scale);
}

void TGfxFont::TextOut(std::string_view text, uint32_t color, float x, float y) {
  TextOutEx(text, color, fxBlend, color, x, y);
}

void TGfxFont::TextOutEx(std::string_view text, uint32_t top, int effect, uint32_t bottom, float x, float y) {
  if (!loaded_) return;
  if (!owner_) throw EFontConfigError("TGfxFont: Unassigned Owner property.");
  TGfxCanvas* canvas = owner_->Canvas();
  if (!canvas) throw EFontConfigError("TGfxFont: Unassigned Owner.Canvas property.");
  Walk(text, top, bottom, [&](int glyph, double pen, uint32_t t, uint32_t b) {
    DrawGlyph(*canvas, glyph, std::trunc(static_cast<float>(x + pen)), std::trunc(y), t, b, effect);
  });
}

void TGfxFont::DrawGlyph(TGfxCanvas& canvas, int glyph, float x, float y, uint32_t top, uint32_t bottom,
                         int effect) {
  const float vw = static_cast<float>(Image.VisibleWidth());
  const float w = std::nearbyint(vw * Scale);
  const float h = std::nearbyint(static_cast<float>(Image.VisibleHeight()) * Scale);
  const bool bold = Style & fsBold;
  const float slant = (Style & fsItalic) ? vw / 8.0f : 0.0f;
  TPatternSource source;
  source.Pattern = glyph;
  auto draw = [&](float dx, float dy, const TQuadColors& colors) {
    const float left = x + dx, right = x + dx + w, up = y + dy, down = y + dy + h;
    TQuadPoints points = RectPoints(left, up, right, down);
    if (slant != 0.0f) {
      points[0].X = std::trunc(left + slant);
      points[1].X = std::trunc(right + slant);
      points[2].X = std::trunc(right - slant);
      points[3].X = std::trunc(left - slant);
    }
    canvas.TexturedQuad(&Image, points, source, colors, effect);
  };

  if (Style & fsShadow) {
    const float distance = Scale * ShadowDistance;
    const uint32_t shadow =
        static_cast<uint32_t>(std::lround(ShadowAlpha * 255.0f)) << 24 | (ShadowColor & 0x00FFFFFFu);
    draw((bold ? 3.0f : 2.0f) * distance, 2.0f * distance, Colors4(shadow));
  }
  const float moved = (Style & fsEmboss) ? -1.0f : 0.0f;
  const TQuadColors colors = {top, top, bottom, bottom};
  draw(moved, moved, colors);
  if (bold) {
    draw(moved - 1.0f, moved, colors);
    draw(moved + 1.0f, moved, colors);
  }
  if (Style & fsEmboss) {
    const float alpha = EmbossAlpha * 255.0f * (bold ? 0.65f : 1.0f);
    const uint32_t emboss = static_cast<uint32_t>(std::lround(alpha)) << 24 | (EmbossColor & 0x00FFFFFFu);
    draw(0, 0, Colors4(emboss));
    if (bold) {
      draw(-1.0f, 0, Colors4(emboss));
      draw(1.0f, 0, Colors4(emboss));
    }
  }
}

TGfxFonts::TGfxFonts(TGfxDevice* device, TGfxCanvas* canvas) : canvas_(canvas) {
  if (device) SetPublisher(device);
}

TGfxFonts::~TGfxFonts() = default;

TGfxFont& TGfxFonts::Add() {
  auto font = std::make_unique<TGfxFont>();
  char name[16];
  std::snprintf(name, sizeof name, "Font%02d", Count() % 100);
  font->Name = name;
  font->owner_ = this;
  return *fonts_.emplace_back(std::move(font));
}

void TGfxFonts::Clear() { fonts_.clear(); }

bool TGfxFonts::LoadFromArchive(TArchiveDb& archive) {
  loadError_.clear();
  if (!archive.EnsureOpen()) {
    loadError_ = ArchiveError(archive);
    return false;
  }
  TMemoryStream buffer;  // one buffer for every record
  for (int i = 0; i < archive.RecordCount(); ++i) {
    if (archive.RecordType(i) == kRecordFont && !LoadRecord(archive, i, buffer)) return false;
  }
  return true;
}

bool TGfxFonts::LoadRecord(TArchiveDb& archive, int index, TMemoryStream& buffer) {
  loadError_.clear();
  TGfxFont& font = Add();
  const std::string key = archive.RecordKey(index);
  buffer.Clear();
  const std::string record = "The font \"" + key + "\" cannot be loaded: ";
  TGfxDevice* device = Publisher();
  platform::Renderer* renderer = device ? device->Renderer() : nullptr;
  if (!archive.ReadRecordAt(index, buffer)) {
    loadError_ = record + ArchiveError(archive);
  } else if (buffer.SetPosition(0); !font.LoadFromStream(buffer)) {
    loadError_ = record + "its record in " + Quoted(archive) + " is not a valid font.";
  } else if (renderer && !font.Image.CreateTextures(*renderer)) {
    loadError_ = record + "its textures cannot be created.";
  }
  if (!loadError_.empty()) {
    font.loaded_ = false;
    return false;
  }
  font.Name = key;
  return true;
}

TGfxFont* TGfxFonts::FindFont(std::string_view name) const { return FontAt(IndexOfFont(name)); }

int TGfxFonts::IndexOfFont(std::string_view name) const {
  for (size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i] && SameName(fonts_[i]->Name, name)) return static_cast<int>(i);
  }
  return -1;
}

TGfxFont* TGfxFonts::FontAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return fonts_[static_cast<size_t>(index)].get();
}

bool TGfxFonts::Notify(TGfxDevice& sender, int message) {
  switch (message) {
    case msgDeviceCreate:
    case msgDeviceReset: {
      platform::Renderer* renderer = sender.Renderer();
      bool ok = true;
      for (auto& font : fonts_) {
        if (font->Loaded()) ok = renderer && font->Image.CreateTextures(*renderer) && ok;
      }
      return ok;
    }
    case msgDeviceLost:
    case msgDeviceFinalize:
      for (auto& font : fonts_) font->Image.ReleaseTextures();
      return true;
    default:
      return true;
  }
}

}  // namespace zb
