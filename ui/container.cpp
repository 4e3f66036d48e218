#include "ui/container.h"

#include <algorithm>

#include "ui/graphics.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr int kDefaultScrollBarWidth = 8;
constexpr Color kDefaultThumbColor = 0xFFC0C0C0;

Align ParseAlign(std::string_view value) {
  const std::string v = AsciiLowerCopy(value);
  if (v == "center" || v == "vcenter") return Align::kCenter;
  if (v == "right" || v == "bottom") return Align::kEnd;
  return Align::kStart;
}

}  // namespace

Container::~Container() {
  // Children go first, while this container still exists for their detach callbacks.
  children_.clear();
}

Control* Container::Add(std::unique_ptr<Control> child) { return AddAt(std::move(child), Count()); }

Control* Container::AddAt(std::unique_ptr<Control> child, int index) {
  if (!child) return nullptr;
  index = std::clamp(index, 0, Count());
  Control* raw = child.get();
  children_.insert(children_.begin() + index, std::move(child));
  ChildAdded(raw, index);
  raw->SetManager(Manager(), this);
  NeedParentUpdate();
  if (Manager() != nullptr) Manager()->TreeChanged();
  return raw;
}

bool Container::Remove(Control* child) {
  WindowModel* window = Manager();
  std::unique_ptr<Control> released = Release(child);
  if (!released) return false;
  if (window != nullptr) window->Dispose(std::move(released));
  return true;
}

void Container::RemoveAll() {
  if (children_.empty()) return;
  std::vector<std::unique_ptr<Control>> old;
  old.swap(children_);
  WindowModel* window = Manager();
  for (std::unique_ptr<Control>& child : old) {
    child->SetManager(nullptr, nullptr);
    if (window != nullptr) window->Dispose(std::move(child));
  }
  old.clear();
  scrollPos_ = 0;
  NeedParentUpdate();
  if (window != nullptr) window->TreeChanged();
}

std::unique_ptr<Control> Container::Release(Control* child) {
  const int index = IndexOf(child);
  if (index < 0) return nullptr;
  std::unique_ptr<Control> owned = std::move(children_[static_cast<size_t>(index)]);
  children_.erase(children_.begin() + index);
  owned->SetManager(nullptr, nullptr);
  NeedParentUpdate();
  if (Manager() != nullptr) Manager()->TreeChanged();
  return owned;
}

Control* Container::ItemAt(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[static_cast<size_t>(index)].get();
}

int Container::IndexOf(const Control* child) const {
  for (size_t i = 0; i < children_.size(); ++i) {
    if (children_[i].get() == child) return static_cast<int>(i);
  }
  return -1;
}

void Container::SetScrollPos(int pos) {
  pos = std::clamp(pos, 0, scrollRange_);
  if (pos == scrollPos_) return;
  scrollPos_ = pos;
  NeedParentUpdate();
}

bool Container::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "inset") {
    inset_ = ParseEdges(value);
  } else if (name == "childpadding") {
    childPadding_ = std::max(0, ParseInt(value));
  } else if (name == "childalign") {
    childAlign_ = ParseAlign(value);
  } else if (name == "childvalign") {
    childVAlign_ = ParseAlign(value);
  } else if (name == "autocalcwidth") {
    autoWidth_ = ParseBool(value);
  } else if (name == "autocalcheight") {
    autoHeight_ = ParseBool(value);
  } else if (name == "mousechild" || name == "childmouse") {
    childMouse_ = ParseBool(value);
  } else if (name == "vscrollbar") {
    vscroll_ = ParseBool(value);
  } else {
    return Control::ApplyAttribute(name, value);
  }
  NeedParentUpdate();
  return true;
}

void Container::SetPos(const Rect& rect) {
  Control::SetPos(rect);
  for (const auto& child : children_) {
    if (child->IsVisible() && child->IsFloat()) PlaceFloat(*child, rect_);
  }
  const Edges inset{Px(inset_.left), Px(inset_.top), Px(inset_.right), Px(inset_.bottom)};
  LayoutChildren(rect_.Deflated(inset));
}

void Container::LayoutChildren(const Rect& inner) {
  for (const auto& child : children_) {
    if (child->IsVisible() && !child->IsFloat()) PlaceSingle(*child, inner, childAlign_, childVAlign_);
  }
}

std::vector<Control*> Container::Children() const {
  std::vector<Control*> items;
  items.reserve(children_.size());
  for (const auto& child : children_) items.push_back(child.get());
  return items;
}

BoxSpec Container::Spec(bool vertical) const {
  BoxSpec spec;
  spec.vertical = vertical;
  spec.childPadding = Px(childPadding_);
  spec.mainAlign = vertical ? childVAlign_ : childAlign_;
  spec.crossAlign = vertical ? childAlign_ : childVAlign_;
  return spec;
}

// An attribute of the window's VScrollBar Default, which describes every vertical scroll bar.
std::string Container::ScrollBarAttribute(std::string_view attribute) const {
  const WindowModel* manager = Manager();
  const std::string* defaults = manager != nullptr ? manager->DefaultAttributes("VScrollBar") : nullptr;
  if (defaults == nullptr) return {};
  for (const auto& [name, value] : ParseAttributeList(*defaults)) {
    if (name == attribute) return value;
  }
  return {};
}

int Container::ScrollBarWidth() const {
  return Px(ParseInt(ScrollBarAttribute("width"), kDefaultScrollBarWidth));
}

Rect Container::ScrollThumbRect() const {
  if (scrollRange_ <= 0 || scrollTrack_.IsEmpty()) return {};
  const int track = scrollTrack_.Height();
  const int thumb = std::min(track, std::max(Px(16), track * track / (track + scrollRange_)));
  const int top = scrollTrack_.top + (track - thumb) * scrollPos_ / scrollRange_;
  return {scrollTrack_.left, top, scrollTrack_.right, top + thumb};
}

