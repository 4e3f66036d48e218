// The portable half of a window: the control tree built from a named layout, the window's fonts,
// styles and defaults, its display scale, option groups, the layout pass and notification routing.
// The Win32 host owns one per native window and forwards painting, sizing and input to it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/control.h"
#include "ui/font_table.h"
#include "ui/graphics.h"
#include "ui/layout_budget.h"
#include "ui/notification.h"
#include "ui/resources.h"

namespace ui {

class Container;
class Option;

// The attributes of a layout's root Window element.
struct WindowAttributes {
  Size size;         // initial client size
  Size minInfo;      // minimum tracking size; 0 means none
  Size maxInfo;      // maximum tracking size; 0 means none
  Rect caption;      // l,t,r,b: the drag area; bottom 64 means the top 64 pixels (right 0: full width)
  Edges sizeBox;     // resize borders
  Size roundCorner;  // corner ellipse of the window region
  bool layered = false;
  bool showShadow = false;
  ImageDesc shadowImage;
  int shadowSize = 0;
  Edges shadowCorner;
  Color bkColor = 0;
  std::vector<std::pair<std::string, std::string>> all;  // every attribute as written, names lower-cased
};

// Supplies controls for layout tags that neither the framework nor the factory registry knows.
class CreateControlCallback {
 public:
  virtual ~CreateControlCallback() = default;
  // Null when the tag is unknown to the callback too; the element is then skipped.
  virtual std::unique_ptr<Control> CreateControl(std::string_view tag) = 0;
};

// The mouse cursor a window shows over a control ("cursor" attribute).
enum class Cursor { kArrow, kHand };

// Changes that assistive technology hears of (ui/accessible.h describes the controls).
enum class AccessibleEvent {
  kNameChange,
  kStateChange,  // checked, selected, enabled, animated
  kValueChange,  // an edit's text
  kNewLine,      // a line ended in a log: a live region's news
  kReorder,      // controls came, went, showed or hid (control null: the window's)
};

// The keys a window handles itself; the host maps its virtual keys to these.
enum class Key { kTab, kEnter, kSpace, kEscape, kLeft, kUp, kRight, kDown, kHome, kEnd };

// What the native window does for the model.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void Invalidate(const Rect& rect) = 0;
  // Asks for AdvanceAnimations calls until it returns false; false when this host draws no
  // frames (an off-screen picture), and animations then jump to their end.
  virtual bool RequestAnimationFrames() { return false; }
  // The keyboard focus moved (to null: nowhere); the host moves the native focus and tells
  // assistive technology.
  virtual void FocusChanged(Control* focused) { (void)focused; }
  virtual void AccessibleChanged(Control* control, AccessibleEvent event) { (void)control, (void)event; }
};

// The parts of a window's update region to paint one at a time, each with only the controls it
// touches: a heading and a button row that change together would otherwise repaint the whole page
// between them. Many small parts, or parts that cover most of their bounds, paint as the bounds.
std::vector<Rect> PaintParts(const std::vector<Rect>& region, const Rect& bounds);

class WindowModel {
 public:
  explicit WindowModel(Resources& resources = Resources::Instance());
  ~WindowModel();
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;

  // Builds the tree from a layout: a resource-map Xml id, else an archive path, or markup itself
  // when the name begins with "<". False, with no tree, when the layout is missing, malformed or
  // has no control; the host then shows its error box with the name.
  bool Load(std::string_view layoutName, CreateControlCallback* callback = nullptr);
  // A new tree from another layout (a list-row template) with this window's fonts and styles;
  // the caller adds it to a container. Null on the same failures as Load.
  std::unique_ptr<Control> BuildFromLayout(std::string_view layoutName);

  Control* Root() const { return root_.get(); }
  const WindowAttributes& Attributes() const { return attributes_; }
  WindowAttributes& MutableAttributes() { return attributes_; }

  // The first control of the tree with exactly that name, in tree order; null when none.
  Control* FindControl(std::wstring_view name) const;
  template <typename T>
  T* Find(std::wstring_view name) const {
    return dynamic_cast<T*>(FindControl(name));
  }
  // The deepest visible control under a client point that takes the mouse; null outside.
  Control* FindControlAt(Point point) const;
  // Every control of the tree in tree order (the host attaches native views this way).
  void ForEachControl(const std::function<void(Control&)>& visit) const;

  // Layout: the root fills the client area; controls mark the window when their size or
  // visibility changes, and the host lays out again before it paints.
  void SetClientSize(Size size);
  Size ClientSize() const { return clientSize_; }
  void MarkForLayout() { needsLayout_ = true; }
  bool NeedsLayout() const { return needsLayout_; }
  void Layout();
  void LayoutIfNeeded() {
    if (needsLayout_) Layout();
  }
  void Paint(Graphics& graphics, const Rect& dirty);

