#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zb::platform {

// A render driver as SDL lists it.
struct RenderDriver {
  std::string name;  // "opengl", "opengles2", "software", ...
  bool accelerated = false;
};

struct RendererChoice {
  int driver = -1;        // index into the list; -1 for SDL's software renderer when it is not listed
  bool software = false;  // SDL's software renderer, presented through the window surface
};

// Whether an OpenGL renderer name (GL_RENDERER) is a rasteriser on the processor.
bool IsSoftwareGl(std::string_view glRenderer);

// Whether the device files (paths under "/dev") include a graphics card that an OpenGL driver
// could use: a DRM node, an NVIDIA device or the GPU of a Linux guest on Windows.
bool HasGraphicsDevice(const std::vector<std::string>& deviceFiles);

// The renderer for the game window: a driver named by `forced` (the user's SDL_RENDER_DRIVER)
// when listed; otherwise the first accelerated driver, unless it is OpenGL whose `glRenderer` is
// a software rasteriser, or OpenGL on a system without a `graphicsDevice`, or none is listed:
// then the software renderer, which draws the same picture with far less work than OpenGL
// emulated on the processor. `glRenderer` is empty while unknown, so that the first choice names
// the driver to create and ask; without a graphics device OpenGL is not even started, as loading
// an emulating driver alone costs a tenth of a second.
RendererChoice ChooseRenderer(const std::vector<RenderDriver>& drivers, std::string_view glRenderer,
                              std::string_view forced, bool graphicsDevice = true);

}  // namespace zb::platform
