#include "persist/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace zb {

TFolderLock::TFolderLock(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kFileName;
  // Never through a link, and never blocking on a pipe put in its place.
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    fd_ = fd;
    return;
  }
  busy_ = errno == EWOULDBLOCK;
  ::close(fd);
}

TFolderLock::~TFolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace zb
