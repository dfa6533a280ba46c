#include "tools/zbtool/audio/Instruments.h"

#include <cmath>
#include <numbers>
#include <string>

#include "tools/zbtool/audio/Dsp.h"
#include "tools/zbtool/audio/Wav.h"

namespace zb::tool::audio {

namespace {

XmInstrument Make(std::string name, Signal signal, double hz, uint8_t panning, uint8_t volume = 64) {
  Normalize(signal, 0.9);
  Fade(signal, 0.0005, 0.01);
  XmInstrument instrument;
  instrument.name = name;
  instrument.sample.name = std::move(name);
  instrument.sample.data = ToPcm16(signal);
  instrument.sample.panning = panning;
  instrument.sample.volume = volume;
  TuneSample(instrument.sample, kRate, hz);
  return instrument;
}

const double kC5 = NoteHz(72);
const double kC3 = NoteHz(48);

}  // namespace

XmInstrument Marimba() {
  Signal s = Struck(1.2, kC5, {{1.0, 1.0, 0.45}, {3.93, 0.4, 0.08}, {9.2, 0.12, 0.02}}, 0.0015);
  Signal mallet = Filtered(Noise(0.01, 101), Filter::Band, Constant(3000), 1.0);
  Shape(mallet, Decay(0.0015));
  MixAt(s, mallet, 0.0, 0.15);
  return Make("marimba", std::move(s), kC5, 112);
}

XmInstrument Kalimba() {
  Signal s = Struck(1.2, kC5, {{1.0, 1.0, 0.55}, {5.95, 0.3, 0.05}, {11.3, 0.08, 0.015}}, 0.001);
  return Make("kalimba", std::move(s), kC5, 168);
}

XmInstrument Bass() {
  Signal s = Struck(1.2, kC3, {{1.0, 1.0, 0.45}, {2.0, 0.45, 0.2}, {3.0, 0.15, 0.1}}, 0.004);
  Saturate(s, 1.6);
  return Make("bass", std::move(s), kC3, 128);
}

XmInstrument LogDrum() {
  Signal s = Osc(0.45, Glide(160, 52, 0.05));
  Shape(s, AttackDecay(0.001, 0.14));
  Signal click = Filtered(Noise(0.01, 102), Filter::Low, Constant(2500), 0.7);
  Shape(click, Decay(0.001));
  MixAt(s, click, 0.0, 0.3);
  return Make("log drum", std::move(s), NoteHz(60), 128);
}

XmInstrument Shaker() {
  Signal s = Filtered(Noise(0.12, 103), Filter::Band, Constant(6500), 1.2);
  Shape(s, AttackDecay(0.006, 0.025));
  return Make("shaker", std::move(s), NoteHz(60), 84);
}

XmInstrument Conga() {
  Signal s = Osc(0.35, Glide(250, 215, 0.04));
  Shape(s, AttackDecay(0.001, 0.1));
  Signal slap = Filtered(Noise(0.02, 104), Filter::Band, Constant(1800), 1.0);
  Shape(slap, Decay(0.004));
  MixAt(s, slap, 0.0, 0.4);
  // C-4 gives the low drum at about 215 Hz; higher notes tune it up.
  return Make("conga", std::move(s), NoteHz(60), 152);
}

XmInstrument Clave() {
  Signal s = Struck(0.15, 2100, {{1.0, 1.0, 0.03}, {2.7, 0.25, 0.01}});
  return Make("clave", std::move(s), NoteHz(60), 176);
}

XmInstrument Ocarina() {
  // One period is exactly 84 frames, so the loop over whole periods is seamless.
  constexpr int kPeriod = 84;
  const double hz = static_cast<double>(kRate) / kPeriod;
  const size_t length = kPeriod * 240;
  const size_t loopStart = kPeriod * 180;
  Signal s(length);
  for (size_t i = 0; i < length; ++i) {
    const double phase = 2.0 * std::numbers::pi * static_cast<double>(i % kPeriod) / kPeriod;
    s[i] = static_cast<float>(std::sin(phase) + 0.16 * std::sin(2 * phase) + 0.08 * std::sin(3 * phase));
  }
  // A breathy onset that settles before the loop.
  Signal breath = Filtered(Noise(0.06, 105), Filter::Band, Constant(hz * 3), 1.0);
  Shape(breath, Decay(0.02));
  MixAt(s, breath, 0.0, 0.25);
  s.resize(length);
  Shape(s, [](double t) { return std::min(1.0, t / 0.025); });
  Normalize(s, 0.85);
  XmInstrument instrument;
  instrument.name = "ocarina";
  instrument.sample.name = "ocarina";
  instrument.sample.data = ToPcm16(s);
  instrument.sample.loop = XmSample::Loop::Forward;
  instrument.sample.loopStart = static_cast<uint32_t>(loopStart);
  instrument.sample.loopLength = static_cast<uint32_t>(length - loopStart);
  instrument.sample.panning = 128;
  TuneSample(instrument.sample, kRate, hz);
  // Swell, hold while the key is down, then fade after the key-off.
  instrument.volume.points = {{0, 48}, {6, 64}, {30, 52}, {40, 50}};
  instrument.volume.sustain = 3;
  instrument.fadeout = 1200;
  instrument.vibratoType = 0;
  instrument.vibratoSweep = 48;
  instrument.vibratoDepth = 3;
  instrument.vibratoRate = 24;
  return instrument;
}

}  // namespace zb::tool::audio
