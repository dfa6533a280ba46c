#include "app/ScreenLog.h"

namespace zb {

void TScreenLog::Note(uint8_t screen) {
  if (last_ == screen) return;
  last_ = screen;
  out_ << static_cast<unsigned>(screen) << '\n' << std::flush;
}

}  // namespace zb
