#include "tools/zbtool/art/ArtCommand.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "tools/zbtool/art/ArtKit.h"
#include "tools/zbtool/art/SharePage.h"

namespace zb::tool {
namespace {

bool WritePicture(const art::Picture& picture, const std::filesystem::path& out, const char* command) {
  cairo_surface_t* sheet = art::RenderSheet(picture);
  const std::string file = (out / (picture.key + ".png")).string();
  const cairo_status_t status = cairo_surface_write_to_png(sheet, file.c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "zbtool %s: cannot write %s: %s\n", command, file.c_str(), cairo_status_to_string(status));
    return false;
  }
  return true;
}

bool MakeFolder(const std::filesystem::path& out, const char* command) {
  std::error_code error;
  std::filesystem::create_directories(out, error);
  if (error) std::fprintf(stderr, "zbtool %s: cannot create %s: %s\n", command, out.c_str(), error.message().c_str());
  return !error;
}

}  // namespace

int RunArt(std::span<char* const> args) {
  if (args.empty()) {
    std::fputs("usage: zbtool art OUTDIR [IMAGE...] | zbtool art --list\n", stderr);
    return 1;
  }
  if (std::string_view(args[0]) == "--list") {
    // The manifest lines of what this tool draws, for checking assets/art/images.manifest.
    for (const auto& p : art::AllPictures()) {
      std::printf("image %s art/%s.png %d %d", p.key.c_str(), p.key.c_str(), p.cellW, p.cellH);
      if (p.count != p.Columns() * p.Rows()) std::printf(" %d %d %d", p.cellW, p.cellH, p.count);
      std::printf("\n");
    }
    return 0;
  }
  const std::filesystem::path out = args[0];
  if (!MakeFolder(out, "art")) return 1;
  std::set<std::string> wanted;
  for (size_t i = 1; i < args.size(); ++i) wanted.insert(args[i]);

  const std::vector<art::Picture> pictures = art::AllPictures();
  std::set<std::string> known;
  for (const auto& p : pictures) known.insert(p.key);
  for (const auto& w : wanted) {
    if (!known.count(w)) {
      std::fprintf(stderr, "zbtool art: no image named '%s'\n", w.c_str());
      return 1;
    }
  }

  int written = 0;
  for (const auto& picture : pictures) {
    if (!wanted.empty() && !wanted.count(picture.key)) continue;
    if (!WritePicture(picture, out, "art")) return 1;
    ++written;
  }
  std::printf("%d images written to %s\n", written, out.c_str());
  return 0;
}

int RunShareArt(std::span<char* const> args) {
  if (args.size() != 1) {
    std::fputs("usage: zbtool share-art OUTDIR\n", stderr);
    return 1;
  }
  const std::filesystem::path out = args[0];
  if (!MakeFolder(out, "share-art")) return 1;
  int written = 0;
  for (const auto& picture : art::SharePictures()) {
    if (!WritePicture(picture, out, "share-art")) return 1;
    ++written;
  }
  std::printf("%d share page pictures written to %s\n", written, out.c_str());
  return 0;
}

}  // namespace zb::tool
