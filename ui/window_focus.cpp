// Keyboard input of a window: the focus, its tab stops in reading order, the keys that press and
// move, and the ring drawn around the focused control.
#include <algorithm>
#include <functional>

#include "ui/container.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr int kRingGap = 3;  // layout units between a control and its ring
constexpr int kRingWidth = 2;
constexpr Color kRingColor = 0xFF000000;
constexpr Color kRingInnerColor = 0xFFFFFFFF;

bool IsButton(const Control& control) {
  return control.Kind() == ControlKind::kButton || control.Kind() == ControlKind::kFadeButton;
}

// Inside a list only its rows take the focus, not the header's controls or a row's own parts.
bool FocusKind(const Control& control) {
  switch (control.Kind()) {
    case ControlKind::kButton:
    case ControlKind::kFadeButton:
    case ControlKind::kOption:
    case ControlKind::kEdit:
    case ControlKind::kRichEdit:
    case ControlKind::kList:
      return !InsideList(control);
    case ControlKind::kListElement:
    case ControlKind::kListTextElement:
      return IsListRow(control) && !InsideList(*control.Parent());
    default:
      return false;
  }
}

const std::wstring& GroupOf(const Control& control) {
  static const std::wstring kNone;
  const auto* option = dynamic_cast<const Option*>(&control);
  return option != nullptr ? option->Group() : kNone;
}

// A row with a check box: a click on the row also flips the mark, so moving onto it only selects.
ListTextElement* CheckBoxRow(Control& row) {
  auto* text = dynamic_cast<ListTextElement*>(&row);
  return text != nullptr && !text->CheckBoxRect().IsEmpty() ? text : nullptr;
}

// Every control that could take the focus, in reading order.
std::vector<Control*> Candidates(const WindowModel& window) {
  std::vector<Control*> found;
  window.VisitInReadingOrder([&](Control& control) {
    if (FocusKind(control) && window.CanTakeFocus(control)) found.push_back(&control);
    return control.Kind() != ControlKind::kList;  // a list's rows are reached through the list
  });
  return found;
}

std::vector<Control*> FocusableRows(const WindowModel& window, const List& list) {
  std::vector<Control*> rows;
  for (int i = 0; i < list.RowCount(); ++i) {
    Control* row = list.RowAt(i);
    if (window.CanTakeFocus(*row)) rows.push_back(row);
  }
  return rows;
}

// Scrolls every scrolling ancestor so that the control shows in it.
bool ScrollIntoView(const Control& control) {
  bool moved = false;
  for (Control* parent = control.Parent(); parent != nullptr; parent = parent->Parent()) {
    Container* box = parent->AsContainer();
    if (box == nullptr || box->ScrollRange() <= 0) continue;
    const Rect view = box->ScrollTrackRect();
    const Rect& r = control.GetRect();
    if (r.top < view.top) {
      box->SetScrollPos(box->ScrollPos() - (view.top - r.top));
      moved = true;
    } else if (r.bottom > view.bottom) {
      box->SetScrollPos(box->ScrollPos() + std::min(r.top - view.top, r.bottom - view.bottom));
      moved = true;
    }
  }
  return moved;
}

// The one stop among several: the focused one, else the first chosen one, else the first.
Control* PickStop(const std::vector<Control*>& items, const Control* focused,
                  const std::function<bool(Control*)>& chosen, Control* none) {
  if (items.empty()) return none;
  Control* stop = items.front();
  bool found = false;
  for (Control* item : items) {
    if (item == focused) return item;
    if (!found && chosen(item)) stop = item, found = true;
  }
  return stop;
}

Rect Grown(const Rect& r, int by) { return {r.left - by, r.top - by, r.right + by, r.bottom + by}; }

}  // namespace

void WindowModel::VisitInReadingOrder(const std::function<bool(Control&)>& visit) const {
  if (root_ == nullptr) return;
  std::vector<Control*> floating{root_.get()};
  const std::function<void(Control&)> walk = [&](Control& control) {
    if (!control.IsVisible() || !visit(control)) return;
    Container* container = control.AsContainer();
    for (int i = 0; container != nullptr && i < container->Count(); ++i) {
      Control* child = container->ItemAt(i);
      if (child->IsFloat()) {
        floating.push_back(child);
      } else {
        walk(*child);
      }
    }
  };
  for (size_t i = 0; i < floating.size(); ++i) walk(*floating[i]);
}

bool WindowModel::Press(Control& control) {
  if (IsButton(control) || control.Kind() == ControlKind::kOption) {
    control.Activate();
    return true;
  }
  if (!IsListRow(control)) return false;
  if (ListTextElement* row = CheckBoxRow(control)) {
    const Rect box = row->CheckBoxRect();
    row->ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
  } else {
    control.Activate();
  }
  return true;
}

