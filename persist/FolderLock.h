#pragma once

#include <filesystem>
#include <string>

namespace zb {

// A lock on the player's folder for as long as a game runs there, held on the file
// "Config.cfg.lock" beside "Config.cfg". Two copies of the game writing one "Config.cfg" would
// each write over the other's players and scores; the copy that finds the lock taken saves nothing.
class TFolderLock {
 public:
  // Takes the lock on `folder` if it is free. The system lets it go when the program ends,
  // however it ends.
  explicit TFolderLock(const std::filesystem::path& folder);
  ~TFolderLock();
  TFolderLock(const TFolderLock&) = delete;
  TFolderLock& operator=(const TFolderLock&) = delete;

  // Whether this copy holds the lock.
  bool Held() const { return fd_ >= 0; }
  // Another running copy holds it (not: the lock file could not be made).
  bool Busy() const { return busy_; }

  static constexpr const char* kFileName = "Config.cfg.lock";

 private:
  int fd_ = -1;
  bool busy_ = false;
};

}  // namespace zb
