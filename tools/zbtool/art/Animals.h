#pragma once

#include <cairo.h>

namespace zb::art {

// The body of animal kind 0 panda, 1 lion, 2 begemot, 3 gorilla, in its own cell coordinates.
void DrawAnimalBody(cairo_t* cr, int kind);

}  // namespace zb::art
