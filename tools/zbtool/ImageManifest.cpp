#include "tools/zbtool/ImageManifest.h"

#include <fstream>
#include <sstream>

namespace zb::tool {

bool ReadImageKeys(const std::filesystem::path& manifest, std::vector<std::string>& keys,
                   std::string& error) {
  std::ifstream in(manifest);
  if (!in) {
    error = "cannot open the image manifest \"" + manifest.string() + "\"";
    return false;
  }
  keys.clear();
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string word, key;
    if (!(words >> word) || word[0] == '#') continue;
    if (word != "image" || !(words >> key)) {
      error = manifest.string() + ":" + std::to_string(number) + ": not an image line";
      return false;
    }
    keys.push_back(key);
  }
  return true;
}

}  // namespace zb::tool
