#include <gtest/gtest.h>

#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"

namespace {

struct LayoutCase {
  const char* what;
  int width, height;
  const char* tree;  // the root control element
  std::vector<std::pair<std::wstring, const char*>> expected;
};

const LayoutCase kCases[] = {
    {"fixed heights and one sharing child",
     200,
     100,
     R"(<VerticalLayout><Control name="a" height="20"/><Control name="b"/><Control name="c" height="30"/></VerticalLayout>)",
     {{L"a", "0,0,200,20"}, {L"b", "0,20,200,70"}, {L"c", "0,70,200,100"}}},
    {"equal shares, the rounding remainder goes to the last",
     100,
     10,
     R"(<HorizontalLayout><Control name="a"/><Control name="b"/><Control name="c"/></HorizontalLayout>)",
     {{L"a", "0,0,33,10"}, {L"b", "33,0,66,10"}, {L"c", "66,0,100,10"}}},
    {"a share held at max or min leaves the rest to the others",
     300,
     10,
     R"(<HorizontalLayout><Control name="a" maxwidth="50"/><Control name="b"/><Control name="c" minwidth="200"/></HorizontalLayout>)",
     {{L"a", "0,0,50,10"}, {L"b", "50,0,100,10"}, {L"c", "100,0,300,10"}}},
    {"fixed sizes are clamped by min and max",
     100,
     100,
     R"(<VerticalLayout><Control name="a" height="10" minheight="30"/><Control name="b" height="80" maxheight="40"/></VerticalLayout>)",
     {{L"a", "0,0,100,30"}, {L"b", "0,30,100,70"}}},
    {"padding is an outer margin, inset an inner padding, childpadding a gap",
     100,
     100,
     R"(<VerticalLayout inset="10,5,10,5" childpadding="4"><Control name="a" height="20" padding="3,2,1,6"/><Control name="b"/></VerticalLayout>)",
     {{L"a", "13,7,89,27"}, {L"b", "10,37,90,95"}}},
    {"childalign centres narrower children across a vertical layout",
     100,
     50,
     R"(<VerticalLayout childalign="center"><Control name="a" width="40" height="10"/></VerticalLayout>)",
     {{L"a", "30,0,70,10"}}},
    {"childvalign bottom in a horizontal layout",
     100,
     50,
     R"(<HorizontalLayout childvalign="bottom"><Control name="a" width="10" height="20"/></HorizontalLayout>)",
     {{L"a", "0,30,10,50"}}},
    {"childalign right moves a fixed row to the right end",
     100,
     10,
     R"(<HorizontalLayout childalign="right"><Control name="x" width="30"/><Control name="y" width="20"/></HorizontalLayout>)",
     {{L"x", "50,0,80,10"}, {L"y", "80,0,100,10"}}},
    {"childvalign center in a vertical layout",
     10,
     100,
     R"(<VerticalLayout childvalign="center"><Control name="z" height="20"/></VerticalLayout>)",
     {{L"z", "0,40,10,60"}}},
    {"hidden children take no space and no child padding",
     100,
     10,
     R"(<HorizontalLayout childpadding="5"><Control name="a" width="30"/><Control name="b" width="30" visible="false"/><Control name="c"/></HorizontalLayout>)",
     {{L"a", "0,0,30,10"}, {L"c", "35,0,100,10"}}},
    {"float children sit at pos from the parent's top-left, out of the flow",
     200,
     100,
     R"(<VerticalLayout><Control name="a" height="20"/><Control name="f" float="true" pos="10,15,60,35"/>
        <VerticalLayout name="b"><Control name="g" float="true" pos="5,5,15,15"/></VerticalLayout></VerticalLayout>)",
     {{L"a", "0,0,200,20"}, {L"f", "10,15,60,35"}, {L"b", "0,20,200,100"}, {L"g", "5,25,15,35"}}},
    {"float anchors add fractions of the parent's size",
     700,
     500,
     R"(<VerticalLayout><HorizontalLayout name="bar" height="30"><Label name="t" minwidth="450"/>
        <HorizontalLayout name="box" float="1,0,1,0" pos="-140,0,0,34"/></HorizontalLayout></VerticalLayout>)",
     {{L"bar", "0,0,700,30"}, {L"t", "0,0,700,30"}, {L"box", "560,0,700,34"}}},
    {"a float pos without a size takes the fixed size",
     100,
     100,
     R"(<Container><Control name="f" float="true" width="20" height="10" pos="30,40"/></Container>)",
     {{L"f", "30,40,50,50"}}},
    {"a plain container gives every child the whole box or its fixed size",
     100,
     50,
     R"(<Container><Control name="a"/><Control name="b" width="20" height="10"/></Container>)",
     {{L"a", "0,0,100,50"}, {L"b", "0,0,20,10"}}},
    {"autocalcwidth makes a layout as wide as its children",
     300,
     45,
     R"(<HorizontalLayout childalign="right"><HorizontalLayout name="bar" autocalcwidth="true" childpadding="10">
        <Button name="b1" width="100"/><Button name="b2" width="120"/></HorizontalLayout></HorizontalLayout>)",
     {{L"bar", "70,0,300,45"}, {L"b1", "70,0,170,45"}, {L"b2", "180,0,300,45"}}},
    {"nothing left to share gives sharing children their minimum",
     100,
     40,
     R"(<VerticalLayout><Control name="a" height="50"/><Control name="b" minheight="5"/><Control name="c"/></VerticalLayout>)",
     {{L"a", "0,0,100,50"}, {L"b", "0,50,100,55"}, {L"c", "0,55,100,55"}}},
};

