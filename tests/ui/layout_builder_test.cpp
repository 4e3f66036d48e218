#include <gtest/gtest.h>

#include <chrono>

#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"
#include "ui/control_factory.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/shared_layout_data.h"
#include "ui/utf.h"

namespace {

using ui::ControlKind;

TEST(LayoutBuilder, BuildsEveryFrameworkTagWithItsKind) {
  auto skin = LayoutMarkup(R"(<Window size="300,200"><VerticalLayout name="root">
      <HorizontalLayout name="h"/><AnimationTabLayout name="tab"/><Container name="c"/><Control name="ctl"/>
      <Label name="l"/><Button name="b"/><FadeButton name="fb"/><Option name="o"/><Edit name="e"/>
      <RichEdit name="re"/><GifAnim name="g"/>
      <ListEx name="list"><ListHeader name="hdr"><ListContainerHeaderItem name="hi"/></ListHeader>
        <ListContainerElement name="row"/></ListEx>
      </VerticalLayout></Window>)",
                           300, 200);
  const std::pair<const wchar_t*, ControlKind> expected[] = {
      {L"root", ControlKind::kVerticalLayout},
      {L"h", ControlKind::kHorizontalLayout},
      {L"tab", ControlKind::kTabLayout},
      {L"c", ControlKind::kContainer},
      {L"ctl", ControlKind::kControl},
      {L"l", ControlKind::kLabel},
      {L"b", ControlKind::kButton},
      {L"fb", ControlKind::kFadeButton},
      {L"o", ControlKind::kOption},
      {L"e", ControlKind::kEdit},
      {L"re", ControlKind::kRichEdit},
      {L"g", ControlKind::kGifAnim},
      {L"list", ControlKind::kList},
      {L"hdr", ControlKind::kListHeader},
      {L"hi", ControlKind::kListHeaderItem},
      {L"row", ControlKind::kListElement},
  };
  for (const auto& [name, kind] : expected) {
    const ui::Control* control = skin->window.FindControl(name);
    ASSERT_NE(control, nullptr) << ui::WideToUtf8(name);
    EXPECT_EQ(control->Kind(), kind) << ui::WideToUtf8(name);
  }
  EXPECT_EQ(skin->window.FindControl(L"fb")->ClassName(), "FadeButton");
}

TEST(LayoutBuilder, CommonAttributes) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout virtualwnd="page">
      <Button name="btn" text="main.btn.next" tooltip="tip.close" resourcetext="true" userdata="7"
              visible="false" enabled="false" font="3" textcolor="#FF111111" cursor="hand"/>
      <Option name="opt" group="radio" selected="true"/></VerticalLayout></Window>)",
                           100, 100);
  auto* button = skin->window.Find<ui::Button>(L"btn");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Text(), L"main.btn.next");
  EXPECT_EQ(button->Tooltip(), L"tip.close");
  EXPECT_TRUE(button->IsResourceText());
  EXPECT_EQ(button->UserData(), L"7");
  EXPECT_FALSE(button->IsVisible());
  EXPECT_FALSE(button->IsEnabled());
  EXPECT_EQ(button->FontId(), 3);
  EXPECT_EQ(button->TextColor(), 0xFF111111u);
  EXPECT_EQ(button->EffectiveVirtualWnd(), L"page");  // inherited from the layout
  ASSERT_NE(button->Attribute("CURSOR"), nullptr);    // unknown attributes are kept for the host
  EXPECT_EQ(*button->Attribute("cursor"), "hand");
  auto* option = skin->window.Find<ui::Option>(L"opt");
  ASSERT_NE(option, nullptr);
  EXPECT_EQ(option->Group(), L"radio");
  EXPECT_TRUE(option->IsSelected());
}

