// Time per frame of a whole level played headless by the autoplayer on the software renderer,
// split into simulation, drawing submission and rasterisation, with the shares of the sprite
// passes, the particles and the rest; and the resident memory during play.
//
//   level_play_bench [LEVEL [DIFFICULTY [FRAMES [SEED]]]]   (defaults: level 20, the one with the most
//   bricks, on easy, up to 40000 frames). A second run of 6000 frames on the same level keeps three
//   balls and a fire-ball bonus going by dropping those bonuses onto the bat.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "app/Form1.h"
#include "game/Ball.h"
#include "game/Bat.h"
#include "game/Bonus.h"
#include "game/BonusRules.h"
#include "engine/platform/headless/Headless.h"
#include "screens/ScreenMachine.h"
#include "tools/autoplay/AutoPlayer.h"

namespace {

using Clock = std::chrono::steady_clock;
using zb::platform::IntRect;
using zb::platform::Renderer;
using zb::platform::TextureId;
using zb::platform::Vertex;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Times every call that reaches the software rasteriser.
class TimingRenderer final : public Renderer {
 public:
  int Width() const override { return inner->Width(); }
  int Height() const override { return inner->Height(); }
  TextureId CreateTexture(int width, int height, const uint32_t* argb) override {
    return inner->CreateTexture(width, height, argb);
  }
  void DestroyTexture(TextureId texture) override { inner->DestroyTexture(texture); }
  void DrawGeometry(TextureId texture, const Vertex* vertices, int vertexCount, const int* indices,
                    int indexCount, int effect, bool linearFilter) override {
    const auto t = Clock::now();
    inner->DrawGeometry(texture, vertices, vertexCount, indices, indexCount, effect, linearFilter);
    seconds += Since(t);
    ++batches;
    this->vertices += static_cast<uint64_t>(vertexCount);
  }
  void SetClip(const IntRect* rect) override { inner->SetClip(rect); }
  IntRect Clip() const override { return inner->Clip(); }
  void Clear(uint32_t argb) override {
    const auto t = Clock::now();
    inner->Clear(argb);
    seconds += Since(t);
  }
  void Present() override {
    const auto t = Clock::now();
    inner->Present();
    seconds += Since(t);
  }
  bool ReadPixels(std::vector<uint32_t>& argb, int& width, int& height) override {
    return inner->ReadPixels(argb, width, height);
  }

  Renderer* inner = nullptr;
  double seconds = 0;
  uint64_t batches = 0;
  uint64_t vertices = 0;
};

// The headless window, its drawing seen through the timing renderer.
class BenchWindow final : public zb::platform::Window {
 public:
  bool Open(const zb::platform::WindowSettings& s) override { return inner.Open(s); }
  void Close() override { inner.Close(); }
  bool IsOpen() const override { return inner.IsOpen(); }
  Renderer* GetRenderer() override {
    timing.inner = inner.GetRenderer();
    return timing.inner != nullptr ? &timing : nullptr;
  }
  bool SetFullscreen(bool f) override { return inner.SetFullscreen(f); }
  bool IsFullscreen() const override { return inner.IsFullscreen(); }
  void SetVSync(bool v) override { inner.SetVSync(v); }
  bool PollEvent(zb::platform::Event& e) override { return inner.PollEvent(e); }
  zb::platform::Point Position() const override { return inner.Position(); }
  void SetPosition(zb::platform::Point p) override { inner.SetPosition(p); }
  zb::platform::Point ScreenSize() const override { return inner.ScreenSize(); }
  zb::platform::IntRect UsableDesktop() const override { return inner.UsableDesktop(); }
  zb::platform::Point WindowedSize() const override { return inner.WindowedSize(); }
  zb::platform::Point PointerPosition() const override { return inner.PointerPosition(); }
  bool ReadKeyboard(uint8_t (&table)[256]) override { return inner.ReadKeyboard(table); }

