#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zb::tool {

// Bakes a TrueType or OpenType font at `pixelSize` into a font record: first character 32 and a
// glyph for every CP1251 code 32..255, each glyph's width being its advance and its height the
// line height. Glyph images are white with the coverage as alpha (A8), one cell per glyph.
// Letters and digits the font lacks are an error; other missing symbols stay blank.
bool BakeFont(const std::filesystem::path& fontFile, int pixelSize, int spacing, std::vector<uint8_t>& record,
              std::string& error);

}  // namespace zb::tool
