#include "tools/zbtool/ImageManifest.h"

#include <sstream>

#include "engine/FileRead.h"

namespace zb::tool {
namespace {

// Included manifests deeper than this are taken for an include cycle.
constexpr int kMaxIncludeDepth = 16;

bool ReadKeys(const std::filesystem::path& manifest, std::vector<std::string>& keys, std::string& error,
              int depth) {
  if (depth > kMaxIncludeDepth) {
    error = manifest.string() + ": manifests include each other";
    return false;
  }
  FileReadResult file = ReadFileText(manifest);
  if (!file.ok) {
    error = "the image manifest " + file.error;
    return false;
  }
  std::istringstream in(std::move(file.bytes));
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string word, argument;
    if (!(words >> word) || word[0] == '#') continue;
    if (!(words >> argument)) {
      error = manifest.string() + ":" + std::to_string(number) + ": a line without its key or file";
      return false;
    }
    if (word == "image") {
      keys.push_back(argument);
    } else if (word == "include") {
      if (!ReadKeys(manifest.parent_path() / argument, keys, error, depth + 1)) return false;
    } else if (word != "font" && word != "raw") {
      error = manifest.string() + ":" + std::to_string(number) + ": unknown line '" + word + "'";
      return false;
    }
  }
  return true;
}

}  // namespace

bool ReadImageKeys(const std::filesystem::path& manifest, std::vector<std::string>& keys, std::string& error) {
  keys.clear();
  return ReadKeys(manifest, keys, error, 0);
}

}  // namespace zb::tool
