#include "game/GameState.h"

#include <charconv>

#include "persist/LineCode.h"

namespace zb {

void TGameState::SetShownScore(int32_t value) { ShownScore = EncodeLine(PadText(std::to_string(value), 10)); }

int32_t TGameState::GetShownScore() const {
  const std::string text = StripPadding(DecodeLine(ShownScore));
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  // The game only stores its own encodings; anything else reads as no score.
  if (text.empty() || ec != std::errc() || ptr != end) return 0;
  return value;
}

void TGameState::CountUpShownScore() {
  const int32_t shown = GetShownScore();
  if (shown >= Score) return;
  const int64_t gap = static_cast<int64_t>(Score) - shown;
  SetShownScore(shown + (gap > 1000 ? 100 : gap > 100 ? 10 : 1));
}

}  // namespace zb
