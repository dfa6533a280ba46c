#include "tools/zbtool/art/ArtKit.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>

namespace zb::art {

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, pal::kWhite, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, pal::kInk, t); }

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void Circle(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

void FillShaded(cairo_t* cr, double cx, double cy, double r, Rgb c) {
  // The light comes from the upper left: a bright spot there, the body colour, a darker rim below right.
  cairo_pattern_t* p = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r * 1.05);
  const Rgb hi = Lighter(c, 0.45);
  const Rgb lo = Darker(c, 0.35);
  cairo_pattern_add_color_stop_rgb(p, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 0.45, c.r, c.g, c.b);
  cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
}

void FillFlat(cairo_t* cr, Rgb c, double alpha) {
  SetColor(cr, c, alpha);
  cairo_fill_preserve(cr);
}

void Outline(cairo_t* cr, double width) { StrokeColor(cr, pal::kInk, width); }

void StrokeColor(cairo_t* cr, Rgb c, double width, double alpha) {
  SetColor(cr, c, alpha);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void ShadedShape(cairo_t* cr, double cx, double cy, double r, Rgb c, double outline) {
  FillShaded(cr, cx, cy, r, c);
  if (outline > 0) {
    Outline(cr, outline);
  } else {
    cairo_new_path(cr);
  }
}

void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  Ellipse(cr, cx, cy, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy - ry * 0.3, 0, cx, cy, std::max(rx, ry));
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Sparkle(cairo_t* cr, double cx, double cy, double r, double alpha) {
  if (r <= 0 || alpha <= 0) return;
  cairo_move_to(cr, cx, cy - r);
  cairo_curve_to(cr, cx + r * 0.12, cy - r * 0.12, cx + r * 0.12, cy - r * 0.12, cx + r, cy);
  cairo_curve_to(cr, cx + r * 0.12, cy + r * 0.12, cx + r * 0.12, cy + r * 0.12, cx, cy + r);
  cairo_curve_to(cr, cx - r * 0.12, cy + r * 0.12, cx - r * 0.12, cy + r * 0.12, cx - r, cy);
  cairo_curve_to(cr, cx - r * 0.12, cy - r * 0.12, cx - r * 0.12, cy - r * 0.12, cx, cy - r);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 0.9, alpha);
  cairo_fill(cr);
}

uint32_t Random::Next() {
  // xorshift32: small, fast and the same everywhere.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Random::Unit() { return (Next() >> 8) / 16777216.0; }
double Random::Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

namespace {

std::string FontFile(std::string_view name) {
  // The Debian font packages the build installs.
  const char* candidates[3] = {nullptr, nullptr, nullptr};
  if (name == "lobster") {
    candidates[0] = "/usr/share/fonts/opentype/lobster/lobster.otf";
    candidates[1] = "/usr/share/fonts/truetype/lobster/Lobster.ttf";
  } else if (name == "comfortaa-bold") {
    candidates[0] = "/usr/share/fonts/truetype/comfortaa/Comfortaa-Bold.ttf";
  }
  candidates[2] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
  for (const char* c : candidates) {
    if (c && std::filesystem::exists(c)) return c;
  }
  return {};
}

struct FtLibraryDeleter {
  void operator()(FT_Library lib) const { FT_Done_FreeType(lib); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// FreeType outlines are turned into cairo paths directly, so no font object outlives the call.
struct PathSink {
  cairo_t* cr;
  double x, y, scale;  // pen origin in cairo units; font units (26.6) to cairo units
  double Px(const FT_Vector* v) const { return x + v->x * scale; }
  double Py(const FT_Vector* v) const { return y - v->y * scale; }
};

int MoveTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  cairo_close_path(s->cr);
  cairo_move_to(s->cr, s->Px(to), s->Py(to));
  return 0;
}
int LineTo(const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  cairo_line_to(s->cr, s->Px(to), s->Py(to));
  return 0;
}
int ConicTo(const FT_Vector* c, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  double x0, y0;
  cairo_get_current_point(s->cr, &x0, &y0);
  const double cx = s->Px(c), cy = s->Py(c), x3 = s->Px(to), y3 = s->Py(to);
  cairo_curve_to(s->cr, x0 + 2.0 / 3 * (cx - x0), y0 + 2.0 / 3 * (cy - y0), x3 + 2.0 / 3 * (cx - x3),
                 y3 + 2.0 / 3 * (cy - y3), x3, y3);
  return 0;
}
int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto* s = static_cast<PathSink*>(user);
  cairo_curve_to(s->cr, s->Px(c1), s->Py(c1), s->Px(c2), s->Py(c2), s->Px(to), s->Py(to));
  return 0;
}

// Builds the path of the text with its pen starting at (x, baseline); returns the advance, or -1.
double TextPath(cairo_t* cr, FT_Face face, std::string_view utf8, double x, double baseline, double size) {
  const double scale = size / face->units_per_EM;
  FT_Outline_Funcs funcs{};
  funcs.move_to = MoveTo;
  funcs.line_to = LineTo;
  funcs.conic_to = ConicTo;
  funcs.cubic_to = CubicTo;
  double pen = x;
  FT_UInt previous = 0;
  for (size_t i = 0; i < utf8.size();) {
    // UTF-8 decoding of the few texts the art writes (one to three byte sequences).
    uint32_t code = static_cast<unsigned char>(utf8[i]);
    int extra = code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    code &= extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
    ++i;
    for (; extra > 0 && i < utf8.size(); --extra, ++i) code = (code << 6) | (utf8[i] & 0x3F);
    const FT_UInt glyph = FT_Get_Char_Index(face, code);
    if (previous && glyph && FT_HAS_KERNING(face)) {
      FT_Vector kern;
      if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNSCALED, &kern) == 0) pen += kern.x * scale;
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) return -1;
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
      PathSink sink{cr, pen, baseline, scale};
      FT_Outline_Decompose(&face->glyph->outline, &funcs, &sink);
      cairo_close_path(cr);
    }
    pen += face->glyph->advance.x * scale;
    previous = glyph;
  }
  return pen - x;
}

