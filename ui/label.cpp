#include "ui/label.h"

#include <algorithm>

#include "ui/graphics.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr Color kDefaultTextColor = 0xFF000000;
constexpr Color kDefaultDisabledTextColor = 0xFFA7A6AA;

bool Has(std::string_view value, std::string_view word) {
  return AsciiLowerCopy(value).find(word) != std::string::npos;
}

Edges ScaledEdges(const Control& c, const Edges& e) {
  return {c.Px(e.left), c.Px(e.top), c.Px(e.right), c.Px(e.bottom)};
}

}  // namespace

void Label::SetFont(int id) {
  if (id == font_) return;
  font_ = id;
  if (autoWidth_) NeedParentUpdate();
  Invalidate();
}

void Label::SetTextColor(Color color) {
  textColor_ = color;
  Invalidate();
}

void Label::SetText(std::wstring text) {
  const bool changed = text != Text();
  Control::SetText(std::move(text));
  if (changed && autoWidth_) NeedParentUpdate();
}

Size Label::EstimateSize(Size available) const {
  Size size = Control::EstimateSize(available);
  if (autoWidth_ && Manager() != nullptr) {
    const Size text = Manager()->MeasureText(DisplayText(), Manager()->ScaledFont(font_));
    size.cx = text.cx + Px(textPadding_.left) + Px(textPadding_.right);
  }
  return size;
}

bool Label::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "font") {
    SetFont(ParseInt(value, -1));
  } else if (name == "textcolor") {
    SetTextColor(ParseColor(value).value_or(0));
  } else if (name == "disabledtextcolor") {
    disabledTextColor_ = ParseColor(value).value_or(0);
  } else if (name == "textpadding") {
    textPadding_ = ParseEdges(value);
  } else if (name == "align") {
    format_ &= ~(kTextCenter | kTextRight);
    if (Has(value, "center")) format_ |= kTextCenter;
    if (Has(value, "right")) format_ |= kTextRight;
  } else if (name == "valign") {
    format_ &= ~(kTextVCenter | kTextBottom);
    if (Has(value, "vcenter") || Has(value, "center")) format_ |= kTextVCenter;
    if (Has(value, "bottom")) format_ |= kTextBottom;
  } else if (name == "endellipsis") {
    format_ = ParseBool(value) ? format_ | kTextEndEllipsis : format_ & ~kTextEndEllipsis;
  } else if (name == "multiline" || name == "wordbreak") {
    format_ = ParseBool(value) ? (format_ | kTextWordBreak) & ~kTextSingleLine
                               : (format_ | kTextSingleLine) & ~kTextWordBreak;
  } else if (name == "autocalcwidth") {
    autoWidth_ = ParseBool(value);
    NeedParentUpdate();
  } else {
    return Control::ApplyAttribute(name, value);
  }
  return true;
}

Color Label::StateTextColor() const {
  if (!IsEnabled()) return disabledTextColor_ != 0 ? disabledTextColor_ : kDefaultDisabledTextColor;
  return textColor_ != 0 ? textColor_ : kDefaultTextColor;
}

void Label::PaintText(Graphics& graphics) {
  const std::wstring text = DisplayText();
  if (text.empty() || Manager() == nullptr) return;
  const TextStyle style{Manager()->ScaledFont(font_), StateTextColor(), format_};
  graphics.DrawText(text, rect_.Deflated(ScaledEdges(*this, textPadding_)), style);
}

Button::Button(ControlKind kind) : Label(kind) { format_ = kTextCenter | kTextVCenter | kTextSingleLine; }

void Button::Activate() {
  if (IsEnabled()) Notify(L"click");
}

