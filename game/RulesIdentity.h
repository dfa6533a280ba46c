#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

namespace zb {

// Raised whenever a change of the rules makes a recorded game play out differently, so that a
// replay made by another build is refused instead of replayed wrongly.
inline constexpr uint32_t kRulesVersion = 2;

// A SHA-256 digest of what a game plays through besides the rules: the 25 level files and the
// story. A missing file counts as empty, so the digest always exists.
std::array<uint8_t, 32> ContentDigest(const std::filesystem::path& contentFolder);

}  // namespace zb