bool WindowModel::CanTakeFocus(const Control& control) const {
  if (control.Manager() != this || !FocusKind(control) || !control.IsMouseEnabled()) return false;
  for (const Control* c = &control; c != nullptr; c = c->Parent()) {
    if (!c->IsVisible() || !c->IsEnabled()) return false;
  }
  return true;
}

std::vector<Control*> WindowModel::FocusOrder() const {
  const std::vector<Control*> candidates = Candidates(*this);
  std::vector<Control*> order;
  for (Control* control : candidates) {
    if (auto* list = dynamic_cast<List*>(control)) {
      // The list's stop is its focused row, else its selected row, else its first row.
      const std::vector<Control*> rows = FocusableRows(*this, *list);
      order.push_back(PickStop(
          rows, focused_, [list](Control* row) { return row == list->RowAt(list->SelectedIndex()); }, list));
      continue;
    }
    const std::wstring& group = GroupOf(*control);
    if (group.empty()) {
      order.push_back(control);
      continue;
    }
    // A group's stop is its focused option, else its selected one, else its first.
    std::vector<Control*> members;
    for (Control* member : candidates) {
      if (GroupOf(*member) == group) members.push_back(member);
    }
    Control* stop = PickStop(
        members, focused_, [](Control* member) { return static_cast<Option*>(member)->IsSelected(); },
        nullptr);
    if (stop == control) order.push_back(control);
  }
  return order;
}

bool WindowModel::SetFocus(Control* control) {
  if (control == focused_) return true;
  if (control != nullptr && !CanTakeFocus(*control)) return false;
  Control* old = focused_;
  focused_ = control;
  if (old != nullptr) {
    Invalidate(Grown(old->GetRect(), Px(kRingGap + kRingWidth)));
    old->SetState(old->State() & ~kStateFocused);
  }
  if (control != nullptr) {
    control->SetState(control->State() | kStateFocused);
    Invalidate(FocusRingRect());
    if (auto* edit = dynamic_cast<Edit*>(control)) edit->Focus();
  }
  if (host_ != nullptr) host_->FocusChanged(control);
  return true;
}

bool WindowModel::MoveFocus(bool backwards) {
  const std::vector<Control*> order = FocusOrder();
  if (order.empty()) return false;
  const auto at = std::find(order.begin(), order.end(), focused_);
  const int n = static_cast<int>(order.size());
  int next = backwards ? n - 1 : 0;
  if (at != order.end()) next = (static_cast<int>(at - order.begin()) + (backwards ? n - 1 : 1)) % n;
  Control* target = order[static_cast<size_t>(next)];
  SetFocus(target);
  if (ScrollIntoView(*target)) LayoutIfNeeded();
  return true;
}

bool WindowModel::MoveInGroup(Option& option, bool backwards) {
  std::vector<Control*> members;
  for (Control* candidate : Candidates(*this)) {
    if (GroupOf(*candidate) == option.Group()) members.push_back(candidate);
  }
  const auto at = std::find(members.begin(), members.end(), &option);
  if (at == members.end() || members.size() < 2) return true;
  const int n = static_cast<int>(members.size());
  Control* target = members[static_cast<size_t>((at - members.begin() + (backwards ? n - 1 : 1)) % n)];
  SetFocus(target);
  target->Activate();  // as a click: "click", then the selection and its "selectchanged"
  return true;
}

bool WindowModel::MoveInList(Control& row, Key key) {
  List* list = OwningList(row);
  const std::vector<Control*> rows = FocusableRows(*this, *list);
  const auto at = std::find(rows.begin(), rows.end(), &row);
  if (at == rows.end()) return false;
  int index = static_cast<int>(at - rows.begin());
  switch (key) {
    case Key::kUp:
      index = std::max(0, index - 1);
      break;
    case Key::kDown:
      index = std::min(static_cast<int>(rows.size()) - 1, index + 1);
      break;
    case Key::kHome:
      index = 0;
      break;
    case Key::kEnd:
      index = static_cast<int>(rows.size()) - 1;
      break;
    default:
      return false;
  }
  Control* target = rows[static_cast<size_t>(index)];
  if (target == &row) return true;
  SetFocus(target);
  if (ScrollIntoView(*target)) LayoutIfNeeded();
  if (CheckBoxRow(*target) != nullptr) {
    list->SelectRow(list->RowIndex(target), true);  // "itemselect" as a click's selection sends
  } else {
    target->Activate();  // the selection, "itemselect" and "itemclick", as a click
  }
  return true;
}