TEST(LayoutBuilder, StylesApplyWhereTheStyleAttributeStands) {
  auto skin = LayoutMarkup(R"(<Window>
      <Style name="base" value="textcolor=&quot;#FF111111&quot; height=&quot;16&quot; textpadding=&quot;20,0,6,0&quot;"/>
      <Style name="cb" value="style=&quot;base&quot; height=&quot;17&quot; normalimage=&quot;file='common/cb.png' source='0,0,17,17'&quot;"/>
      <Style name="loop" value="style=&quot;loop&quot; width=&quot;5&quot;"/>
      <VerticalLayout>
        <Option name="a" style="cb"/>
        <Option name="b" height="30" style="cb"/>
        <Option name="c" style="cb" height="30"/>
        <Option name="d" style="nosuchstyle" height="12"/>
        <Control name="e" style="loop"/>
      </VerticalLayout></Window>)",
                           100, 200);
  auto* a = skin->window.Find<ui::Option>(L"a");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->TextColor(), 0xFF111111u);  // through the nested style
  EXPECT_EQ(a->Sizing().height, 17);       // the outer style overrides the inner one
  EXPECT_EQ(a->TextPadding(), (ui::Edges{20, 0, 6, 0}));
  EXPECT_EQ(skin->window.FindControl(L"b")->Sizing().height, 17);  // the style came later
  EXPECT_EQ(skin->window.FindControl(L"c")->Sizing().height, 30);  // the attribute came later
  EXPECT_EQ(skin->window.FindControl(L"d")->Sizing().height, 12);
  EXPECT_EQ(skin->window.FindControl(L"e")->Sizing().width, 5);  // a style naming itself stops
}

TEST(LayoutBuilder, DefaultsApplyToTheirTagBeforeTheElementsOwnAttributes) {
  auto skin = LayoutMarkup(
      R"(<Window><Default name="Button" value="height=&quot;25&quot; textcolor=&quot;#FF00FF00&quot;"/>
      <VerticalLayout><Button name="a"/><Button name="b" height="40"/><Label name="c"/></VerticalLayout></Window>)",
      100, 100);
  EXPECT_EQ(skin->window.FindControl(L"a")->Sizing().height, 25);
  EXPECT_EQ(skin->window.Find<ui::Button>(L"a")->TextColor(), 0xFF00FF00u);
  EXPECT_EQ(skin->window.FindControl(L"b")->Sizing().height, 40);
  EXPECT_EQ(skin->window.FindControl(L"c")->Sizing().height, 0);
}

TEST(LayoutBuilder, FontsByIdWithDefaultAndSharedAcrossWindows) {
  auto skin = MakeSkin({
      {"main.xml", R"(<Window size="700,500" mininfo="560,400" caption="0,0,0,64" sizebox="4,4,6,6"
          showshadow="true" shadowimage="main/shadow.png" shadowsize="6" shadowcorner="8,8,8,8" bkcolor="#FFffffff">
          <Font id="3" name="宋体" size="18" shared="true"/>
          <Font id="14" name="宋体" size="14" default="true" shared="true"/>
          <Font id="20" name="宋体" size="16" bold="true" shared="true"/>
          <Style name="radio_style" value="height=&quot;17&quot;" shared="true"/>
          <VerticalLayout/></Window>)"},
      {"pop.xml", R"(<Window size="430,150"><Font id="1" name="Arial" size="12" default="true"/>
          <VerticalLayout><Option name="o" style="radio_style"/></VerticalLayout></Window>)"},
      {"plain.xml", R"(<Window><VerticalLayout/></Window>)"},
  });
  ASSERT_TRUE(skin->window.Load("main.xml"));
  const ui::WindowAttributes& a = skin->window.Attributes();
  EXPECT_EQ(a.size, (ui::Size{700, 500}));
  EXPECT_EQ(a.minInfo, (ui::Size{560, 400}));
  EXPECT_EQ(a.caption, (ui::Rect{0, 0, 0, 64}));
  EXPECT_EQ(a.sizeBox, (ui::Edges{4, 4, 6, 6}));
  EXPECT_TRUE(a.showShadow);
  EXPECT_EQ(a.shadowImage.file, "main/shadow.png");
  EXPECT_EQ(a.shadowSize, 6);
  EXPECT_EQ(a.bkColor, 0xFFFFFFFFu);
  EXPECT_EQ(skin->window.ClientSize(), (ui::Size{700, 500}));

  EXPECT_EQ(skin->window.ScaledFont(3).size, 18);
  EXPECT_TRUE(skin->window.ScaledFont(20).bold);
  EXPECT_EQ(skin->window.ScaledFont(-1).size, 14);
  EXPECT_EQ(skin->window.ScaledFont(99).size, 14);  // unknown ids draw in the default font
  EXPECT_EQ(skin->window.ScaledFont(3).face, L"\u5b8b\u4f53");

  // A second window sees the shared fonts and styles, keeps its own default font.
  ui::WindowModel popup(skin->resources);
  ASSERT_TRUE(popup.Load("pop.xml"));
  EXPECT_EQ(popup.ScaledFont(3).size, 18);
  EXPECT_EQ(popup.ScaledFont(-1).face, L"Arial");
  EXPECT_EQ(popup.FindControl(L"o")->Sizing().height, 17);
  ui::WindowModel plain(skin->resources);
  ASSERT_TRUE(plain.Load("plain.xml"));
  EXPECT_EQ(plain.ScaledFont(-1).size, 14);  // no default of its own: the shared one

  // Setting the default font is for one window only, and scales with it.
  skin->window.SetDefaultFont(L"\u5b8b\u4f53", 18, false, false, false);
  EXPECT_EQ(skin->window.ScaledFont(-1).size, 18);
  EXPECT_EQ(popup.ScaledFont(-1).size, 12);
  skin->window.SetScale(150);
  EXPECT_EQ(skin->window.ScaledFont(-1).size, 27);
}

