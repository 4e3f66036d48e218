#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/pixel_surface.h"

namespace {

const char* kEnglish =
    R"(<Res><Text id="main.btn.next" value="Next"/><Text id="tip.close" value="Close"/></Res>)";
const char* kKorean = "<Res><Text id=\"main.btn.next\" value=\"\xEB\x8B\xA4\xEC\x9D\x8C\"/></Res>";

class AnswersOneKey : public ui::TextCallback {
 public:
  bool ProvideText(const std::wstring& key, std::wstring& text) override {
    if (key != L"from.callback") return false;
    text = L"Supplied";
    return true;
  }
};

TEST(Painting, ResourceTextIsLookedUpWhenDrawn) {
  auto skin =
      MakeSkin({{"lan_en.xml", kEnglish}, {"lan_ko.xml", kKorean}, {"main.xml", R"(<Window><VerticalLayout>
      <Button name="next" height="30" text="main.btn.next" tooltip="tip.close" resourcetext="true"/>
      <Label name="missing" height="30" text="no.such.key" resourcetext="true"/>
      <Label name="asked" height="30" text="from.callback" resourcetext="true"/>
      <Label name="plain" height="30" text="main.btn.next"/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  AnswersOneKey callback;
  skin->window.SetTextCallback(&callback);
  skin->window.SetClientSize({200, 200});
  ASSERT_TRUE(skin->resources.LoadLanguage("lan_en.xml"));

  FakeGraphics english;
  skin->window.Paint(english, {0, 0, 200, 200});
  EXPECT_EQ(english.Texts(),
            (std::vector<std::wstring>{L"Next", L"no.such.key", L"Supplied", L"main.btn.next"}));
  ui::Control* next = skin->window.FindControl(L"next");
  EXPECT_EQ(next->DisplayTooltip(), L"Close");
  EXPECT_EQ(next->Text(), L"main.btn.next");  // the key stays stored

  // Loading another language and repainting is all a switch takes; keys the new file lacks keep
  // their earlier text.
  ASSERT_TRUE(skin->resources.LoadLanguage("lan_ko.xml"));
  FakeGraphics korean;
  skin->window.Paint(korean, {0, 0, 200, 200});
  EXPECT_EQ(korean.Texts().front(), L"\uB2E4\uC74C");
  EXPECT_EQ(next->DisplayTooltip(), L"Close");

  // Reloading asks the window's callback for every key of the table.
  class Replaces : public ui::TextCallback {
   public:
    bool ProvideText(const std::wstring& key, std::wstring& text) override {
      if (key != L"main.btn.next") return false;
      text = L"Onward";
      return true;
    }
  } replaces;
  skin->window.SetTextCallback(&replaces);
  skin->window.ReloadTexts();
  EXPECT_EQ(next->DisplayText(), L"Onward");
  EXPECT_EQ(next->DisplayTooltip(), L"Close");

  // Turning the flag off from code shows the key itself.
  next->SetResourceText(false);
  EXPECT_EQ(next->DisplayText(), L"main.btn.next");
}

TEST(Painting, ImagesResolveThroughTheMapAndTheDisplayScale) {
  auto skin = MakeSkin(
      {{"res.xml", R"(<Res><Image id="sysbtn_menu_hot" path="sysbtn/btn_menu_highlight.png"/></Res>)"},
       {"main.xml", R"(<Window><VerticalLayout>
      <Option name="radio" height="20" text="x" normalimage="file='common/radio_normal.png' source='0,0,17,17' dest='2,1,19,18'"
              selectedimage="common/radio_selected.png"/>
      <Control name="menu" height="20" bkimage="res='sysbtn_menu_hot' corner='4,4,4,4'"/>
      </VerticalLayout></Window>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  skin->window.SetClientSize({100, 100});

  FakeGraphics plain;
  skin->window.Paint(plain, {0, 0, 100, 100});
  const auto images = plain.Of(DrawCall::kImage);
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].image.path, "common/radio_normal.png");
  EXPECT_EQ(images[0].image.source, (ui::Rect{0, 0, 17, 17}));
  EXPECT_EQ(images[0].image.dest, (ui::Rect{2, 1, 19, 18}));  // relative to the control
  EXPECT_EQ(images[1].image.path, "sysbtn/btn_menu_highlight.png");
  EXPECT_EQ(images[1].image.dest, (ui::Rect{0, 20, 100, 40}));  // no dest: the whole control

  skin->window.Find<ui::Option>(L"radio")->Selected(true, false);
  skin->window.SetScale(125);
  skin->window.SetClientSize({125, 125});
  FakeGraphics scaled;
  skin->window.Paint(scaled, {0, 0, 125, 125});
  const auto big = scaled.Of(DrawCall::kImage);
  ASSERT_EQ(big.size(), 2u);
  EXPECT_EQ(big[0].image.path, "common/radio_selected@125.png");
  EXPECT_EQ(big[1].image.path, "sysbtn/btn_menu_highlight@125.png");
  EXPECT_EQ(big[1].image.corner, (ui::Edges{5, 5, 5, 5}));
  EXPECT_EQ(big[1].image.dest, (ui::Rect{0, 25, 125, 50}));
}

TEST(Painting, MissingImagesDrawNothingAndTheRestStillDraws) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout><Button name="b" text="Go" normalimage="common/gone.png"
      hotimage="common/hot.png" pushedimage="common/pushed_gone.png"/></VerticalLayout></Window>)",
                           100, 30);
  FakeGraphics graphics;
  graphics.missingImages = {"common/gone.png", "common/pushed_gone.png"};
  skin->window.Paint(graphics, {0, 0, 100, 30});
  EXPECT_TRUE(graphics.ImagePaths().empty());
  EXPECT_NE(graphics.FindText(L"Go"), nullptr);

  // Pressed, the missing pushed image gives way to the hot one.
  ui::Control* b = skin->window.FindControl(L"b");
  b->SetState(ui::kStatePushed);
  FakeGraphics pressed;
  pressed.missingImages = graphics.missingImages;
  skin->window.Paint(pressed, {0, 0, 100, 30});
  EXPECT_EQ(pressed.ImagePaths(), (std::vector<std::string>{"common/hot.png"}));
}

TEST(Painting, BackgroundsBordersFontsAndStateColours) {
  auto skin = MakeSkin({{"main.xml", R"(<Window bkcolor="#FFffffff"><Font id="3" name="Arial" size="18"/>
      <Style name="colorbtn_style" value="bordersize=&quot;2&quot; borderround=&quot;10,10&quot; bordercolor=&quot;0x050581&quot; bkcolor=&quot;#FF3b9fe1&quot; hotbkcolor=&quot;#FFb8cfe9&quot; hottextcolor=&quot;#FF050581&quot; disabledtextcolor=&quot;#FFC6C6C6&quot;"/>
      <VerticalLayout><Button name="b" height="30" style="colorbtn_style" textcolor="#FF111111" text="Next" font="3"/>
      <Label name="hidden" visible="false" text="Hidden" bkcolor="#FF000000"/></VerticalLayout></Window>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  skin->window.SetClientSize({100, 100});
  FakeGraphics g;
  skin->window.Paint(g, {0, 0, 100, 100});
  ASSERT_FALSE(g.calls.empty());
  EXPECT_EQ(g.calls.front().kind, DrawCall::kFill);  // the window background first
  EXPECT_EQ(g.calls.front().color, 0xFFFFFFFFu);
  const auto round = g.Of(DrawCall::kFillRound);
  ASSERT_EQ(round.size(), 1u);
  EXPECT_EQ(round[0].color, 0xFF3B9FE1u);
  EXPECT_EQ(round[0].radius, (ui::Size{10, 10}));
  const auto borders = g.Of(DrawCall::kBorder);
  ASSERT_EQ(borders.size(), 1u);
  EXPECT_EQ(borders[0].width, 2);
  EXPECT_EQ(borders[0].color, 0xFF050581u);
  const DrawCall* text = g.FindText(L"Next");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->style.font.id, 3);
  EXPECT_EQ(text->style.font.size, 18);
  EXPECT_EQ(text->color, 0xFF111111u);
  EXPECT_EQ(text->style.format & ui::kTextCenter, ui::kTextCenter);
  EXPECT_EQ(g.FindText(L"Hidden"), nullptr);
  EXPECT_EQ(g.ClipDepth(), 0);

  ui::Control* b = skin->window.FindControl(L"b");
  b->SetState(ui::kStateHot);
  FakeGraphics hot;
  skin->window.Paint(hot, {0, 0, 100, 100});
  EXPECT_EQ(hot.Of(DrawCall::kFillRound)[0].color, 0xFFB8CFE9u);
  EXPECT_EQ(hot.FindText(L"Next")->color, 0xFF050581u);

  b->SetEnabled(false);
  FakeGraphics disabled;
  skin->window.Paint(disabled, {0, 0, 100, 100});
  EXPECT_EQ(disabled.FindText(L"Next")->color, 0xFFC6C6C6u);
  EXPECT_EQ(disabled.Of(DrawCall::kFillRound)[0].color, 0xFF3B9FE1u);  // no hover look when disabled

  // Only what meets the dirty rectangle is drawn.
  FakeGraphics outside;
  skin->window.Paint(outside, {0, 50, 100, 100});
  EXPECT_EQ(outside.FindText(L"Next"), nullptr);
}

TEST(Painting, AutoWidthFollowsTheMeasuredText) {
  auto skin =
      MakeSkin({{"lan.xml", R"(<Res><Text id="lan.en" value="English"/></Res>)"},
                {"main.xml", R"(<Window><Font id="1" name="a" size="12" default="true"/><HorizontalLayout>
      <Option name="o" autocalcwidth="true" textpadding="20,0,6,0" text="lan.en" resourcetext="true"/>
      <Option name="min" autocalcwidth="true" minwidth="180" text="x"/></HorizontalLayout></Window>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  ASSERT_TRUE(skin->resources.LoadLanguage("lan.xml"));
  FakeGraphics metrics;
  skin->window.SetTextMetrics(&metrics);
  skin->window.SetClientSize({400, 20});
  skin->window.Layout();
  EXPECT_EQ(RectOf(skin->window, L"o").Width(), 7 * 6 + 26);  // "English" at 6 px a character
  EXPECT_EQ(RectOf(skin->window, L"min").Width(), 180);
}

}  // namespace

namespace {

TEST(Painting, TextRowsDrawTheirColumnsUnderTheHeader) {
  auto skin = MakeSkin({{"main.xml", R"(<Window><Style name="listex_item_style" value="height=&quot;30&quot;
      checkboxwidth=&quot;16&quot; checkboxheight=&quot;16&quot; checkboxnormalimage=&quot;common/unchecked.png&quot;
      checkboxselectedimage=&quot;common/checked.png&quot;"/><VerticalLayout>
      <ListEx name="list" itemalign="left" itemtextcolor="#FF333333" itemlinecolor="#FF888888" itemshowrowline="true"
              itemselectedbkcolor="#FFDCEBF8" vscrollbar="false">
        <ListHeader height="20"><ListContainerHeaderItem width="40"/><ListContainerHeaderItem width="100" text="Port"/>
        <ListContainerHeaderItem/></ListHeader></ListEx></VerticalLayout></Window>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  auto* list = skin->window.Find<ui::List>(L"list");
  auto* row = static_cast<ui::ListTextElement*>(list->AddRow(std::make_unique<ui::ListTextElement>()));
  row->SetAttribute("style", "listex_item_style");
  row->SetColumnText(0, L"1");
  row->SetColumnText(1, L"WSD Port");
  row->SetColumnText(2, L"Monitor");
  skin->window.SetClientSize({300, 100});
  skin->window.Layout();

  FakeGraphics g;
  skin->window.Paint(g, {0, 0, 300, 100});
  EXPECT_NE(g.FindText(L"Port"), nullptr);  // the header's own text
  const DrawCall* first = g.FindText(L"1");
  const DrawCall* second = g.FindText(L"WSD Port");
  const DrawCall* third = g.FindText(L"Monitor");
  ASSERT_TRUE(first && second && third);
  EXPECT_EQ(ToString(first->rect), "24,20,40,50");  // after the check box
  EXPECT_EQ(ToString(second->rect), "40,20,140,50");
  EXPECT_EQ(ToString(third->rect), "140,20,300,50");
  EXPECT_EQ(second->color, 0xFF333333u);
  EXPECT_EQ(second->style.format & (ui::kTextCenter | ui::kTextRight), 0u);
  EXPECT_EQ(g.ImagePaths(), (std::vector<std::string>{"common/unchecked.png"}));
  const auto fills = g.Of(DrawCall::kFill);
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(ToString(fills.back().rect), "0,49,300,50");  // the row line

  row->SetChecked(true);
  list->SelectRow(0);
  FakeGraphics checked;
  skin->window.Paint(checked, {0, 0, 300, 100});
  EXPECT_EQ(checked.ImagePaths(), (std::vector<std::string>{"common/checked.png"}));
  EXPECT_EQ(checked.Of(DrawCall::kFill).front().color, 0xFFDCEBF8u);  // the selected row's background
}

// Direct fills stay inside the surface and their rectangle, row by row over the stride's padding.
TEST(Painting, DirectFillsCutToTheSurface) {
  std::vector<uint32_t> pixels(4 * 3, 0);  // 3 wide, one padding pixel a row
  const ui::PixelSurface surface{pixels.data(), 4, {3, 3}};
  ui::FillOpaque(surface, {-5, 1, 2, 9}, 0xFF112233);
  ui::FillOpaque(surface, {2, 0, 2, 3}, 0xFFFFFFFF);  // empty
  ui::FillOpaque({nullptr, 0, {3, 3}}, {0, 0, 3, 3}, 0xFFFFFFFF);
  const uint32_t c = 0xFF112233;
  EXPECT_EQ(pixels, (std::vector<uint32_t>{0, 0, 0, 0, c, c, 0, 0, c, c, 0, 0}));
}

class InvalidationHost : public ui::WindowHost {
 public:
  std::vector<ui::Rect> invalidated;
  void Invalidate(const ui::Rect& rect) override { invalidated.push_back(rect); }
};

// A row hidden since the window was laid out has no rectangle of its own; showing it, hiding it
// or resizing a control must still ask for a paint over where it goes, or the window is not laid
// out again until something else paints.
TEST(Painting, ShowingAControlNeverLaidOutAsksForAPaintWhereItGoes) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout>
      <Label name="log" height="100"/>
      <HorizontalLayout name="finish" height="30" visible="false"><Button name="home" width="80"/></HorizontalLayout>
      </VerticalLayout></Window>)",
                           200, 200);
  InvalidationHost host;
  skin->window.SetHost(&host);
  ui::Control* finish = skin->window.FindControl(L"finish");
  ASSERT_NE(finish, nullptr);
  for (const auto& change : std::vector<std::function<void()>>{
           [&] { finish->SetVisible(true); }, [&] { finish->SetVisible(false); },
           [&] { skin->window.FindControl(L"log")->SetFixedHeight(120); }}) {
    host.invalidated.clear();
    const ui::Rect before = RectOf(skin->window, L"finish");
    change();
    skin->window.LayoutIfNeeded();
    const ui::Rect after = RectOf(skin->window, L"finish");
    for (const ui::Rect& place : {before, after}) {
      if (place.IsEmpty()) continue;
      bool covered = false;
      for (const ui::Rect& r : host.invalidated) {
        covered = covered || (r.left <= place.left && r.top <= place.top && r.right >= place.right &&
                              r.bottom >= place.bottom);
      }
      EXPECT_TRUE(covered) << "no paint asked over " << ToString(place);
    }
  }
}

TEST(Painting, SeparatePartsOfTheUpdateRegionPaintAloneUnlessTheyAreManyOrCoverTheBounds) {
  using ui::Rect;
  const Rect bounds{0, 30, 692, 473};
  const Rect heading{20, 30, 672, 80}, buttons{0, 428, 692, 473};
  EXPECT_EQ(ui::PaintParts({heading, buttons}, bounds), (std::vector<Rect>{heading, buttons}));
  // Clipped to the bounds; what lies outside them is left out.
  EXPECT_EQ(ui::PaintParts({{0, 0, 50, 40}, {800, 0, 900, 10}}, bounds),
            (std::vector<Rect>{{0, 30, 50, 40}}));

  const std::vector<Rect> whole{bounds};
  EXPECT_EQ(ui::PaintParts({}, bounds), whole) << "a region that could not be read";
  EXPECT_EQ(ui::PaintParts({{0, 30, 692, 400}, buttons}, bounds), whole) << "most of the bounds";
  EXPECT_EQ(
      ui::PaintParts({{0, 30, 10, 40}, {0, 50, 10, 60}, {0, 70, 10, 80}, {0, 90, 10, 100}, {0, 110, 10, 120}},
                     bounds),
      whole)
      << "too many parts";
}

}  // namespace
