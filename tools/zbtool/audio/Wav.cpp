#include "tools/zbtool/audio/Wav.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace zb::tool::audio {

namespace {
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, std::string_view tag) { out.insert(out.end(), tag.begin(), tag.end()); }
}  // namespace

std::vector<int16_t> ToPcm16(const Signal& signal) {
  std::vector<int16_t> pcm(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) {
    pcm[i] = static_cast<int16_t>(std::clamp(std::lround(signal[i] * 32767.0), -32767L, 32767L));
  }
  return pcm;
}

std::vector<uint8_t> EncodeWav(const Signal& signal) {
  const std::vector<int16_t> pcm = ToPcm16(signal);
  const uint32_t dataBytes = static_cast<uint32_t>(pcm.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, kRate);
  Put32(out, kRate * 2);  // bytes per second
  Put16(out, 2);          // bytes per frame
  Put16(out, 16);         // bits per sample
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t v : pcm) Put16(out, static_cast<uint16_t>(v));
  return out;
}

}  // namespace zb::tool::audio
