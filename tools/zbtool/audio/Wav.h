#pragma once

#include <cstdint>
#include <vector>

#include "tools/zbtool/audio/Dsp.h"

namespace zb::tool::audio {

// 16-bit signed samples, rounded and held within range.
std::vector<int16_t> ToPcm16(const Signal& signal);
// A RIFF WAVE file: PCM, 16-bit, mono, 44100 Hz.
std::vector<uint8_t> EncodeWav(const Signal& signal);

}  // namespace zb::tool::audio
