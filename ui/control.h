// The base of every control in a window's tree: identity, texts, state, the attributes common to all
// layout tags, its rectangle from the layout pass, and painting through the Graphics interface.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/attribute_values.h"
#include "ui/geometry.h"
#include "ui/image_desc.h"

namespace ui {

class Container;
class Graphics;
class WindowModel;

enum class ControlKind {
  kControl,
  kLabel,
  kButton,
  kFadeButton,
  kOption,
  kEdit,
  kRichEdit,
  kGifAnim,
  kContainer,
  kVerticalLayout,
  kHorizontalLayout,
  kTabLayout,  // AnimationTabLayout
  kList,       // ListEx
  kListHeader,
  kListHeaderItem,   // ListContainerHeaderItem
  kListElement,      // ListContainerElement
  kListTextElement,  // rows made in code with text columns and a check box
  kCustom,           // made by a registered factory or the window's create-control callback
};

constexpr int kNoLimit = 1 << 24;

// The sizing attributes, in layout units (the display scale is applied during the layout pass).
struct SizeRules {
  int width = 0;  // 0: share the remaining space
  int height = 0;
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = kNoLimit;
  int maxHeight = kNoLimit;
  Edges padding;  // outer margin
};

// Hover and press states the host sets from mouse input.
enum ControlState : unsigned {
  kStateHot = 1u << 0,
  kStatePushed = 1u << 1,
  kStateFocused = 1u << 2,
};

class Control {
 public:
  explicit Control(ControlKind kind = ControlKind::kControl);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  // The layout tag or factory class this control was made for, for example "Button".
  const std::string& ClassName() const { return className_; }
  void SetClassName(std::string name) { className_ = std::move(name); }
  virtual Container* AsContainer() { return nullptr; }

  const std::wstring& Name() const { return name_; }
  void SetName(std::wstring name) { name_ = std::move(name); }

  // Text and tooltip as stored: text keys when the resource-text flag is set.
  const std::wstring& Text() const { return text_; }
  virtual void SetText(std::wstring text);
  const std::wstring& Tooltip() const { return tooltip_; }
  void SetTooltip(std::wstring tooltip) { tooltip_ = std::move(tooltip); }
  bool IsResourceText() const { return resourceText_; }
  void SetResourceText(bool on);
  // What is shown: looked up in the window's text table at the time of the call when the
  // resource-text flag is set (a key the table lacks shows as itself), else the stored text.
  std::wstring DisplayText() const;
  std::wstring DisplayTooltip() const;

  const std::wstring& UserData() const { return userData_; }
  void SetUserData(std::wstring data) { userData_ = std::move(data); }
  const std::wstring& VirtualWnd() const { return virtualWnd_; }
  void SetVirtualWnd(std::wstring name) { virtualWnd_ = std::move(name); }
  // The notification target name: this control's virtualwnd, else its nearest ancestor's.
  std::wstring EffectiveVirtualWnd() const;

  bool IsVisible() const { return visible_; }
  virtual void SetVisible(bool visible);
  // Visible itself and through every ancestor.
  bool IsVisibleInTree() const;
  bool IsEnabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // False for mouse="false": hit testing passes through to the parent.
  bool IsMouseEnabled() const { return mouseEnabled_; }
  unsigned State() const { return state_; }
  void SetState(unsigned state);

  // Sets one attribute as a layout would (names ignore case; values are UTF-8). Known attributes
  // change the control; every attribute is also kept for Attribute(). "style" applies a named
  // Style of the window at this point, so attributes after it override the style's.
  void SetAttribute(std::string_view name, std::string_view value);
  void SetAttribute(std::wstring_view name, std::wstring_view value);
  // Applies name="value" pairs in order, as a Style's or a Default's value holds them.
  void ApplyAttributeList(std::string_view list);
  // The last value set for that attribute name, or null.
  const std::string* Attribute(std::string_view name) const;

  const SizeRules& Sizing() const { return sizing_; }
  void SetFixedWidth(int width);
  void SetFixedHeight(int height);
  bool IsFloat() const { return float_; }
  // pos as written: offsets from the parent's top-left (plus the float anchors times the parent's size).
  const Rect& FloatPos() const { return floatPos_; }
  const std::array<double, 4>& FloatAnchors() const { return floatAnchors_; }

