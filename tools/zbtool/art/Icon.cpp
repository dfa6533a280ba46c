// The application icon: the monkey under a row of bricks with the ball, on a rounded jungle tile. One drawing
// in a 256-unit square gives the PNG sizes of the icon theme and the scalable SVG.

#include <cairo-svg.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/zbtool/art/ArtCommand.h"
#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/Foliage.h"

namespace zb::art {
namespace {

constexpr double kUnits = 256;
constexpr int kPngSizes[] = {48, 128, 256};

void Tile(cairo_t* cr) { RoundedRect(cr, 10, 10, kUnits - 20, kUnits - 20, 50); }

void DrawIcon(cairo_t* cr) {
  Tile(cr);
  FillVertical(cr, 10, kUnits - 10, pal::kSkyTop, pal::kSkyLow);
  cairo_save(cr);
  cairo_clip(cr);
  BananaLeaf(cr, -6, 262, 0.55, 170, 62, pal::kLeaf);
  BananaLeaf(cr, 262, 262, -0.6, 160, 58, pal::kLeafDark);
  // Three bricks: the game in one line.
  const char* bricks[3] = {"block1", "block4", "block3"};
  for (int i = 0; i < 3; ++i) PaintPicture(cr, bricks[i], 0, 33 + i * 64, 26, 1.7);
  // The story monkey's head and waving arm, large.
  PaintPicture(cr, "monkey", 0, -8, 84, 0.9);
  PaintPicture(cr, "ball", 0, 184, 92, 3.4);
  cairo_restore(cr);
  Tile(cr);
  Outline(cr, 7);
}

bool WritePng(const std::filesystem::path& file, int size) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, size / kUnits, size / kUnits);
  DrawIcon(cr);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "zbtool icon: cannot write %s: %s\n", file.c_str(), cairo_status_to_string(status));
  }
  return status == CAIRO_STATUS_SUCCESS;
}

bool WriteSvg(const std::filesystem::path& file) {
  cairo_surface_t* surface = cairo_svg_surface_create(file.c_str(), kUnits, kUnits);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  DrawIcon(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "zbtool icon: cannot write %s: %s\n", file.c_str(), cairo_status_to_string(status));
  }
  return status == CAIRO_STATUS_SUCCESS;
}

}  // namespace
}  // namespace zb::art

namespace zb::tool {

int RunIcon(std::span<char* const> args) {
  if (args.size() != 2) {
    std::fputs("usage: zbtool icon OUTDIR NAME\n", stderr);
    return 1;
  }
  const std::filesystem::path out = args[0];
  const std::string name = args[1];
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) {
    std::fprintf(stderr, "zbtool icon: cannot create %s: %s\n", out.c_str(), error.message().c_str());
    return 1;
  }
  for (int size : art::kPngSizes) {
    if (!art::WritePng(out / (name + "-" + std::to_string(size) + ".png"), size)) return 1;
  }
  if (!art::WriteSvg(out / (name + ".svg"))) return 1;
  std::printf("icon %s written to %s: 48, 128 and 256 pixels and scalable\n", name.c_str(), out.c_str());
  return 0;
}

}  // namespace zb::tool
