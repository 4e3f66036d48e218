// The program's own control classes: registration by class name and their drawing geometry.
#include <gtest/gtest.h>

#include "controls/chart_view.h"
#include "controls/circle_progress.h"
#include "controls/custom_controls.h"
#include "controls/wnd_ui.h"
#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"
#include "ui/control_factory.h"
#include "ui/graphics.h"

namespace {

struct Pie {
  ui::Rect rect;
  float start, sweep;
  ui::Color color;
};

class PieRecorder : public ui::Graphics {
 public:
  std::vector<Pie> pies;
  std::vector<ui::Rect> squares;
  std::vector<std::wstring> texts;
  void FillRect(const ui::Rect& rect, ui::Color) override { squares.push_back(rect); }
  void FillRoundRect(const ui::Rect&, ui::Size, ui::Color) override {}
  void DrawBorder(const ui::Rect&, int, ui::Color, ui::Size) override {}
  bool DrawImage(const ui::ImageDraw&) override { return false; }
  void DrawText(std::wstring_view text, const ui::Rect&, const ui::TextStyle&) override { texts.emplace_back(text); }
  void PushClip(const ui::Rect&) override {}
  void PopClip() override {}
  void FillPie(const ui::Rect& rect, float start, float sweep, ui::Color color) override {
    pies.push_back({rect, start, sweep, color});
  }
};

TEST(CustomControls, RegisteredUnderTheirClassNamesAndTags) {
  ui::ControlRegistry::Instance().Clear();
  RegisterCustomControls();
  for (const char* tag : {"CircleProgress", "MyCombo", "ChartView", "Wnd"}) {
    auto control = ui::CreateControlForTag(tag, ui::ControlRegistry::Instance(), nullptr);
    ASSERT_NE(control, nullptr) << tag;
    EXPECT_EQ(control->ClassName(), tag);
  }
  EXPECT_NE(dynamic_cast<CChartViewUI*>(ui::ControlRegistry::Instance().Create("cchartviewui").get()), nullptr);
  ui::ControlRegistry::Instance().Clear();
}

TEST(CircleProgress, SweepFollowsTheValueAndSurvivesAnEmptyRange) {
  EXPECT_EQ(CircleProgressSweep(0, 100, 100), 360);
  EXPECT_EQ(CircleProgressSweep(0, 100, 0), 0);
  EXPECT_EQ(CircleProgressSweep(0, 100, 33.3), 119);  // truncated, not rounded
  EXPECT_EQ(CircleProgressSweep(5, 5, 5), 0);

  CCircleProgressUI ring;
  ring.SetAttribute("bkcolor", "#FF00FF00");
  ring.SetAttribute("forecolor", "#FFFF0000");
  ring.SetAttribute("value", "50");
  ring.SetPos({0, 0, 100, 100});
  PieRecorder g;
  ring.Paint(g, {0, 0, 100, 100});
  ASSERT_EQ(g.pies.size(), 3u);
  EXPECT_EQ(g.pies[0].sweep, 360);
  EXPECT_EQ(g.pies[0].color, 0xFF00FF00u);
  EXPECT_EQ(g.pies[1].start, 90);
  EXPECT_EQ(g.pies[1].sweep, 180);
  EXPECT_EQ(g.pies[1].color, 0xFFFF0000u);
  EXPECT_EQ(g.pies[2].rect, (ui::Rect{10, 10, 90, 90}));
  EXPECT_EQ(g.pies[2].color, 0xFFFFFFFFu);
}

TEST(ChartView, PieGeometryAndPalette) {
  std::vector<ChartItem> items;
  for (int i = 0; i < 19; ++i) items.push_back({L"item", 1});
  const PieGeometry pie = LayoutPie({0, 0, 310, 210}, items, true);
  // Width 310 - 110 = 200, height 200: a 200 circle at (5, 5).
  EXPECT_EQ(pie.circle, (ui::Rect{5, 5, 205, 205}));
  ASSERT_EQ(pie.slices.size(), 19u);
  EXPECT_EQ(pie.slices[18].color, pie.slices[0].color);
  EXPECT_EQ(pie.slices[0].color, 0xFF3F96F5u);
  EXPECT_NEAR(pie.slices[1].start, 360.0f / 19, 1e-3);
  EXPECT_EQ(pie.slices[0].legendSwatch, (ui::Rect{215, 5, 233, 23}));  // rows need 418 > 200: start at 5
  EXPECT_EQ(pie.slices[1].legendSwatch.top, 27);

  const PieGeometry single = LayoutPie({0, 0, 310, 210}, {{L"only", 4}}, false);
  ASSERT_EQ(single.slices.size(), 1u);
  EXPECT_EQ(single.slices[0].sweep, 360);
  EXPECT_EQ(single.circle, (ui::Rect{55, 5, 255, 205}));  // legend room given back: 300 wide
  EXPECT_TRUE(LayoutPie({0, 0, 310, 210}, {}, true).slices.empty());
}

TEST(ChartView, HistogramBarsAndAttributes) {
  const auto bars = LayoutHistogram({0, 0, 200, 125}, {{L"a", 50}, {L"b", 100}}, 20, true);
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].pillar, (ui::Rect{20, 50, 40, 100}));  // gap 2 * (200 / 20) = 20
  EXPECT_EQ(bars[1].pillar, (ui::Rect{60, 0, 80, 100}));
  EXPECT_EQ(bars[1].text, (ui::Rect{40, 100, 100, 125}));
  EXPECT_TRUE(LayoutHistogram({0, 0, 200, 125}, {{L"a", 1}}, 0, true).empty());  // no width, no bars

  CChartViewUI chart;
  chart.SetAttribute("view", "histpgram");
  EXPECT_EQ(chart.GetView(), CChartViewUI::View::kHistogram);
  chart.SetAttribute("view", "bars");
  EXPECT_EQ(chart.GetView(), CChartViewUI::View::kHistogram);
  chart.SetAttribute("view", "pie");
  EXPECT_EQ(chart.GetView(), CChartViewUI::View::kPie);
  chart.SetAttribute("showtext", "True");
  EXPECT_FALSE(chart.ShowText());
  chart.SetAttribute("showtext", "true");
  EXPECT_TRUE(chart.ShowText());

  chart.AddItem(L"first", 1);
  chart.AddItem(L"second", 3);
  chart.SetPos({0, 0, 310, 210});
  PieRecorder g;
  chart.Paint(g, {400, 400, 500, 500});  // outside: nothing
  EXPECT_TRUE(g.pies.empty());
  chart.Paint(g, {0, 0, 310, 210});
  ASSERT_EQ(g.pies.size(), 4u);  // two shadow ellipses, two slices
  EXPECT_EQ(g.pies[0].color, 0x1E1E1E1Eu);
  EXPECT_EQ(g.pies[3].sweep, 270);
  EXPECT_EQ(g.texts, (std::vector<std::wstring>{L"first", L"second"}));
}

