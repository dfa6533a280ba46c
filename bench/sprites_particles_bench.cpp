// Particle updates and draw submissions per second for 100 systems at full emission, and the four
// sprite passes for 2000 sprites, drawing through the real canvas onto a renderer that draws nothing.
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/XParticles.h"
#include "engine/platform/headless/RendererWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

class NullRenderer final : public zb::platform::Renderer {
 public:
  int Width() const override { return 800; }
  int Height() const override { return 600; }
  zb::platform::TextureId CreateTexture(int, int, const uint32_t*) override { return ++next_; }
  void DestroyTexture(zb::platform::TextureId) override {}
  void DrawGeometry(zb::platform::TextureId, const zb::platform::Vertex*, int vertexCount, const int*, int,
                    int, bool) override {
    vertices += static_cast<uint64_t>(vertexCount);
  }
  void SetClip(const zb::platform::IntRect*) override {}
  zb::platform::IntRect Clip() const override { return {0, 0, 800, 600}; }
  void Clear(uint32_t) override {}
  void Present() override {}
  bool ReadPixels(std::vector<uint32_t>&, int&, int&) override { return false; }
  uint64_t vertices = 0;

 private:
  zb::platform::TextureId next_ = 0;
};

// An A8 image of 64 x 64 cells on a 256 x 256 texture, like "particles".
void AddImage(zb::TGfxImages& images, zb::platform::Renderer& renderer, const char* name, int cell) {
  std::vector<uint8_t> record;
  auto u32 = [&record](uint32_t v) {
    for (int i = 0; i < 4; ++i) record.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  record.push_back(10);
  for (uint32_t v : {cell, cell, cell, cell, 0, 256, 256, 1}) u32(v);
  record.resize(record.size() + 256 * 256, 0xFF);
  zb::TMemoryStream stream(record);
  zb::TGfxImage& image = images.Add();
  image.Name = name;
  image.LoadFromStream(stream);
  image.CreateTextures(renderer);
}

zb::TParticleTemplate FullEmission() {
  zb::TParticleTemplate t;
  t.Effect = zb::fxAdd;
  t.EmitRate = 5000;  // 5000 a unit for a life of 1: the 5000-particle array stays full
  t.EmitDuration = 1e6f;
  t.LifeMin = 0.9f;
  t.LifeMax = 1.1f;
  t.Spread = 6.2831853f;
  t.SpeedMin = 20;
  t.SpeedMax = 120;
  t.GravityMin = 2;
  t.GravityMax = 5;
  t.RadialMin = -1;
  t.RadialMax = 1;
  t.TangentialMin = 0;
  t.TangentialMax = 2;
  t.SizeStart = 0.5f;
  t.SizeMiddle = 0.4f;
  t.SizeEnd = 0.1f;
  t.SpinEnd = 3;
  t.ColorStart = 0xFFFFFFFFu;
  t.ColorMiddle = 0xC080C0FFu;
  t.ColorEnd = 0x000040FFu;
  t.MiddleTime = 0.4f;
  return t;
}

int LiveParticles(const zb::TXParticleManager& manager) {
  int total = 0;
  for (int i = 0; i < manager.Count(); ++i) total += manager.SystemAt(i)->Count();
  return total;
}

struct Still : zb::TAnimatedSprite {
  explicit Still(zb::TSpriteEngine& engine) : TAnimatedSprite(engine) {}
};

}  // namespace

