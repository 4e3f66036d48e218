#include "controls/chart_view.h"

#include <algorithm>
#include <cstdlib>

#include "ui/graphics.h"
#include "ui/html_text_draw.h"
#include "ui/window_model.h"

namespace {

constexpr uint32_t kPalette[] = {0x3F96F5, 0xFF5A01, 0x6AF4C0, 0xF5EA6A, 0xFC7B97, 0xA2F53F, 0x9D90FC, 0xD290FC, 0x7FB0CB,
                                 0xF4C471, 0xA2C285, 0xBD1717, 0xBD17B3, 0x6117BD, 0x172BBD, 0x12884C, 0x887912, 0x882612};
constexpr int kLegendRow = 22;
constexpr int kTextBand = 25;

// A colour with nothing in its RGB part is drawn as the value 1, as the chart has always done.
ui::Color Visible(ui::Color color) { return (color & 0x00FFFFFF) == 0 ? 1 : color; }

}  // namespace

ui::Color ChartColor(size_t index) { return 0xFF000000 | kPalette[index % 18]; }

PieGeometry LayoutPie(const ui::Rect& control, const std::vector<ChartItem>& items, bool showText) {
  PieGeometry pie;
  const int availableWidth = control.Width() - 110 + (showText ? 0 : 100);
  const int availableHeight = control.Height() - 10;
  const int d = std::min(availableWidth, availableHeight);
  const int left = control.left + 5 + (availableWidth - d) / 2;
  const int top = control.top + 5 + (availableHeight - d) / 2;
  pie.circle = {left, top, left + d, top + d};
  if (items.empty()) return pie;

  double sum = 0;
  for (const ChartItem& item : items) sum += item.value;
  int legendY = control.top + std::max(5, (availableHeight - kLegendRow * static_cast<int>(items.size())) / 2);
  float start = 0;
  const int x0 = left + d + 10;
  for (size_t i = 0; i < items.size(); ++i) {
    PieSlice slice;
    slice.start = start;
    slice.sweep = sum != 0 ? static_cast<float>(items[i].value / sum * 360.0) : 0;
    slice.color = ChartColor(i);
    slice.legendSwatch = {x0, legendY, x0 + 18, legendY + 18};
    slice.legendText = {x0 + 23, legendY, x0 + 118, legendY + 18};
    start += slice.sweep;
    legendY += kLegendRow;
    pie.slices.push_back(slice);
  }
  return pie;
}

std::vector<HistogramBar> LayoutHistogram(const ui::Rect& control, const std::vector<ChartItem>& items,
                                          int pillarWidth, bool showText) {
  std::vector<HistogramBar> bars;
  if (items.empty() || pillarWidth <= 0) return bars;
  const int band = showText ? kTextBand : 0;
  double largest = 0;
  for (const ChartItem& item : items) largest = std::max(largest, item.value);
  const int gap = 2 * (control.Width() / pillarWidth);
  for (size_t i = 0; i < items.size(); ++i) {
    const int x = control.left + gap + static_cast<int>(i) * (pillarWidth + gap);
    const int height = largest > 0 ? static_cast<int>((control.Height() - band) * items[i].value / largest) : 0;
    HistogramBar bar;
    bar.pillar = {x, control.bottom - band - height, x + pillarWidth, control.bottom - band};
    bar.text = {x - gap, control.bottom - band, x + pillarWidth + gap, control.bottom};
    bars.push_back(bar);
  }
  return bars;
}

