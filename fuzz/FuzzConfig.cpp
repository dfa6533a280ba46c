// Arbitrary bytes as "Config.cfg"; what was read is written back and read again.
#include <cstdint>
#include <string_view>

#include "persist/Config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zb::TSettings settings;
  zb::ReadConfigText(settings, std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string text = zb::ConfigText(settings);
  zb::TSettings again;
  zb::ReadConfigText(again, text);
  return 0;
}
