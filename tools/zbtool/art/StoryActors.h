#pragma once

#include <cairo.h>

namespace zb::art {

// The speech scenes' monkey (300 x 280, its left arm raised in a wave) in its own cell coordinates;
// `talking` draws its mouth wide open.
void DrawWavingMonkey(cairo_t* cr, bool talking);

}  // namespace zb::art
