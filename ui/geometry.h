// Plain value types for positions and sizes in the control tree, in device pixels.
#pragma once

#include <algorithm>

namespace ui {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Size {
  int cx = 0;
  int cy = 0;
  bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
  bool operator!=(const Size& o) const { return !(*this == o); }
};

// Four edge widths: an outer margin, an inner padding, nine-slice corners.
struct Edges {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Edges& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const Rect& o) const { return !(*this == o); }

  Rect Deflated(const Edges& e) const {
    Rect r{left + e.left, top + e.top, right - e.right, bottom - e.bottom};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
  }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect Intersect(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    if (r.IsEmpty()) return {};
    return r;
  }
  bool Intersects(const Rect& o) const { return !Intersect(o).IsEmpty(); }
};

}  // namespace ui
