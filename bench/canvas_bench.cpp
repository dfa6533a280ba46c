// The canvas measured: quads per second through the canvas against raw SDL_RenderGeometry of the same
// quads on the same software renderer, the canvas's own submission with a renderer that draws nothing,
// and the loading of both data archives of the game folder (argument 1, default ../game beside this
// program). Prints figures only.

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "engine/ArchiveDb.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/platform/headless/Headless.h"
#include "engine/platform/headless/RendererWindow.h"
#include "engine/platform/sdl/SdlRenderer.h"

namespace {

using Clock = std::chrono::steady_clock;
double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

class NullRenderer final : public zb::platform::Renderer {
 public:
  int Width() const override { return 800; }
  int Height() const override { return 600; }
  zb::platform::TextureId CreateTexture(int, int, const uint32_t*) override { return ++last_; }
  void DestroyTexture(zb::platform::TextureId) override {}
  void DrawGeometry(zb::platform::TextureId, const zb::platform::Vertex* v, int vertexCount, const int*,
                    int indexCount, int, bool) override {
    vertices += vertexCount + indexCount + static_cast<int>(v[0].x);  // keep the batch observable
  }
  void SetClip(const zb::platform::IntRect*) override {}
  zb::platform::IntRect Clip() const override { return {0, 0, 800, 600}; }
  void Clear(uint32_t) override {}
  void Present() override {}
  bool ReadPixels(std::vector<uint32_t>&, int&, int&) override { return false; }
  long long vertices = 0;

 private:
  zb::platform::TextureId last_ = 0;
};

// A 4 x 4 sheet of 16 x 16 patterns, opaque in the middle.
void LoadSheet(zb::TGfxImage& image) {
  std::vector<uint8_t> record = {5};
  auto put = [&record](uint32_t v) {
    for (int i = 0; i < 4; ++i) record.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  for (int v : {16, 16, 16, 16, 16, 64, 64, 1}) put(static_cast<uint32_t>(v));
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) put(((x % 16) > 2 && (y % 16) > 2) ? 0xFF80C040u : 0x40FFFFFFu);
  }
  zb::TMemoryStream stream(std::move(record));
  image.LoadFromStream(stream);
}

struct Quad {
  float x, y, angle;
  int pattern;
};

std::vector<Quad> MakeQuads(int count) {
  std::mt19937 random(7);
  std::vector<Quad> quads(static_cast<size_t>(count));
  for (Quad& q : quads) {
    q = {static_cast<float>(random() % 780), static_cast<float>(random() % 580),
         static_cast<float>(random() % 628) / 100.0f, static_cast<int>(random() % 16)};
  }
  return quads;
}