TEST(ChartView, ShowHtmlDrawsLegendNamesAndBarLabelsAsMarkup) {
  auto skin = MakeSkin({});
  skin->window.Fonts().Add({1, L"Big", 20}, false);
  skin->window.SetScale(150);
  CChartViewUI chart;
  chart.SetManager(&skin->window, nullptr);
  chart.AddItem(L"<b>first</b>", 1);
  chart.AddItem(L"<f 1>big</f>", 1);
  chart.SetPos({0, 0, 310, 210});
  FakeGraphics plain;
  chart.Paint(plain, {0, 0, 310, 210});
  EXPECT_EQ(plain.Texts(), (std::vector<std::wstring>{L"<b>first</b>", L"<f 1>big</f>"}));

  chart.SetAttribute("showhtml", "true");
  FakeGraphics pie;
  chart.Paint(pie, {0, 0, 310, 210});
  ASSERT_EQ(pie.Texts(), (std::vector<std::wstring>{L"first", L"big"}));
  EXPECT_TRUE(pie.FindText(L"first")->style.font.bold);
  EXPECT_EQ(pie.FindText(L"first")->rect.left,
            LayoutPie(chart.GetRect(), chart.Items(), true).slices[0].legendText.left);
  EXPECT_EQ(pie.FindText(L"big")->style.font.size, 30);  // the window's font at its scale

  chart.SetAttribute("view", "histpgram");
  chart.SetAttribute("pillarimagewidth", "20");
  FakeGraphics bars;
  chart.Paint(bars, {0, 0, 310, 210});
  EXPECT_EQ(bars.Texts(), (std::vector<std::wstring>{L"first", L"big"}));
}

TEST(WndUI, HostedWindowFollowsPositionAndVisibility) {
  CWndUI host;
  int window = 0;
  std::vector<std::pair<ui::Rect, bool>> placed;
  host.Attach(&window, [&](void* hosted, const ui::Rect& rect, bool visible) {
    EXPECT_EQ(hosted, &window);
    placed.emplace_back(rect, visible);
  });
  host.SetPos({1, 2, 30, 40});
  host.SetVisible(false);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[1].first, (ui::Rect{1, 2, 30, 40}));
  EXPECT_TRUE(placed[1].second);
  EXPECT_FALSE(placed[2].second);
}

// A tab page switched away hides the page's hosted window although the control itself stays visible.
TEST(WndUI, HostedWindowHidesWithAnAncestor) {
  ui::ControlRegistry::Instance().Clear();
  RegisterCustomControls();
  auto skin = LayoutMarkup(R"(<Window><AnimationTabLayout name="tabs"><VerticalLayout>
      <Wnd name="hosted" height="30"/></VerticalLayout><VerticalLayout/></AnimationTabLayout></Window>)",
                           100, 100);
  ui::ControlRegistry::Instance().Clear();
  auto* host = skin->window.Find<CWndUI>(L"hosted");
  ASSERT_NE(host, nullptr);
  int window = 0;
  std::vector<bool> shown;
  host->Attach(&window, [&](void*, const ui::Rect&, bool visible) { shown.push_back(visible); });
  auto* tabs = skin->window.Find<ui::TabLayout>(L"tabs");
  tabs->SelectItem(1);
  skin->window.Layout();
  ASSERT_FALSE(shown.empty());
  EXPECT_FALSE(shown.back());
  tabs->SelectItem(0);
  skin->window.Layout();
  EXPECT_TRUE(shown.back());
}

}  // namespace
