// The package's own layouts through the framework: main.xml with its includes at 700 x 500.
#include <gtest/gtest.h>

#include <random>

#include "tests/fakes/fake_graphics.h"
#include "tests/test_paths.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/shared_layout_data.h"

namespace {

class SkinLayouts : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::SharedLayoutData::Instance().Clear();
    zip_ = PackedSkin();
    ASSERT_TRUE(resources_.AttachArchive(zip_.data(), zip_.size()));
    ASSERT_TRUE(resources_.LoadResourceMap("res.xml"));
    ASSERT_TRUE(resources_.LoadLanguage("lan_en.xml"));
    main_.SetTextMetrics(&metrics_);
    ASSERT_TRUE(main_.Load("XML_MAIN"));
    main_.Layout();
  }
  void TearDown() override { ui::SharedLayoutData::Instance().Clear(); }

  std::vector<uint8_t> zip_;
  ui::Resources resources_;
  FakeGraphics metrics_;  // 7 pixels a character at the default size 14
  ui::WindowModel main_{resources_};
};

TEST_F(SkinLayouts, MainWindowAt700By500) {
  EXPECT_EQ(main_.ClientSize(), (ui::Size{700, 500}));
  const std::pair<const wchar_t*, const char*> expected[] = {
      {L"root", "0,0,700,500"},
      {L"appbar", "0,0,700,30"},
      {L"title_lb", "0,0,700,30"},
      {L"sysbtn_box", "560,0,700,34"},  // floats at the top right
      {L"btnLan", "570,0,600,30"},
      {L"btnAbout", "602,0,632,30"},
      {L"minbtn", "634,0,664,30"},
      {L"closebtn", "666,0,696,30"},
      {L"body", "0,30,700,455"},
      {L"tab_switch", "0,30,700,454"},
      {L"tab_panel_index", "0,30,700,454"},
      {L"option_install", "230,209,470,225"},  // a 240 x 84 box centred in the page
      {L"option_delete", "230,259,470,275"},
      {L"btn_bar", "0,455,700,500"},
      {L"hor_btn_h2", "0,455,700,500"},
      {L"btn_setup_previous", "266,462,396,492"},  // at least 130 wide, packed to the right
      {L"btn_setup_next", "408,462,538,492"},
  };
  for (const auto& [name, rect] : expected) {
    EXPECT_EQ(ToString(RectOf(main_, name)), rect) << std::string(name, name + wcslen(name));
  }
}

TEST_F(SkinLayouts, MainWindowControlsTheProgramFinds) {
  const std::pair<const wchar_t*, ui::ControlKind> expected[] = {
      {L"title_lb", ui::ControlKind::kLabel},
      {L"tab_switch", ui::ControlKind::kTabLayout},
      {L"tab_switch_install", ui::ControlKind::kTabLayout},
      {L"tab_switch_delete", ui::ControlKind::kTabLayout},
      {L"btn_setup_previous", ui::ControlKind::kButton},
      {L"btn_setup_next", ui::ControlKind::kButton},
      {L"option_delete", ui::ControlKind::kOption},
      {L"closebtn", ui::ControlKind::kFadeButton},
      {L"wordedit_installInfo", ui::ControlKind::kRichEdit},
      {L"wordedit_deleteInfo_start", ui::ControlKind::kRichEdit},
      {L"ani_gif_install", ui::ControlKind::kGifAnim},
      {L"ani_gif_delete", ui::ControlKind::kGifAnim},
      {L"hor_btn_h1", ui::ControlKind::kHorizontalLayout},
      {L"hor_btn_h2", ui::ControlKind::kHorizontalLayout},
      {L"label_show_printername_info", ui::ControlKind::kLabel},
      {L"hor_bluetooth_adapter", ui::ControlKind::kHorizontalLayout},
      {L"listex_install_show_usb", ui::ControlKind::kList},
  };
  for (const auto& [name, kind] : expected) {
    const ui::Control* control = main_.FindControl(name);
    ASSERT_NE(control, nullptr) << std::string(name, name + wcslen(name));
    EXPECT_EQ(control->Kind(), kind) << std::string(name, name + wcslen(name));
  }
  EXPECT_EQ(main_.OptionGroup(L"radio").size(), 2u);
  EXPECT_EQ(main_.OptionGroup(L"portList").size(), 6u);
  EXPECT_TRUE(main_.Find<ui::Option>(L"option_install")->IsSelected());

  // The closing button's tooltip and the index option's text come from the language file.
  EXPECT_EQ(main_.FindControl(L"closebtn")->DisplayTooltip(), L"Close");
  FakeGraphics g;
  main_.Paint(g, {0, 0, 700, 500});
  EXPECT_NE(g.FindText(L"Install printer driver"), nullptr);
  EXPECT_NE(g.FindText(L"Next"), nullptr);
  EXPECT_EQ(g.FindText(L"Home"), nullptr);  // the finish bar is hidden
}