bool Button::ApplyAttribute(std::string_view name, std::string_view value) {
  ImageDesc* image = name == "normalimage"     ? &normalImage_
                     : name == "hotimage"      ? &hotImage_
                     : name == "pushedimage"   ? &pushedImage_
                     : name == "focusedimage"  ? &focusedImage_
                     : name == "disabledimage" ? &disabledImage_
                     : name == "foreimage"     ? &foreImage_
                     : name == "hotforeimage"  ? &hotForeImage_
                                               : nullptr;
  if (image != nullptr) {
    *image = ParseImageDesc(value);
    Invalidate();
    return true;
  }
  Color* color = name == "hottextcolor"       ? &hotTextColor_
                 : name == "pushedtextcolor"  ? &pushedTextColor_
                 : name == "focusedtextcolor" ? &focusedTextColor_
                 : name == "hotbkcolor"       ? &hotBkColor_
                 : name == "pushedbkcolor"    ? &pushedBkColor_
                                              : nullptr;
  if (color != nullptr) {
    *color = ParseColor(value).value_or(0);
    Invalidate();
    return true;
  }
  return Label::ApplyAttribute(name, value);
}

void Button::PaintBackground(Graphics& graphics) {
  const Color saved = bkColor_;
  if (IsEnabled() && (State() & kStatePushed) && pushedBkColor_ != 0) {
    bkColor_ = pushedBkColor_;
  } else if (IsEnabled() && (State() & kStateHot) && hotBkColor_ != 0) {
    bkColor_ = hotBkColor_;
  }
  Control::PaintBackground(graphics);
  bkColor_ = saved;
}

void Button::PaintStatusImage(Graphics& graphics) {
  const unsigned state = State();
  bool drawn = false;
  if (!IsEnabled()) {
    drawn = DrawImage(graphics, disabledImage_);
  } else if (state & kStatePushed) {
    drawn = DrawImage(graphics, pushedImage_) || DrawImage(graphics, hotImage_);
  } else if (state & kStateHot) {
    drawn = DrawImage(graphics, hotImage_);
  } else if (state & kStateFocused) {
    drawn = DrawImage(graphics, focusedImage_);
  }
  if (!drawn) DrawImage(graphics, normalImage_);
  PaintForeImage(graphics);
}

void Button::PaintForeImage(Graphics& graphics) {
  if ((State() & kStateHot) && IsEnabled() && DrawImage(graphics, hotForeImage_)) return;
  DrawImage(graphics, foreImage_);
}

void FadeButton::StateChanged(unsigned old) {
  if (((old ^ State()) & kStateHot) == 0) return;
  targetOpacity_ = (State() & kStateHot) ? 255 : 0;
  if (hotOpacity_ == targetOpacity_) return;
  if (Manager() != nullptr) {
    Manager()->StartAnimation(this);
  } else {
    FinishAnimation();
  }
}

bool FadeButton::StepAnimation(int elapsedMs) {
  const int step = std::max(1, std::max(0, elapsedMs) * 255 / kFadeMs);
  hotOpacity_ = hotOpacity_ < targetOpacity_ ? std::min(targetOpacity_, hotOpacity_ + step)
                                             : std::max(targetOpacity_, hotOpacity_ - step);
  Invalidate();
  return hotOpacity_ != targetOpacity_;
}

void FadeButton::FinishAnimation() {
  hotOpacity_ = targetOpacity_;
  Invalidate();
}

void FadeButton::PaintStatusImage(Graphics& graphics) {
  // Pressed and disabled looks do not fade.
  if (!IsEnabled() || (State() & kStatePushed) || hotImage_.IsEmpty()) {
    Button::PaintStatusImage(graphics);
    return;
  }
  DrawImage(graphics, normalImage_);
  if (hotOpacity_ > 0) {
    ImageDesc hot = hotImage_;
    hot.fade = hot.fade * hotOpacity_ / 255;
    DrawImage(graphics, hot);
  }
  PaintForeImage(graphics);
}

