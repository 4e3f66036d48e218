// Direct access to the pixels of a 32-bit premultiplied-ARGB surface, rows top-down. Filling large
// areas through the pixels is far cheaper than through a general rasteriser (the back buffer of a
// whole window is cleared and filled several times per frame).
#pragma once

#include <cstdint>

#include "ui/attribute_values.h"
#include "ui/geometry.h"

namespace ui {

struct PixelSurface {
  uint32_t* bits = nullptr;
  int stride = 0;  // pixels from one row to the next
  Size size;
};

// Sets every pixel of rect (cut to the surface) to color, which must be opaque: an opaque colour
// is its own premultiplied value.
void FillOpaque(const PixelSurface& surface, const Rect& rect, Color color);

inline bool IsOpaque(Color color) { return (color >> 24) == 0xFF; }

}  // namespace ui