  // The rectangle the last layout pass gave this control, in window client pixels.
  const Rect& GetRect() const { return rect_; }
  // The corner ellipse of the background and frame (borderround), in layout units.
  Size BorderRound() const { return borderRound_; }
  // Takes the rectangle; containers also place their children inside it.
  virtual void SetPos(const Rect& rect);
  // The wanted size in pixels for the available space; 0 in a dimension means "share the rest".
  virtual Size EstimateSize(Size available) const;
  // Layout units to pixels at the window's display scale.
  int Px(int units) const;
  // Asks for a new layout pass of the whole window (this control's size or visibility changed).
  void NeedParentUpdate();
  // Asks for a repaint of this control.
  void Invalidate();

  // One step of an animation the control started through its window: true while it goes on.
  virtual bool StepAnimation(int elapsedMs) {
    (void)elapsedMs;
    return false;
  }
  // Jumps to the animation's end state (when no frames are drawn).
  virtual void FinishAnimation() {}

  // After every layout pass of the window: a control that places a native window moves it and
  // shows it only while this control and all its ancestors are visible.
  virtual void SyncNativeWindow() {}

  // Draws this control and, for containers, its children, where they meet dirty.
  virtual void Paint(Graphics& graphics, const Rect& dirty);

  // What a click on this control does (buttons send "click", options also select).
  virtual void Activate();
  // True for controls a mouse click activates (buttons, options, list rows).
  virtual bool WantsClicks() const { return false; }
  // Sends a notification of this control to its window; nothing happens without a window.
  // Handlers run at once and may destroy the sender: code that goes on afterwards checks Liveness.
  void Notify(const std::wstring& type, uintptr_t wParam = 0, intptr_t lParam = 0);
  // Expires when this control is destroyed.
  std::weak_ptr<void> Liveness() const { return lifetime_; }

  Control* Parent() const { return parent_; }
  WindowModel* Manager() const { return manager_; }
  // Attaches this control (and a container's children) to a window and a parent.
  virtual void SetManager(WindowModel* manager, Control* parent);
  // This control or the first descendant, in tree order, with exactly that name.
  virtual Control* FindByName(std::wstring_view name);
  // The deepest visible, mouse-enabled control at the point, or null.
  virtual Control* FindAt(Point point);

 protected:
  // Handles an attribute this class knows; false passes it to the base class.
  virtual bool ApplyAttribute(std::string_view name, std::string_view value);
  virtual void PaintBackground(Graphics& graphics);
  virtual void PaintStatusImage(Graphics& graphics) { (void)graphics; }
  virtual void PaintText(Graphics& graphics) { (void)graphics; }
  // True while a native window draws the text: a new text then needs no repaint of the tree.
  virtual bool TextDrawnNatively() const { return false; }
  virtual void PaintBorder(Graphics& graphics);
  virtual void PaintChildren(Graphics& graphics, const Rect& dirty) { (void)graphics, (void)dirty; }
  // After SetState changed the state; old is the state before.
  virtual void StateChanged(unsigned old) { (void)old; }
  // Draws a layout image description relative to this control; false when nothing was drawn.
  bool DrawImage(Graphics& graphics, const ImageDesc& image, const Rect& target) const;
  bool DrawImage(Graphics& graphics, const ImageDesc& image) const {
    return DrawImage(graphics, image, rect_);
  }

  Rect rect_;
  Color bkColor_ = 0;
  Color borderColor_ = 0;
  int borderSize_ = 0;
  Size borderRound_;
  ImageDesc bkImage_;

 private:
  ControlKind kind_;
  std::string className_;
  std::wstring name_;
  std::wstring text_;
  std::wstring tooltip_;
  std::wstring userData_;
  std::wstring virtualWnd_;
  bool resourceText_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  bool mouseEnabled_ = true;
  unsigned state_ = 0;
  SizeRules sizing_;
  bool float_ = false;
  Rect floatPos_;
  std::array<double, 4> floatAnchors_{0, 0, 0, 0};
  std::vector<std::pair<std::string, std::string>> attributes_;
  int styleDepth_ = 0;     // guards against styles that name each other
  int stylesApplied_ = 0;  // by the outermost style attribute being applied, and their text
  size_t styleTextApplied_ = 0;
  Control* parent_ = nullptr;
  WindowModel* manager_ = nullptr;
  std::shared_ptr<char> lifetime_ = std::make_shared<char>(0);
};

}  // namespace ui
