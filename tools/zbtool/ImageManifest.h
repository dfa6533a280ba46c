#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zb::tool {

// The image keys of a manifest ("image KEY FILE.png PW PH ..." lines, "include FILE" followed in
// place, font and raw lines passed over) in list order: a key's position is the image's index in
// the game's image list. False with a reason when a file cannot be read or a line is not understood.
bool ReadImageKeys(const std::filesystem::path& manifest, std::vector<std::string>& keys, std::string& error);

}  // namespace zb::tool
