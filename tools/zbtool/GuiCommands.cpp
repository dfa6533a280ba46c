#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxFonts.h"
#include "engine/FileRead.h"
#include "engine/Language.h"
#include "gui/GuiReader.h"
#include "gui/GuiTaskbar.h"
#include "tools/zbtool/GuiLayout.h"
#include "tools/zbtool/ImageManifest.h"

namespace zb::tool {
namespace {

void PrintTree(const TGuiControl& control, int depth) {
  for (int i = 0; i < control.ControlCount(); ++i) {
    const TGuiControl& c = *control.GetControl(i);
    std::printf("%d %s %s %d %d %d %d %d %d\n", depth, c.TypeName().c_str(), c.Name.c_str(), c.Left(),
                c.Top(), c.Width(), c.Height(), c.Visible() ? 1 : 0, c.Enabled() ? 1 : 0);
    PrintTree(c, depth + 1);
  }
}

}  // namespace

int RunGui(std::span<char* const> args) {
  if (args.size() != 1) {
    std::fputs("usage: zbtool gui FILE\n", stderr);
    return 1;
  }
  FileReadResult file = ReadFileText(args[0]);
  if (!file.ok) {
    std::fprintf(stderr, "zbtool: %s\n", file.error.c_str());
    return 1;
  }
  std::istringstream in(std::move(file.bytes));
  TGuiTaskbar root;
  std::string error;
  const bool loaded = LoadFromStream(root, in, &error);
  PrintTree(root, 0);
  if (!loaded) {
    std::fflush(stdout);
    std::fprintf(stderr, "zbtool: %s: %s\n", args[0], error.c_str());
    return 1;
  }
  return 0;
}

int RunGuiCompile(std::span<char* const> args) {
  // --fonts ARCHIVE (any number, in the game's load order) may stand anywhere among the arguments.
  std::vector<char*> rest;
  TGfxFonts fonts;
  bool measure = false;
  std::vector<TLanguage> languages;
  for (size_t i = 0; i < args.size(); ++i) {
    if (std::string_view(args[i]) == "--lang" && i + 1 < args.size()) {
      const std::filesystem::path catalogue = args[++i];
      std::string error;
      std::optional<TLanguage> language = LoadLanguage(catalogue.stem().string(), catalogue, &error);
      if (!language) {
        std::fprintf(stderr, "zbtool: %s: %s\n", args[i], error.c_str());
        return 1;
      }
      languages.push_back(std::move(*language));
      continue;
    }
    if (std::string_view(args[i]) != "--fonts") {
      rest.push_back(args[i]);
      continue;
    }
    if (i + 1 == args.size()) {
      rest.clear();
      break;
    }
    TArchiveDb archive(args[++i], TOpenModes::opReadOnly);
    if (!fonts.LoadFromArchive(archive)) {
      std::fprintf(stderr, "zbtool: cannot read the fonts of \"%s\"\n", args[i]);
      return 1;
    }
    measure = true;
  }
  if (rest.size() < 3) {
    std::fputs("usage: zbtool gui-compile OUT MANIFEST SOURCE... [--fonts ARCHIVE]... [--lang CATALOGUE.mo]...\n", stderr);
    return 1;
  }
  std::vector<std::string> keys;
  std::string error;
  if (!ReadImageKeys(rest[1], keys, error)) {
    std::fprintf(stderr, "zbtool: %s\n", error.c_str());
    return 1;
  }
  std::vector<GuiLayoutSource> sources;
  for (size_t i = 2; i < rest.size(); ++i) {
    FileReadResult in = ReadFileText(rest[i]);
    if (!in.ok) {
      std::fprintf(stderr, "zbtool: the layout %s\n", in.error.c_str());
      return 1;
    }
    sources.push_back({rest[i], std::move(in.bytes)});
  }
  const GuiLayoutResult result = CompileGuiLayouts(sources, keys, measure ? &fonts : nullptr, languages);
  if (!result.error.empty()) {
    std::fprintf(stderr, "zbtool: %s\n", result.error.c_str());
    return 1;
  }
  std::ofstream out(rest[0], std::ios::binary);
  out.write(result.bytes.data(), static_cast<std::streamsize>(result.bytes.size()));
  if (!out) {
    std::fprintf(stderr, "zbtool: cannot write \"%s\"\n", rest[0]);
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
