// A ring-shaped progress control (class "CCircleProgressUI") and a round combo (class "CMyComboUI").
#pragma once

#include "ui/control.h"

// The foreground sweep of the ring in whole degrees. An empty or inverted range sweeps nothing
// rather than dividing by zero.
int CircleProgressSweep(double minimum, double maximum, double value);

class CCircleProgressUI : public ui::Control {
 public:
  CCircleProgressUI() { SetClassName("CircleProgress"); }
  void SetRange(double minimum, double maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
  }
  void SetValue(double value) { value_ = value; }
  double Value() const { return value_; }
  ui::Color ForeColor() const { return foreColor_; }
  ui::Color BackColor() const { return bkColor_; }

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  // The disc in the background colour, the pie of the value from 90 degrees, a white centre.
  void PaintBackground(ui::Graphics& graphics) override;
  void PaintBorder(ui::Graphics&) override {}

 private:
  double minimum_ = 0;
  double maximum_ = 100;
  double value_ = 0;
  ui::Color foreColor_ = 0xFF000000;
};

class CMyComboUI : public ui::Control {
 public:
  CMyComboUI() { SetClassName("MyCombo"); }

 protected:
  // A round background instead of the rectangle.
  void PaintBackground(ui::Graphics& graphics) override;
};
