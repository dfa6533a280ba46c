#include "engine/platform/sdl/RendererChoice.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zb::platform {
namespace {

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

int SoftwareIndex(const std::vector<RenderDriver>& drivers) {
  for (size_t i = 0; i < drivers.size(); ++i) {
    if (Lower(drivers[i].name) == "software") return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

bool IsSoftwareGl(std::string_view glRenderer) {
  static constexpr std::array<std::string_view, 6> kSoftware = {
      "llvmpipe", "softpipe", "swrast", "software rasterizer", "gdi generic", "apple software renderer"};
  const std::string name = Lower(glRenderer);
  return std::any_of(kSoftware.begin(), kSoftware.end(),
                     [&](std::string_view word) { return name.find(word) != std::string::npos; });
}

bool HasGraphicsDevice(const std::vector<std::string>& deviceFiles) {
  return std::any_of(deviceFiles.begin(), deviceFiles.end(), [](std::string_view file) {
    return file.starts_with("/dev/dri/card") || file.starts_with("/dev/dri/renderD") ||
           file.starts_with("/dev/nvidia") || file == "/dev/dxg";
  });
}

RendererChoice ChooseRenderer(const std::vector<RenderDriver>& drivers, std::string_view glRenderer,
                              std::string_view forced, bool graphicsDevice) {
  const RendererChoice software{SoftwareIndex(drivers), true};
  if (!forced.empty()) {
    const std::string wanted = Lower(forced);
    for (size_t i = 0; i < drivers.size(); ++i) {
      if (Lower(drivers[i].name) == wanted) return {static_cast<int>(i), wanted == "software"};
    }
  }
  for (size_t i = 0; i < drivers.size(); ++i) {
    if (!drivers[i].accelerated) continue;
    if (Lower(drivers[i].name).starts_with("opengl") && (!graphicsDevice || IsSoftwareGl(glRenderer))) {
      return software;
    }
    return {static_cast<int>(i), false};
  }
  return software;
}

}  // namespace zb::platform
