#pragma once

#include <cstdint>
#include <optional>
#include <ostream>

namespace zb {

// One line per change of the current screen, its number in decimal, flushed at once: a script
// that drives the game from outside reads it to know where the game is.
class TScreenLog {
 public:
  explicit TScreenLog(std::ostream& out) : out_(out) {}
  // The screen of the frame just run; written only when it differs from the last one noted.
  void Note(uint8_t screen);

 private:
  std::ostream& out_;
  std::optional<uint8_t> last_;
};

}  // namespace zb
