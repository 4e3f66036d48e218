#include "ui/control.h"

#include "ui/graphics.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr int kMaxStyleDepth = 8;
// One style attribute, with the styles it names, applies at most this many styles and this much
// style text; the rest is ignored. Styles naming themselves several times would otherwise multiply
// at every depth.
constexpr int kMaxStylesPerAttribute = 256;
constexpr size_t kMaxStyleTextPerAttribute = 1u << 20;

}  // namespace

Control::Control(ControlKind kind) : kind_(kind) {}

Control::~Control() {
  if (manager_ != nullptr) manager_->ControlDetached(this);
}

void Control::SetText(std::wstring text) {
  if (text == text_) return;
  text_ = std::move(text);
  if (!TextDrawnNatively()) Invalidate();
  if (manager_ == nullptr) return;
  const bool edit = kind_ == ControlKind::kEdit || kind_ == ControlKind::kRichEdit;
  manager_->AccessibleChanged(this, edit ? AccessibleEvent::kValueChange : AccessibleEvent::kNameChange);
}

void Control::SetResourceText(bool on) {
  if (on == resourceText_) return;
  resourceText_ = on;
  Invalidate();
}

std::wstring Control::DisplayText() const {
  if (!resourceText_ || manager_ == nullptr) return text_;
  return manager_->LookupText(text_);
}

std::wstring Control::DisplayTooltip() const {
  if (!resourceText_ || manager_ == nullptr) return tooltip_;
  return manager_->LookupText(tooltip_);
}

std::wstring Control::EffectiveVirtualWnd() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (!control->virtualWnd_.empty()) return control->virtualWnd_;
  }
  return {};
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  NeedParentUpdate();
  if (manager_ != nullptr) manager_->TreeChanged();
}

bool Control::IsVisibleInTree() const {
  for (const Control* control = this; control != nullptr; control = control->parent_) {
    if (!control->visible_) return false;
  }
  return true;
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (!enabled_) state_ = 0;
  Invalidate();
  if (manager_ != nullptr) manager_->AccessibleChanged(this, AccessibleEvent::kStateChange);
}

void Control::SetState(unsigned state) {
  if (state == state_) return;
  const unsigned old = state_;
  state_ = state;
  Invalidate();
  StateChanged(old);
}

void Control::SetAttribute(std::string_view name, std::string_view value) {
  const std::string key = AsciiLowerCopy(name);
  bool replaced = false;
  for (auto& [existing, stored] : attributes_) {
    if (existing == key) {
      stored = std::string(value);
      replaced = true;
      break;
    }
  }
  if (!replaced) attributes_.emplace_back(key, std::string(value));

  if (key == "style") {
    if (styleDepth_ == 0) stylesApplied_ = styleTextApplied_ = 0;
    const std::string* style = manager_ != nullptr ? manager_->FindStyle(value) : nullptr;
    if (style != nullptr && styleDepth_ < kMaxStyleDepth && ++stylesApplied_ <= kMaxStylesPerAttribute &&
        (styleTextApplied_ += style->size()) <= kMaxStyleTextPerAttribute &&
        manager_->ChargeStyle(style->size())) {
      ++styleDepth_;
      const std::string list = *style;  // the style table may change while it is applied
      ApplyAttributeList(list);
      --styleDepth_;
    }
    return;
  }
  ApplyAttribute(key, value);
}

void Control::SetAttribute(std::wstring_view name, std::wstring_view value) {
  SetAttribute(WideToUtf8(name), WideToUtf8(value));
}

void Control::ApplyAttributeList(std::string_view list) {
  for (const auto& [name, value] : ParseAttributeList(list)) SetAttribute(name, value);
}

const std::string* Control::Attribute(std::string_view name) const {
  for (const auto& [key, value] : attributes_) {
    if (EqualsIgnoreCase(key, name)) return &value;
  }
  return nullptr;
}

void Control::SetFixedWidth(int width) {
  if (width < 0 || width == sizing_.width) return;
  sizing_.width = width;
  NeedParentUpdate();
}

void Control::SetFixedHeight(int height) {
  if (height < 0 || height == sizing_.height) return;
  sizing_.height = height;
  NeedParentUpdate();
}

