#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace zb::fuzz {

// The input written to a file of its own, for loaders that read from a path.
class TempFile {
 public:
  TempFile(const uint8_t* data, size_t size) {
    char name[] = "/tmp/zbfuzz-XXXXXX";
    const int fd = mkstemp(name);
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

}  // namespace zb::fuzz