bool CChartViewUI::ApplyAttribute(std::string_view name, std::string_view value) {
  const std::string text(value);
  if (name == "view") {
    if (value == "pie") view_ = View::kPie;
    if (value == "histpgram") view_ = View::kHistogram;
  } else if (name == "shadowimage") {
    shadowImage_ = ui::ParseImageDesc(value);
  } else if (name == "shadowimageheight") {
    shadowImageHeight_ = std::atoi(text.c_str());
  } else if (name == "pillarimage") {
    pillarImage_ = ui::ParseImageDesc(value);
  } else if (name == "pillarimagewidth") {
    pillarImageWidth_ = std::atoi(text.c_str());
  } else if (name == "showhtml") {
    showHtml_ = value == "true";
  } else if (name == "showtext") {
    showText_ = value == "true";
  } else if (name == "font") {
    font_ = std::atoi(text.c_str());
  } else if (name == "textcolor" || name == "disabledtextcolor") {
    if (auto color = ui::ParseColor(value)) (name == "textcolor" ? textColor_ : disabledTextColor_) = *color;
  } else {
    return Control::ApplyAttribute(name, value);
  }
  return true;
}

ui::TextStyle CChartViewUI::TextStyleFor(unsigned format) const {
  ui::TextStyle style;
  if (Manager() != nullptr) style.font = Manager()->ScaledFont(font_);
  style.color = Visible(IsEnabled() ? textColor_ : disabledTextColor_);
  style.format = format | ui::kTextSingleLine | ui::kTextVCenter;
  return style;
}

void CChartViewUI::DrawName(ui::Graphics& graphics, const std::wstring& name, const ui::Rect& rect,
                            unsigned align) const {
  const ui::TextStyle style = TextStyleFor(align);
  // With showhtml a name may carry inline tags (ui/html_text.h). Outside a window there are no
  // fonts to resolve them with, so the name is drawn as written.
  if (showHtml_ && Manager() != nullptr) return ui::DrawHtmlText(graphics, *Manager(), name, rect, style);
  graphics.DrawText(name, rect, style);
}

void CChartViewUI::Paint(ui::Graphics& graphics, const ui::Rect& dirty) {
  if (!rect_.Intersects(dirty)) return;
  Control::Paint(graphics, dirty);
  if (view_ == View::kPie) {
    PaintPie(graphics);
  } else {
    PaintHistogram(graphics);
  }
}

void CChartViewUI::PaintPie(ui::Graphics& graphics) {
  if (items_.empty()) return;
  const PieGeometry pie = LayoutPie(rect_, items_, showText_);
  const ui::Rect& c = pie.circle;
  graphics.FillPie({c.left - 4, c.top - 4, c.right + 4, c.bottom + 4}, 0, 360, 0x1E1E1E1E);
  graphics.FillPie({c.left - 1, c.top - 1, c.right + 1, c.bottom + 1}, 0, 360, 0x64646464);
  for (size_t i = 0; i < pie.slices.size(); ++i) {
    const PieSlice& slice = pie.slices[i];
    graphics.FillPie(c, slice.start, slice.sweep, slice.color);
    if (!showText_) continue;
    const ui::Rect row{slice.legendSwatch.left, slice.legendSwatch.top, slice.legendText.right, slice.legendText.bottom};
    if (!row.Intersects(rect_)) continue;
    graphics.FillRect(slice.legendSwatch, slice.color);
    DrawName(graphics, items_[i].name, slice.legendText, ui::kTextLeft);
  }
}

void CChartViewUI::PaintHistogram(ui::Graphics& graphics) {
  const int band = showText_ ? kTextBand : 0;
  if (!shadowImage_.IsEmpty()) {
    const ui::Rect shadow{rect_.left, rect_.bottom - band - shadowImageHeight_, rect_.right, rect_.bottom - band};
    if (!DrawImage(graphics, shadowImage_, shadow)) shadowImage_ = {};
  }
  const auto bars = LayoutHistogram(rect_, items_, pillarImageWidth_, showText_);
  for (size_t i = 0; i < bars.size(); ++i) {
    if (!pillarImage_.IsEmpty() && !DrawImage(graphics, pillarImage_, bars[i].pillar)) pillarImage_ = {};
    if (showText_) DrawName(graphics, items_[i].name, bars[i].text, ui::kTextCenter);
  }
}
