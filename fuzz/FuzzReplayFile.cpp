// Arbitrary bytes as a replay file, the one a player's client uploads to the score server: a file
// that decodes is encoded again and must decode to the same replay.
#include <cstdint>
#include <span>

#include "persist/ReplayFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zb::TReplayReadResult read = zb::DecodeReplay(std::span<const uint8_t>(data, size));
  if (!read.Replay) return 0;
  const zb::TReplayReadResult again = zb::DecodeReplay(zb::EncodeReplay(*read.Replay));
  if (!again.Replay || !(*again.Replay == *read.Replay)) __builtin_trap();
  return 0;
}