TEST_F(SkinLayouts, RowTemplatesAndPopupsBuildFromThePackage) {
  auto* list = main_.Find<ui::List>(L"listex_install_show_usb");
  ASSERT_NE(list, nullptr);
  ui::Control* row = list->AddRow(main_.BuildFromLayout("listitemex.xml"));
  ASSERT_NE(row, nullptr);
  ASSERT_NE(row->AsContainer(), nullptr);
  EXPECT_NE(row->AsContainer()->FindByName(L"label1"), nullptr);
  EXPECT_NE(row->AsContainer()->FindByName(L"option_listext"), nullptr);
  EXPECT_NE(main_.BuildFromLayout("listitemex_blue.xml"), nullptr);

  for (const char* popup : {"pop_about.xml", "pop_language.xml", "pop_add_port.xml"}) {
    ui::WindowModel window(resources_);
    EXPECT_TRUE(window.Load(popup)) << popup;
    EXPECT_NE(window.FindControl(L"closebtn"), nullptr) << popup;
    ui::ImageDraw shadow;
    EXPECT_TRUE(window.ShadowImage({430, 150}, shadow)) << popup;
  }
}

// Each text of a row stands under its heading: a template row's n-th child, shown alone, spans the
// header's n-th column; a text row draws column n there. At 100 % and 150 %.
TEST_F(SkinLayouts, ListRowsLayTheirCellsInTheHeaderColumns) {
  const std::pair<const wchar_t*, const char*> templateLists[] = {
      {L"listex_install_show_usb", "listitemex.xml"},
      {L"listex_install_show_blue", "listitemex_blue.xml"},
      {L"listex_install_driver_moudel", "listitemex.xml"},
      {L"listex_install_driver_port", "listitemex.xml"},
  };
  const wchar_t* const textLists[] = {L"listex_delete_printer", L"listex_delete_driver"};
  const auto showPage = [&](ui::Control* control) {
    for (ui::Control* page = control; page->Parent() != nullptr; page = page->Parent()) {
      if (auto* tabs = dynamic_cast<ui::TabLayout*>(page->Parent())) {
        tabs->SelectItem(page);
        tabs->FinishAnimation();
      }
    }
  };
  for (const int scale : {100, 150}) {
    main_.SetScale(scale);
    for (const auto& [name, rowTemplate] : templateLists) {
      auto* list = main_.Find<ui::List>(name);
      ASSERT_NE(list, nullptr);
      showPage(list);
      const int columns = list->Header()->Count();
      ASSERT_GE(columns, 3) << rowTemplate;
      for (int shown = 1; shown < columns; ++shown) {
        list->RemoveAllRows();
        ui::Container* row = list->AddRow(main_.BuildFromLayout(rowTemplate))->AsContainer();
        if (shown >= row->Count()) continue;
        ui::Control* cell = row->ItemAt(shown);
        cell->SetVisible(true);
        if (ui::Control* label = cell->FindByName(L"label1")) label->SetVisible(true);
        main_.Layout();
        const ui::Rect header = list->Header()->ItemAt(shown)->GetRect();
        EXPECT_EQ(cell->GetRect().left, header.left) << scale << " " << rowTemplate << " column " << shown;
        EXPECT_EQ(cell->GetRect().right, header.right) << scale << " " << rowTemplate << " column " << shown;
        EXPECT_EQ(row->ItemAt(0)->GetRect().left, list->Header()->ItemAt(0)->GetRect().left);
      }
    }
    for (const wchar_t* name : textLists) {
      auto* list = main_.Find<ui::List>(name);
      ASSERT_NE(list, nullptr);
      showPage(list);
      list->RemoveAllRows();
      auto* row = static_cast<ui::ListTextElement*>(list->AddRow(std::make_unique<ui::ListTextElement>()));
      row->SetFixedHeight(30);
      row->SetColumnText(1, L"Shop label");
      main_.Layout();
      FakeGraphics g;
      main_.Paint(g, {0, 0, 700 * scale / 100, 500 * scale / 100});
      const DrawCall* text = g.FindText(L"Shop label");
      ASSERT_NE(text, nullptr);
      EXPECT_EQ(text->rect.left, list->Header()->ItemAt(1)->GetRect().left) << scale;
    }
  }
}