  // Display scale in percent (100 = unscaled; a DPI converts as dpi * 100 / 96): multiplies every
  // layout size and the image description rectangles, and picks the "@<scale>" image files.
  // Values outside kMinScale..kMaxScale are ignored.
  static constexpr int kMinScale = 25;
  static constexpr int kMaxScale = 800;
  int Scale() const { return scale_; }
  void SetScale(int percent);
  int Px(int units) const { return units * scale_ / 100; }
  // The archive path and pixel rectangles for drawing an image description on a control.
  ImageDraw ResolveImage(const ImageDesc& image, const Rect& control) const;
  // The soft shadow the layout asks for around a window of that outer size: the shadow image,
  // nine-sliced by shadowcorner, filling a frame grown by the shadow margin on every side (dest
  // starts at 0,0). False when the layout shows no shadow.
  bool ShadowImage(Size windowSize, ImageDraw& draw) const;
  int ShadowMargin() const { return Px(attributes_.shadowSize); }

  FontTable& Fonts() { return fonts_; }
  const FontTable& Fonts() const { return fonts_; }
  // The window's default font, as the language switch sets it.
  void SetDefaultFont(const std::wstring& face, int size, bool bold, bool underline, bool italic);
  // A font by id with its size at the display scale, for drawing.
  FontSpec ScaledFont(int id) const;

  // While a layout is built, every style applied in this window counts against its budget.
  class BudgetScope {
   public:
    BudgetScope(WindowModel& window, LayoutBudget& budget) : window_(window), previous_(window.budget_) {
      window.budget_ = &budget;
    }
    ~BudgetScope() { window_.budget_ = previous_; }
    BudgetScope(const BudgetScope&) = delete;
    BudgetScope& operator=(const BudgetScope&) = delete;

   private:
    WindowModel& window_;
    LayoutBudget* previous_;
  };
  // Records one style application of that many bytes; false once the build's budget is spent
  // (always true outside a build).
  bool ChargeStyle(size_t valueBytes) { return budget_ == nullptr || budget_->ApplyStyle(valueBytes); }

  void AddStyle(std::string name, std::string attributeList) {
    styles_[std::move(name)] = std::move(attributeList);
  }
  const std::string* FindStyle(std::string_view name) const;
  void AddDefault(std::string_view className, std::string attributeList);
  const std::string* DefaultAttributes(std::string_view className) const;

  // Resource texts: the text table of the resources with this window's text callback.
  void SetTextCallback(TextCallback* callback) { textCallback_ = callback; }
  std::wstring LookupText(const std::wstring& key) const;
  // Asks this window's text callback for every key of the table and keeps what it answers.
  void ReloadTexts();
  Resources& GetResources() const { return resources_; }

  // Text measuring for autocalcwidth, given once as the window is created so that every layout
  // pass, whether input or a paint runs it, measures alike; painting never changes it. Without
  // one, half the font height per character. A change lays the tree out again.
  void SetTextMetrics(const TextMetrics* metrics);
  Size MeasureText(std::wstring_view text, const FontSpec& font) const;

  // Option groups: selecting one option of a group deselects the others.
  void JoinGroup(Option* option);
  void LeaveGroup(Option* option);
  std::vector<Option*> OptionGroup(const std::wstring& group) const;

  // Notification routing. Every notification goes to the window's handler first; when that
  // passes it on, a sender whose (inherited) virtualwnd names a registered virtual window goes to
  // that table, any other to the window's own table.
  void SetNotificationHandler(NotificationHandler* handler) { handler_ = handler; }
  NotifyPump& OwnHandlers() { return ownHandlers_; }
  void AddVirtualWnd(const std::wstring& name, NotifyPump* target);
  void RemoveVirtualWnd(const std::wstring& name);
  void SendNotify(Notification& notification);
  // A control a container gave up. While a notification is being dispatched it stays alive,
  // detached, until the outermost dispatch ends, so every handler and the routing after them may
  // still read the sender; otherwise it goes at once.
  void Dispose(std::unique_ptr<Control> control);

  // Mouse input from the host, in client pixels. The control that takes the click is the one
  // under the point or its nearest ancestor that wants clicks; it turns hot on hover and pushed on
  // press, and a release over the pressed control activates it.
  void OnMouseMove(Point point);
  void OnMouseLeave();
  void OnMouseDown(Point point);
  void OnMouseUp(Point point);
  // Pressing a scroll bar's thumb drags it until the release; pressing its track moves a page.
  // A wheel turn over the point scrolls the nearest scrolling container there; delta is in
  // wheel units (120 a notch, positive away from the user). False when nothing scrolled.
  bool OnMouseWheel(Point point, int delta);
  Control* HotControl() const { return hot_; }
  // The tooltip to show at a point: the display tooltip of the control there or of its nearest
  // ancestor that has one; empty when none has.
  std::wstring TooltipAt(Point point) const;
  // The cursor at a point: the "cursor" of the control there or of its nearest ancestor that names
  // one ("hand"; anything else is the arrow); a disabled control shows the arrow.
  Cursor CursorAt(Point point) const;
  Control* ClickTarget(Point point) const;

