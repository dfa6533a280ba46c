#include "game/RulesIdentity.h"

#include <openssl/evp.h>

#include <memory>
#include <string>

#include "engine/FileRead.h"
#include "game/LevelFile.h"
#include "game/StoryLines.h"

namespace zb {

std::array<uint8_t, 32> ContentDigest(const std::filesystem::path& contentFolder) {
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> sha(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  EVP_DigestInit_ex(sha.get(), EVP_sha256(), nullptr);
  auto add = [&sha, &contentFolder](const std::string& name) {
    const FileReadResult read = ReadFileText(contentFolder / name, 1u << 20);
    const std::string bytes = read.ok ? read.bytes : std::string();
    // Each file's size first, so that no two sets of files run together into the same bytes.
    const uint64_t size = bytes.size();
    EVP_DigestUpdate(sha.get(), &size, sizeof size);
    EVP_DigestUpdate(sha.get(), bytes.data(), bytes.size());
  };
  for (int level = 1; level <= 25; ++level) add(LevelFileName(level));
  add(kStoryFileName);
  std::array<uint8_t, 32> digest{};
  unsigned int length = 0;
  EVP_DigestFinal_ex(sha.get(), digest.data(), &length);
  return digest;
}

}  // namespace zb
