#include "ui/pixel_surface.h"

#include <algorithm>

namespace ui {

void FillOpaque(const PixelSurface& surface, const Rect& rect, Color color) {
  const Rect area = rect.Intersect({0, 0, surface.size.cx, surface.size.cy});
  if (surface.bits == nullptr || area.IsEmpty()) return;
  for (int y = area.top; y < area.bottom; ++y) {
    uint32_t* row = surface.bits + static_cast<ptrdiff_t>(y) * surface.stride;
    std::fill(row + area.left, row + area.right, static_cast<uint32_t>(color));
  }
}

}  // namespace ui
