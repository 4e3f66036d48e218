// Controls that draw a text: Label and the buttons built on it (Button, FadeButton, Option).
#pragma once

#include "ui/control.h"
#include "ui/graphics.h"

namespace ui {

class Label : public Control {
 public:
  explicit Label(ControlKind kind = ControlKind::kLabel) : Control(kind) {}

  int FontId() const { return font_; }
  // -1 selects the window's default font.
  void SetFont(int id);
  Color TextColor() const { return textColor_; }
  void SetTextColor(Color color);
  const Edges& TextPadding() const { return textPadding_; }
  unsigned TextFormat() const { return format_; }
  void SetText(std::wstring text) override;

  // With autocalcwidth the width follows the drawn text plus the text padding.
  Size EstimateSize(Size available) const override;

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintText(Graphics& graphics) override;
  // The colour for the current state; buttons pick hot and pushed colours.
  virtual Color StateTextColor() const;

  int font_ = -1;
  Color textColor_ = 0;
  Color disabledTextColor_ = 0;
  Edges textPadding_;
  unsigned format_ = kTextLeft | kTextVCenter | kTextSingleLine;
  bool autoWidth_ = false;
};

class Button : public Label {
 public:
  explicit Button(ControlKind kind = ControlKind::kButton);

  // Sends "click" when enabled.
  void Activate() override;
  bool WantsClicks() const override { return true; }

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintBackground(Graphics& graphics) override;
  void PaintStatusImage(Graphics& graphics) override;
  Color StateTextColor() const override;
  // The fore image on top of the state image: the hot one while hot, else the plain one.
  void PaintForeImage(Graphics& graphics);

  ImageDesc normalImage_, hotImage_, pushedImage_, focusedImage_, disabledImage_, foreImage_, hotForeImage_;
  Color hotTextColor_ = 0, pushedTextColor_ = 0, focusedTextColor_ = 0;
  Color hotBkColor_ = 0, pushedBkColor_ = 0;
};

// A button whose hot image fades in over the normal one as the mouse arrives and out as it leaves.
class FadeButton : public Button {
 public:
  static constexpr int kFadeMs = 160;
  FadeButton() : Button(ControlKind::kFadeButton) {}

  // The hot image's opacity now, 0 to 255.
  int HotOpacity() const { return hotOpacity_; }
  bool StepAnimation(int elapsedMs) override;
  void FinishAnimation() override;

 protected:
  void StateChanged(unsigned old) override;
  void PaintStatusImage(Graphics& graphics) override;

 private:
  int hotOpacity_ = 0;
  int targetOpacity_ = 0;
};

// A check box, or a radio button when it has a group: selecting one option of a group deselects
// the others of that group in the same window.
class Option : public Button {
 public:
  Option() : Button(ControlKind::kOption) {}
  ~Option() override;

  bool IsSelected() const { return selected_; }
  // Sends "selectchanged" only when the state changes and notify is set.
  void Selected(bool selected, bool notify = true);
  const std::wstring& Group() const { return group_; }
  void SetGroup(std::wstring group);

  // "click" first, with the old state still in place; then a grouped option selects itself and
  // an ungrouped one toggles.
  void Activate() override;
  void SetManager(WindowModel* manager, Control* parent) override;

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintBackground(Graphics& graphics) override;
  void PaintStatusImage(Graphics& graphics) override;
  Color StateTextColor() const override;

 private:
  bool selected_ = false;
  std::wstring group_;
  ImageDesc selectedImage_, selectedHotImage_, selectedPushedImage_, selectedDisabledImage_;
  Color selectedTextColor_ = 0, selectedBkColor_ = 0;
};

}  // namespace ui