// The canvas, then the same vertices straight into SDL_RenderGeometry in batches of the same size.
void CompareWithRaw(const std::vector<Quad>& quads, bool rotated) {
  zb::platform::HeadlessWindow window;
  zb::TGfxDevice device(window, "bench");
  device.Initialize();
  zb::TGfxCanvas canvas(&device);
  canvas.SetAntialias(false);
  zb::TGfxImage image;
  LoadSheet(image);
  image.CreateTextures(*device.Renderer());
  auto* sdl = dynamic_cast<zb::platform::SdlRenderer*>(device.Renderer());
  SDL_Renderer* native = sdl->Native();

  auto drawCanvas = [&] {
    for (const Quad& q : quads) {
      if (rotated) {
        canvas.DrawPatternRotated(&image, q.pattern, q.x, q.y, q.angle, 1, 1, false, false,
                                  zb::Colors4(0xFFFFFFFFu), zb::fxBlend);
      } else {
        canvas.DrawImage(&image, q.pattern, q.x, q.y, zb::fxBlend);
      }
    }
    canvas.Flush();
    SDL_RenderFlush(native);
  };

  // The raw side gets the canvas's own vertices, recorded once, and the same batch size.
  std::vector<SDL_Vertex> vertices;
  zb::TGfxImage probe;
  LoadSheet(probe);
  for (const Quad& q : quads) {
    zb::TPatternPlacement place;
    zb::TPatternSource source;
    source.Pattern = q.pattern;
    probe.Place(source, place);
    const float c = std::cos(q.angle), s = std::sin(q.angle);
    const float corners[4][2] = {{-8, -8}, {8, -8}, {8, 8}, {-8, 8}};
    for (int i = 0; i < 4; ++i) {
      SDL_Vertex v{};
      if (rotated) {
        v.position = {q.x + corners[i][0] * c - corners[i][1] * s, q.y + corners[i][0] * s + corners[i][1] * c};
      } else {
        v.position = {q.x + (i == 1 || i == 2 ? 16.0f : 0.0f), q.y + (i >= 2 ? 16.0f : 0.0f)};
      }
      v.color = {255, 255, 255, 255};
      v.tex_coord = {place.U[i], place.V[i]};
      vertices.push_back(v);
    }
  }
  const int perBatch = canvas.VertexCache() / 6;
  std::vector<int> indices;
  for (int q = 0; q < perBatch; ++q) {
    for (int k : {0, 1, 3, 1, 2, 3}) indices.push_back(q * 4 + k);
  }
  SDL_Texture* texture = SDL_CreateTexture(native, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 64, 64);
  SDL_UpdateTexture(texture, nullptr, image.Pixels(0).data(), 64 * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  auto drawRaw = [&] {
    const int total = static_cast<int>(quads.size());
    for (int first = 0; first < total; first += perBatch) {
      const int n = std::min(perBatch, total - first);
      SDL_RenderGeometry(native, texture, vertices.data() + first * 4, n * 4, indices.data(), n * 6);
    }
    SDL_RenderFlush(native);
  };

  drawCanvas();
  drawRaw();
  const int rounds = 5;
  double canvasTime = 0, rawTime = 0;
  for (int r = 0; r < rounds; ++r) {
    auto t = Clock::now();
    drawCanvas();
    canvasTime += Seconds(t);
    t = Clock::now();
    drawRaw();
    rawTime += Seconds(t);
  }
  const double n = static_cast<double>(quads.size()) * rounds;
  std::printf("%-9s quads on the software renderer: canvas %.2f M/s, raw SDL_RenderGeometry %.2f M/s, "
              "canvas time / raw time %.2f\n",
              rotated ? "turned" : "upright", n / canvasTime / 1e6, n / rawTime / 1e6, canvasTime / rawTime);
  SDL_DestroyTexture(texture);
  image.ReleaseTextures();
}

void Submission(const std::vector<Quad>& quads, bool rotated) {
  NullRenderer renderer;
  zb::platform::RendererWindow window(renderer);
  zb::TGfxDevice device(window, "bench");
  device.Initialize();
  zb::TGfxCanvas canvas(&device);
  zb::TGfxImage image;
  LoadSheet(image);
  image.CreateTextures(renderer);
  const int rounds = 50;
  const auto t = Clock::now();
  for (int r = 0; r < rounds; ++r) {
    for (const Quad& q : quads) {
      if (rotated) {
        canvas.DrawPatternRotated(&image, q.pattern, q.x, q.y, q.angle, 1, 1, false, false,
                                  zb::Colors4(0xFFFFFFFFu), zb::fxBlend);
      } else {
        canvas.DrawImage(&image, q.pattern, q.x, q.y, zb::fxBlend);
      }
    }
    canvas.Flush();
  }
  const double seconds = Seconds(t);
  std::printf("canvas submission alone (%s, nothing drawn): %.1f M quads/s (%lld vertices seen)\n",
              rotated ? "turned" : "upright", quads.size() * double(rounds) / seconds / 1e6, renderer.vertices);
}

void Loading(const std::filesystem::path& folder) {
  NullRenderer renderer;
  zb::platform::RendererWindow window(renderer);
  zb::TGfxDevice device(window, "bench");
  device.Initialize();
  zb::TGfxCanvas canvas(&device);
  double best = 1e9;
  int images = 0, fonts = 0;
  for (int round = 0; round < 5; ++round) {
    zb::TGfxImages imageList(&device);
    zb::TGfxFonts fontList(&device, &canvas);
    zb::TArchiveDb archive(folder / "Data/data.zbx", zb::TOpenModes::opReadOnly);
    zb::TArchiveDb archive2(folder / "Data/data1.zbx", zb::TOpenModes::opReadOnly);
    const auto t = Clock::now();
    const bool ok = imageList.LoadFromArchive(archive) && fontList.LoadFromArchive(archive) &&
                    fontList.LoadFromArchive(archive2);
    best = std::min(best, Seconds(t));
    if (!ok) {
      std::printf("loading the archives of %s failed\n", folder.c_str());
      return;
    }
    images = imageList.Count();
    fonts = fontList.Count();
  }
  std::printf("loading both archives (%d images, %d fonts, %d records): %.1f ms (best of 5)\n", images, fonts,
              [&] {
                zb::TArchiveDb a(folder / "Data/data.zbx", zb::TOpenModes::opReadOnly);
                a.EnsureOpen();
                return a.RecordCount();
              }(),
              best * 1000);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder =
      argc > 1 ? std::filesystem::path(argv[1])
               : std::filesystem::absolute(argv[0]).parent_path().parent_path() / "game";
  const std::vector<Quad> quads = MakeQuads(20000);
  CompareWithRaw(quads, false);
  CompareWithRaw(quads, true);
  Submission(quads, false);
  Submission(quads, true);
  Loading(folder);
  return 0;
}
