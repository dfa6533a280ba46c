#pragma once

#include <span>

#include "screens/RenderPass.h"

namespace zb {

struct TScreenContext;

// One frame's passes in their order: every pass that changes state runs; the drawing passes run
// between the begin and the end of a scene when the frame is drawn. Then the GUI updates (when
// `updateGui`) and the picture is presented.
void RunPasses(TScreenContext& ctx, std::span<const RenderPass> passes, bool updateGui);

}  // namespace zb
