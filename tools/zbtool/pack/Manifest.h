#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zb::tool {

// One record line of a manifest, its FILE already found on disk.
struct ManifestRecord {
  enum class Kind { Image, Font, Raw };
  Kind kind = Kind::Raw;
  std::string key;  // CP1251 bytes
  std::filesystem::path file;
  std::string where;  // "manifest:line", for messages
  // image: cell, visible size (0 = the cell) and count (0 = every cell)
  int patternWidth = 0, patternHeight = 0, visibleWidth = 0, visibleHeight = 0, count = 0;
  // font
  int pixelSize = 0, spacing = 0;
  // raw
  int type = 0;
};

struct Manifest {
  std::vector<ManifestRecord> records;  // in manifest order, includes expanded in place
  std::string error;                    // empty when the manifest read cleanly
};

// Reads a manifest and everything it includes. FILE names are looked up relative to the folder
// of the manifest that names them, then in each of `roots` in turn.
Manifest ReadManifest(const std::filesystem::path& path, const std::vector<std::filesystem::path>& roots);

}  // namespace zb::tool
