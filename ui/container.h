// Controls that hold children: the plain container (children stacked on one another), the
// vertical and horizontal layouts, and the tab layout that shows one page at a time.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/box_layout.h"
#include "ui/control.h"

namespace ui {

class Container : public Control {
 public:
  explicit Container(ControlKind kind = ControlKind::kContainer) : Control(kind) {}
  ~Container() override;

  Container* AsContainer() override { return this; }

  // Takes the child and returns it; null children are refused.
  Control* Add(std::unique_ptr<Control> child);
  Control* AddAt(std::unique_ptr<Control> child, int index);
  // Destroys the child (after the notification being dispatched, when there is one); false when
  // it is not a child of this container.
  bool Remove(Control* child);
  void RemoveAll();
  // Hands the child back to the caller instead of destroying it.
  std::unique_ptr<Control> Release(Control* child);
  int Count() const { return static_cast<int>(children_.size()); }
  Control* ItemAt(int index) const;
  int IndexOf(const Control* child) const;

  const Edges& Inset() const { return inset_; }
  int ChildPadding() const { return childPadding_; }
  // Vertical scrolling of content taller than the box (vscrollbar="true").
  bool ScrollsVertically() const { return vscroll_; }
  int ScrollPos() const { return scrollPos_; }
  int ScrollRange() const { return scrollRange_; }
  void SetScrollPos(int pos);
  // Where the scroll bar and its thumb are drawn while the content scrolls; empty otherwise.
  Rect ScrollTrackRect() const { return scrollRange_ > 0 ? scrollTrack_ : Rect{}; }
  Rect ScrollThumbRect() const;

  void SetPos(const Rect& rect) override;
  void SetManager(WindowModel* manager, Control* parent) override;
  Control* FindByName(std::wstring_view name) override;
  Control* FindAt(Point point) override;

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintChildren(Graphics& graphics, const Rect& dirty) override;
  // Places the in-flow children inside inner; the default stacks each over the whole box.
  virtual void LayoutChildren(const Rect& inner);
  // Called as a child joins, before the window learns of it.
  virtual void ChildAdded(Control* child, int index) { (void)child, (void)index; }
  std::vector<Control*> Children() const;
  BoxSpec Spec(bool vertical) const;
  // Lays the box out with vertical scrolling when it is enabled and needed.
  void LayoutScrolling(const std::vector<Control*>& items, Rect inner, const BoxSpec& spec);
  int ScrollBarWidth() const;
  std::string ScrollBarAttribute(std::string_view attribute) const;
  void PaintScrollBar(Graphics& graphics);

  std::vector<std::unique_ptr<Control>> children_;
  Edges inset_;
  int childPadding_ = 0;
  Align childAlign_ = Align::kStart;
  Align childVAlign_ = Align::kStart;
  bool autoWidth_ = false;
  bool autoHeight_ = false;
  bool childMouse_ = true;
  bool vscroll_ = false;
  int scrollPos_ = 0;
  int scrollRange_ = 0;
  Rect scrollTrack_;
};

class VerticalLayout : public Container {
 public:
  explicit VerticalLayout(ControlKind kind = ControlKind::kVerticalLayout) : Container(kind) {}
  Size EstimateSize(Size available) const override;

 protected:
  void LayoutChildren(const Rect& inner) override;
};

class HorizontalLayout : public Container {
 public:
  explicit HorizontalLayout(ControlKind kind = ControlKind::kHorizontalLayout) : Container(kind) {}
  Size EstimateSize(Size available) const override;

 protected:
  void LayoutChildren(const Rect& inner) override;
};

// Shows the page at the current index and hides every other page. An animated one
// (AnimationTabLayout) slides the new page in: from the right (or bottom) when the index grows,
// from the left (or top) when it falls.
class TabLayout : public Container {
 public:
  static constexpr int kSlideMs = 240;
  explicit TabLayout(bool animated = false) : Container(ControlKind::kTabLayout), animated_(animated) {}

  bool IsAnimated() const { return animated_; }
  bool IsSliding() const { return sliding_; }
  bool StepAnimation(int elapsedMs) override;
  void FinishAnimation() override;

  int CurrentIndex() const { return current_; }
  // False, with nothing changed, for an index outside the pages. Sends "tabselect" with the new
  // index in wParam and the old one in lParam when the page changes.
  bool SelectItem(int index);
  bool SelectItem(const Control* page) { return SelectItem(IndexOf(page)); }

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void LayoutChildren(const Rect& inner) override;
  void ChildAdded(Control* child, int index) override;

 private:
  int current_ = 0;
  bool animated_ = false;
  bool vertical_ = false;  // animation_direction="vertical"
  bool sliding_ = false;
  int slideSign_ = 1;  // +1: the page comes from the right or bottom
  int slideElapsedMs_ = 0;
};

}  // namespace ui
