#include "tools/zbtool/audio/Dsp.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zb::tool::audio {

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A square or saw built from its harmonics below a third of the sample rate: no aliasing whistle.
double Additive(Wave wave, double phase, double hz) {
  const int harmonics = std::max(1, static_cast<int>(kRate / 3.0 / std::max(hz, 1.0)));
  double value = 0.0;
  for (int k = 1; k <= harmonics; ++k) {
    if (wave == Wave::Square && k % 2 == 0) continue;
    value += std::sin(k * phase) / k;
  }
  return wave == Wave::Square ? value * 4.0 / std::numbers::pi : value * 2.0 / std::numbers::pi;
}
}  // namespace

size_t SampleCount(double seconds) { return static_cast<size_t>(std::max(0.0, seconds) * kRate + 0.5); }

double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

Signal Osc(double seconds, const Curve& hz, Wave wave) {
  Signal out(SampleCount(seconds));
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = hz(t);
    switch (wave) {
      case Wave::Sine: out[i] = static_cast<float>(std::sin(phase)); break;
      case Wave::Triangle: out[i] = static_cast<float>(2.0 / std::numbers::pi * std::asin(std::sin(phase))); break;
      case Wave::Square:
      case Wave::Saw: out[i] = static_cast<float>(Additive(wave, phase, f)); break;
    }
    phase = std::fmod(phase + kTwoPi * f / kRate, kTwoPi);
  }
  return out;
}

Signal Noise(double seconds, uint32_t seed) {
  Signal out(SampleCount(seconds));
  uint32_t state = seed * 2654435761u + 1u;
  for (float& v : out) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    v = static_cast<float>(static_cast<double>(state) / 2147483648.0 - 1.0);
  }
  return out;
}

void Shape(Signal& signal, const Curve& gain) {
  for (size_t i = 0; i < signal.size(); ++i) signal[i] *= static_cast<float>(gain(static_cast<double>(i) / kRate));
}

void MixAt(Signal& into, const Signal& what, double atSeconds, double gain) {
  const size_t start = SampleCount(atSeconds);
  if (into.size() < start + what.size()) into.resize(start + what.size(), 0.0f);
  for (size_t i = 0; i < what.size(); ++i) into[start + i] += static_cast<float>(what[i] * gain);
}

Signal Filtered(const Signal& in, Filter type, const Curve& cutoffHz, double q) {
  Signal out(in.size());
  double ic1 = 0.0, ic2 = 0.0;
  const double k = 1.0 / q;
  for (size_t i = 0; i < in.size(); ++i) {
    const double fc = std::clamp(cutoffHz(static_cast<double>(i) / kRate), 10.0, kRate * 0.45);
    const double g = std::tan(std::numbers::pi * fc / kRate);
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = in[i] - ic2;
    const double v1 = a1 * ic1 + a2 * v3;
    const double v2 = ic2 + a2 * ic1 + a3 * v3;
    ic1 = 2.0 * v1 - ic1;
    ic2 = 2.0 * v2 - ic2;
    double v = v2;
    if (type == Filter::Band) v = v1;
    if (type == Filter::High) v = in[i] - k * v1 - v2;
    out[i] = static_cast<float>(v);
  }
  return out;
}

void Saturate(Signal& signal, double drive) {
  const double norm = std::tanh(drive);
  for (float& v : signal) v = static_cast<float>(std::tanh(v * drive) / norm);
}

Signal Struck(double seconds, double hz, const std::vector<Partial>& partials, double attack) {
  Signal out(SampleCount(seconds));
  for (const Partial& p : partials) {
    const double f = hz * p.ratio;
    if (f >= 16000.0) continue;  // nothing shrill above hearing comfort, no aliasing when pitched up
    const double w = kTwoPi * f / kRate;
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = static_cast<double>(i) / kRate;
      out[i] += static_cast<float>(p.amplitude * std::exp(-t / p.decay) * std::sin(w * static_cast<double>(i)));
    }
  }
  Shape(out, [attack](double t) { return t < attack ? t / attack : 1.0; });
  return out;
}

void Normalize(Signal& signal, double peak) {
  const double current = Peak(signal);
  if (current <= 0.0) return;
  const double gain = peak / current;
  for (float& v : signal) v = static_cast<float>(v * gain);
}

void Fade(Signal& signal, double inSeconds, double outSeconds) {
  const size_t in = std::min(SampleCount(inSeconds), signal.size());
  const size_t out = std::min(SampleCount(outSeconds), signal.size());
  for (size_t i = 0; i < in; ++i) {
    signal[i] *= static_cast<float>(0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(i) / in));
  }
  for (size_t i = 0; i < out; ++i) {
    const double x = static_cast<double>(i + 1) / out;  // reaches exactly 0 on the last sample
    signal[signal.size() - 1 - (out - 1 - i)] *= static_cast<float>(0.5 + 0.5 * std::cos(std::numbers::pi * x));
  }
}

double Peak(const Signal& signal) {
  double peak = 0.0;
  for (float v : signal) peak = std::max(peak, static_cast<double>(std::fabs(v)));
  return peak;
}

double Rms(const Signal& signal) {
  if (signal.empty()) return 0.0;
  double sum = 0.0;
  for (float v : signal) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / static_cast<double>(signal.size()));
}

Curve Constant(double value) {
  return [value](double) { return value; };
}

Curve Decay(double tau) {
  return [tau](double t) { return std::exp(-t / tau); };
}

Curve AttackDecay(double attack, double tau) {
  return [attack, tau](double t) { return t < attack ? t / attack : std::exp(-(t - attack) / tau); };
}

Curve Glide(double from, double to, double seconds) {
  return [=](double t) { return t >= seconds ? to : from * std::pow(to / from, t / seconds); };
}

Curve Line(double from, double to, double seconds) {
  return [=](double t) { return t >= seconds ? to : from + (to - from) * t / seconds; };
}

Curve Vibrato(Curve hz, double rateHz, double depthSemitones) {
  return [=](double t) { return hz(t) * std::pow(2.0, depthSemitones / 12.0 * std::sin(kTwoPi * rateHz * t)); };
}

}  // namespace zb::tool::audio