bool Control::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "name") {
    name_ = Utf8ToWide(value);
  } else if (name == "text") {
    SetText(Utf8ToWide(value));
  } else if (name == "tooltip") {
    tooltip_ = Utf8ToWide(value);
  } else if (name == "resourcetext") {
    SetResourceText(ParseBool(value));
  } else if (name == "virtualwnd") {
    virtualWnd_ = Utf8ToWide(value);
  } else if (name == "visible") {
    SetVisible(ParseBool(value));
  } else if (name == "enabled") {
    SetEnabled(ParseBool(value));
  } else if (name == "mouse") {
    mouseEnabled_ = ParseBool(value);
  } else if (name == "userdata") {
    userData_ = Utf8ToWide(value);
  } else if (name == "float") {
    if (const auto anchors = ParseFractions(value, 4)) {
      float_ = true;
      for (size_t i = 0; i < 4; ++i) floatAnchors_[i] = (*anchors)[i];
    } else {
      float_ = ParseBool(value);
    }
    NeedParentUpdate();
  } else if (name == "pos") {
    floatPos_ = ParseRect(value);
    if (floatPos_.Width() > 0) sizing_.width = floatPos_.Width();
    if (floatPos_.Height() > 0) sizing_.height = floatPos_.Height();
    NeedParentUpdate();
  } else if (name == "width") {
    SetFixedWidth(ParseInt(value));
  } else if (name == "height") {
    SetFixedHeight(ParseInt(value));
  } else if (name == "minwidth") {
    sizing_.minWidth = std::max(0, ParseInt(value));
  } else if (name == "minheight") {
    sizing_.minHeight = std::max(0, ParseInt(value));
  } else if (name == "maxwidth") {
    sizing_.maxWidth = std::max(0, ParseInt(value, kNoLimit));
  } else if (name == "maxheight") {
    sizing_.maxHeight = std::max(0, ParseInt(value, kNoLimit));
  } else if (name == "padding") {
    sizing_.padding = ParseEdges(value);
  } else if (name == "bkcolor") {
    bkColor_ = ParseColor(value).value_or(0);
  } else if (name == "bkimage") {
    bkImage_ = ParseImageDesc(value);
  } else if (name == "bordercolor") {
    borderColor_ = ParseColor(value).value_or(0);
  } else if (name == "bordersize") {
    borderSize_ = std::max(0, ParseInt(value));
  } else if (name == "borderround") {
    borderRound_ = ParseSize(value);
  } else {
    return false;
  }
  return true;
}

void Control::SetPos(const Rect& rect) {
  if (rect == rect_) return;
  const Rect old = rect_;
  if (manager_ != nullptr) manager_->Invalidate(rect_);
  rect_ = rect;
  Invalidate();
  // The focus ring reaches past the control: it moves along.
  if (manager_ != nullptr && manager_->FocusedControl() == this) manager_->FocusRingMoved(old);
}

Size Control::EstimateSize(Size available) const {
  (void)available;
  return {Px(sizing_.width), Px(sizing_.height)};
}

int Control::Px(int units) const { return manager_ != nullptr ? manager_->Px(units) : units; }

void Control::NeedParentUpdate() {
  if (manager_ == nullptr) return;
  manager_->MarkForLayout();
  // The new layout can move the siblings too, and a control hidden since the start has no
  // rectangle yet: the nearest laid-out ancestor is repainted, or nothing would ask for the paint
  // that lays the window out again (the finish row stayed off screen until the mouse came by).
  for (Control* control = parent_ != nullptr ? parent_ : this; control != nullptr; control = control->parent_) {
    if (!control->rect_.IsEmpty()) {
      control->Invalidate();
      return;
    }
  }
}

void Control::Invalidate() {
  if (manager_ != nullptr && !rect_.IsEmpty()) manager_->Invalidate(rect_);
}

void Control::Paint(Graphics& graphics, const Rect& dirty) {
  if (!visible_ || !rect_.Intersects(dirty)) return;
  graphics.PushClip(rect_);
  PaintBackground(graphics);
  PaintStatusImage(graphics);
  PaintText(graphics);
  PaintBorder(graphics);
  PaintChildren(graphics, dirty);
  graphics.PopClip();
}

void Control::PaintBackground(Graphics& graphics) {
  if (bkColor_ != 0) {
    if (borderRound_.cx > 0 || borderRound_.cy > 0) {
      graphics.FillRoundRect(rect_, {Px(borderRound_.cx), Px(borderRound_.cy)}, bkColor_);
    } else {
      graphics.FillRect(rect_, bkColor_);
    }
  }
  DrawImage(graphics, bkImage_);
}

void Control::PaintBorder(Graphics& graphics) {
  if (borderSize_ <= 0 || borderColor_ == 0) return;
  graphics.DrawBorder(rect_, std::max(1, Px(borderSize_)), borderColor_,
                      {Px(borderRound_.cx), Px(borderRound_.cy)});
}

bool Control::DrawImage(Graphics& graphics, const ImageDesc& image, const Rect& target) const {
  if (image.IsEmpty() || manager_ == nullptr) return false;
  return graphics.DrawImage(manager_->ResolveImage(image, target));
}

void Control::Activate() {}

void Control::Notify(const std::wstring& type, uintptr_t wParam, intptr_t lParam) {
  if (manager_ == nullptr) return;
  Notification notification{type, this, wParam, lParam, EffectiveVirtualWnd()};
  manager_->SendNotify(notification);
}

void Control::SetManager(WindowModel* manager, Control* parent) {
  if (manager_ != nullptr && manager_ != manager) manager_->ControlDetached(this);
  manager_ = manager;
  parent_ = parent;
}

Control* Control::FindByName(std::wstring_view name) { return name_ == name ? this : nullptr; }

Control* Control::FindAt(Point point) {
  if (!visible_ || !rect_.Contains(point)) return nullptr;
  return mouseEnabled_ ? this : nullptr;
}

}  // namespace ui
