// Arbitrary bytes as a player's checkpoint file, which the main menu reads at every visit: a file
// that decodes is encoded again and must decode to the same checkpoint.
#include <cstdint>
#include <span>

#include "persist/Checkpoint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zb::TCheckpointReadResult read = zb::DecodeCheckpoint(std::span<const uint8_t>(data, size));
  if (!read.Checkpoint) return 0;
  const zb::TCheckpointReadResult again = zb::DecodeCheckpoint(zb::EncodeCheckpoint(*read.Checkpoint));
  if (!again.Checkpoint || !(*again.Checkpoint == *read.Checkpoint)) __builtin_trap();
  return 0;
}