TEST(Layout, PlacesChildrenByTheSizingAttributes) {
  for (const LayoutCase& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::string markup = "<Window size=\"" + std::to_string(c.width) + "," + std::to_string(c.height) +
                               "\">" + c.tree + "</Window>";
    auto skin = LayoutMarkup(markup, c.width, c.height);
    for (const auto& [name, rect] : c.expected) {
      EXPECT_EQ(ToString(RectOf(skin->window, name)), rect) << std::string(name.begin(), name.end());
    }
  }
}

TEST(Layout, DisplayScaleMultipliesLayoutSizes) {
  auto skin = MakeSkin({{"w.xml", R"(<Window size="100,100"><VerticalLayout inset="2,2,2,2" childpadding="4">
      <Control name="a" height="20" padding="0,2,0,0"/><Control name="b"/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(skin->window.Load("w.xml"));
  skin->window.SetScale(150);
  skin->window.SetClientSize({150, 150});
  skin->window.Layout();
  EXPECT_EQ(ToString(RectOf(skin->window, L"a")), "3,6,147,36");
  EXPECT_EQ(ToString(RectOf(skin->window, L"b")), "3,42,147,147");
}

TEST(Layout, ClientSizeChangesNeedANewPass) {
  auto skin = LayoutMarkup(
      R"(<Window size="100,50"><VerticalLayout><Control name="a"/></VerticalLayout></Window>)", 100, 50);
  EXPECT_FALSE(skin->window.NeedsLayout());
  skin->window.SetClientSize({200, 80});
  EXPECT_TRUE(skin->window.NeedsLayout());
  skin->window.LayoutIfNeeded();
  EXPECT_EQ(ToString(RectOf(skin->window, L"a")), "0,0,200,80");

  // Hiding a control marks the window; the next pass gives its space to the others.
  skin = LayoutMarkup(
      R"(<Window><VerticalLayout><Control name="a" height="30"/><Control name="b"/></VerticalLayout></Window>)",
      100, 100);
  skin->window.FindControl(L"a")->SetVisible(false);
  EXPECT_TRUE(skin->window.NeedsLayout());
  skin->window.Layout();
  EXPECT_EQ(ToString(RectOf(skin->window, L"b")), "0,0,100,100");
}

TEST(Layout, TallContentScrollsAndLeavesRoomForTheBar) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout name="v" vscrollbar="true">
      <Control name="a" height="20"/><Control height="20"/><Control height="20"/><Control name="d" height="20"/>
      </VerticalLayout></Window>)",
                           100, 50);
  auto* box = skin->window.Find<ui::Container>(L"v");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->ScrollRange(), 30);
  EXPECT_EQ(ToString(RectOf(skin->window, L"a")), "0,0,92,20");
  box->SetScrollPos(100);  // clamped to the range
  skin->window.LayoutIfNeeded();
  EXPECT_EQ(box->ScrollPos(), 30);
  EXPECT_EQ(ToString(RectOf(skin->window, L"d")), "0,30,92,50");
  EXPECT_EQ(ToString(box->ScrollThumbRect()), "92,19,100,50");  // 50 of 80 pixels show, at the end

  // The wheel scrolls the container under the pointer, 30 pixels a notch, within the range.
  EXPECT_TRUE(skin->window.OnMouseWheel({10, 10}, 120));
  EXPECT_EQ(box->ScrollPos(), 0);
  EXPECT_EQ(ToString(RectOf(skin->window, L"a")), "0,0,92,20");
  EXPECT_FALSE(skin->window.OnMouseWheel({10, 10}, 120));
  EXPECT_TRUE(skin->window.OnMouseWheel({10, 10}, -120));
  EXPECT_EQ(box->ScrollPos(), 30);
  EXPECT_FALSE(skin->window.OnMouseWheel({200, 10}, 120));  // outside the window's controls

  // Content that fits needs no bar.
  box->FindByName(L"d")->SetVisible(false);
  box->FindByName(L"a")->SetVisible(false);
  skin->window.Layout();
  EXPECT_EQ(box->ScrollRange(), 0);
  EXPECT_TRUE(box->ScrollThumbRect().IsEmpty());
  EXPECT_EQ(box->ItemAt(1)->GetRect().Width(), 100);
}