  zb::platform::HeadlessWindow inner;
  TimingRenderer timing;
};

class BenchPlatform final : public zb::platform::Platform {
 public:
  zb::platform::Clock& GetClock() override { return clock; }
  zb::platform::Window& GetWindow() override { return window; }
  zb::platform::Desktop& GetDesktop() override { return desktop; }
  zb::platform::Audio& GetAudio() override { return audio; }
  zb::platform::HttpClient& GetHttp() override { return http; }

  zb::platform::HeadlessClock clock;
  BenchWindow window;
  zb::platform::HeadlessDesktop desktop;
  zb::platform::RecordingAudio audio;
  zb::platform::ScriptedHttp http;
};

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
    status.ignore(1 << 10, '\n');
  }
  return 0;
}

struct PassCost {
  double seconds = 0;  // without the rasteriser's part
};

}  // namespace

int main(int argc, char** argv) {
  const int level = argc > 1 ? std::atoi(argv[1]) : 20;
  const int difficulty = argc > 2 ? std::atoi(argv[2]) : 0;
  const int frames = argc > 3 ? std::atoi(argv[3]) : 40000;
  const uint32_t seed = argc > 4 ? static_cast<uint32_t>(std::atoi(argv[4])) : 7;

  BenchPlatform platform;
  zb::TForm1 form(platform, ZB_GAME_DIR);
  if (!form.FormCreate() || !form.FinishLoading()) {
    std::fprintf(stderr, "level_play_bench: the game could not start\n");
    return 1;
  }
  std::map<zb::RenderPass, PassCost> passes;
  double passSum = 0;  // every pass, without the rasteriser
  TimingRenderer& raster = platform.window.timing;
  Clock::time_point passStart;
  double rasterAtStart = 0;
  form.Screen.OnPass = [&](zb::RenderPass pass, bool starting) {
    if (starting) {
      passStart = Clock::now();
      rasterAtStart = raster.seconds;
    } else {
      const double cost = Since(passStart) - (raster.seconds - rasterAtStart);
      passes[pass].seconds += cost;
      passSum += cost;
    }
  };

  auto frame = [&] {
    zb::platform::Event e;
    while (!form.Closed() && platform.window.PollEvent(e)) form.HandleEvent(e);
    if (!form.Closed()) form.Idle();
  };
  zb::TAutoPlayer player(form.Screen, [&](const zb::platform::Event& e) { platform.window.inner.Push(e); }, frame,
                         [&] { return form.Closed(); });
  player.StartLevel(level, static_cast<uint8_t>(difficulty), seed);

  long peakKb = 0;
  double total = 0;
  double busySum = 0;  // simulation + submission of the frames with three balls and a running bonus
  int busyFrames = 0;
  auto countBusy = [&](double passesBefore) {
    if (form.Screen.CurrentScreen == zb::ScreenGame && form.Core.Game.BallCount >= 3 && form.Core.Game.BonusTimeLeft > 0) {
      busySum += passSum - passesBefore;
      ++busyFrames;
    }
  };
  const double rasterBefore = raster.seconds;
  const uint64_t batchesBefore = raster.batches;
  int measured = 0;
  while (player.Frames() < frames && player.State() == zb::TAutoPlayer::Result::Running) {
    const auto t = Clock::now();
    const double passesBefore = passSum;
    player.Step();
    const double dt = Since(t);
    if (form.Screen.CurrentScreen == zb::ScreenGame) {
      total += dt;
      ++measured;
    }
    countBusy(passesBefore);
    if (player.Frames() % 500 == 0) peakKb = std::max(peakKb, ResidentKb());
  }
  peakKb = std::max(peakKb, ResidentKb());
  const std::string summary = player.Summary();
  const int playedFrames = player.Frames();
  const std::map<zb::RenderPass, PassCost> playPasses = passes;
  const double rasterPlay = raster.seconds - rasterBefore;
  const uint64_t batchesPlay = raster.batches - batchesBefore;

  // The busy run: a bonus dropped onto the bat whenever three balls or the fire ball are missing.
  zb::TAutoPlayer busy(form.Screen, [&](const zb::platform::Event& e) { platform.window.inner.Push(e); }, frame,
                       [&] { return form.Closed(); });
  busy.StartLevel(level, static_cast<uint8_t>(difficulty), seed + 1);
  while (busy.Frames() < 6000 && busy.State() == zb::TAutoPlayer::Result::Running) {
    zb::TGameState& game = form.Core.Game;
    zb::TBita* bat = game.Bita.Get();
    zb::TBall* first = game.Balls[0].Get();
    if (form.Screen.CurrentScreen == zb::ScreenGame && bat != nullptr && first != nullptr && !first->OnBat &&
        game.BonusesFalling == 0) {
      const float x = bat->X + static_cast<float>(bat->PatternWidth()) / 2;
      if (game.BallCount == 1) {
        form.Core.Engine.Create<zb::TBonus>(form.Core.Play, zb::BonusThreeBalls, x, bat->Y - 12);
      } else if (game.BonusTimeLeft == 0) {
        form.Core.Engine.Create<zb::TBonus>(form.Core.Play, zb::BonusFireBall, x, bat->Y - 12);
      }
    }
    const double passesBefore = passSum;
    busy.Step();
    countBusy(passesBefore);
    if (busy.Frames() % 500 == 0) peakKb = std::max(peakKb, ResidentKb());
  }

  double sim = 0, submit = 0, sprites = 0, particles = 0, other = 0;
  for (const auto& [pass, cost] : playPasses) {
    using P = zb::RenderPass;
    switch (pass) {
      case P::Collisions:
      case P::RemoveDead:
      case P::MoveSprites:
        sim += cost.seconds;
        sprites += cost.seconds;
        break;
      case P::DrawSprites:
        submit += cost.seconds;
        sprites += cost.seconds;
        break;
      case P::ParticleUpdate:
        sim += cost.seconds;
        particles += cost.seconds;
        break;
      case P::ParticleDraw:
      case P::ParticlesOfPlay:
      case P::ParticlesOfPlayNoTail:
      case P::ParticlesSalut:
      case P::FireRing:
        submit += cost.seconds;
        particles += cost.seconds;
        break;
      case P::CursorMove:
        sim += cost.seconds;
        other += cost.seconds;
        break;
      default:
        submit += cost.seconds;
        other += cost.seconds;
        break;
    }
  }
  const double rasterTotal = rasterPlay;
  const double all = sim + submit + rasterTotal;
  const int n = std::max(1, playedFrames);
  auto ms = [n](double s) { return s * 1000.0 / n; };
  auto pct = [all](double s) { return all > 0 ? 100.0 * s / all : 0.0; };
  std::printf("%s\n", summary.c_str());
  std::printf("frames %d (%d on the game screen), per frame: %.3f ms wall on the game screen\n", n, measured,
              measured > 0 ? total * 1000.0 / measured : 0.0);
  std::printf("  simulation      %.3f ms  (%.1f%%)\n", ms(sim), pct(sim));
  std::printf("  submission      %.3f ms  (%.1f%%)\n", ms(submit), pct(submit));
  std::printf("  rasterisation   %.3f ms  (%.1f%%), %.1f batches a frame\n", ms(rasterTotal), pct(rasterTotal),
              static_cast<double>(batchesPlay) / n);
  std::printf("  simulation + submission %.3f ms a frame\n", ms(sim + submit));
  std::printf("shares without the rasteriser: sprite passes %.1f%%, particles %.1f%%, HUD, GUI and cursor %.1f%%\n",
              100.0 * sprites / std::max(1e-12, sim + submit), 100.0 * particles / std::max(1e-12, sim + submit),
              100.0 * other / std::max(1e-12, sim + submit));
  std::printf("busy run: %s\n", busy.Summary().c_str());
  std::printf("frames with three balls and a running bonus: %d, simulation + submission %.3f ms a frame\n",
              busyFrames, busyFrames > 0 ? busySum * 1000.0 / busyFrames : 0.0);
  std::printf("resident memory during play: %.1f MB\n", peakKb / 1024.0);
  return 0;
}