int main() {
  NullRenderer renderer;
  zb::platform::RendererWindow window(renderer);
  zb::TGfxDevice device(window, "bench");
  zb::TGfxImages images(&device);
  zb::TGfxCanvas canvas(&device);
  canvas.SetVertexCache(4096);
  device.OnInitialize = [](zb::TGfxDevice&, bool& success) { success = true; };
  if (!device.Initialize()) {
    std::fputs("the device did not start\n", stderr);
    return 1;
  }
  AddImage(images, renderer, "particles", 64);
  AddImage(images, renderer, "brick", 32);

  // Particles: 100 systems spread over the screen, filled to capacity first.
  zb::TXParticleManager manager;
  manager.Canvas = &canvas;
  manager.Image = images.FindImage("particles");
  const auto bytes = FullEmission().Encode();
  manager.AddTemplate("full.pss", bytes);
  for (int i = 0; i < zb::TXParticleManager::kMaxSystems; ++i) {
    manager.Spawn("full.pss", 40.0f + (i % 10) * 80.0f, 30.0f + (i / 10) * 60.0f);
  }
  const float step = 0.01f;  // one frame's particle step at the capped rate
  for (int i = 0; i < 150; ++i) manager.UpdateAll(step);

  uint64_t updated = 0;
  auto start = Clock::now();
  int updates = 0;
  while (Seconds(start) < 2.0) {
    updated += static_cast<uint64_t>(LiveParticles(manager));
    manager.UpdateAll(step);
    ++updates;
  }
  const double updateSeconds = Seconds(start);
  std::printf("particle updates: %.1f M/s (%d systems, %.0f particles, %.2f ms per UpdateAll)\n",
              updated / updateSeconds / 1e6, manager.Count(), static_cast<double>(updated) / updates,
              1000.0 * updateSeconds / updates);

  uint64_t drawn = 0;
  int frames = 0;
  device.OnRender = [&](zb::TGfxDevice&) { manager.DrawAll(0, 0); };
  start = Clock::now();
  while (Seconds(start) < 2.0) {
    drawn += static_cast<uint64_t>(LiveParticles(manager));
    device.Render(0, true);  // the canvas flushes at the end of the scene
    ++frames;
  }
  const double drawSeconds = Seconds(start);
  std::printf(
      "particles drawn:  %.1f M/s (%.2f ms per DrawAll of %.0f; %.0f M vertices reached the renderer)\n",
      drawn / drawSeconds / 1e6, 1000.0 * drawSeconds / frames, static_cast<double>(drawn) / frames,
      renderer.vertices / 1e6);
  manager.Clear();

  // Sprites: 2000 animated bricks on screen, four of them collidable (balls and bat in play).
  zb::TSpriteEngine engine;
  engine.Images = &images;
  engine.SetCanvas(&canvas);
  for (int i = 0; i < 2000; ++i) {
    auto& s = engine.Create<Still>();
    s.SetAnimation("brick", 0, 8, 300.0f, true, 0);
    s.X = static_cast<float>((i * 37) % 760);
    s.Y = static_cast<float>((i * 20) % 580);
    s.SetZ(i % 7);
    if (i % 500 == 0) {
      s.Collidable = true;
      s.CollideMode = 1;
      s.CollideRect = {i, 0, i + 10, 10};
    }
  }
  device.OnRender = [&](zb::TGfxDevice&) {
    engine.CheckCollisions();
    engine.RemoveDead();
    engine.DrawAll();
    engine.MoveAll(0.001f);
  };
  frames = 0;
  start = Clock::now();
  while (Seconds(start) < 2.0) {
    device.Render(0, true);
    ++frames;
  }
  const double spriteSeconds = Seconds(start);
  std::printf("sprite passes:    %.3f ms per frame for %d sprites (collisions, removal, drawing, moving)\n",
              1000.0 * spriteSeconds / frames, engine.Count());
  auto pass = [&](const char* label, auto&& run) {
    int n = 0;
    const auto t0 = Clock::now();
    while (Seconds(t0) < 0.5) {
      device.OnRender = [&](zb::TGfxDevice&) { run(); };
      device.Render(0, true);
      ++n;
    }
    std::printf("  %-12s %.3f ms\n", label, 1000.0 * Seconds(t0) / n);
  };
  pass("collisions", [&] { engine.CheckCollisions(); });
  pass("removal", [&] { engine.RemoveDead(); });
  pass("drawing", [&] { engine.DrawAll(); });
  pass("moving", [&] { engine.MoveAll(0.001f); });
  device.Finalize();
  return 0;
}
