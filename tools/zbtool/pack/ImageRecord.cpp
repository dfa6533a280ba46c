#include "tools/zbtool/pack/ImageRecord.h"

#include <cairo.h>

#include <algorithm>
#include <memory>

namespace zb::tool {
namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t Unpremultiply(uint32_t p) {
  const uint32_t a = p >> 24;
  if (a == 0) return 0;
  if (a == 255) return p;
  auto channel = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
  return a << 24 | channel((p >> 16) & 0xFF) << 16 | channel((p >> 8) & 0xFF) << 8 | channel(p & 0xFF);
}

}  // namespace

bool ReadPng(const std::filesystem::path& path, Picture& picture, std::string& error) {
  std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
      cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy);
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    error = "cannot read the PNG \"" + path.string() + "\": " + cairo_status_to_string(cairo_surface_status(surface.get()));
    return false;
  }
  cairo_surface_t* s = surface.get();
  const cairo_format_t format = cairo_image_surface_get_format(s);
  picture.width = cairo_image_surface_get_width(s);
  picture.height = cairo_image_surface_get_height(s);
  const int stride = cairo_image_surface_get_stride(s);
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  picture.argb.assign(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height), 0);
  for (int y = 0; y < picture.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    uint32_t* out = picture.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width);
    for (int x = 0; x < picture.width; ++x) {
      if (format == CAIRO_FORMAT_ARGB32) {
        out[x] = Unpremultiply(row[x]);
      } else if (format == CAIRO_FORMAT_RGB24) {
        out[x] = row[x] | 0xFF000000u;
      } else if (format == CAIRO_FORMAT_A8) {
        out[x] = uint32_t{data[static_cast<ptrdiff_t>(y) * stride + x]} << 24 | 0x00FFFFFFu;
      } else {
        error = "unsupported PNG pixel layout in \"" + path.string() + "\"";
        return false;
      }
    }
  }
  return true;
}

void AppendImageHeader(std::vector<uint8_t>& out, int format, int patternWidth, int patternHeight,
                       int visibleWidth, int visibleHeight, int count, int textureWidth, int textureHeight,
                       int textureCount) {
  out.push_back(static_cast<uint8_t>(format));
  for (int v : {patternWidth, patternHeight, visibleWidth, visibleHeight, count, textureWidth, textureHeight,
                textureCount}) {
    Put32(out, static_cast<uint32_t>(v));
  }
}

bool EncodeImageRecord(const Picture& sheet, int pw, int ph, int vw, int vh, int count,
                       std::vector<uint8_t>& record, std::string& error) {
  if (pw <= 0 || ph <= 0 || pw > sheet.width || ph > sheet.height || pw > kMaxTextureSize ||
      ph > kMaxTextureSize) {
    error = "the cell " + std::to_string(pw) + " x " + std::to_string(ph) + " does not fit the " +
            std::to_string(sheet.width) + " x " + std::to_string(sheet.height) + " sheet";
    return false;
  }
  if (vw == 0) vw = pw;
  if (vh == 0) vh = ph;
  if (vw > pw || vh > ph) {
    error = "the visible size is larger than the cell";
    return false;
  }
  const int sheetColumns = sheet.width / pw;
  const int cells = sheetColumns * (sheet.height / ph);
  if (count == 0) count = cells;
  if (count > cells) {
    error = "COUNT " + std::to_string(count) + " is more than the sheet's " + std::to_string(cells) + " cells";
    return false;
  }

  int textureWidth = sheet.width, textureHeight = sheet.height, textureCount = 1;
  int columns = sheetColumns, rows = sheet.height / ph;
  const bool split = sheet.width > kMaxTextureSize || sheet.height > kMaxTextureSize;
  if (split) {
    columns = std::min(sheetColumns, kMaxTextureSize / pw);
    rows = std::min((count + columns - 1) / columns, kMaxTextureSize / ph);
    textureWidth = columns * pw;
    textureHeight = rows * ph;
    textureCount = (count + columns * rows - 1) / (columns * rows);
  }

  record.clear();
  AppendImageHeader(record, 5, pw, ph, vw, vh, count, textureWidth, textureHeight, textureCount);
  std::vector<uint32_t> texture;
  for (int t = 0; t < textureCount; ++t) {
    if (!split) {
      texture = sheet.argb;
    } else {
      texture.assign(static_cast<size_t>(textureWidth) * static_cast<size_t>(textureHeight), 0);
      for (int slot = 0; slot < columns * rows; ++slot) {
        const int cell = t * columns * rows + slot;
        if (cell >= count) break;
        const int sx = (cell % sheetColumns) * pw, sy = (cell / sheetColumns) * ph;
        const int tx = (slot % columns) * pw, ty = (slot / columns) * ph;
        for (int y = 0; y < ph; ++y) {
          std::copy_n(sheet.argb.begin() + (static_cast<ptrdiff_t>(sy + y) * sheet.width + sx), pw,
                      texture.begin() + (static_cast<ptrdiff_t>(ty + y) * textureWidth + tx));
        }
      }
    }
    for (uint32_t p : texture) Put32(record, p);
  }
  return true;
}

}  // namespace zb::tool
