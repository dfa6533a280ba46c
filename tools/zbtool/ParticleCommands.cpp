// zbtool particle, simulate and preview: compile a template's text, and run or picture a
// template of an archive the way the game does.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/FileRead.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDevices.h"
#include "engine/GfxImages.h"
#include "engine/PngWriter.h"
#include "engine/XParticles.h"
#include "engine/platform/headless/Headless.h"
#include "tools/zbtool/ParticleTemplateText.h"

namespace zb::tool {
namespace {

bool ParseCount(const char* text, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 0 || v > 100000000) return false;
  value = static_cast<int>(v);
  return true;
}

bool ParseDelta(const char* text, float& value) {
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (end == text || *end != '\0' || !(v >= 0.0 && v <= 1000.0)) return false;
  value = static_cast<float>(v);
  return true;
}

// The manager of a fresh game for ARCHIVE, or an error message.
bool LoadManager(const char* archivePath, TArchiveDb& archive, TXParticleManager& manager) {
  archive.SetFileName(archivePath);
  archive.SetOpenMode(TOpenModes::opReadOnly);
  if (!archive.EnsureOpen()) {
    std::fprintf(stderr, "zbtool: cannot read the archive %s\n", archivePath);
    return false;
  }
  manager.LoadFromArchive(archive);
  return true;
}

struct RunArgs {
  const char* archive;
  const char* name;
  int steps;
  float delta;
};

bool ParseRunArgs(std::span<char* const> args, size_t count, RunArgs& run) {
  if (args.size() != count) return false;
  run.archive = args[0];
  run.name = args[1];
  return ParseCount(args[2], run.steps) && ParseDelta(args[3], run.delta);
}

}  // namespace

int RunParticleCompile(std::span<char* const> args) {
  if (args.size() != 2) {
    std::fputs("usage: zbtool particle SOURCE.txt OUT.pss\n", stderr);
    return 1;
  }
  const FileReadResult in = ReadFileText(args[0]);
  if (!in.ok) {
    std::fprintf(stderr, "zbtool: %s\n", in.error.c_str());
    return 1;
  }
  TParticleTemplate t;
  std::string error;
  if (!ParseParticleTemplate(in.bytes, t, error)) {
    std::fprintf(stderr, "%s: %s\n", args[0], error.c_str());
    return 1;
  }
  const auto bytes = t.Encode();
  std::ofstream out(args[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) {
    std::fprintf(stderr, "zbtool: cannot write %s\n", args[1]);
    return 1;
  }
  return 0;
}

int RunSimulate(std::span<char* const> args) {
  RunArgs run{};
  if (!ParseRunArgs(args, 4, run)) {
    std::fputs("usage: zbtool simulate ARCHIVE NAME STEPS DELTA\n", stderr);
    return 1;
  }
  TArchiveDb archive;
  TXParticleManager manager;
  if (!LoadManager(run.archive, archive, manager)) return 1;
  const TXParticleRef system = manager.Spawn(run.name, 400.0f, 300.0f);
  if (!system) {
    std::fprintf(stderr, "zbtool: no template named %s in %s\n", run.name, run.archive);
    return 1;
  }
  for (int step = 1; step <= run.steps; ++step) {
    manager.UpdateAll(run.delta);
    const TXParticleSystem* s = system.Get();
    if (s == nullptr) {
      std::printf("%d gone - -\n", step);
    } else if (s->Count() == 0) {
      std::printf("%d 0 - -\n", step);
    } else {
      const TXParticle& first = s->Particles()[0];
      std::printf("%d %d %.3f %.3f\n", step, s->Count(), static_cast<double>(first.X),
                  static_cast<double>(first.Y));
    }
  }
  return 0;
}

int RunPreview(std::span<char* const> args) {
  RunArgs run{};
  if (!ParseRunArgs(args, 5, run)) {
    std::fputs("usage: zbtool preview ARCHIVE NAME STEPS DELTA OUT.png\n", stderr);
    return 1;
  }
  const char* outPath = args[4];
  platform::HeadlessWindow window;
  TGfxDevice device(window, "Zumbala");
  TGfxImages images(&device);
  TGfxCanvas canvas(&device);
  TArchiveDb archive;
  archive.SetFileName(run.archive);
  archive.SetOpenMode(TOpenModes::opReadOnly);
  bool imagesLoaded = false;
  device.OnInitialize = [&](TGfxDevice&, bool& success) {
    imagesLoaded = images.LoadFromArchive(archive);
    success = true;
  };
  if (!device.Initialize()) {
    std::fputs("zbtool: the headless device did not start\n", stderr);
    return 1;
  }
  TXParticleManager manager;
  if (!LoadManager(run.archive, archive, manager)) return 1;
  if (!imagesLoaded) std::fprintf(stderr, "zbtool: warning: not every image of %s loaded\n", run.archive);
  manager.Canvas = &canvas;
  manager.Image = images.FindImage("particles");
  if (manager.Image == nullptr) {
    std::fprintf(stderr, "zbtool: %s has no image named particles\n", run.archive);
    return 1;
  }
  const TXParticleRef system = manager.Spawn(run.name, 400.0f, 300.0f);
  if (!system) {
    std::fprintf(stderr, "zbtool: no template named %s in %s\n", run.name, run.archive);
    return 1;
  }
  for (int step = 0; step < run.steps; ++step) manager.UpdateAll(run.delta);
  device.OnRender = [&](TGfxDevice&) { system.Draw(canvas, 0.0f, 0.0f); };
  device.Render(0xFF000000u, true);
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  platform::Renderer* renderer = device.Renderer();
  if (renderer == nullptr || !renderer->ReadPixels(pixels, width, height) ||
      !WritePng(outPath, pixels.data(), width, height)) {
    std::fprintf(stderr, "zbtool: cannot write %s\n", outPath);
    return 1;
  }
  std::printf("%s: %d particles after %d steps\n", outPath, system.Count(), run.steps);
  device.Finalize();
  return 0;
}

}  // namespace zb::tool
