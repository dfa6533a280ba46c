#pragma once

// Plants shared by the scenery and the menu pictures. Angles are radians from straight up, clockwise.

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {

// A leaf blade from (x, y) along the angle, widest in its middle, with a midrib.
void Blade(cairo_t* cr, double x, double y, double angle, double len, double width, Rgb c);
// A fern frond: a curved stem with leaflets of the given size on both sides.
void Fern(cairo_t* cr, double x, double y, double angle, double len, double leaflet, Rgb c);
// A broad banana leaf with ribs and a few tears in its edge.
void BananaLeaf(cairo_t* cr, double x, double y, double angle, double len, double width, Rgb c);
// A curling vine with heart-shaped leaves.
void Vine(cairo_t* cr, double x, double y, double angle, double len, Rgb c);
// One small leaf, for vines and decorations.
void SmallLeaf(cairo_t* cr, double x, double y, double angle, double size, Rgb c);
// A five-petal jungle flower with a yellow heart.
void Flower(cairo_t* cr, double x, double y, double r, Rgb petals);
// A round bush of overlapping leaf clumps centred on (x, y).
void Bush(cairo_t* cr, double x, double y, double width, uint32_t seed);

}  // namespace zb::art
