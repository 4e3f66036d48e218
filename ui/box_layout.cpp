#include "ui/box_layout.h"

#include <algorithm>

#include "ui/control.h"

namespace ui {
namespace {

struct AxisRules {
  int wanted = 0;  // 0: shares the rest
  int minimum = 0;
  int maximum = kNoLimit;
  int marginBefore = 0;
  int marginAfter = 0;
};

AxisRules Axis(const Control& child, Size estimate, bool horizontal) {
  const SizeRules& s = child.Sizing();
  AxisRules a;
  if (horizontal) {
    a = {estimate.cx, child.Px(s.minWidth), s.maxWidth >= kNoLimit ? kNoLimit : child.Px(s.maxWidth),
         child.Px(s.padding.left), child.Px(s.padding.right)};
  } else {
    a = {estimate.cy, child.Px(s.minHeight), s.maxHeight >= kNoLimit ? kNoLimit : child.Px(s.maxHeight),
         child.Px(s.padding.top), child.Px(s.padding.bottom)};
  }
  if (a.maximum < a.minimum) a.maximum = a.minimum;
  return a;
}

int Clamp(int value, const AxisRules& a) { return std::clamp(value, a.minimum, a.maximum); }

int Offset(Align align, int room) {
  if (room <= 0) return 0;
  if (align == Align::kCenter) return room / 2;
  if (align == Align::kEnd) return room;
  return 0;
}

bool InFlow(const Control* child) { return child->IsVisible() && !child->IsFloat(); }

// Coordinates stay where their differences still fit an int, whatever the layout asks for.
constexpr long long kCoordLimit = 1 << 29;
int Coord(long long value) { return static_cast<int>(std::clamp(value, -kCoordLimit, kCoordLimit)); }

Rect MakeRect(long long left, long long top, long long right, long long bottom) {
  return {Coord(left), Coord(top), Coord(right), Coord(bottom)};
}

}  // namespace

int LayoutBox(const std::vector<Control*>& items, const Rect& inner, const BoxSpec& spec, int scrollOffset) {
  const bool v = spec.vertical;
  const Size available{inner.Width(), inner.Height()};
  const int mainLength = v ? available.cy : available.cx;
  const int crossLength = v ? available.cx : available.cy;

  struct Slot {
    Control* control;
    Size estimate;
    AxisRules main;
    AxisRules cross;
    int length = 0;
    bool shares = false;
  };
  std::vector<Slot> slots;
  long long fixedTotal = 0;
  for (Control* child : items) {
    if (!InFlow(child)) continue;
    const Size estimate = child->EstimateSize(available);
    Slot slot{child, estimate, Axis(*child, estimate, !v), Axis(*child, estimate, v)};
    slot.shares = slot.main.wanted <= 0;
    if (!slot.shares) slot.length = Clamp(slot.main.wanted, slot.main);
    fixedTotal += slot.length + slot.main.marginBefore + slot.main.marginAfter;
    slots.push_back(slot);
  }
  if (slots.empty()) return 0;
  fixedTotal += static_cast<long long>(spec.childPadding) * static_cast<long long>(slots.size() - 1);

  // Share what remains; a child held at its minimum or maximum leaves the pool and the rest is
  // shared again among the others.
  long long pool = mainLength - fixedTotal;
  std::vector<Slot*> open;
  for (Slot& slot : slots) {
    if (slot.shares) open.push_back(&slot);
  }
  bool changed = true;
  while (changed && !open.empty()) {
    changed = false;
    const int share = static_cast<int>(std::max(0LL, pool) / static_cast<long long>(open.size()));
    for (size_t i = 0; i < open.size(); ++i) {
      Slot* slot = open[i];
      const int held = Clamp(share, slot->main);
      if (held != share) {
        slot->length = held;
        pool -= held;
        open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
        break;
      }
    }
  }
  if (!open.empty()) {
    const long long count = static_cast<long long>(open.size());
    const int share = static_cast<int>(std::max(0LL, pool) / count);
    for (Slot* slot : open) slot->length = share;
    open.back()->length += static_cast<int>(std::max(0LL, pool) - share * count);  // rounding remainder
  }

  long long needed = static_cast<long long>(spec.childPadding) * static_cast<long long>(slots.size() - 1);
  bool anyShares = false;
  for (const Slot& slot : slots) {
    needed += slot.length + slot.main.marginBefore + slot.main.marginAfter;
    anyShares = anyShares || slot.shares;
  }
  long long position = static_cast<long long>(v ? inner.top : inner.left) - scrollOffset;
  if (!anyShares) position += Offset(spec.mainAlign, static_cast<int>(std::max(0LL, mainLength - needed)));

  for (const Slot& slot : slots) {
    position += slot.main.marginBefore;
    const int crossRoom = crossLength - slot.cross.marginBefore - slot.cross.marginAfter;
    const int crossSize =
        Clamp(slot.cross.wanted > 0 ? slot.cross.wanted : std::max(0, crossRoom), slot.cross);
    const long long crossStart = static_cast<long long>(v ? inner.left : inner.top) +
                                 slot.cross.marginBefore + Offset(spec.crossAlign, crossRoom - crossSize);
    const Rect r = v ? MakeRect(crossStart, position, crossStart + crossSize, position + slot.length)
                     : MakeRect(position, crossStart, position + slot.length, crossStart + crossSize);
    slot.control->SetPos(r);
    position += slot.length + slot.main.marginAfter + spec.childPadding;
  }
  return Coord(needed);
}

int MeasureBox(const std::vector<Control*>& items, Size available, const BoxSpec& spec) {
  long long total = 0, count = 0;
  for (Control* child : items) {
    if (!InFlow(child)) continue;
    const Size estimate = child->EstimateSize(available);
    const AxisRules main = Axis(*child, estimate, !spec.vertical);
    total +=
        (main.wanted > 0 ? Clamp(main.wanted, main) : main.minimum) + main.marginBefore + main.marginAfter;
    ++count;
  }
  if (count > 1) total += spec.childPadding * (count - 1);
  return Coord(total);
}

void PlaceFloat(Control& child, const Rect& parent) {
  const Rect& pos = child.FloatPos();
  const auto& anchor = child.FloatAnchors();
  const int w = parent.Width(), h = parent.Height();
  long long left =
      parent.left + static_cast<long long>(child.Px(pos.left)) + static_cast<long long>(anchor[0] * w);
  long long top =
      parent.top + static_cast<long long>(child.Px(pos.top)) + static_cast<long long>(anchor[1] * h);
  long long right =
      parent.left + static_cast<long long>(child.Px(pos.right)) + static_cast<long long>(anchor[2] * w);
  long long bottom =
      parent.top + static_cast<long long>(child.Px(pos.bottom)) + static_cast<long long>(anchor[3] * h);
  const Size estimate = child.EstimateSize({w, h});
  if (right <= left) right = left + estimate.cx;
  if (bottom <= top) bottom = top + estimate.cy;
  child.SetPos(MakeRect(left, top, right, bottom));
}

void PlaceSingle(Control& child, const Rect& inner, Align horizontal, Align vertical) {
  const Size available{inner.Width(), inner.Height()};
  const Size estimate = child.EstimateSize(available);
  const AxisRules x = Axis(child, estimate, true);
  const AxisRules y = Axis(child, estimate, false);
  const int roomX = available.cx - x.marginBefore - x.marginAfter;
  const int roomY = available.cy - y.marginBefore - y.marginAfter;
  const int width = Clamp(x.wanted > 0 ? x.wanted : std::max(0, roomX), x);
  const int height = Clamp(y.wanted > 0 ? y.wanted : std::max(0, roomY), y);
  const long long left =
      static_cast<long long>(inner.left) + x.marginBefore + Offset(horizontal, roomX - width);
  const long long top = static_cast<long long>(inner.top) + y.marginBefore + Offset(vertical, roomY - height);
  child.SetPos(MakeRect(left, top, left + width, top + height));
}

}  // namespace ui