void Container::PaintScrollBar(Graphics& graphics) {
  const Rect thumb = ScrollThumbRect();
  if (thumb.IsEmpty()) return;
  if (!DrawImage(graphics, ParseImageDesc(ScrollBarAttribute("thumbnormalimage")), thumb)) {
    graphics.FillRect(thumb, kDefaultThumbColor);
  }
}

void Container::LayoutScrolling(const std::vector<Control*>& items, Rect inner, const BoxSpec& spec) {
  scrollTrack_ = {};
  if (!vscroll_ || !spec.vertical) {
    LayoutBox(items, inner, spec, 0);
    scrollPos_ = scrollRange_ = 0;
    return;
  }
  const int needed = MeasureBox(items, {inner.Width(), inner.Height()}, spec);
  if (needed <= inner.Height()) {
    scrollPos_ = scrollRange_ = 0;
    LayoutBox(items, inner, spec, 0);
    return;
  }
  const int bar = std::min(inner.Width(), ScrollBarWidth());
  scrollTrack_ = {inner.right - bar, inner.top, inner.right, inner.bottom};
  inner.right -= bar;  // room for the bar
  scrollRange_ = needed - inner.Height();
  scrollPos_ = std::clamp(scrollPos_, 0, scrollRange_);
  LayoutBox(items, inner, spec, scrollPos_);
}

void Container::SetManager(WindowModel* manager, Control* parent) {
  Control::SetManager(manager, parent);
  for (const auto& child : children_) child->SetManager(manager, this);
}

Control* Container::FindByName(std::wstring_view name) {
  if (Name() == name) return this;
  for (const auto& child : children_) {
    if (Control* found = child->FindByName(name)) return found;
  }
  return nullptr;
}

Control* Container::FindAt(Point point) {
  if (!IsVisible() || !rect_.Contains(point)) return nullptr;
  if (childMouse_) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
      if (Control* hit = (*it)->FindAt(point)) return hit;
    }
  }
  return IsMouseEnabled() ? this : nullptr;
}

void Container::PaintChildren(Graphics& graphics, const Rect& dirty) {
  for (const auto& child : children_) {
    if (child->IsVisible()) child->Paint(graphics, dirty);
  }
  PaintScrollBar(graphics);
}

Size VerticalLayout::EstimateSize(Size available) const {
  Size size = Control::EstimateSize(available);
  if (autoHeight_ && size.cy == 0) {
    size.cy = MeasureBox(Children(), available, Spec(true)) + Px(inset_.top) + Px(inset_.bottom);
  }
  return size;
}

void VerticalLayout::LayoutChildren(const Rect& inner) { LayoutScrolling(Children(), inner, Spec(true)); }

Size HorizontalLayout::EstimateSize(Size available) const {
  Size size = Control::EstimateSize(available);
  if (autoWidth_ && size.cx == 0) {
    size.cx = MeasureBox(Children(), available, Spec(false)) + Px(inset_.left) + Px(inset_.right);
  }
  return size;
}

void HorizontalLayout::LayoutChildren(const Rect& inner) { LayoutBox(Children(), inner, Spec(false), 0); }

bool TabLayout::SelectItem(int index) {
  if (index < 0 || index >= Count()) return false;
  const int old = current_;
  current_ = index;
  for (int i = 0; i < Count(); ++i) ItemAt(i)->SetVisible(i == current_);
  if (animated_ && old != current_ && Manager() != nullptr) {
    sliding_ = true;
    slideSign_ = current_ > old ? 1 : -1;
    slideElapsedMs_ = 0;
    Manager()->StartAnimation(this);
  }
  NeedParentUpdate();
  if (old != current_) Notify(L"tabselect", static_cast<uintptr_t>(current_), old);
  return true;
}

bool TabLayout::StepAnimation(int elapsedMs) {
  slideElapsedMs_ += std::max(0, elapsedMs);
  if (slideElapsedMs_ >= kSlideMs) sliding_ = false;
  NeedParentUpdate();
  return sliding_;
}

void TabLayout::FinishAnimation() {
  sliding_ = false;
  NeedParentUpdate();
}

bool TabLayout::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "animation_direction") {
    vertical_ = value == "vertical";
    return true;
  }
  if (name == "selectedid") {
    current_ = std::max(0, ParseInt(value));
    for (int i = 0; i < Count(); ++i) ItemAt(i)->SetVisible(i == current_);
    return true;
  }
  return Container::ApplyAttribute(name, value);
}

void TabLayout::LayoutChildren(const Rect& inner) {
  Control* page = ItemAt(current_);
  if (page == nullptr || !page->IsVisible() || page->IsFloat()) return;
  Rect target = inner;
  if (sliding_) {
    // Ease out: the page moves fast at first and settles gently.
    const double left = 1.0 - static_cast<double>(slideElapsedMs_) / kSlideMs;
    const int span = vertical_ ? inner.Height() : inner.Width();
    const int offset = slideSign_ * static_cast<int>(span * left * left);
    if (vertical_) {
      target.top += offset, target.bottom += offset;
    } else {
      target.left += offset, target.right += offset;
    }
  }
  PlaceSingle(*page, target, Align::kStart, Align::kStart);
}

void TabLayout::ChildAdded(Control* child, int index) {
  // Pages inserted before the current one keep the same page shown.
  if (index <= current_ && Count() > 1 && index != Count() - 1) ++current_;
  child->SetVisible(IndexOf(child) == current_);
}

}  // namespace ui
