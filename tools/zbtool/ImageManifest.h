#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zb::tool {

// The image keys of an image manifest ("image KEY FILE.png PW PH ..." lines) in list order:
// a key's position is the image's index in the game's image list. False with a reason when the
// file cannot be read or a line is not understood.
bool ReadImageKeys(const std::filesystem::path& manifest, std::vector<std::string>& keys, std::string& error);

}  // namespace zb::tool
