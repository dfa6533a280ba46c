#pragma once

// The shared drawing kit of the game's art: one palette, outlined and softly shaded shapes, gradients, text
// and the sprite-sheet layout. Every subject file draws its pictures with these helpers so that the whole
// game keeps one look.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zb::art {

struct Rgb {
  double r, g, b;
};

// Mixes a towards b by t (0 gives a, 1 gives b).
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards the outline colour

// The one palette of the game.
namespace pal {
inline constexpr Rgb kInk{0.17, 0.10, 0.07};  // outlines: a warm dark brown, never pure black
inline constexpr Rgb kWhite{1.0, 1.0, 0.97};
inline constexpr Rgb kSkyTop{0.18, 0.56, 0.90};
inline constexpr Rgb kSkyLow{0.74, 0.92, 1.0};
inline constexpr Rgb kCloud{0.98, 0.99, 1.0};
inline constexpr Rgb kLeafLight{0.63, 0.88, 0.30};
inline constexpr Rgb kLeaf{0.30, 0.70, 0.22};
inline constexpr Rgb kLeafDark{0.11, 0.42, 0.18};
inline constexpr Rgb kLeafDeep{0.05, 0.24, 0.14};
inline constexpr Rgb kWoodLight{0.88, 0.64, 0.38};
inline constexpr Rgb kWood{0.66, 0.40, 0.18};
inline constexpr Rgb kWoodDark{0.40, 0.22, 0.09};
inline constexpr Rgb kStone{0.62, 0.64, 0.62};
inline constexpr Rgb kStoneDark{0.36, 0.38, 0.40};
inline constexpr Rgb kWater{0.40, 0.82, 0.95};
inline constexpr Rgb kWaterDeep{0.13, 0.52, 0.76};
inline constexpr Rgb kRed{0.91, 0.22, 0.18};
inline constexpr Rgb kGreen{0.36, 0.78, 0.22};
inline constexpr Rgb kBlue{0.22, 0.50, 0.93};
inline constexpr Rgb kYellow{0.98, 0.82, 0.20};
inline constexpr Rgb kBrown{0.66, 0.40, 0.18};
inline constexpr Rgb kMagenta{0.84, 0.26, 0.78};
inline constexpr Rgb kOrange{0.98, 0.55, 0.12};
inline constexpr Rgb kGold{1.0, 0.80, 0.20};
inline constexpr Rgb kGoldDark{0.72, 0.48, 0.05};
inline constexpr Rgb kSilver{0.80, 0.84, 0.88};
inline constexpr Rgb kFur{0.55, 0.33, 0.16};
inline constexpr Rgb kFurDark{0.34, 0.19, 0.08};
inline constexpr Rgb kSkin{0.96, 0.78, 0.56};
inline constexpr Rgb kBanana{1.0, 0.88, 0.28};
inline constexpr Rgb kPanelDark{0.16, 0.10, 0.05};  // behind the golden HUD numbers
}  // namespace pal

// Source and path helpers; all take the context first and leave the path in place unless they stroke it.
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
void Circle(cairo_t* cr, double cx, double cy, double r);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Fills the current path (kept) with a vertical gradient from top to bottom colour.
void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom, double alpha = 1.0);
// Fills the current path (kept) with a soft ball shading lit from the upper left.
void FillShaded(cairo_t* cr, double cx, double cy, double r, Rgb c);
void FillFlat(cairo_t* cr, Rgb c, double alpha = 1.0);
// Strokes the current path with the ink outline and clears it.
void Outline(cairo_t* cr, double width = 2.0);
void StrokeColor(cairo_t* cr, Rgb c, double width, double alpha = 1.0);

// Shape in one call: path already built; soft shaded fill then the outline.
void ShadedShape(cairo_t* cr, double cx, double cy, double r, Rgb c, double outline = 2.0);
// A translucent white gloss ellipse (the cartoon highlight).
void Gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.55);
// A four-pointed sparkle star.
void Sparkle(cairo_t* cr, double cx, double cy, double r, double alpha);

