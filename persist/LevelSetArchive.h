#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zb {

// A level set in one file (".zlv", laid out in docs/levelset-format.md): the set's files, by name,
// with their bytes unchanged.
struct TArchivedFile {
  std::string Name;  // a plain file name, no folder
  std::string Bytes;
};

inline constexpr size_t kMaxArchivedFiles = 256;
inline constexpr size_t kMaxArchivedFileBytes = size_t{1} << 20;
inline constexpr size_t kMaxArchiveBytes = size_t{64} << 20;

// Whether a name may be written as a file of a set: not empty, no folder part, no leading dot,
// no control character, at most 200 bytes.
bool IsPlainFileName(std::string_view name);

std::string PackLevelSet(const std::vector<TArchivedFile>& files);
// The files of an archive; false with the reason in `error` for anything not laid out as
// PackLevelSet writes it (and then `files` is left empty).
bool UnpackLevelSet(std::string_view archive, std::vector<TArchivedFile>& files, std::string& error);

// The regular files of a folder, by name. False with the reason for a folder that cannot be read,
// a file that is too large, or more files than an archive holds.
bool ReadSetFolder(const std::filesystem::path& folder, std::vector<TArchivedFile>& files, std::string& error);
// Writes the files into `folder` (made when missing). Refused, writing nothing, when any of them is
// there already: nothing of the player's is written over.
bool WriteSetFolder(const std::filesystem::path& folder, const std::vector<TArchivedFile>& files, std::string& error);

}  // namespace zb
