// zbtool sheet ARCHIVE OUT.png: a contact sheet of every image record of an archive, drawn by the game's own
// image loader and canvas on the headless renderer. Each image gets a caption and its patterns in a row
// (wrapping when wide) over a checkerboard that shows transparency. The renderer draws 800 x 600 frames, so
// the sheet is drawn frame by frame, each frame a window onto it, and the frames are stitched together.

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "engine/PngWriter.h"
#include "engine/platform/headless/Headless.h"
#include "tools/zbtool/art/ArtKit.h"

namespace zb::tool {
namespace {

constexpr int kFrameW = 800, kFrameH = 600;
constexpr int kMargin = 8, kGap = 4, kCaption = 22, kMaxRow = 1600;

struct Cell {
  int pattern, x, y;
};

// One image record and where its caption and patterns go on the sheet.
struct Entry {
  std::string name;
  std::unique_ptr<TGfxImage> image;  // nullptr: the record could not be read
  int captionY = 0;
  std::vector<Cell> cells;
};

// Places every entry; returns the sheet's size.
void Layout(std::vector<Entry>& entries, int& width, int& height) {
  width = kMaxRow + 2 * kMargin;
  int y = kMargin;
  for (auto& e : entries) {
    e.captionY = y;
    y += kCaption;
    if (!e.image) continue;
    const int w = e.image->VisibleWidth(), h = e.image->VisibleHeight();
    int x = kMargin;
    for (int p = 0; p < e.image->PatternCount(); ++p) {
      if (x > kMargin && x + w > kMargin + kMaxRow) {
        x = kMargin;
        y += h + kGap;
      }
      e.cells.push_back({p, x, y});
      width = std::max(width, x + w + kMargin);
      x += w + kGap;
    }
    y += h + kGap * 3;
  }
  height = y + kMargin;
}

// A light and dark grey checkerboard in 8-pixel squares, aligned to the sheet.
void Checker(TGfxCanvas& canvas, int originX, int originY) {
  canvas.FillQuad(RectPoints(0, 0, kFrameW, kFrameH), Colors4(CanvasColor(92, 98, 92, 255)), fxNone);
  for (int y = -(originY % 16); y < kFrameH; y += 8) {
    for (int x = -(originX % 16); x < kFrameW; x += 8) {
      if (((x + originX) / 8 + (y + originY) / 8) % 2 == 0) continue;
      canvas.FillQuad(RectPoints(x, y, x + 8, y + 8), Colors4(CanvasColor(120, 128, 120, 255)), fxNone);
    }
  }
}

bool DrawSheet(std::vector<Entry>& entries, int width, int height, std::vector<uint32_t>& sheet) {
  platform::HeadlessWindow window;
  TGfxDevice device(window, "sheet");
  TGfxCanvas canvas(&device);
  canvas.SetAntialias(false);
  if (!device.Initialize()) return false;
  for (auto& e : entries) {
    if (e.image && !e.image->CreateTextures(*device.Renderer())) {
      std::fprintf(stderr, "zbtool sheet: the renderer refuses the textures of %s\n", e.name.c_str());
      e.image.reset();
      e.cells.clear();
    }
  }
  sheet.assign(static_cast<size_t>(width) * height, 0xFF000000u);
  std::vector<uint32_t> frame;
  for (int oy = 0; oy < height; oy += kFrameH) {
    for (int ox = 0; ox < width; ox += kFrameW) {
      device.OnRender = [&](TGfxDevice&) {
        Checker(canvas, ox, oy);
        for (const auto& e : entries) {
          if (!e.image) continue;
          const int w = e.image->VisibleWidth(), h = e.image->VisibleHeight();
          for (const Cell& c : e.cells) {
            if (c.x + w <= ox || c.x >= ox + kFrameW || c.y + h <= oy || c.y >= oy + kFrameH) continue;
            canvas.DrawImage(e.image.get(), c.pattern, static_cast<float>(c.x - ox),
                             static_cast<float>(c.y - oy), fxBlend);
          }
        }
      };
      int fw = 0, fh = 0;
      if (!device.Render(0xFF000000u, true) || !device.Renderer()->ReadPixels(frame, fw, fh)) return false;
      for (int y = 0; y < fh && oy + y < height; ++y) {
        const int n = std::min(fw, width - ox);
        std::copy_n(frame.begin() + static_cast<size_t>(y) * fw, n,
                    sheet.begin() + static_cast<size_t>(oy + y) * width + ox);
      }
    }
  }
  for (auto& e : entries) {
    if (e.image) e.image->ReleaseTextures();
  }
  device.Finalize();
  return true;
}

// Captions: the name, the pattern size and count (or why the record shows nothing).
void Captions(const std::vector<Entry>& entries, int width, int height, std::vector<uint32_t>& sheet) {
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(sheet.data()), CAIRO_FORMAT_ARGB32, width, height, width * 4);
  cairo_t* cr = cairo_create(surface);
  for (const auto& e : entries) {
    std::string text = e.name;
    if (!e.image) {
      text += "  (unreadable)";
    } else {
      text += "  " + std::to_string(e.image->PatternWidth()) + " x " +
              std::to_string(e.image->PatternHeight()) + ", " + std::to_string(e.image->PatternCount()) +
              (e.image->PatternCount() == 1 ? " pattern" : " patterns");
    }
    cairo_rectangle(cr, 0, e.captionY, width, kCaption - 4);
    cairo_set_source_rgb(cr, 0.12, 0.16, 0.12);
    cairo_fill(cr);
    art::LeftText(cr, text, kMargin, e.captionY + 14,
                  {.font = "dejavu-bold", .size = 12, .fill = art::pal::kWhite, .outlineWidth = 0});
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
}

}  // namespace

int RunSheet(std::span<char* const> args) {
  if (args.size() != 2) {
    std::fputs("usage: zbtool sheet ARCHIVE OUT.png\n", stderr);
    return 1;
  }
  TArchiveDb archive(args[0], TOpenModes::opReadOnly);
  if (!archive.EnsureOpen()) {
    std::fprintf(stderr, "zbtool sheet: cannot read the archive %s\n", args[0]);
    return 1;
  }
  // Each record is loaded on its own, so that a broken one is shown as such and the rest still appear.
  std::vector<Entry> entries;
  for (int i = 0; i < archive.RecordCount(); ++i) {
    if (archive.RecordType(i) != kRecordImage) continue;
    Entry e{archive.RecordKey(i), std::make_unique<TGfxImage>()};
    TMemoryStream stream;
    if (archive.ReadRecord(e.name, stream)) {
      stream.SetPosition(0);
      if (!e.image->LoadFromStream(stream) || e.image->PatternCount() <= 0) e.image.reset();
    } else {
      e.image.reset();
    }
    if (e.image) e.image->Name = e.name;
    entries.push_back(std::move(e));
  }
  if (entries.empty()) {
    std::fprintf(stderr, "zbtool sheet: %s holds no image records\n", args[0]);
    return 1;
  }
  int width = 0, height = 0;
  Layout(entries, width, height);
  std::vector<uint32_t> sheet;
  if (!DrawSheet(entries, width, height, sheet)) {
    std::fputs("zbtool sheet: the headless renderer failed\n", stderr);
    return 1;
  }
  Captions(entries, width, height, sheet);
  if (!WritePng(args[1], sheet.data(), width, height)) {
    std::fprintf(stderr, "zbtool sheet: cannot write %s\n", args[1]);
    return 1;
  }
  int unreadable = 0;
  for (const auto& e : entries) unreadable += e.image ? 0 : 1;
  std::printf("%zu images on a %d x %d sheet%s\n", entries.size(), width, height,
              unreadable ? (", " + std::to_string(unreadable) + " unreadable").c_str() : "");
  return 0;
}

}  // namespace zb::tool
