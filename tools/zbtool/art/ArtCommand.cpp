#include "tools/zbtool/art/ArtCommand.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/FileRead.h"
#include "engine/MoCatalogue.h"
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

// Takes "--lang CATALOGUE.mo" out of `args`: the words of that catalogue (a text it lacks stays
// Russian), or the Russian ones without the option. False when the catalogue cannot be read.
bool TakeWords(std::vector<char*>& args, art::Words& words, bool& translated, const char* command) {
  words = art::Russian;
  translated = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (std::string_view(args[i]) != "--lang") continue;
    if (i + 1 >= args.size()) {
      std::fprintf(stderr, "zbtool %s: --lang needs a compiled catalogue\n", command);
      return false;
    }
    const FileReadResult read = ReadFileText(args[i + 1]);
    std::string error = read.ok ? std::string() : read.code.message();
    std::optional<TMoCatalogue> catalogue = read.ok ? TMoCatalogue::Parse(read.bytes, &error) : std::nullopt;
    if (!catalogue) {
      std::fprintf(stderr, "zbtool %s: %s: %s\n", command, args[i + 1], error.c_str());
      return false;
    }
    words = [shared = std::make_shared<const TMoCatalogue>(std::move(*catalogue))](std::string_view russian) {
      const std::string* shown = shared->Find(russian);
      return shown ? *shown : std::string(russian);
    };
    translated = true;
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

// Every help page's text measured against the room it has; false, naming each, when one overflows.
bool HelpTextsFit(const art::Words& words) {
  bool fit = true;
  for (int page = 0; page < 5; ++page) {
    for (const art::HelpText& text : art::HelpPageTexts(page, words)) {
      const double width = art::TextWidth(text.text, text.style);
      const double room = text.centred ? 2 * (text.right - text.x) : text.right - text.x;
      if (width >= 0 && width <= room) continue;
      std::fprintf(stderr, "scr_help%d: \"%s\" is %.0f pixels wide, %.0f fit\n", page + 1, text.text.c_str(), width,
                   room);
      fit = false;
    }
  }
  return fit;
}

}  // namespace

int RunArt(std::span<char* const> given) {
  std::vector<char*> args(given.begin(), given.end());
  art::Words words;
  bool translated = false;
  if (!TakeWords(args, words, translated, "art")) return 1;
  if (args.empty()) {
    std::fputs("usage: zbtool art OUTDIR [--lang CATALOGUE.mo] [IMAGE...] | zbtool art --list [--words]"
               " | zbtool art --fit [--lang CATALOGUE.mo]\n", stderr);
    return 1;
  }
  if (std::string_view(args[0]) == "--fit") return HelpTextsFit(words) ? 0 : 1;
  if (std::string_view(args[0]) == "--list") {
    // The manifest lines of what this tool draws, for checking assets/art/images.manifest; with
    // --words those a language draws for itself (assets/lang/pictures.manifest).
    const bool only = args.size() > 1 && std::string_view(args[1]) == "--words";
    for (const auto& p : only ? art::WordPictures(words) : art::AllPictures()) {
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

  // A language draws only the pictures that write words; the rest are the game's own.
  const std::vector<art::Picture> pictures = translated ? art::WordPictures(words) : art::AllPictures();
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

int RunShareArt(std::span<char* const> given) {
  std::vector<char*> args(given.begin(), given.end());
  art::Words words;
  bool translated = false;
  if (!TakeWords(args, words, translated, "share-art")) return 1;
  if (args.size() != 1) {
    std::fputs("usage: zbtool share-art OUTDIR [--lang CATALOGUE.mo]\n", stderr);
    return 1;
  }
  const std::filesystem::path out = args[0];
  if (!MakeFolder(out, "share-art")) return 1;
  int written = 0;
  for (const auto& picture : art::SharePictures(words)) {
    if (!WritePicture(picture, out, "share-art")) return 1;
    ++written;
  }
  std::printf("%d share page pictures written to %s\n", written, out.c_str());
  return 0;
}

}  // namespace zb::tool
