#include "controls/circle_progress.h"

#include <cstdlib>
#include <string>

#include "ui/attribute_values.h"
#include "ui/graphics.h"

namespace {
constexpr int kRingWidth = 10;
}

int CircleProgressSweep(double minimum, double maximum, double value) {
  if (maximum <= minimum) return 0;
  return static_cast<int>(value / (maximum - minimum) * 360.0);
}

bool CCircleProgressUI::ApplyAttribute(std::string_view name, std::string_view value) {
  const std::string text(value);
  if (name == "forecolor") {
    if (auto color = ui::ParseColor(value)) foreColor_ = *color;
    return true;
  }
  if (name == "min") {
    minimum_ = std::atof(text.c_str());
    return true;
  }
  if (name == "max") {
    maximum_ = std::atof(text.c_str());
    return true;
  }
  if (name == "value") {
    value_ = std::atof(text.c_str());
    return true;
  }
  return Control::ApplyAttribute(name, value);
}

void CCircleProgressUI::PaintBackground(ui::Graphics& graphics) {
  graphics.FillPie(rect_, 0, 360, bkColor_);
  graphics.FillPie(rect_, 90, static_cast<float>(CircleProgressSweep(minimum_, maximum_, value_)), foreColor_);
  graphics.FillPie(rect_.Deflated({kRingWidth, kRingWidth, kRingWidth, kRingWidth}), 0, 360, 0xFFFFFFFF);
}

void CMyComboUI::PaintBackground(ui::Graphics& graphics) { graphics.FillPie(rect_, 0, 360, bkColor_); }
