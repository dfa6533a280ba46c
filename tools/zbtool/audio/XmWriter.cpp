#include "tools/zbtool/audio/XmWriter.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace zb::tool::audio {

namespace {

class Bytes {
 public:
  void U8(uint8_t v) { out.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    U16(static_cast<uint16_t>(v >> 16));
  }
  // A fixed-size text field, padded with zeros (spaces for the ID text).
  void Text(std::string_view text, size_t size, uint8_t pad = 0) {
    for (size_t i = 0; i < size; ++i) U8(i < text.size() ? static_cast<uint8_t>(text[i]) : pad);
  }
  void Zeros(size_t count) { out.insert(out.end(), count, 0); }
  std::vector<uint8_t> out;
};

constexpr uint32_t kInstrumentHeaderSize = 263;
constexpr uint32_t kSampleHeaderSize = 40;

std::vector<uint8_t> PackPattern(const XmPattern& pattern) {
  Bytes data;
  for (const XmCell& c : pattern.cells) {
    const bool full = c.note && c.instrument && c.volume && c.effect && c.param;
    if (full) {
      data.U8(c.note);
      data.U8(c.instrument);
      data.U8(c.volume);
      data.U8(c.effect);
      data.U8(c.param);
      continue;
    }
    // A flag byte (bit 7) says which of the five fields follow.
    const uint8_t flags = 0x80 | (c.note ? 1 : 0) | (c.instrument ? 2 : 0) | (c.volume ? 4 : 0) |
                          (c.effect ? 8 : 0) | (c.param ? 16 : 0);
    data.U8(flags);
    if (c.note) data.U8(c.note);
    if (c.instrument) data.U8(c.instrument);
    if (c.volume) data.U8(c.volume);
    if (c.effect) data.U8(c.effect);
    if (c.param) data.U8(c.param);
  }
  return data.out;
}

void WriteEnvelope(Bytes& b, const XmEnvelope& envelope) {
  for (size_t i = 0; i < 12; ++i) {
    if (i < envelope.points.size()) {
      b.U16(envelope.points[i].first);
      b.U16(envelope.points[i].second);
    } else {
      b.U16(0);
      b.U16(0);
    }
  }
}

uint8_t EnvelopeType(const XmEnvelope& e) {
  if (!e.enabled()) return 0;
  return static_cast<uint8_t>(1 | (e.sustain >= 0 ? 2 : 0) | (e.loopStart >= 0 ? 4 : 0));
}

void WriteInstrument(Bytes& b, const XmInstrument& instrument) {
  const XmSample& s = instrument.sample;
  const XmEnvelope& volume = instrument.volume;
  b.U32(kInstrumentHeaderSize);
  b.Text(instrument.name, 22);
  b.U8(0);   // type
  b.U16(1);  // samples
  b.U32(kSampleHeaderSize);
  b.Zeros(96);  // every note plays sample 0
  WriteEnvelope(b, volume);
  WriteEnvelope(b, XmEnvelope{});  // panning
  b.U8(static_cast<uint8_t>(std::min<size_t>(volume.points.size(), 12)));
  b.U8(0);
  b.U8(static_cast<uint8_t>(std::max(volume.sustain, 0)));
  b.U8(static_cast<uint8_t>(std::max(volume.loopStart, 0)));
  b.U8(static_cast<uint8_t>(std::max(volume.loopEnd, 0)));
  b.Zeros(3);  // panning sustain and loop
  b.U8(EnvelopeType(volume));
  b.U8(0);
  b.U8(instrument.vibratoType);
  b.U8(instrument.vibratoSweep);
  b.U8(instrument.vibratoDepth);
  b.U8(instrument.vibratoRate);
  b.U16(instrument.fadeout);
  b.Zeros(22);  // reserved, to the 263 bytes of the header

  // Lengths and loop points are in bytes for 16-bit samples.
  const bool looped = s.loop != XmSample::Loop::None && s.loopLength > 0;
  b.U32(static_cast<uint32_t>(s.data.size() * 2));
  b.U32(looped ? s.loopStart * 2 : 0);
  b.U32(looped ? s.loopLength * 2 : 0);
  b.U8(s.volume);
  b.U8(static_cast<uint8_t>(s.finetune));
  b.U8(static_cast<uint8_t>((looped ? static_cast<uint8_t>(s.loop) : 0) | 0x10));
  b.U8(s.panning);
  b.U8(static_cast<uint8_t>(s.relativeNote));
  b.U8(0);  // regular delta packing
  b.Text(s.name, 22);

  // Sample data: each value is the difference from the one before.
  int16_t previous = 0;
  for (int16_t v : s.data) {
    b.U16(static_cast<uint16_t>(static_cast<uint16_t>(v) - static_cast<uint16_t>(previous)));
    previous = v;
  }
}

}  // namespace

std::vector<uint8_t> EncodeXm(const XmModule& module) {
  Bytes b;
  b.Text("Extended Module: ", 17);
  b.Text(module.name, 20);
  b.U8(0x1A);
  b.Text("zbtool", 20, ' ');
  b.U16(0x0104);
  b.U32(276);  // header size from here on, with the 256-byte order table
  b.U16(static_cast<uint16_t>(module.order.size()));
  b.U16(module.restart);
  b.U16(static_cast<uint16_t>(module.channels));
  b.U16(static_cast<uint16_t>(module.patterns.size()));
  b.U16(static_cast<uint16_t>(module.instruments.size()));
  b.U16(1);  // linear frequency table
  b.U16(module.speed);
  b.U16(module.bpm);
  for (size_t i = 0; i < 256; ++i) b.U8(i < module.order.size() ? module.order[i] : 0);

  for (const XmPattern& pattern : module.patterns) {
    const std::vector<uint8_t> packed = PackPattern(pattern);
    b.U32(9);  // pattern header length
    b.U8(0);   // packing type
    b.U16(static_cast<uint16_t>(pattern.rows));
    b.U16(static_cast<uint16_t>(packed.size()));
    b.out.insert(b.out.end(), packed.begin(), packed.end());
  }
  for (const XmInstrument& instrument : module.instruments) WriteInstrument(b, instrument);
  return b.out;
}

double PlayingSeconds(const XmModule& module) {
  double rows = 0;
  for (uint8_t index : module.order) {
    if (index < module.patterns.size()) rows += module.patterns[index].rows;
  }
  // A tick lasts 2.5 / BPM seconds.
  return rows * module.speed * 2.5 / module.bpm;
}

void TuneSample(XmSample& sample, double rate, double hz) {
  // C-4 with no relative note and no finetune plays a sample at 8363 frames a second.
  const double semitones = 12.0 * std::log2(rate * 261.6256 / (hz * 8363.0));
  int note = static_cast<int>(std::floor(semitones));
  int fine = static_cast<int>(std::lround((semitones - note) * 128.0));
  if (fine >= 128) {
    ++note;
    fine -= 128;
  }
  sample.relativeNote = static_cast<int8_t>(std::clamp(note, -96, 95));
  sample.finetune = static_cast<int8_t>(fine);
}

}  // namespace zb::tool::audio