TEST(LayoutBuilder, IncludePullsInWindowsAndControls) {
  auto skin = MakeSkin({
      {"res.xml", R"(<Res><Xml id="XML_MAIN" path="main.xml"/></Res>)"},
      {"main.xml", R"(<Window size="300,100"><AnimationTabLayout name="tabs">
          <VerticalLayout name="p0"/>
          <VerticalLayout name="p1"><Include source="pages.xml"/></VerticalLayout>
          <HorizontalLayout name="p2"><Include source="row.xml" count="2"/></HorizontalLayout>
          </AnimationTabLayout></Window>)"},
      {"pages.xml",
       "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
       R"(<Window><Style name="inner" value="height=&quot;9&quot;"/>
          <AnimationTabLayout name="inner_tabs"><Label name="page_a" style="inner"/></AnimationTabLayout>
          <Label name="after"/></Window>)"},
      {"row.xml", R"(<Button name="repeated" width="10"/>)"},
  });
  ASSERT_TRUE(skin->window.Load("XML_MAIN"));  // through the resource map
  auto* p1 = skin->window.Find<ui::Container>(L"p1");
  ASSERT_NE(p1, nullptr);
  ASSERT_EQ(p1->Count(), 2);  // every control of the included Window
  EXPECT_EQ(p1->ItemAt(0)->Name(), L"inner_tabs");
  EXPECT_EQ(p1->ItemAt(1)->Name(), L"after");
  EXPECT_EQ(skin->window.FindControl(L"page_a")->Sizing().height, 9);  // its style came along
  EXPECT_EQ(skin->window.Find<ui::Container>(L"p2")->Count(), 2);
}

TEST(LayoutBuilder, LayoutsThatCannotBeBuiltFail) {
  auto skin = MakeSkin({
      {"broken.xml", R"(<Window><VerticalLayout></Window>)"},
      {"empty.xml", R"(<Window size="10,10"><Font id="1" name="a" size="1"/></Window>)"},
      {"missing_include.xml",
       R"(<Window><VerticalLayout><Include source="nowhere.xml"/></VerticalLayout></Window>)"},
      {"self_include.xml",
       R"(<Window><VerticalLayout><Include source="self_include.xml"/></VerticalLayout></Window>)"},
      {"good.xml", R"(<Window><VerticalLayout name="ok"/></Window>)"},
  });
  for (const char* name : {"nothere.xml", "", "broken.xml", "empty.xml", "missing_include.xml",
                           "self_include.xml", "<Window><Unknown/></Window>"}) {
    EXPECT_FALSE(skin->window.Load(name)) << name;
    EXPECT_EQ(skin->window.Root(), nullptr) << name;
  }
  // Includes repeated inside repeated includes cannot multiply without bound.
  auto bomb = MakeSkin(
      {{"a.xml",
        R"(<Window><VerticalLayout><Include source="b.xml" count="100"/></VerticalLayout></Window>)"},
       {"b.xml", R"(<Window><Include source="c.xml" count="100"/></Window>)"},
       {"c.xml", R"(<Window><Control/><Control/><Control/></Window>)"}});
  EXPECT_FALSE(bomb->window.Load("a.xml"));

  // A failed load after a good one leaves no tree behind either.
  ASSERT_TRUE(skin->window.Load("good.xml"));
  EXPECT_NE(skin->window.FindControl(L"ok"), nullptr);
  EXPECT_FALSE(skin->window.Load("broken.xml"));
  EXPECT_EQ(skin->window.FindControl(L"ok"), nullptr);

  // Markup given as text instead of a file name.
  EXPECT_TRUE(skin->window.Load("<Window><HorizontalLayout name=\"inline\"/></Window>"));
  EXPECT_NE(skin->window.FindControl(L"inline"), nullptr);
}

