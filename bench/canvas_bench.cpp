// The canvas measured on the software renderer against the raw SDL calls that do the same work:
// upright quads as copies against SDL_RenderCopy, turned quads as triangles against
// SDL_RenderGeometry (and as kept turned frames), untextured quads against SDL_RenderFillRect; then
// the canvas's own submission with a renderer that draws nothing, and the loading of both data
// archives of the game folder (argument 1, default the build's game folder). Prints figures only.

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
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

struct Rig {
  zb::platform::HeadlessWindow window;
  zb::TGfxDevice device{window, "bench"};
  std::unique_ptr<zb::TGfxCanvas> canvas;
  zb::TGfxImage image;
  SDL_Renderer* native = nullptr;
  SDL_Texture* texture = nullptr;  // the sheet again, for the raw calls

  Rig() {
    device.Initialize();
    canvas = std::make_unique<zb::TGfxCanvas>(&device);
    canvas->SetAntialias(false);
    LoadSheet(image);
    image.CreateTextures(*device.Renderer());
    native = dynamic_cast<zb::platform::SdlRenderer*>(device.Renderer())->Native();
    texture = SDL_CreateTexture(native, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 64, 64);
    SDL_UpdateTexture(texture, nullptr, image.Pixels(0).data(), 64 * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  }
  ~Rig() {
    SDL_DestroyTexture(texture);
    image.ReleaseTextures();
  }
};

// Seconds per round of `draw`, the best of five after one to warm up.
template <typename Draw>
double Time(Draw draw) {
  draw();
  double best = 1e9;
  for (int r = 0; r < 5; ++r) {
    const auto t = Clock::now();
    draw();
    best = std::min(best, Seconds(t));
  }
  return best;
}

void Report(const char* what, const char* canvasWay, const char* rawWay, size_t count, double canvas,
            double raw) {
  const double n = static_cast<double>(count);
  std::printf("%-24s canvas (%s) %6.2f M/s, raw %s %6.2f M/s, canvas time / raw time %.2f\n", what, canvasWay,
              n / canvas / 1e6, rawWay, n / raw / 1e6, canvas / raw);
}

// Upright patterns: the canvas copies them on the software renderer, so the raw side copies too.
void UprightCopies(const std::vector<Quad>& quads) {
  Rig rig;
  const double canvas = Time([&] {
    for (const Quad& q : quads) rig.canvas->DrawImage(&rig.image, q.pattern, q.x, q.y, zb::fxBlend);
    rig.canvas->Flush();
    SDL_RenderFlush(rig.native);
  });
  const double raw = Time([&] {
    for (const Quad& q : quads) {
      const SDL_Rect source{(q.pattern % 4) * 16, (q.pattern / 4) * 16, 16, 16};
      const SDL_FRect target{q.x, q.y, 16, 16};
      SDL_RenderCopyF(rig.native, rig.texture, &source, &target);
    }
    SDL_RenderFlush(rig.native);
  });
  Report("upright quads", "copies", "SDL_RenderCopy", quads.size(), canvas, raw);
}

// Turned patterns go through the triangle filler on both sides, in batches of the same size; then
// the canvas's kept turned frames for the same patterns at a few angles, as the swaying plants use.
void TurnedGeometry(const std::vector<Quad>& quads) {
  Rig rig;
  const double canvas = Time([&] {
    for (const Quad& q : quads) {
      rig.canvas->DrawPatternRotated(&rig.image, q.pattern, q.x, q.y, q.angle, 1, 1, false, false,
                                     zb::Colors4(0xFFFFFFFFu), zb::fxBlend);
    }
    rig.canvas->Flush();
    SDL_RenderFlush(rig.native);
  });
  std::vector<SDL_Vertex> vertices;
  for (const Quad& q : quads) {
    zb::TPatternPlacement place;
    zb::TPatternSource source;
    source.Pattern = q.pattern;
    rig.image.Place(source, place);
    const float c = std::cos(q.angle), s = std::sin(q.angle);
    const float corners[4][2] = {{-8, -8}, {8, -8}, {8, 8}, {-8, 8}};
    for (int i = 0; i < 4; ++i) {
      SDL_Vertex v{};
      v.position = {q.x + corners[i][0] * c - corners[i][1] * s, q.y + corners[i][0] * s + corners[i][1] * c};
      v.color = {255, 255, 255, 255};
      v.tex_coord = {place.U[i], place.V[i]};
      vertices.push_back(v);
    }
  }
  const int perBatch = rig.canvas->VertexCache() / 6;
  std::vector<int> indices;
  for (int q = 0; q < perBatch; ++q) {
    for (int k : {0, 1, 3, 1, 2, 3}) indices.push_back(q * 4 + k);
  }
  const double raw = Time([&] {
    const int total = static_cast<int>(quads.size());
    for (int first = 0; first < total; first += perBatch) {
      const int n = std::min(perBatch, total - first);
      SDL_RenderGeometry(rig.native, rig.texture, vertices.data() + first * 4, n * 4, indices.data(), n * 6);
    }
    SDL_RenderFlush(rig.native);
  });
  Report("turned quads", "triangles", "SDL_RenderGeometry", quads.size(), canvas, raw);

  const double kept = Time([&] {
    for (const Quad& q : quads) {
      rig.canvas->DrawPatternTurned(&rig.image, q.pattern, std::floor(q.x), std::floor(q.y),
                                    static_cast<float>(static_cast<int>(q.angle * 4)) / 4, 1, 1, false, false,
                                    zb::Colors4(0xFFFFFFFFu), zb::fxBlend);
    }
    rig.canvas->Flush();
    SDL_RenderFlush(rig.native);
  });
  Report("turned quads, kept", "turned once, copied", "SDL_RenderGeometry", quads.size(), kept, raw);
}

// Untextured upright quads: the canvas fills rectangles on the software renderer, so does the raw side.
void UprightFills(const std::vector<Quad>& quads) {
  Rig rig;
  const double canvas = Time([&] {
    for (const Quad& q : quads) {
      rig.canvas->FillQuad(zb::RectPoints(q.x, q.y, q.x + 16, q.y + 16), zb::Colors4(0x8040C080u), zb::fxBlend);
    }
    rig.canvas->Flush();
    SDL_RenderFlush(rig.native);
  });
  const double raw = Time([&] {
    SDL_SetRenderDrawBlendMode(rig.native, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(rig.native, 0x80, 0xC0, 0x40, 0x80);
    for (const Quad& q : quads) {
      const SDL_Rect r{static_cast<int>(q.x), static_cast<int>(q.y), 16, 16};
      SDL_RenderFillRect(rig.native, &r);
    }
    SDL_RenderFlush(rig.native);
  });
  Report("untextured quads", "rectangles", "SDL_RenderFillRect", quads.size(), canvas, raw);
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
  const std::filesystem::path folder = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::path(ZB_GAME_DIR);
  const std::vector<Quad> quads = MakeQuads(20000);
  UprightCopies(quads);
  TurnedGeometry(quads);
  UprightFills(quads);
  Submission(quads, false);
  Submission(quads, true);
  Loading(folder);
  return 0;
}
