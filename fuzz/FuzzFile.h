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

// One file for the whole run, rewritten with each input, for loaders that read from a path: a
// file made, written and removed for every input was a third of the archive driver's time.
class ScratchFile {
 public:
  ScratchFile() {
    std::string name = ScratchPattern("zbfuzz");
    fd_ = mkstemp(name.data());
    if (fd_ < 0) std::abort();
    path_ = name;
  }
  ~ScratchFile() {
    close(fd_);
    std::remove(path_.c_str());
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  // Replaces the file's bytes.
  void Write(const uint8_t* data, size_t size) {
    if (ftruncate(fd_, 0) != 0) std::abort();
    for (size_t done = 0; done < size;) {
      const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<size_t>(n);
    }
  }
  const std::string& Path() const { return path_; }

 private:
  int fd_ = -1;
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
