// The layout arithmetic shared by the containers: a stack of children along one axis, with fixed
// and shared sizes, min and max limits, margins, child padding and alignment; and float placement.
#pragma once

#include <vector>

#include "ui/geometry.h"

namespace ui {

class Control;

enum class Align { kStart, kCenter, kEnd };

struct BoxSpec {
  bool vertical = true;
  int childPadding = 0;              // pixels between neighbours
  Align mainAlign = Align::kStart;   // where the stack sits when nothing stretches
  Align crossAlign = Align::kStart;  // where a child narrower than the box sits
};

// Places the visible, non-float items inside inner, shifted back by scrollOffset along the main
// axis. Returns the length the stack needs along the main axis.
int LayoutBox(const std::vector<Control*>& items, const Rect& inner, const BoxSpec& spec, int scrollOffset);

// The length LayoutBox would need if nothing had to share space: fixed sizes, minimum sizes of the
// sharing children, margins and padding.
int MeasureBox(const std::vector<Control*>& items, Size available, const BoxSpec& spec);

// A float child at its pos from the parent's top-left; anchors add fractions of the parent's size.
// A pos without width or height takes the child's fixed size.
void PlaceFloat(Control& child, const Rect& parent);

// One child alone in a box (plain containers, tab pages): its fixed size or the whole box, less its
// margin, aligned as asked.
void PlaceSingle(Control& child, const Rect& inner, Align horizontal, Align vertical);

}  // namespace ui
