// Arbitrary bytes as the score line a game sends to the score server: the symbols decoded, the
// text parsed, and a line that decodes checked against the server's limits and sent again.
#include <cstdint>
#include <string_view>

#include "persist/ScoreLine.h"
#include "server/ScoreService.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  zb::ParseScoreLineText(bytes);
  const auto line = zb::DecodeScoreLine(bytes);
  if (!line) return 0;
  zb::server::CheckScoreLine(*line);
  // What the decoder accepts, the encoder writes again into a line the decoder reads.
  if (!zb::DecodeScoreLine(zb::EncodeScoreLine(*line))) __builtin_trap();
  return 0;
}