Control* WindowModel::FirstStop() const {
  const std::vector<Control*> order = FocusOrder();
  if (order.empty()) return nullptr;
  // A page without stops of its own gives the focus to the default button, not to the first
  // button of its row (Back), which Enter would then press.
  const Control* row =
      defaultButton_ != nullptr && CanTakeFocus(*defaultButton_) ? defaultButton_->Parent() : nullptr;
  if (row == nullptr) return order.front();
  for (const Control* c = order.front(); c != nullptr; c = c->Parent()) {
    if (c == row) return defaultButton_;
  }
  return order.front();
}

bool WindowModel::OnKeyDown(Key key, bool shift) {
  LayoutIfNeeded();
  if (focused_ != nullptr && !CanTakeFocus(*focused_)) SetFocus(nullptr);
  Control* focus = focused_;
  bool used = false;
  switch (key) {
    case Key::kTab:
      used = MoveFocus(shift);
      break;
    case Key::kEscape:
      if (cancelButton_ != nullptr && CanTakeFocus(*cancelButton_)) used = Press(*cancelButton_);
      break;
    case Key::kEnter:
      if (focus != nullptr && IsButton(*focus)) {
        used = Press(*focus);
      } else if (defaultButton_ != nullptr && CanTakeFocus(*defaultButton_)) {
        used = Press(*defaultButton_);
      } else if (focus != nullptr) {
        used = Press(*focus);
      }
      break;
    case Key::kSpace:
      used = focus != nullptr && Press(*focus);
      break;
    default:
      if (focus != nullptr && !GroupOf(*focus).empty() && key != Key::kHome && key != Key::kEnd) {
        used = MoveInGroup(*static_cast<Option*>(focus), key == Key::kLeft || key == Key::kUp);
      } else if (focus != nullptr && IsListRow(*focus)) {
        used = MoveInList(*focus, key);
      }
      break;
  }
  if (!used) return false;
  // The key may have changed the page under the focus, or removed the focused row.
  LayoutIfNeeded();
  if (focused_ == nullptr || !CanTakeFocus(*focused_)) SetFocus(FirstStop());
  if (!focusCues_) {
    focusCues_ = true;
    Invalidate(FocusRingRect());
  }
  return true;
}

Rect WindowModel::FocusRingRect() const {
  if (!focusCues_ || focused_ == nullptr || !CanTakeFocus(*focused_)) return {};
  // Rows are drawn edge to edge: their ring goes inside.
  const int out = IsListRow(*focused_) ? -Px(1) : Px(kRingGap);
  return Grown(focused_->GetRect(), out).Intersect({0, 0, clientSize_.cx, clientSize_.cy});
}

void WindowModel::FocusRingMoved(const Rect& from) {
  if (!focusCues_) return;
  Invalidate(Grown(from, Px(kRingGap + kRingWidth)));
  Invalidate(FocusRingRect());
}

void WindowModel::PaintFocusRing(Graphics& graphics, const Rect& dirty) {
  const Rect ring = FocusRingRect();
  if (ring.IsEmpty() || !ring.Intersects(dirty)) return;
  // Only what scrolls or slides past its box hides part of the ring.
  Rect clip = ring;
  for (const Control* parent = focused_->Parent(); parent != nullptr; parent = parent->Parent()) {
    const auto* box = dynamic_cast<const Container*>(parent);
    if (box != nullptr && box->ScrollRange() > 0) {
      const Rect view = box->ScrollTrackRect();
      clip = clip.Intersect({parent->GetRect().left, view.top, parent->GetRect().right, view.bottom});
    } else if (parent->Kind() == ControlKind::kTabLayout) {
      clip = clip.Intersect(parent->GetRect());
    }
  }
  if (clip.IsEmpty()) return;
  const Size round = focused_->BorderRound();
  const int grow = IsListRow(*focused_) ? 0 : 2 * Px(kRingGap);
  const Size radius{round.cx > 0 ? Px(round.cx) + grow : 0, round.cy > 0 ? Px(round.cy) + grow : 0};
  // Black with a white line inside: clear on the white pages and on the blue caption bar alike.
  const int width = std::max(1, Px(kRingWidth));
  const Size inner{std::max(0, radius.cx - 2 * width), std::max(0, radius.cy - 2 * width)};
  graphics.PushClip(clip);
  graphics.DrawBorder(ring, width, kRingColor, radius);
  graphics.DrawBorder(ring.Deflated({width, width, width, width}), 1, kRingInnerColor, inner);
  graphics.PopClip();
}

}  // namespace ui