// Packages that multiply a few small files into endless work: the total is capped, not only the
// depth and the number of controls, so each load ends quickly, failing or with its styles cut short.
TEST(LayoutBuilder, HostilePackagesFinishFastAndFailOrTruncate) {
  // Eight levels of Windows that hold only an Include and a font: 100^8 parses without a cap.
  std::map<std::string, std::string> includes{
      {"main.xml",
       R"(<Window><VerticalLayout><Include source="l1.xml" count="100"/></VerticalLayout></Window>)"}};
  for (int level = 1; level <= 8; ++level) {
    const std::string next =
        level < 8 ? R"(<Include source="l)" + std::to_string(level + 1) + R"(.xml" count="100"/>)" : "";
    includes["l" + std::to_string(level) + ".xml"] =
        R"(<Window><Font id="1" name="a" size="9"/>)" + next + "</Window>";
  }
  // A style that names itself ten times: 10^8 applications without a cap.
  std::string selfNaming;
  for (int i = 0; i < 10; ++i) selfNaming += "style=&quot;s&quot; ";
  const std::string style = R"(<Style name="s" value=")" + selfNaming + R"(bkcolor=&quot;#FF000000&quot;"/>)";
  std::string manyButtons;
  for (int i = 0; i < 5000; ++i) manyButtons += R"(<Button style="s"/>)";

  struct Case {
    const char* what;
    std::map<std::string, std::string> files;
    bool loads;
  };
  const Case cases[] = {
      {"nested includes", includes, false},
      {"one control naming the style",
       {{"main.xml", "<Window>" + style + R"(<VerticalLayout><Button name="b" style="s"/>
          </VerticalLayout></Window>)"}},
       true},
      {"many controls naming it",
       {{"main.xml", "<Window>" + style + "<VerticalLayout>" + manyButtons + "</VerticalLayout></Window>"}},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto skin = MakeSkin(c.files);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(skin->window.Load("main.xml"), c.loads);
    EXPECT_EQ(skin->window.Root() != nullptr, c.loads);
    if (ui::Control* button = skin->window.FindControl(L"b")) {
      EXPECT_NE(button->Attribute("bkcolor"), nullptr);  // the style applied, only cut short
      button->SetAttribute("style", "s");                // and again later, as code may
    }
    // Well under a second alone; uncapped, any of them runs for days. The bound leaves room for a
    // loaded machine under the sanitizers.
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
  }
}

class CircleProgress : public ui::Control {
 public:
  CircleProgress() : Control(ui::ControlKind::kCustom) {}
};

class Callback : public ui::CreateControlCallback {
 public:
  std::vector<std::string> asked;
  std::unique_ptr<ui::Control> CreateControl(std::string_view tag) override {
    asked.emplace_back(tag);
    if (ui::EqualsIgnoreCase(tag, "CircleProgress")) return std::make_unique<CircleProgress>();
    return nullptr;
  }
};

TEST(LayoutBuilder, CustomTagsComeFromTheRegistryThenTheCallback) {
  auto& registry = ui::ControlRegistry::Instance();
  registry.Clear();
  registry.Register("CChartViewUI", [] { return std::make_unique<CircleProgress>(); });
  auto skin = MakeSkin({{"w.xml", R"(<Window><VerticalLayout>
      <ChartView name="chart" width="12"/><CircleProgress name="circle"/>
      <Mystery name="skipped"><Label name="inside_skipped"/></Mystery><Label name="after"/>
      </VerticalLayout></Window>)"}});
  Callback callback;
  ASSERT_TRUE(skin->window.Load("w.xml", &callback));
  const ui::Control* chart = skin->window.FindControl(L"chart");
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->Kind(), ui::ControlKind::kCustom);
  EXPECT_EQ(chart->Sizing().width, 12);  // common attributes still apply
  EXPECT_EQ(chart->ClassName(), "ChartView");
  EXPECT_NE(skin->window.FindControl(L"circle"), nullptr);
  EXPECT_EQ(skin->window.FindControl(L"skipped"), nullptr);
  EXPECT_EQ(skin->window.FindControl(L"inside_skipped"), nullptr);
  EXPECT_NE(skin->window.FindControl(L"after"), nullptr);
  // The callback is asked only for tags neither the framework nor the registry knows.
  EXPECT_EQ(callback.asked, (std::vector<std::string>{"CircleProgress", "Mystery"}));
  registry.Clear();
}

TEST(LayoutBuilder, RowTemplatesBuildWithTheWindowsStyles) {
  auto skin = MakeSkin({
      {"main.xml", R"(<Window><Style name="cell" value="width=&quot;80&quot;"/><VerticalLayout>
          <ListEx name="list"><ListHeader height="20"><ListContainerHeaderItem width="30"/>
          <ListContainerHeaderItem width="80"/></ListHeader></ListEx></VerticalLayout></Window>)"},
      {"listitemex.xml", R"(<Window><ListContainerElement name="row" height="30">
          <Option name="option_listext" width="30" mouse="false"/>
          <Label name="label1" style="cell" visible="false"/><Label name="label2" visible="false"/>
          </ListContainerElement></Window>)"},
  });
  ASSERT_TRUE(skin->window.Load("main.xml"));
  auto* list = skin->window.Find<ui::List>(L"list");
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 3; ++i) {
    std::unique_ptr<ui::Control> row = skin->window.BuildFromLayout("listitemex.xml");
    ASSERT_NE(row, nullptr);
    list->AddRow(std::move(row));
  }
  EXPECT_EQ(list->RowCount(), 3);
  auto* second = list->RowAt(1)->AsContainer();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->FindByName(L"label1")->Sizing().width, 80);
  EXPECT_EQ(skin->window.BuildFromLayout("nosuch.xml"), nullptr);

  skin->window.SetClientSize({200, 200});
  skin->window.Layout();
  EXPECT_EQ(ToString(list->RowAt(0)->GetRect()), "0,20,200,50");
  EXPECT_EQ(ToString(list->RowAt(2)->GetRect()), "0,80,200,110");
  list->RemoveAllRows();
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_NE(list->Header(), nullptr);
}

}  // namespace

