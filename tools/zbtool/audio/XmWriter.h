#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A FastTracker 2 extended module (.xm, version 1.04), as far as our songs need it: one sample
// per instrument, volume envelopes, linear frequencies, no tempo changes inside patterns.
namespace zb::tool::audio {

struct XmSample {
  std::string name;
  std::vector<int16_t> data;  // 16-bit, mono
  enum class Loop : uint8_t { None = 0, Forward = 1, PingPong = 2 } loop = Loop::None;
  uint32_t loopStart = 0;   // in sample frames
  uint32_t loopLength = 0;  // in sample frames
  uint8_t volume = 64;      // 0..64
  int8_t finetune = 0;      // 1/128 semitone
  uint8_t panning = 128;
  int8_t relativeNote = 0;
};

struct XmEnvelope {
  std::vector<std::pair<uint16_t, uint16_t>> points;  // (tick, value 0..64), at most 12
  int sustain = -1;  // point index, -1 for none
  int loopStart = -1, loopEnd = -1;
  bool enabled() const { return !points.empty(); }
};

struct XmInstrument {
  std::string name;
  XmSample sample;
  XmEnvelope volume;
  uint16_t fadeout = 0;
  uint8_t vibratoType = 0, vibratoSweep = 0, vibratoDepth = 0, vibratoRate = 0;
};

struct XmCell {
  uint8_t note = 0;        // 1..96 = C-0..B-7, 97 = key off
  uint8_t instrument = 0;  // 1-based
  uint8_t volume = 0;      // volume column: 0x10..0x50 sets volume 0..64
  uint8_t effect = 0;
  uint8_t param = 0;
};

inline constexpr uint8_t kKeyOff = 97;

struct XmPattern {
  int rows = 64;
  std::vector<XmCell> cells;  // row-major, rows x channels
};

struct XmModule {
  std::string name;
  int channels = 8;  // even, 2..32
  uint16_t speed = 6;  // ticks per row
  uint16_t bpm = 125;
  uint16_t restart = 0;
  std::vector<uint8_t> order;
  std::vector<XmPattern> patterns;
  std::vector<XmInstrument> instruments;
};

std::vector<uint8_t> EncodeXm(const XmModule& module);
// The time from the first row to the loop back.
double PlayingSeconds(const XmModule& module);

// The relative note and finetune that make note C-4 sound at middle C for a sample recorded
// at `rate` frames a second whose waveform sounds at `hz` when played at that rate.
void TuneSample(XmSample& sample, double rate, double hz);

}  // namespace zb::tool::audio