  // Keyboard focus (window_focus.cpp). Buttons, options, edits, lists and their rows take it
  // while they and their ancestors are shown and enabled. The tab stops run in reading order
  // (tree order, floating boxes such as the caption buttons after the flow); an option group
  // is one stop, at its selected option, and a list is one stop, at its selected row.
  Control* FocusedControl() const { return focused_; }
  // False, with the focus unchanged, for a control that cannot take it; null clears it.
  bool SetFocus(Control* control);
  bool CanTakeFocus(const Control& control) const;
  std::vector<Control*> FocusOrder() const;
  // Enter presses the default button and Escape the cancel button while they are shown and enabled.
  void SetDefaultButton(Control* button) { defaultButton_ = button; }
  void SetCancelButton(Control* button) { cancelButton_ = button; }
  // Tab and Shift+Tab move through the stops; Space presses the focused control and Enter the
  // focused button, else the default button, else the focused control; the arrow keys move and
  // select within an option group or a list as a click does. A key that leaves the focus on a
  // control that can no longer take it (a page changed) moves it to the page's first stop, or to
  // the default button on a page without stops. True when the key was used.
  bool OnKeyDown(Key key, bool shift = false);
  // The focus ring shows from the first key the window uses on: as on Windows, a mouse user
  // never sees it.
  bool ShowsFocusRing() const { return focusCues_; }
  // Where the ring of the focused control is drawn; empty when none shows.
  Rect FocusRingRect() const;
  // The focused control moved from that rectangle: both places of its ring are repainted.
  void FocusRingMoved(const Rect& from);
  // What Space does to a control: the click of a button or an option, of a row (on its check box
  // when it has one). False for anything else.
  bool Press(Control& control);
  // Every shown control in reading order: tree order, floating boxes after the flow. visit
  // answers whether to go on into the control's children.
  void VisitInReadingOrder(const std::function<bool(Control&)>& visit) const;

  // Animations: a control that changes over time (a fading button, a sliding tab page) starts one
  // here and is stepped with the time elapsed until it reports that it has reached its end.
  void StartAnimation(Control* control);
  // False once no animation runs any more.
  bool AdvanceAnimations(int elapsedMs);
  bool IsAnimating() const { return !animating_.empty(); }

  // For assistive technology (accessible.cpp): a change of a seen control goes to the host at
  // once; the tree's changes gather until the next layout pass, which reports them once.
  void AccessibleChanged(Control* control, AccessibleEvent event);
  void TreeChanged() { treeChanged_ = true; }
  // A number for each control the host names to assistive technology, from 1, kept while the
  // control lives; 0 for none.
  int AccessibleId(const Control* control);
  Control* ControlByAccessibleId(int id) const;

  void SetHost(WindowHost* host) { host_ = host; }
  void Invalidate(const Rect& rect);
  // Called as a control leaves the window so no pointer to it stays behind.
  void ControlDetached(Control* control);

 private:
  Resources& resources_;
  std::unique_ptr<Control> root_;
  WindowAttributes attributes_;
  FontTable fonts_;
  std::map<std::string, std::string, std::less<>> styles_;
  std::map<std::string, std::string, std::less<>> defaults_;  // lower-cased class name
  Size clientSize_;
  bool needsLayout_ = true;
  int scale_ = 100;
  TextCallback* textCallback_ = nullptr;
  const TextMetrics* metrics_ = nullptr;
  std::map<std::wstring, std::vector<Option*>> groups_;
  NotificationHandler* handler_ = nullptr;
  NotifyPump ownHandlers_;
  std::map<std::wstring, NotifyPump*> virtualWnds_;
  int dispatchDepth_ = 0;
  std::vector<std::unique_ptr<Control>> disposedDuringDispatch_;
  WindowHost* host_ = nullptr;
  CreateControlCallback* createCallback_ = nullptr;
  LayoutBudget* budget_ = nullptr;  // the budget of the layout being built, if any
  bool hasOwnDefaultFont_ = false;
  Control* hot_ = nullptr;
  Control* pushed_ = nullptr;
  std::vector<Control*> animating_;
  Control* focused_ = nullptr;
  Control* defaultButton_ = nullptr;
  Control* cancelButton_ = nullptr;
  bool focusCues_ = false;
  bool treeChanged_ = false;
  std::map<const Control*, int> accessibleIds_;
  std::map<int, Control*> accessibleControls_;
  int nextAccessibleId_ = 1;
  Container* dragBox_ = nullptr;  // whose scroll thumb the mouse is dragging
  int dragStartY_ = 0;
  int dragStartPos_ = 0;

  void Route(Notification& notification);
  // A press on a scroll bar: the thumb starts a drag, the track moves a page. False elsewhere.
  bool PressScrollBar(Point point);
  void DragThumb(Point point);
  bool MoveFocus(bool backwards);
  // Where the focus goes when it has to move on its own: the first stop, or the default button
  // when the first stop is in the default button's row.
  Control* FirstStop() const;
  bool MoveInGroup(Option& option, bool backwards);
  bool MoveInList(Control& row, Key key);
  void PaintFocusRing(Graphics& graphics, const Rect& dirty);
};

}  // namespace ui
