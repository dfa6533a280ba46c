// Arbitrary bytes as a .pss template record; a system spawned from it runs for a while.
#include <cstdint>
#include <span>

#include "engine/XParticles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zb::TXParticleManager manager;
  manager.AddTemplate("f.pss", std::span<const uint8_t>(data, size));
  zb::TXParticleRef ref = manager.Spawn("f.pss", 400.0f, 300.0f);
  for (int frame = 0; frame < 200; ++frame) {
    ref.MoveBy(1.5f, -0.5f, frame % 2 == 0);
    manager.UpdateAll(0.02f);
  }
  manager.UpdateAll(1000.0f);
  return 0;
}