TEST_F(SkinLayouts, ShadowFramesTheWindowAtEveryScale) {
  const struct {
    int scale;
    const char* path;
    int margin;
    int corner;
  } cases[] = {{100, "main/shadow.png", 6, 8},
               {125, "main/shadow@125.png", 7, 10},
               {150, "main/shadow@150.png", 9, 12}};
  for (const auto& c : cases) {
    main_.SetScale(c.scale);
    ui::ImageDraw shadow;
    ASSERT_TRUE(main_.ShadowImage({700, 500}, shadow)) << c.scale;
    EXPECT_EQ(shadow.path, c.path);
    EXPECT_EQ(main_.ShadowMargin(), c.margin);
    EXPECT_EQ(ToString(shadow.dest), ToString({0, 0, 700 + 2 * c.margin, 500 + 2 * c.margin}));
    EXPECT_EQ(shadow.corner.left, c.corner);
    EXPECT_EQ(shadow.corner.bottom, c.corner);
    EXPECT_NE(resources_.Archive().Find(shadow.path), nullptr) << shadow.path;
  }
  // A layout that asks for none, or names no image, gets none.
  for (const char* markup :
       {R"(<Window><Control/></Window>)", R"(<Window showshadow="true" shadowsize="6"><Control/></Window>)",
        R"(<Window showshadow="false" shadowimage="main/shadow.png" shadowsize="6"><Control/></Window>)"}) {
    ui::WindowModel window(resources_);
    ASSERT_TRUE(window.Load(markup));
    ui::ImageDraw shadow;
    EXPECT_FALSE(window.ShadowImage({100, 100}, shadow)) << markup;
  }
}

}  // namespace

namespace {

// Damaged copies of main.xml (bytes cut, repeated or replaced) either fail to load or give a tree
// that lays out, paints and takes clicks; the sanitizers watch for the rest.
TEST_F(SkinLayouts, DamagedMainLayoutsFailOrWorkSafely) {
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(resources_.ReadFile("main.xml", bytes));
  const std::string original(bytes.begin(), bytes.end());
  const size_t start = original.find('<', original.find("?>"));  // past the declaration
  std::mt19937 random(20261209);
  const char kInteresting[] = "<>/=\"'9-,&#x ";
  int loaded = 0;
  for (int round = 0; round < 200; ++round) {
    std::string text = original.substr(start);
    for (int edit = 0; edit < 3; ++edit) {
      const size_t at = random() % text.size();
      const size_t length = 1 + random() % 40;
      switch (random() % 3) {
        case 0:
          text.erase(at, length);
          break;
        case 1:
          text.insert(at, text.substr(at, length));
          break;
        default:
          text[at] = kInteresting[random() % (sizeof(kInteresting) - 1)];
      }
      if (text.empty()) text = "<";
    }
    if (text.front() != '<') text.insert(0, "<");
    ui::WindowModel window(resources_);
    if (!window.Load(text)) continue;
    ++loaded;
    window.SetClientSize({700, 500});
    window.Layout();
    FakeGraphics g;
    window.Paint(g, {0, 0, 700, 500});
    EXPECT_EQ(g.ClipDepth(), 0);
    for (const ui::Point p : {ui::Point{350, 250}, ui::Point{680, 15}, ui::Point{500, 480}}) {
      window.OnMouseDown(p);
      window.OnMouseUp(p);
    }
  }
  EXPECT_GT(loaded, 0);  // some damage (inside attribute values, say) still loads
}

}  // namespace