Color Button::StateTextColor() const {
  if (IsEnabled()) {
    if ((State() & kStatePushed) && pushedTextColor_ != 0) return pushedTextColor_;
    if ((State() & (kStateHot | kStatePushed)) && hotTextColor_ != 0) return hotTextColor_;
    if ((State() & kStateFocused) && focusedTextColor_ != 0) return focusedTextColor_;
  }
  return Label::StateTextColor();
}

Option::~Option() {
  if (Manager() != nullptr) Manager()->LeaveGroup(this);
}

void Option::Selected(bool selected, bool notify) {
  if (selected == selected_) return;
  selected_ = selected;
  if (selected_ && !group_.empty() && Manager() != nullptr) {
    // Handlers of the others' "selectchanged" may destroy any option of the group, this one too.
    std::vector<std::pair<Option*, std::weak_ptr<void>>> others;
    for (Option* other : Manager()->OptionGroup(group_)) {
      if (other != this) others.emplace_back(other, other->Liveness());
    }
    const std::weak_ptr<void> self = Liveness();
    for (const auto& [other, alive] : others) {
      if (!alive.expired()) other->Selected(false, notify);
      if (self.expired()) return;
    }
  }
  Invalidate();
  if (Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kStateChange);
  if (notify) Notify(L"selectchanged");
}

void Option::SetGroup(std::wstring group) {
  if (group == group_) return;
  if (Manager() != nullptr) Manager()->LeaveGroup(this);
  group_ = std::move(group);
  if (Manager() != nullptr) Manager()->JoinGroup(this);
}

void Option::Activate() {
  if (!IsEnabled()) return;
  const std::weak_ptr<void> alive = Liveness();
  Notify(L"click");
  if (alive.expired()) return;
  if (!group_.empty()) {
    Selected(true);
  } else {
    Selected(!selected_);
  }
}

void Option::SetManager(WindowModel* manager, Control* parent) {
  const bool joins = manager != nullptr && manager != Manager();
  Button::SetManager(manager, parent);
  if (joins) manager->JoinGroup(this);
}

bool Option::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "group") {
    SetGroup(Utf8ToWide(value));
  } else if (name == "selected") {
    Selected(ParseBool(value), false);
  } else if (name == "selectedimage") {
    selectedImage_ = ParseImageDesc(value);
  } else if (name == "selectedhotimage") {
    selectedHotImage_ = ParseImageDesc(value);
  } else if (name == "selectedpushedimage") {
    selectedPushedImage_ = ParseImageDesc(value);
  } else if (name == "selecteddisabledimage") {
    selectedDisabledImage_ = ParseImageDesc(value);
  } else if (name == "selectedtextcolor") {
    selectedTextColor_ = ParseColor(value).value_or(0);
  } else if (name == "selectedbkcolor") {
    selectedBkColor_ = ParseColor(value).value_or(0);
  } else {
    return Button::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void Option::PaintBackground(Graphics& graphics) {
  if (!selected_ || selectedBkColor_ == 0) return Button::PaintBackground(graphics);
  const Color saved = bkColor_;
  bkColor_ = selectedBkColor_;
  Control::PaintBackground(graphics);
  bkColor_ = saved;
}

void Option::PaintStatusImage(Graphics& graphics) {
  if (!selected_) return Button::PaintStatusImage(graphics);
  const unsigned state = State();
  bool drawn = false;
  if (!IsEnabled()) {
    drawn = DrawImage(graphics, selectedDisabledImage_);
  } else if (state & kStatePushed) {
    drawn = DrawImage(graphics, selectedPushedImage_) || DrawImage(graphics, selectedHotImage_);
  } else if (state & kStateHot) {
    drawn = DrawImage(graphics, selectedHotImage_);
  }
  if (!drawn && !DrawImage(graphics, selectedImage_)) DrawImage(graphics, normalImage_);
  DrawImage(graphics, foreImage_);
}

Color Option::StateTextColor() const {
  if (selected_ && IsEnabled() && selectedTextColor_ != 0) return selectedTextColor_;
  return Button::StateTextColor();
}

}  // namespace ui
