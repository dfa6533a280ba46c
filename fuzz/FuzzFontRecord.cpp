// Arbitrary bytes as the stream of a font record, then text measured with it.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/GfxFonts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zb::TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  zb::TGfxFont font;
  if (!font.LoadFromStream(stream)) return 0;
  std::string text;
  for (int c = 0; c < 256; ++c) text.push_back(static_cast<char>(c));
  text += "#$FFFFFFFF&$00000000x0x12345678";
  font.TextWidth(text);
  font.TextHeight(text);
  font.ParseEscapes = false;
  font.TextWidth(text);
  font.TextHeight("#$");
  return 0;
}
