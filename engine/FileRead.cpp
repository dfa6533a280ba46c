#include "engine/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <utility>

namespace zb {
namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Opens a regular file read-only; -1 with the reason in `code` otherwise.
int OpenRegular(const std::filesystem::path& path, uint64_t& size, std::error_code& code, TFileStamp* stamp = nullptr) {
  // Non-blocking, so a pipe put where a file belongs cannot hang the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    code = LastError();
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    code = LastError();
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    code = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument);
    ::close(fd);
    return -1;
  }
  size = static_cast<uint64_t>(info.st_size);
  if (stamp) {
    *stamp = TFileStamp{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), size,
                        int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec};
  }
  return fd;
}

// read() that goes on after a signal; the count read, or -1.
ssize_t ReadSome(int fd, char* data, size_t count) {
  for (;;) {
    const ssize_t n = ::read(fd, data, count);
    if (n >= 0 || errno != EINTR) return n;
  }
}

}  // namespace

std::string DescribeFileError(const std::error_code& code) {
  if (code == std::errc::no_such_file_or_directory) return "cannot be opened: it does not exist";
  if (code == std::errc::is_a_directory) return "cannot be opened: it is a folder";
  if (code == std::errc::invalid_argument) return "cannot be opened: it is not a regular file";
  if (code == std::errc::file_too_large) return "is too large";
  return "cannot be opened: " + code.message();
}

FileReadResult ReadFileText(const std::filesystem::path& path, size_t maxBytes) {
  FileReadResult result;
  auto fail = [&](std::error_code code, bool opened = true) {
    result.code = code;
    result.bytes.clear();
    result.error = "\"" + path.generic_string() + "\" " +
                   (opened && code != std::errc::file_too_large ? "cannot be read: " + code.message()
                                                                 : DescribeFileError(code));
    if (code == std::errc::file_too_large) result.error += " (over " + std::to_string(maxBytes) + " bytes)";
    return std::move(result);
  };
  uint64_t size = 0;
  std::error_code code;
  const int fd = OpenRegular(path, size, code);
  if (fd < 0) return fail(code, false);
  if (size > maxBytes) {
    ::close(fd);
    return fail(std::make_error_code(std::errc::file_too_large));
  }
  // The size is only a hint: the file may grow or shrink while it is read.
  result.bytes.resize(static_cast<size_t>(size) + 1);
  size_t done = 0;
  for (;;) {
    if (done == result.bytes.size()) {
      if (done > maxBytes) break;
      result.bytes.resize(std::min(maxBytes + 1, done * 2 + 4096));
    }
    const size_t wanted = result.bytes.size() - done;
    const ssize_t n = ReadSome(fd, result.bytes.data() + done, wanted);
    if (n < 0) {
      code = LastError();
      ::close(fd);
      return fail(code);
    }
    done += static_cast<size_t>(n);
    // A regular file reads short only at its end.
    if (n == 0 || static_cast<size_t>(n) < wanted) break;
  }
  ::close(fd);
  if (done > maxBytes) return fail(std::make_error_code(std::errc::file_too_large));
  result.bytes.resize(done);
  result.ok = true;
  return result;
}

std::vector<uint8_t> AsBytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TReadFile::~TReadFile() { Close(); }

TReadFile::TReadFile(TReadFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      size_(std::exchange(other.size_, 0)),
      block_(std::move(other.block_)),
      blockStart_(other.blockStart_) {
  other.block_.clear();
}

TReadFile& TReadFile::operator=(TReadFile&& other) noexcept {
  if (this != &other) {
    Close();
    fd_ = std::exchange(other.fd_, -1);
    size_ = std::exchange(other.size_, 0);
    block_ = std::move(other.block_);
    other.block_.clear();
    blockStart_ = other.blockStart_;
  }
  return *this;
}

void TReadFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  size_ = 0;
  block_.clear();
}

bool TReadFile::Open(const std::filesystem::path& path, std::error_code& code) {
  Close();
  fd_ = OpenRegular(path, size_, code, &stamp_);
  return fd_ >= 0;
}

bool TReadFile::ReadAt(uint64_t offset, void* data, size_t count) const {
  if (fd_ < 0) return false;
  if (count > kBlockBytes / 4) return ReadDirect(offset, data, count);
  const auto inBlock = [&] { return offset >= blockStart_ && offset - blockStart_ + count <= block_.size(); };
  if (!inBlock()) {
    if (offset >= size_) return false;
    block_.resize(static_cast<size_t>(std::min<uint64_t>(kBlockBytes, size_ - offset)));
    if (!ReadDirect(offset, block_.data(), block_.size())) {
      block_.clear();
      return false;
    }
    blockStart_ = offset;
    if (!inBlock()) return false;
  }
  if (count > 0) std::memcpy(data, block_.data() + (offset - blockStart_), count);
  return true;
}

bool TReadFile::ReadDirect(uint64_t offset, void* data, size_t count) const {
  auto* out = static_cast<char*>(data);
  size_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace zb
