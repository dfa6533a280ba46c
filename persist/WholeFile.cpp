#include "persist/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zb {
namespace {

// Where a file goes: one that is a symbolic link (settings kept in another folder)
// is written through to its target, and the link stays.
std::filesystem::path SaveTarget(const std::filesystem::path& file, std::error_code& ec) {
  // Every link of a chain followed; a target that does not exist yet is made.
  constexpr int kMaxLinks = 40;
  std::filesystem::path target = file;
  for (int links = 0; std::filesystem::is_symlink(target, ec); ++links) {
    if (links == kMaxLinks) {
      ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
      return file;
    }
    const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
    if (ec) return file;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  ec.clear();
  return target;
}

// Creates the temporary file, never through a link nor into a file that is there: what is left
// from a run that stopped short (or a link put in its place) is removed first, a folder is not.
int CreateTemporary(const std::filesystem::path& temporary) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(temporary.c_str(), kFlags, 0644);
  if (fd >= 0 || errno != EEXIST) return fd;
  struct stat info {};
  if (::lstat(temporary.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    errno = EISDIR;
    return -1;
  }
  // unlink takes away a link itself, never what it points to.
  if (::unlink(temporary.c_str()) != 0 && errno != ENOENT) return -1;
  fd = ::open(temporary.c_str(), kFlags, 0644);
  return fd;
}

// Writes `text` as the whole of `link` (or of its target) through a temporary file.
}  // namespace

FileWriteResult WriteWholeFile(const std::filesystem::path& link, std::string_view text) {
  FileWriteResult result;
  std::error_code ec;
  const std::filesystem::path file = SaveTarget(link, ec);
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  auto fail = [&](int error, bool created, const std::filesystem::path& about) {
    if (created) ::unlink(temporary.c_str());
    result.code = std::error_code(error, std::generic_category());
    result.failedFile = about;
    result.error = "\"" + about.generic_string() + "\" cannot be written: " + result.code.message();
    return result;
  };
  if (ec) return fail(ec.value(), false, link);
  const int fd = CreateTemporary(temporary);
  if (fd < 0) return fail(errno, false, temporary);
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : ENOSPC;
      ::close(fd);
      return fail(error, true, file);
    }
    done += static_cast<size_t>(n);
  }
  // On the disk before the rename, so that a power cut cannot leave an empty file in its place.
  if (::fsync(fd) != 0) {
    const int error = errno;
    ::close(fd);
    return fail(error, true, file);
  }
  if (::close(fd) != 0) return fail(errno, true, file);
  if (::rename(temporary.c_str(), file.c_str()) != 0) return fail(errno, true, file);
  // The rename itself is made lasting by flushing the folder; where a file system cannot,
  // the new file is in place all the same.
  std::filesystem::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  result.ok = true;
  return result;
}

}  // namespace zb
