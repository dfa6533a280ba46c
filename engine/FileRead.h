#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace zb {

// Whole files are read through here: every failure is an error value, never an exception,
// and a size is never trusted further than `maxBytes`.
inline constexpr size_t kDefaultMaxFileBytes = size_t{64} << 20;

struct FileReadResult {
  bool ok = false;
  std::string bytes;
  std::error_code code;  // the system's reason; file_too_large for a file over the limit
  std::string error;     // "\"<file>\" <reason>", for messages

  // A path through a plain file (a file where a folder should be) holds no file either.
  bool Missing() const {
    return code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory;
  }
};

// Reads the regular file `path` whole. A folder, a file that cannot be opened or read, and a
// file of more than `maxBytes` bytes are errors.
FileReadResult ReadFileText(const std::filesystem::path& path, size_t maxBytes = kDefaultMaxFileBytes);

// The bytes of a FileReadResult as unsigned bytes.
std::vector<uint8_t> AsBytes(const std::string& text);

// Why a file could not be opened, to follow its name in a message
// ("cannot be opened: it is a folder").
std::string DescribeFileError(const std::error_code& code);

// Which file, of what size, last changed when: equal stamps mean the same unchanged file.
struct TFileStamp {
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Size = 0;
  int64_t ModifiedNs = 0;
  bool operator==(const TFileStamp&) const = default;
};

// A file opened for reads at given offsets (archives); closed with the object.
class TReadFile {
 public:
  TReadFile() = default;
  ~TReadFile();
  TReadFile(TReadFile&& other) noexcept;
  TReadFile& operator=(TReadFile&& other) noexcept;
  TReadFile(const TReadFile&) = delete;
  TReadFile& operator=(const TReadFile&) = delete;

  // Opens a regular file; false with the reason in `code` otherwise.
  bool Open(const std::filesystem::path& path, std::error_code& code);
  bool IsOpen() const { return fd_ >= 0; }
  uint64_t Size() const { return size_; }
  const TFileStamp& Stamp() const { return stamp_; }
  // Reads exactly `count` bytes at `offset`; false for a short or failed read. Small reads are
  // served from a block read ahead, as a table of many small fields is read.
  bool ReadAt(uint64_t offset, void* data, size_t count) const;

 private:
  static constexpr size_t kBlockBytes = 64 * 1024;
  bool ReadDirect(uint64_t offset, void* data, size_t count) const;
  void Close();
  int fd_ = -1;
  uint64_t size_ = 0;
  TFileStamp stamp_;
  mutable std::vector<uint8_t> block_;
  mutable uint64_t blockStart_ = 0;
};

}  // namespace zb
