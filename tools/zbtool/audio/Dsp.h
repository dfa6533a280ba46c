#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// The building blocks of the synthesised effects and instruments: mono signals at 44100 Hz.
namespace zb::tool::audio {

inline constexpr int kRate = 44100;

using Signal = std::vector<float>;
// A value over time in seconds: a pitch, a gain, a filter cutoff.
using Curve = std::function<double(double)>;

enum class Wave { Sine, Triangle, Square, Saw };
enum class Filter { Low, Band, High };

size_t SampleCount(double seconds);
double NoteHz(double midi);  // 69 is A4, 440 Hz

// An oscillator following a pitch curve, band-limited enough for the pitches used here.
Signal Osc(double seconds, const Curve& hz, Wave wave = Wave::Sine);
Signal Noise(double seconds, uint32_t seed);
// Multiplies by gain(t).
void Shape(Signal& signal, const Curve& gain);
// Adds `what` at `atSeconds`, growing `into` when needed.
void MixAt(Signal& into, const Signal& what, double atSeconds, double gain = 1.0);
// A state-variable filter with a cutoff that may move.
Signal Filtered(const Signal& in, Filter type, const Curve& cutoffHz, double q = 0.707);
// Soft saturation for warmth; stays within -1..1.
void Saturate(Signal& signal, double drive);

// One mode of a struck bar, tine or bell: frequency ratio to the fundamental, level, decay time.
struct Partial {
  double ratio;
  double amplitude;
  double decay;  // seconds to fall to 1/e
};
// A struck body: decaying sine partials after a short attack.
Signal Struck(double seconds, double hz, const std::vector<Partial>& partials, double attack = 0.001);

// Scales so that the largest magnitude is `peak`.
void Normalize(Signal& signal, double peak);
// Raised-cosine fades at both ends, so the sound starts and ends at rest.
void Fade(Signal& signal, double inSeconds, double outSeconds);
double Peak(const Signal& signal);
double Rms(const Signal& signal);

// Curves.
Curve Constant(double value);
Curve Decay(double tau);                                  // exp(-t / tau)
Curve AttackDecay(double attack, double tau);             // linear rise, then exponential fall
Curve Glide(double from, double to, double seconds);     // exponential glide, then holds
Curve Line(double from, double to, double seconds);      // linear, then holds
Curve Vibrato(Curve hz, double rateHz, double depthSemitones);

}  // namespace zb::tool::audio
