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

// The renderer for the game window: a driver named by `forced` (the user's SDL_RENDER_DRIVER)
// when listed; otherwise the first accelerated driver, unless it is OpenGL whose `glRenderer` is
// a software rasteriser or none is listed: then the software renderer, which draws the same
// picture with far less work than OpenGL emulated on the processor. `glRenderer` is empty while
// unknown, so that the first choice names the driver to create and ask.
RendererChoice ChooseRenderer(const std::vector<RenderDriver>& drivers, std::string_view glRenderer,
                              std::string_view forced);

}  // namespace zb::platform
