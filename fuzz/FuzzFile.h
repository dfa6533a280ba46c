#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zb::fuzz {

// Where the drivers' files go: memory when the system has it. On a disk file system each input
// rewritten over the last one is flushed at close, which cost more than reading it.
inline std::string ScratchPattern(const char* stem) {
  std::error_code ec;
  const char* base = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : "/tmp";
  return std::string(base) + "/" + stem + "-XXXXXX";
}

// The input written to a file of its own, for loaders that read from a path.
class TempFile {
 public:
  TempFile(const uint8_t* data, size_t size) {
    std::string name = ScratchPattern("zbfuzz");
    const int fd = mkstemp(name.data());
    if (fd < 0) std::abort();
    path_ = name;
    for (size_t done = 0; done < size;) {
      const ssize_t n = write(fd, data + done, size - done);
      if (n <= 0) std::abort();
      done += static_cast<size_t>(n);
    }
    close(fd);
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A folder of its own for this run of the driver, removed at exit.
inline std::filesystem::path TempFolder() {
  std::string name = ScratchPattern("zbfuzz-dir");
  if (!mkdtemp(name.data())) std::abort();
  static std::string made;
  made = name;
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(made, ec);
  });
  return made;
}

// Replaces the file with the bytes.
inline void WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace zb::fuzz
