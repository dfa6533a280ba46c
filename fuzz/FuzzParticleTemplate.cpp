// Arbitrary bytes as a .pss template record. A system of 16 particles runs from it for a while,
// moved, dragged and stopped, so that every emission and update path is reached without
// thousands of particles an input. For a record with bytes past the template (which the
// template ignores and the fuzzer adds at will) a manager spawns and runs one of its own, of 64
// particles: the game's 5000 were half a megabyte mapped, poisoned and faulted in an input.
#include <cstdint>
#include <span>

#include "engine/XParticles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  if (size > zb::TParticleTemplate::kSize) {
    zb::TXParticleManager manager(64);
    manager.AddTemplate("f.pss", bytes);
    zb::TXParticleRef ref = manager.Spawn("F.PSS", 400.0f, 300.0f);
    ref.MoveBy(1.0f, 1.0f, true);
    ref.StopEmitting(true);
    manager.UpdateAll(0.01f);
  }

  zb::TParticleRandom random;
  zb::TXParticleSystem system(random, 16);
  system.SetTemplate(zb::TParticleTemplate::Decode(bytes));
  system.AddEmitterPoint({5, -5});
  system.Start();
  for (int frame = 0; frame < 24; ++frame) {
    system.MoveBy(1.5f, -0.5f, frame % 2 == 0);
    system.Update(frame < 12 ? 0.02f : 0.3f);
  }
  system.StopEmitting(false);
  system.Update(1000.0f);
  return 0;
}
