// Mouse input of a window: hover and press states, clicks, tooltips, cursors, scrolling.
#include <algorithm>

#include "ui/container.h"
#include "ui/list.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr int kPixelsPerNotch = 30;

// The scrolling container whose bar lies under the point, or null.
Container* ScrollBarAt(Control* hit, Point point) {
  for (Control* control = hit; control != nullptr; control = control->Parent()) {
    Container* container = control->AsContainer();
    if (container != nullptr && container->ScrollRange() > 0 &&
        container->ScrollTrackRect().Contains(point)) {
      return container;
    }
  }
  return nullptr;
}

}  // namespace

Control* WindowModel::ClickTarget(Point point) const {
  Control* control = FindControlAt(point);
  while (control != nullptr && !control->WantsClicks()) control = control->Parent();
  return control != nullptr && control->IsEnabled() ? control : nullptr;
}

std::wstring WindowModel::TooltipAt(Point point) const {
  for (Control* control = FindControlAt(point); control != nullptr; control = control->Parent()) {
    if (!control->Tooltip().empty()) return control->DisplayTooltip();
  }
  return {};
}

Cursor WindowModel::CursorAt(Point point) const {
  for (const Control* control = FindControlAt(point); control != nullptr; control = control->Parent()) {
    const std::string* cursor = control->Attribute("cursor");
    if (cursor == nullptr) continue;
    return control->IsEnabled() && AsciiLowerCopy(*cursor) == "hand" ? Cursor::kHand : Cursor::kArrow;
  }
  return Cursor::kArrow;
}

void WindowModel::OnMouseMove(Point point) {
  if (dragBox_ != nullptr) {
    DragThumb(point);
    return;
  }
  Control* target = ClickTarget(point);
  if (target == hot_) return;
  if (hot_ != nullptr) hot_->SetState(hot_->State() & ~kStateHot);
  hot_ = target;
  if (hot_ != nullptr) hot_->SetState(hot_->State() | kStateHot);
}

bool WindowModel::OnMouseWheel(Point point, int delta) {
  for (Control* control = FindControlAt(point); control != nullptr; control = control->Parent()) {
    Container* container = control->AsContainer();
    if (container == nullptr || container->ScrollRange() <= 0) continue;
    const int before = container->ScrollPos();
    container->SetScrollPos(before - delta * Px(kPixelsPerNotch) / 120);
    LayoutIfNeeded();
    return container->ScrollPos() != before;
  }
  return false;
}

void WindowModel::OnMouseLeave() {
  if (hot_ != nullptr) hot_->SetState(hot_->State() & ~kStateHot);
  hot_ = nullptr;
}

void WindowModel::OnMouseDown(Point point) {
  if (PressScrollBar(point)) return;
  OnMouseMove(point);
  pushed_ = ClickTarget(point);
  if (pushed_ == nullptr) return;
  pushed_->SetState(pushed_->State() | kStatePushed);
  if (CanTakeFocus(*pushed_)) SetFocus(pushed_);  // as a native button takes the focus when pressed
}

void WindowModel::OnMouseUp(Point point) {
  dragBox_ = nullptr;
  Control* pushed = pushed_;
  pushed_ = nullptr;
  if (pushed == nullptr) return;
  pushed->SetState(pushed->State() & ~kStatePushed);
  if (ClickTarget(point) != pushed) return;
  if (auto* row = dynamic_cast<ListTextElement*>(pushed)) {
    row->ClickAt(point);
  } else {
    pushed->Activate();  // may destroy the control; nothing touches it afterwards
  }
}

bool WindowModel::PressScrollBar(Point point) {
  Container* box = ScrollBarAt(FindControlAt(point), point);
  if (box == nullptr) return false;
  const Rect thumb = box->ScrollThumbRect();
  if (thumb.Contains(point)) {
    dragBox_ = box;
    dragStartY_ = point.y;
    dragStartPos_ = box->ScrollPos();
  } else {
    // A press on the track moves one box height towards the point.
    const int page = box->ScrollTrackRect().Height();
    box->SetScrollPos(box->ScrollPos() + (point.y < thumb.top ? -page : page));
    LayoutIfNeeded();
  }
  return true;
}

void WindowModel::DragThumb(Point point) {
  const Rect track = dragBox_->ScrollTrackRect();
  const int movable = track.Height() - dragBox_->ScrollThumbRect().Height();
  if (movable <= 0) return;
  const long long moved = static_cast<long long>(point.y - dragStartY_) * dragBox_->ScrollRange() / movable;
  dragBox_->SetScrollPos(
      static_cast<int>(std::clamp<long long>(dragStartPos_ + moved, 0, dragBox_->ScrollRange())));
  LayoutIfNeeded();
}

}  // namespace ui