TEST(Layout, TheScrollBarTakesItsWidthAndThumbFromTheVScrollBarDefault) {
  auto skin = LayoutMarkup(
      R"(<Window><Default name="VScrollBar" value="width=&quot;10&quot; thumbnormalimage=&quot;file='common/vscrollbar.png' source='0,0,8,32' corner='0,4,0,4'&quot;"/>
      <ListEx name="list"><ListHeader height="10"/><Control height="40"/><Control name="last" height="40"/></ListEx></Window>)",
      100, 60);
  EXPECT_EQ(ToString(RectOf(skin->window, L"last")), "0,50,90,90");  // rows scroll under the header
  FakeGraphics g;
  skin->window.Paint(g, {0, 0, 100, 60});
  ASSERT_EQ(g.ImagePaths(), (std::vector<std::string>{"common/vscrollbar.png"}));
  EXPECT_EQ(ToString(g.Of(DrawCall::kImage)[0].rect), "90,10,100,41");
  EXPECT_EQ(g.Of(DrawCall::kImage)[0].image.source, (ui::Rect{0, 0, 8, 32}));
}

// A measurer unlike both the model's fallback and the recording surface: a full font size a character.
class FullWidthMetrics : public ui::TextMetrics {
 public:
  ui::Size MeasureText(std::wstring_view text, const ui::FontSpec& font) const override {
    return {static_cast<int>(text.size()) * font.size, font.size};
  }
};

// Mouse input may lay the tree out before the first paint; a button sized to its text must come
// out as wide either way, so layout measures only with what the window was given at creation.
TEST(TextMetricsTest, SizesToTextAlikeBeforeAndAfterTheFirstPaint) {
  auto skin = MakeSkin({{"main.xml", R"(<Window size="400,40"><HorizontalLayout>
      <Button name="next" text="Start deleting" autocalcwidth="true" textpadding="6,0,6,0"/><Control/>
      </HorizontalLayout></Window>)"}});
  FullWidthMetrics metrics;
  skin->window.SetTextMetrics(&metrics);
  ASSERT_TRUE(skin->window.Load("main.xml"));
  skin->window.LayoutIfNeeded();  // what input does before any paint
  const int beforePaint = RectOf(skin->window, L"next").Width();
  EXPECT_EQ(beforePaint, 14 * 12 + 12);  // the default font is 12 pixels

  FakeGraphics surface;  // measures half as wide
  skin->window.MarkForLayout();
  skin->window.Paint(surface, {0, 0, 400, 40});
  EXPECT_EQ(RectOf(skin->window, L"next").Width(), beforePaint);

  // A measurer that arrives late lays the tree out again instead of keeping stale widths.
  skin->window.SetTextMetrics(nullptr);
  EXPECT_TRUE(skin->window.NeedsLayout());
  skin->window.LayoutIfNeeded();
  EXPECT_EQ(RectOf(skin->window, L"next").Width(), 14 * 6 + 12);
}

}  // namespace