bool HasEveryGlyph(FT_Face face, std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    uint32_t code = static_cast<unsigned char>(utf8[i]);
    int extra = code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    code &= extra == 2 ? 0x0F : extra == 1 ? 0x1F : 0x7F;
    ++i;
    for (; extra > 0 && i < utf8.size(); --extra, ++i) code = (code << 6) | (utf8[i] & 0x3F);
    if (code != ' ' && FT_Get_Char_Index(face, code) == 0) return false;
  }
  return true;
}

using Face = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

// The first of the wanted font and the fallbacks that has every letter of the text (not every script
// font carries Cyrillic).
Face OpenFace(FT_Library library, std::string_view font, std::string_view utf8) {
  Face face;
  for (std::string_view name : {font, std::string_view("comfortaa-bold"), std::string_view("dejavu-bold")}) {
    const std::string file = FontFile(name);
    FT_Face rawFace = nullptr;
    if (file.empty() || FT_New_Face(library, file.c_str(), 0, &rawFace) != 0) continue;
    face.reset(rawFace);
    if (HasEveryGlyph(rawFace, utf8)) break;
  }
  return face;
}

struct FtLibrary {
  FtLibrary() {
    if (FT_Init_FreeType(&raw) == 0) library.reset(raw);
  }
  FT_Library raw = nullptr;
  std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter> library;
};

// Measures the text on `cr` (a path drawn and dropped); -1 when it cannot be drawn.
double MeasuredWidth(cairo_t* cr, FT_Face face, std::string_view utf8, double size) {
  cairo_save(cr);
  cairo_new_path(cr);
  const double width = TextPath(cr, face, utf8, 0, 0, size);
  cairo_new_path(cr);
  cairo_restore(cr);
  return width;
}

// Draws the text with the point (x, baseline) at `anchor` of its width (0 left, 0.5 centre).
bool AnchoredText(cairo_t* cr, std::string_view utf8, double x, double baseline, double anchor,
                  const TextStyle& style) {
  FtLibrary ft;
  if (!ft.library) return false;
  Face face = OpenFace(ft.raw, style.font, utf8);
  if (!face) return false;
  // Measure first, then build it in place.
  const double width = MeasuredWidth(cr, face.get(), utf8, style.size);
  if (width < 0) return false;
  cairo_save(cr);
  cairo_new_path(cr);
  TextPath(cr, face.get(), utf8, x - width * anchor, baseline, style.size);
  if (style.outlineWidth > 0) {
    SetColor(cr, style.outline);
    cairo_set_line_width(cr, style.outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  SetColor(cr, style.fill);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_fill(cr);
  cairo_restore(cr);
  return true;
}

}  // namespace

bool CenteredText(cairo_t* cr, std::string_view utf8, double cx, double baseline, const TextStyle& style) {
  return AnchoredText(cr, utf8, cx, baseline, 0.5, style);
}

bool LeftText(cairo_t* cr, std::string_view utf8, double x, double baseline, const TextStyle& style) {
  return AnchoredText(cr, utf8, x, baseline, 0.0, style);
}

double TextWidth(std::string_view utf8, const TextStyle& style) {
  FtLibrary ft;
  if (!ft.library) return -1;
  Face face = OpenFace(ft.raw, style.font, utf8);
  if (!face) return -1;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(surface);
  const double width = MeasuredWidth(cr, face.get(), utf8, style.size);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return width;
}

std::string Russian(std::string_view text) { return std::string(text); }

int Picture::Columns() const { return std::max(1, std::min(count, 2048 / std::max(1, cellW))); }
int Picture::Rows() const { return (count + Columns() - 1) / Columns(); }

cairo_surface_t* RenderSheet(const Picture& picture) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.SheetWidth(), picture.SheetHeight());
  cairo_t* cr = cairo_create(surface);
  for (int i = 0; i < picture.count; ++i) {
    cairo_save(cr);
    cairo_translate(cr, (i % picture.Columns()) * picture.cellW, (i / picture.Columns()) * picture.cellH);
    cairo_rectangle(cr, 0, 0, picture.cellW, picture.cellH);
    cairo_clip(cr);
    cairo_new_path(cr);
    picture.draw(cr, i);
    cairo_restore(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  return surface;
}

std::vector<Picture> AllPictures(const Words& words) {
  std::vector<Picture> all;
  // The manifest order: new groups go at the end, so that earlier images keep their index.
  AddScenery(all, words);
  AddBallAndBat(all);
  AddMonkey(all);
  AddBricks(all);
  AddMenuPictures(all, words);
  AddBonuses(all);
  AddKeysAndCages(all);
  AddAnimals(all);
  AddStoryActors(all, words);
  AddHelpPages(all, words);
  AddGuiButtons(all);
  AddGuiBoards(all);
  return all;
}

std::vector<Picture> WordPictures(const Words& words) {
  std::vector<Picture> some = AllPictures(words);
  std::erase_if(some, [](const Picture& p) { return !p.hasWords; });
  return some;
}

void PaintPicture(cairo_t* cr, const std::string& key, int frame, double x, double y, double scale) {
  for (const Picture& p : AllPictures()) {
    if (p.key != key) continue;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_rectangle(cr, 0, 0, p.cellW, p.cellH);
    cairo_clip(cr);
    cairo_new_path(cr);
    p.draw(cr, frame);
    cairo_restore(cr);
    return;
  }
}

}  // namespace zb::art