// Deterministic random numbers, identical on every machine (the art must not change between builds).
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  uint32_t Next();
  double Unit();                       // 0 <= x < 1
  double Range(double lo, double hi);  // lo <= x < hi

 private:
  uint32_t state_;
};

// Text in one of the font files the build uses ("lobster", "comfortaa-bold", "dejavu-bold"), UTF-8.
struct TextStyle {
  std::string_view font = "comfortaa-bold";
  double size = 20.0;
  Rgb fill = pal::kWhite;
  Rgb outline = pal::kInk;
  double outlineWidth = 0.0;  // 0: no outline
};
// Draws text centred on cx with its baseline at y; returns false when the font file cannot be loaded.
bool CenteredText(cairo_t* cr, std::string_view utf8, double cx, double baseline, const TextStyle& style);
// The same with the text starting at x.
bool LeftText(cairo_t* cr, std::string_view utf8, double x, double baseline, const TextStyle& style);
// The advance of the text as it is drawn, in pixels; -1 when the font file cannot be loaded.
double TextWidth(std::string_view utf8, const TextStyle& style);

// The words a picture writes: each Russian text (UTF-8) in the language the picture is drawn for.
using Words = std::function<std::string(std::string_view russian)>;
// The game's own words, Russian.
std::string Russian(std::string_view text);

// One image of the game: a sheet of equal cells, drawn cell by cell.
struct Picture {
  std::string key;                                // the image name the game looks up
  int cellW = 0, cellH = 0;                       // pattern size
  int count = 1;                                  // patterns
  std::function<void(cairo_t*, int frame)> draw;  // draws one cell in cell coordinates (0,0)-(cellW,cellH)
  bool hasWords = false;                          // writes words, drawn again for every language

  int Columns() const;  // cells per row: as many as fit in 2048 pixels
  int Rows() const;
  int SheetWidth() const { return Columns() * cellW; }
  int SheetHeight() const { return Rows() * cellH; }
};

// Draws every cell of the picture into one ARGB surface (the caller owns the reference).
cairo_surface_t* RenderSheet(const Picture& picture);

// The art subjects, one source file each, in manifest order.
// Those that write words draw them with `words`.
void AddScenery(std::vector<Picture>& out, const Words& words);
void AddBallAndBat(std::vector<Picture>& out);
void AddMonkey(std::vector<Picture>& out);
void AddBricks(std::vector<Picture>& out);
void AddMenuPictures(std::vector<Picture>& out, const Words& words);
void AddBonuses(std::vector<Picture>& out);
void AddKeysAndCages(std::vector<Picture>& out);
void AddAnimals(std::vector<Picture>& out);
void AddStoryActors(std::vector<Picture>& out, const Words& words);
void AddHelpPages(std::vector<Picture>& out, const Words& words);
void AddGuiButtons(std::vector<Picture>& out);
void AddGuiBoards(std::vector<Picture>& out);

std::vector<Picture> AllPictures(const Words& words = Russian);
// The pictures that write words, in manifest order: those a language draws for itself.
std::vector<Picture> WordPictures(const Words& words);

// One text of a help page: where it starts and how far right it may reach (the board's edge, or the
// picture or column beside it); a title is centred on `x`.
struct HelpText {
  std::string text;  // as drawn, UTF-8
  TextStyle style;
  double x = 0, baseline = 0, right = 0;
  bool centred = false;
};
// The texts of help page `page` (0..4) in `words`, as the page draws them.
std::vector<HelpText> HelpPageTexts(int page, const Words& words);

// Paints pattern `frame` of the picture named `key` with its top-left at (x, y), scaled, clipped to its cell.
void PaintPicture(cairo_t* cr, const std::string& key, int frame, double x, double y, double scale = 1.0);

}  // namespace zb::art
