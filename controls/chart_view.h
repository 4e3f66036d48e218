// A pie or histogram chart (class "CChartViewUI"). No layout of the package uses it; its drawing
// geometry is computed apart from painting so it can be checked without a window.
#pragma once

#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/graphics.h"

struct ChartItem {
  std::wstring name;
  double value = 0;
};

// The 18 colours items take in turn, opaque.
ui::Color ChartColor(size_t index);

struct PieSlice {
  float start = 0;
  float sweep = 0;
  ui::Color color = 0;
  ui::Rect legendSwatch;  // 18 x 18 at the left of the legend row
  ui::Rect legendText;
};

struct PieGeometry {
  ui::Rect circle;
  std::vector<PieSlice> slices;  // empty without items
};

PieGeometry LayoutPie(const ui::Rect& control, const std::vector<ChartItem>& items, bool showText);

struct HistogramBar {
  ui::Rect pillar;
  ui::Rect text;
};

// Bars of the histogram; none without items, and none when the pillar width is 0 (no gap can be
// computed from it).
std::vector<HistogramBar> LayoutHistogram(const ui::Rect& control, const std::vector<ChartItem>& items,
                                          int pillarWidth, bool showText);

class CChartViewUI : public ui::Control {
 public:
  enum class View { kPie = 0, kHistogram = 1 };

  CChartViewUI() { SetClassName("ChartView"); }
  void AddItem(std::wstring name, double value) { items_.push_back({std::move(name), value}); }
  const std::vector<ChartItem>& Items() const { return items_; }
  View GetView() const { return view_; }
  bool ShowText() const { return showText_; }
  bool ShowHtml() const { return showHtml_; }
  int FontIndex() const { return font_; }

  void Paint(ui::Graphics& graphics, const ui::Rect& dirty) override;

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;

 private:
  void PaintPie(ui::Graphics& graphics);
  void PaintHistogram(ui::Graphics& graphics);
  ui::TextStyle TextStyleFor(unsigned format) const;
  // An item name in a legend row or under a bar: markup when showhtml is set, else plain text.
  void DrawName(ui::Graphics& graphics, const std::wstring& name, const ui::Rect& rect, unsigned align) const;

  std::vector<ChartItem> items_;
  View view_ = View::kPie;
  ui::ImageDesc shadowImage_;
  int shadowImageHeight_ = 0;
  ui::ImageDesc pillarImage_;
  int pillarImageWidth_ = 0;
  bool showHtml_ = false;
  bool showText_ = true;
  int font_ = -1;
  ui::Color textColor_ = 0;
  ui::Color disabledTextColor_ = 0;
};