namespace {

// Values no real layout holds must neither crash nor overflow the layout arithmetic.
TEST(LayoutBuilder, HostileValuesLayOutAndPaintSafely) {
  std::string deep;
  for (int i = 0; i < 200; ++i) deep += "<VerticalLayout inset=\"1,1,1,1\">";
  for (int i = 0; i < 200; ++i) deep += "</VerticalLayout>";
  const std::string markup = R"(<Window size="99999999999,-5"><HorizontalLayout>
      <Control width="2147483647" height="-2147483648" padding="999999999999,9,9,9"/>
      <Control minwidth="99999999999" maxwidth="-3"/>
      <Control float="1e300,-1e300,nan,4" pos="2147483647,2147483647,-2147483647,5"/>
      <Control float="0.5,x,1,1" pos="a,b,c"/>
      <HorizontalLayout autocalcwidth="true" childpadding="99999999999">
        <Control width="99999999999"/><Control width="99999999999"/><Control width="99999999999"/></HorizontalLayout>
      <VerticalLayout vscrollbar="true" inset="99999999999,0,0,0"><Control height="99999999999"/></VerticalLayout>
      <AnimationTabLayout selectedid="99999999999"><Control/></AnimationTabLayout>
      <Label text="x" font="99999999999" bkcolor="#zz" borderround="-5,-5" bordersize="99999999999" bordercolor="#FF000000"/>
      )" + deep + R"(</HorizontalLayout></Window>)";
  auto skin = MakeSkin({{"hostile.xml", markup}});
  ASSERT_TRUE(skin->window.Load("hostile.xml"));
  for (const int scale : {100, 800}) {
    skin->window.SetScale(scale);
    skin->window.SetClientSize({1000, 1000});
    skin->window.Layout();
    FakeGraphics g;
    skin->window.Paint(g, {0, 0, 1000, 1000});
    EXPECT_EQ(g.ClipDepth(), 0);
    skin->window.FindControlAt({500, 500});
  }
}

}  // namespace
