#include <cstdio>
#include <fstream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "engine/FileRead.h"
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
  if (args.size() < 3) {
    std::fputs("usage: zbtool gui-compile OUT MANIFEST SOURCE...\n", stderr);
    return 1;
  }
  std::vector<std::string> keys;
  std::string error;
  if (!ReadImageKeys(args[1], keys, error)) {
    std::fprintf(stderr, "zbtool: %s\n", error.c_str());
    return 1;
  }
  std::vector<GuiLayoutSource> sources;
  for (size_t i = 2; i < args.size(); ++i) {
    FileReadResult in = ReadFileText(args[i]);
    if (!in.ok) {
      std::fprintf(stderr, "zbtool: the layout %s\n", in.error.c_str());
      return 1;
    }
    sources.push_back({args[i], std::move(in.bytes)});
  }
  const GuiLayoutResult result = CompileGuiLayouts(sources, keys);
  if (!result.error.empty()) {
    std::fprintf(stderr, "zbtool: %s\n", result.error.c_str());
    return 1;
  }
  std::ofstream out(args[0], std::ios::binary);
  out.write(result.bytes.data(), static_cast<std::streamsize>(result.bytes.size()));
  if (!out) {
    std::fprintf(stderr, "zbtool: cannot write \"%s\"\n", args[0]);
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
