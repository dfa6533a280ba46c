#include "app/WindowFit.h"

#include <algorithm>
#include <cstdint>

namespace zb {
namespace {

// 90 %, in tenths.
constexpr int64_t kShareTenths = 9;

// The scale that fits one side: n * picture <= 90 % of usable.
int64_t FitsSide(int usable, int picture) {
  if (picture <= 0) return 1;
  return std::max<int64_t>(0, int64_t{usable}) * kShareTenths / (int64_t{picture} * 10);
}

}  // namespace

int WholeScale(platform::Point usable, platform::Point picture) {
  const int64_t scale = std::min(FitsSide(usable.x, picture.x), FitsSide(usable.y, picture.y));
  return static_cast<int>(std::clamp<int64_t>(scale, 1, 64));
}

platform::Point StartWindowSize(std::optional<platform::Point> kept, platform::Point usable,
                                platform::Point picture) {
  if (kept && kept->x <= usable.x && kept->y <= usable.y && kept->x * 2 >= picture.x && kept->y * 2 >= picture.y) {
    return *kept;
  }
  const int scale = WholeScale(usable, picture);
  return platform::Point{picture.x * scale, picture.y * scale};
}

}  // namespace zb
