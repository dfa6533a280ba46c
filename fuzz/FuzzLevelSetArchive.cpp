// Arbitrary bytes as a ".zlv" level set. What is accepted packs again into an archive that unpacks
// to the same files; what is refused hands out no file.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "persist/LevelSetArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<zb::TArchivedFile> files;
  std::string error;
  if (!zb::UnpackLevelSet(bytes, files, error)) {
    if (!files.empty() || error.empty()) std::abort();
    return 0;
  }
  std::vector<zb::TArchivedFile> again;
  if (!zb::UnpackLevelSet(zb::PackLevelSet(files), again, error) || again.size() != files.size()) std::abort();
  for (size_t i = 0; i < files.size(); ++i) {
    if (again[i].Name != files[i].Name || again[i].Bytes != files[i].Bytes) std::abort();
  }
  return 0;
}
