#include <gtest/gtest.h>

#include <functional>

#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"
#include "ui/edit.h"
#include "ui/gif_anim.h"
#include "ui/label.h"
#include "ui/list.h"

namespace {

// Records notifications as "type:sender" strings.
class Recorder : public ui::NotificationHandler {
 public:
  std::vector<std::wstring> seen;
  bool HandleNotification(const ui::Notification& n) override {
    seen.push_back(n.type + L":" + n.sender->Name());
    return true;
  }
};

TEST(Options, SelectingOneOfAGroupDeselectsTheOthers) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout>
      <Option name="a" group="radio" selected="true"/><Option name="b" group="radio"/>
      <Option name="c" group="other" selected="true"/><Option name="check"/></VerticalLayout></Window>)",
                           100, 100);
  Recorder recorder;
  skin->window.SetNotificationHandler(&recorder);
  auto* a = skin->window.Find<ui::Option>(L"a");
  auto* b = skin->window.Find<ui::Option>(L"b");
  auto* c = skin->window.Find<ui::Option>(L"c");
  auto* check = skin->window.Find<ui::Option>(L"check");

  b->Selected(true);
  EXPECT_FALSE(a->IsSelected());
  EXPECT_TRUE(b->IsSelected());
  EXPECT_TRUE(c->IsSelected());  // another group is untouched
  EXPECT_EQ(recorder.seen, (std::vector<std::wstring>{L"selectchanged:a", L"selectchanged:b"}));

  // Without notification, and no notification when nothing changes.
  recorder.seen.clear();
  a->Selected(true, false);
  a->Selected(true);
  EXPECT_FALSE(b->IsSelected());
  EXPECT_TRUE(recorder.seen.empty());

  // A click reports first, with the old state, then a grouped option selects itself and an
  // ungrouped one toggles.
  b->Activate();
  b->Activate();
  check->Activate();
  check->Activate();
  EXPECT_EQ(recorder.seen, (std::vector<std::wstring>{L"click:b", L"selectchanged:a", L"selectchanged:b",
                                                      L"click:b", L"click:check", L"selectchanged:check",
                                                      L"click:check", L"selectchanged:check"}));
  EXPECT_TRUE(b->IsSelected());
  EXPECT_FALSE(check->IsSelected());

  // Options made in code join their group when added, and leave it when destroyed.
  auto* root = skin->window.Root()->AsContainer();
  auto added = std::make_unique<ui::Option>();
  added->SetName(L"added");
  ui::Option* raw = static_cast<ui::Option*>(root->Add(std::move(added)));
  raw->SetAttribute("group", "radio");
  raw->SetAttribute("selected", "true");
  EXPECT_FALSE(b->IsSelected());
  EXPECT_EQ(skin->window.OptionGroup(L"radio").size(), 3u);
  root->Remove(raw);
  EXPECT_EQ(skin->window.OptionGroup(L"radio").size(), 2u);
  a->Selected(true);  // must not reach the removed option
  EXPECT_FALSE(b->IsSelected());
}

TEST(Options, HandlersMayDestroyTheSender) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout name="root"><Option name="a" group="g" selected="true"/>
      <Option name="b" group="g"/><Option name="c" group="g"/></VerticalLayout></Window>)",
                           10, 10);
  auto* root = skin->window.Find<ui::Container>(L"root");
  std::vector<std::wstring> seen;
  skin->window.OwnHandlers().On(L"click", [&](const ui::Notification& n) {
    seen.push_back(L"click:" + n.sender->Name());
    root->Remove(n.sender);
  });
  skin->window.OwnHandlers().On(L"selectchanged", [&](const ui::Notification& n) {
    seen.push_back(L"selectchanged:" + n.sender->Name());
    root->RemoveAll();  // everything goes while the group is being updated
  });
  skin->window.FindControl(L"c")->Activate();
  ASSERT_EQ(root->Count(), 2);
  skin->window.OwnHandlers().On(L"click", nullptr);
  skin->window.FindControl(L"b")->Activate();
  EXPECT_EQ(root->Count(), 0);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"click:c", L"selectchanged:a"}));
}

TEST(Options, DisabledOptionsIgnoreClicks) {
  auto skin = LayoutMarkup(
      R"(<Window><VerticalLayout><Option name="o" enabled="false"/></VerticalLayout></Window>)", 10, 10);
  Recorder recorder;
  skin->window.SetNotificationHandler(&recorder);
  skin->window.Find<ui::Option>(L"o")->Activate();
  EXPECT_FALSE(skin->window.Find<ui::Option>(L"o")->IsSelected());
  EXPECT_TRUE(recorder.seen.empty());
}

TEST(TabLayout, ShowsOnePageByIndex) {
  auto skin = LayoutMarkup(R"(<Window><AnimationTabLayout name="tabs" selectedid="1" inset="1,1,1,1">
      <VerticalLayout name="p0"/><VerticalLayout name="p1" visible="true"/><VerticalLayout name="p2"/>
      </AnimationTabLayout></Window>)",
                           100, 50);
  auto* tabs = skin->window.Find<ui::TabLayout>(L"tabs");
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->CurrentIndex(), 1);
  EXPECT_FALSE(skin->window.FindControl(L"p0")->IsVisible());
  EXPECT_TRUE(skin->window.FindControl(L"p1")->IsVisible());
  EXPECT_FALSE(skin->window.FindControl(L"p2")->IsVisible());
  EXPECT_EQ(ToString(RectOf(skin->window, L"p1")), "1,1,99,49");

  Recorder recorder;
  skin->window.SetNotificationHandler(&recorder);
  EXPECT_TRUE(tabs->SelectItem(2));
  EXPECT_FALSE(tabs->SelectItem(3));
  EXPECT_FALSE(tabs->SelectItem(-1));
  EXPECT_EQ(tabs->CurrentIndex(), 2);
  EXPECT_TRUE(skin->window.NeedsLayout());
  skin->window.Layout();
  EXPECT_EQ(ToString(RectOf(skin->window, L"p2")), "1,1,99,49");
  EXPECT_FALSE(skin->window.FindControl(L"p1")->IsVisible());
  EXPECT_EQ(recorder.seen, (std::vector<std::wstring>{L"tabselect:tabs"}));
}

TEST(GifAnim, StopReturnsToTheFirstFrame) {
  ui::GifAnim gif;
  gif.SetAttribute("autoplay", "false");
  gif.SetFrameCount(3);
  EXPECT_FALSE(gif.AdvanceFrame());  // not playing
  gif.Play();
  EXPECT_TRUE(gif.AdvanceFrame());
  EXPECT_TRUE(gif.AdvanceFrame());
  EXPECT_EQ(gif.CurrentFrame(), 2);
  EXPECT_TRUE(gif.AdvanceFrame());
  EXPECT_EQ(gif.CurrentFrame(), 0);  // wraps
  gif.AdvanceFrame();
  gif.Stop();
  EXPECT_FALSE(gif.IsPlaying());
  EXPECT_EQ(gif.CurrentFrame(), 0);
}

// The search page's spinner (autoplay) moves once shown; the busy animations (autoplay="false")
// wait for Play. Every paint names its frame, so a restart shows frame 0 again on the image that
// all animations of that file share.
TEST(GifAnim, AutoplayAndRestartsPaintTheFrameTheyShow) {
  struct Case {
    const char* autoplay;  // null: the attribute is left out
    bool playsAtOnce;
  };
  for (const Case& c : {Case{nullptr, true}, Case{"true", true}, Case{"false", false}}) {
    SCOPED_TRACE(c.autoplay != nullptr ? c.autoplay : "default");
    const std::string attribute =
        c.autoplay != nullptr ? std::string(" autoplay=\"") + c.autoplay + "\"" : "";
    auto skin = LayoutMarkup("<Window><VerticalLayout><GifAnim name=\"g\" bkimage=\"other/loading3.gif\"" +
                                 attribute + "/></VerticalLayout></Window>",
                             40, 40);
    auto* gif = skin->window.Find<ui::GifAnim>(L"g");
    gif->SetFrameCount(4);
    auto paintedFrame = [&] {
      FakeGraphics graphics;
      skin->window.Paint(graphics, {0, 0, 40, 40});
      const std::vector<DrawCall> images = graphics.Of(DrawCall::kImage);
      return images.empty() ? -2 : images.back().image.frame;
    };

    EXPECT_EQ(gif->IsPlaying(), c.playsAtOnce);
    EXPECT_EQ(gif->AdvanceFrame(), c.playsAtOnce);
    gif->Play();
    gif->AdvanceFrame();
    gif->AdvanceFrame();
    EXPECT_EQ(paintedFrame(), c.playsAtOnce ? 3 : 2);
    gif->Stop();
    EXPECT_EQ(paintedFrame(), 0);
    EXPECT_FALSE(gif->AdvanceFrame());
    gif->Play();  // from the first frame, not where it stood
    EXPECT_EQ(paintedFrame(), 0);
    EXPECT_TRUE(gif->AdvanceFrame());
    EXPECT_EQ(paintedFrame(), 1);
    gif->Play();  // already running: goes on
    EXPECT_EQ(gif->CurrentFrame(), 1);
  }
}

class FakeView : public ui::NativeView {
 public:
  std::vector<std::string>* log;
  explicit FakeView(std::vector<std::string>* l) : log(l) {}
  void SetBounds(const ui::Rect& rect, bool visible) override {
    log->push_back("bounds " + ToString(rect) + (visible ? " shown" : " hidden"));
  }
  void SetEnabled(bool enabled) override { log->push_back(enabled ? "enabled" : "disabled"); }
  void SetText(const std::wstring& text) override {
    log->push_back("text " + std::string(text.begin(), text.end()));
  }
  void Focus() override { log->push_back("focus"); }
  void SetSelectionFormat(const ui::CharFormat& f) override {
    log->push_back("format " + std::to_string(f.color));
  }
  void AppendText(const std::wstring& text) override {
    log->push_back("append " + std::string(text.begin(), text.end()));
  }
  void ScrollLinesDown(int lines) override { log->push_back("scroll " + std::to_string(lines)); }
  void BeginChanges() override { log->push_back("begin"); }
  void EndChanges() override { log->push_back("end"); }
};

// Keeps the rectangles a window asks its host to repaint.
class RepaintLog : public ui::WindowHost {
 public:
  std::vector<ui::Rect> rects;
  void Invalidate(const ui::Rect& rect) override { rects.push_back(rect); }
};

// What a change asks the host to repaint: a control shown or hidden its parent's area (never laid
// out, it has no rectangle; laid out, its siblings may move), so that the next frame lays it out
// and draws it; an edit's text its own rectangle, unless its native window draws the text.
TEST(Repaint, ChangesAskForTheAreaThatShowsThem) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout name="page"><Label name="title" height="20"/>
      <HorizontalLayout name="rows" height="40"><Button name="next" width="50" visible="false"/></HorizontalLayout>
      <Edit name="e" height="30"/></VerticalLayout></Window>)",
                           100, 100);
  RepaintLog host;
  skin->window.SetHost(&host);
  struct Case {
    const char* change;
    std::function<void()> make;
    std::vector<std::string> repainted;
  };
  auto* edit = skin->window.Find<ui::Edit>(L"e");
  std::vector<std::string> calls;
  const Case cases[] = {
      {"hidden from the start, then shown", [&] { skin->window.FindControl(L"next")->SetVisible(true); },
       {"0,20,100,60"}},
      {"shown, laid out, then hidden", [&] {
         skin->window.Layout();
         host.rects.clear();
         skin->window.FindControl(L"next")->SetVisible(false);
       },
       {"0,20,100,60"}},
      {"an edit's text drawn by the tree", [&] { edit->SetText(L"a"); }, {"0,60,100,90"}},
      {"an edit's text drawn by its native window", [&] {
         edit->AttachView(std::make_unique<FakeView>(&calls));
         host.rects.clear();
         edit->SetText(L"b");
       },
       {}},
  };
  for (const Case& c : cases) {
    host.rects.clear();
    c.make();
    std::vector<std::string> repainted;
    for (const ui::Rect& rect : host.rects) repainted.push_back(ToString(rect));
    EXPECT_EQ(repainted, c.repainted) << c.change;
  }
}

TEST(Edit, NativeViewsFollowLayoutAndHiddenAncestors) {
  auto skin = LayoutMarkup(R"(<Window><AnimationTabLayout name="tabs"><VerticalLayout name="p0">
      <Edit name="e" height="30" text="192.168.1.100"/></VerticalLayout><VerticalLayout name="p1"/></AnimationTabLayout></Window>)",
                           100, 100);
  auto* edit = skin->window.Find<ui::Edit>(L"e");
  ASSERT_NE(edit, nullptr);
  std::vector<std::string> log;
  edit->AttachView(std::make_unique<FakeView>(&log));
  EXPECT_EQ(log, (std::vector<std::string>{"text 192.168.1.100", "enabled", "bounds 0,0,100,30 shown"}));

  log.clear();
  skin->window.Find<ui::TabLayout>(L"tabs")->SelectItem(1);
  skin->window.Layout();
  EXPECT_EQ(log, (std::vector<std::string>{"bounds 0,0,100,30 hidden"}));

  // Typing arrives from the native window and becomes a "textchanged" notification.
  Recorder recorder;
  skin->window.SetNotificationHandler(&recorder);
  edit->OnNativeTextChanged(L"10.0.0.1");
  edit->OnNativeTextChanged(L"10.0.0.1");
  EXPECT_EQ(edit->Text(), L"10.0.0.1");
  EXPECT_EQ(recorder.seen, (std::vector<std::wstring>{L"textchanged:e"}));
}

// A plain edit's native window gets the box less the text padding at the display scale, and sits
// one line high in its middle; a rich edit gets its whole box.
TEST(Edit, NativeViewGetsTheTextAreaAtEveryScale) {
  const struct {
    int scale;
    const char* plain;
    const char* rich;
  } cases[] = {{100, "bounds 6,6,274,26 shown", "bounds 0,32,280,132 shown"},
               {125, "bounds 7,7,343,33 shown", "bounds 0,40,350,165 shown"},
               {150, "bounds 9,9,411,39 shown", "bounds 0,48,420,198 shown"}};
  for (const auto& c : cases) {
    auto skin =
        LayoutMarkup(R"(<Window><VerticalLayout><HorizontalLayout height="32"><Edit name="e" width="280"
        textpadding="6,6,6,6"/><Control/></HorizontalLayout><HorizontalLayout height="100"><RichEdit name="r" width="280"
        textpadding="8,6,4,6"/><Control/></HorizontalLayout></VerticalLayout></Window>)",
                     700, 500);
    skin->window.SetScale(c.scale);
    skin->window.SetClientSize({700 * c.scale / 100, 500 * c.scale / 100});
    skin->window.Layout();
    std::vector<std::string> plain, rich;
    skin->window.Find<ui::Edit>(L"e")->AttachView(std::make_unique<FakeView>(&plain));
    skin->window.Find<ui::Edit>(L"r")->AttachView(std::make_unique<FakeView>(&rich));
    EXPECT_EQ(plain.back(), c.plain) << c.scale;
    EXPECT_EQ(rich.back(), c.rich) << c.scale;
  }
  // A line taller than the area grows into the padding evenly.
  const std::pair<int, const char*> lines[] = {{14, "6,9,274,23"}, {20, "6,6,274,26"}, {24, "6,4,274,28"}};
  for (const auto& [height, rect] : lines)
    EXPECT_EQ(ToString(ui::CentredLine({6, 6, 274, 26}, height)), rect);
}

TEST(RichEdit, KeepsFormattedRunsOfAppendedText) {
  ui::RichEdit log;
  std::vector<std::string> calls;
  log.AttachView(std::make_unique<FakeView>(&calls));
  ui::CharFormat red, blue;
  red.color = 0xFFFF0000;
  blue.color = 0xFF0000FF;
  red.heightTwips = blue.heightTwips = 225;
  log.SetSelectionFormat(blue);
  log.AppendText(L"12:00:00.000 : ");
  log.AppendText(L"start\r\n");
  log.SetSelectionFormat(red);
  log.AppendText(L"failed\r\n");
  log.ScrollLineDown();
  ASSERT_EQ(log.Runs().size(), 2u);
  EXPECT_EQ(log.Runs()[0].text, L"12:00:00.000 : start\r\n");
  EXPECT_EQ(log.Runs()[0].format, blue);
  EXPECT_EQ(log.Runs()[1].format, red);
  EXPECT_EQ(log.Text(), L"12:00:00.000 : start\r\nfailed\r\n");
  EXPECT_EQ(log.ScrolledLines(), 1);

  // A view attached later (the host attaches hidden pages' edits after the first frame) shows the
  // same runs in their formats, scrolled as far.
  calls.clear();
  log.AttachView(std::make_unique<FakeView>(&calls));
  const std::string blueFormat = "format " + std::to_string(blue.color), redFormat = "format " + std::to_string(red.color);
  EXPECT_EQ(calls, (std::vector<std::string>{"text ", blueFormat, "append 12:00:00.000 : start\r\n", redFormat,
                                             "append failed\r\n", "scroll 1", "enabled", "bounds 0,0,0,0 shown"}));
  calls.clear();
  log.SetText(L"");
  EXPECT_TRUE(log.Runs().empty());
  EXPECT_EQ(log.Text(), L"");
  EXPECT_EQ(calls, (std::vector<std::string>{"begin", "text ", "end"}));

}

// Lines written between two frames reach the native view together at the next one: the text of one
// format in one piece, the scrolls last; the tree has them at once. A window that draws no frames
// hands each call on as it comes.
TEST(RichEdit, LinesReachTheViewTogetherAtTheNextFrame) {
  class Frames : public ui::WindowHost {
   public:
    bool draws = true;
    void Invalidate(const ui::Rect&) override {}
    bool RequestAnimationFrames() override { return draws; }
  } host;
  auto skin = LayoutMarkup(R"(<Window><RichEdit name="log"/></Window>)", 100, 100);
  skin->window.SetHost(&host);
  auto& log = *skin->window.Find<ui::RichEdit>(L"log");
  std::vector<std::string> calls;
  log.AttachView(std::make_unique<FakeView>(&calls));
  ui::CharFormat blue, red;
  blue.color = 0xFF0000FF;
  red.color = 0xFFFF0000;
  const auto writeLine = [&](const wchar_t* text, const ui::CharFormat& format) {
    log.SetSelectionFormat(format);
    log.AppendText(text);
    log.ScrollLineDown();
  };
  const std::string blueFormat = "format " + std::to_string(blue.color), redFormat = "format " + std::to_string(red.color);

  calls.clear();
  writeLine(L"one\r\n", blue);
  writeLine(L"two\r\n", blue);
  writeLine(L"three\r\n", red);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(log.Text(), L"one\r\ntwo\r\nthree\r\n");
  EXPECT_FALSE(log.ViewUpToDate());
  skin->window.AdvanceAnimations(15);
  EXPECT_EQ(calls, (std::vector<std::string>{"begin", blueFormat, "append one\r\ntwo\r\n", redFormat,
                                             "append three\r\n", "scroll 3", "end"}));
  EXPECT_TRUE(log.ViewUpToDate());
  EXPECT_FALSE(skin->window.IsAnimating());

  // Cleared before the frame: what was waiting is gone with the text, and the next line starts
  // over in its own format.
  calls.clear();
  writeLine(L"four\r\n", red);
  log.SetText(L"");
  writeLine(L"five\r\n", red);
  skin->window.AdvanceAnimations(15);
  EXPECT_EQ(calls, (std::vector<std::string>{"begin", "text ", redFormat, "append five\r\n", "scroll 1", "end"}));

  calls.clear();
  host.draws = false;
  log.AppendText(L"six\r\n");
  log.ScrollLineDown();
  EXPECT_EQ(calls, (std::vector<std::string>{"begin", "append six\r\n", "end", "begin", "scroll 1", "end"}));
}

const char* kListLayout = R"(<Window><VerticalLayout>
    <ListEx name="list" itemlinecolor="#FF888888"><ListHeader height="20"><ListContainerHeaderItem name="h0" width="40"/>
    <ListContainerHeaderItem name="h1"/></ListHeader></ListEx></VerticalLayout></Window>)";

TEST(List, RowSelectionChecksTheRowsOption) {
  auto skin =
      MakeSkin({{"main.xml", kListLayout}, {"listitemex.xml", R"(<ListContainerElement name="row" height="30">
                          <Option name="option_listext" width="20" mouse="false"/><Label name="label1"/></ListContainerElement>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  auto* list = skin->window.Find<ui::List>(L"list");
  for (int i = 0; i < 2; ++i) {
    ui::Control* row = list->AddRow(skin->window.BuildFromLayout("listitemex.xml"));
    static_cast<ui::Option*>(row->AsContainer()->FindByName(L"option_listext"))->SetGroup(L"list_group");
  }
  skin->window.SetClientSize({200, 200});
  skin->window.Layout();
  auto option = [&](int i) {
    return static_cast<ui::Option*>(list->RowAt(i)->AsContainer()->FindByName(L"option_listext"));
  };

  EXPECT_EQ(list->SelectedIndex(), -1);
  EXPECT_TRUE(list->SelectRow(0));
  EXPECT_TRUE(option(0)->IsSelected());
  EXPECT_FALSE(list->SelectRow(2));

  // A click on the row's option reaches the row (the option takes no mouse).
  Recorder recorder;
  skin->window.SetNotificationHandler(&recorder);
  const ui::Rect optionRect = option(1)->GetRect();
  const ui::Point inOption{optionRect.left + 2, optionRect.top + 2};
  EXPECT_EQ(skin->window.ClickTarget(inOption), list->RowAt(1));
  skin->window.OnMouseDown(inOption);
  skin->window.OnMouseUp(inOption);
  EXPECT_EQ(list->SelectedIndex(), 1);
  EXPECT_TRUE(option(1)->IsSelected());
  EXPECT_FALSE(option(0)->IsSelected());
  EXPECT_EQ(recorder.seen, (std::vector<std::wstring>{L"itemselect:list", L"itemclick:row"}));

  // A handler may empty the list while a row is being clicked.
  skin->window.SetNotificationHandler(nullptr);
  skin->window.OwnHandlers().On(L"itemselect", [list](const ui::Notification&) { list->RemoveAllRows(); });
  int clicks = 0;
  skin->window.OwnHandlers().On(L"itemclick", [&clicks](const ui::Notification&) { ++clicks; });
  list->RowAt(0)->Activate();
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_EQ(clicks, 0);
}

TEST(List, TooltipsOfRowLabels) {
  auto skin =
      MakeSkin({{"main.xml", kListLayout}, {"listitemex.xml", R"(<ListContainerElement name="row" height="30">
                          <Option name="option_listext" width="20" mouse="false"/><Label name="label1"/></ListContainerElement>)"}});
  ASSERT_TRUE(skin->window.Load("main.xml"));
  auto* list = skin->window.Find<ui::List>(L"list");
  list->AddRow(skin->window.BuildFromLayout("listitemex.xml"));
  skin->window.SetClientSize({200, 200});
  skin->window.Layout();
  const ui::Rect optionRect = list->RowAt(0)->AsContainer()->FindByName(L"option_listext")->GetRect();
  const ui::Point inOption{optionRect.left + 2, optionRect.top + 2};
  // The tooltip of a row's label shows over it, although the click goes to the row.
  auto* label = list->RowAt(0)->AsContainer()->FindByName(L"label1");
  label->SetTooltip(L"USB001");
  const ui::Rect labelRect = label->GetRect();
  EXPECT_EQ(skin->window.TooltipAt({labelRect.left + 1, labelRect.top + 1}), L"USB001");
  EXPECT_EQ(skin->window.TooltipAt(inOption), L"");
}

// The skin asks for the hand through a style; a container's cursor covers its children.
TEST(Window, CursorComesFromTheControlOrItsNearestAncestorThatNamesOne) {
  auto skin =
      LayoutMarkup(R"(<Window><Style name="option_style" value="cursor=&quot;HAND&quot;"/><VerticalLayout>
      <Option name="option" height="20" style="option_style"/>
      <Option name="disabled" height="20" style="option_style" enabled="false"/>
      <HorizontalLayout height="20" cursor="hand"><Label name="inside"/></HorizontalLayout>
      <Button name="plain" height="20"/>
      <HorizontalLayout height="20" cursor="hand"><Button name="own" cursor="arrow"/></HorizontalLayout>
      </VerticalLayout></Window>)",
                   100, 200);
  const struct {
    const wchar_t* name;
    ui::Cursor cursor;
  } cases[] = {{L"option", ui::Cursor::kHand},
               {L"disabled", ui::Cursor::kArrow},
               {L"inside", ui::Cursor::kHand},
               {L"plain", ui::Cursor::kArrow},
               {L"own", ui::Cursor::kArrow}};
  for (const auto& c : cases) {
    const ui::Rect r = RectOf(skin->window, c.name);
    EXPECT_EQ(skin->window.CursorAt({r.left + 2, r.top + 2}), c.cursor)
        << std::string(c.name, c.name + wcslen(c.name));
  }
  EXPECT_EQ(skin->window.CursorAt({50, 150}), ui::Cursor::kArrow);  // below every control
}

TEST(List, TextRowsReportCheckBoxClicksBeforeTheRowClick) {
  auto skin = LayoutMarkup(kListLayout, 200, 200);
  auto* list = skin->window.Find<ui::List>(L"list");
  auto row = std::make_unique<ui::ListTextElement>();
  row->SetName(L"listex_delete_printer_item");
  ui::Control* added = list->AddRow(std::move(row));
  added->ApplyAttributeList(R"(height="30" checkboxwidth="16" checkboxheight="16")");
  auto* text = static_cast<ui::ListTextElement*>(added);
  text->SetColumnText(1, L"Shop label");
  skin->window.Layout();
  EXPECT_EQ(ToString(text->GetRect()), "0,20,200,50");
  EXPECT_EQ(ToString(text->CheckBoxRect()), "4,27,20,43");

  std::vector<std::pair<std::wstring, intptr_t>> seen;
  ui::NotifyPump& own = skin->window.OwnHandlers();
  for (const wchar_t* type : {L"listitemchecked", L"itemclick"}) {
    own.On(type, [&seen](const ui::Notification& n) { seen.emplace_back(n.type, n.lParam); });
  }
  skin->window.OnMouseDown({10, 35});
  skin->window.OnMouseUp({10, 35});
  EXPECT_TRUE(text->IsChecked());
  skin->window.OnMouseDown({100, 35});  // beside the box: only the row click
  skin->window.OnMouseUp({100, 35});
  EXPECT_TRUE(text->IsChecked());
  EXPECT_EQ(seen, (std::vector<std::pair<std::wstring, intptr_t>>{
                      {L"listitemchecked", 1}, {L"itemclick", 0}, {L"itemclick", 0}}));
  EXPECT_EQ(text->ColumnText(1), L"Shop label");
  EXPECT_EQ(text->ColumnText(5), L"");
}

TEST(MouseInput, HoverPressAndClickFollowTheButtonUnderThePointer) {
  auto skin =
      LayoutMarkup(R"(<Window><HorizontalLayout><Button name="a" width="50"/><Button name="b" width="50"/>
      <Label name="plain"/></HorizontalLayout></Window>)",
                   200, 20);
  Recorder recorder;
  skin->window.SetNotificationHandler(&recorder);
  auto* a = skin->window.FindControl(L"a");
  skin->window.OnMouseMove({10, 10});
  EXPECT_EQ(skin->window.HotControl(), a);
  EXPECT_TRUE(a->State() & ui::kStateHot);
  skin->window.OnMouseDown({10, 10});
  EXPECT_TRUE(a->State() & ui::kStatePushed);
  skin->window.OnMouseUp({60, 10});  // released over another button: no click
  EXPECT_FALSE(a->State() & ui::kStatePushed);
  skin->window.OnMouseDown({10, 10});
  skin->window.OnMouseUp({12, 12});
  skin->window.OnMouseDown({150, 10});  // a label takes no click
  skin->window.OnMouseUp({150, 10});
  skin->window.OnMouseLeave();
  EXPECT_FALSE(a->State() & ui::kStateHot);
  EXPECT_EQ(recorder.seen, (std::vector<std::wstring>{L"click:a"}));
}

TEST(MouseInput, ScrollBarsDragAndPage) {
  auto skin =
      LayoutMarkup(R"(<Window><VerticalLayout name="v" vscrollbar="true"><Button name="a" height="20"/>
      <Control height="20"/><Control height="20"/><Control height="20"/></VerticalLayout></Window>)",
                   100, 50);
  auto* box = skin->window.Find<ui::Container>(L"v");
  EXPECT_EQ(ToString(box->ScrollThumbRect()), "92,0,100,31");
  skin->window.OnMouseDown({96, 45});  // below the thumb: a page down, held at the end
  skin->window.OnMouseUp({96, 45});
  EXPECT_EQ(box->ScrollPos(), 30);
  EXPECT_EQ(ToString(box->ScrollThumbRect()), "92,19,100,50");

  skin->window.OnMouseDown({96, 30});  // on the thumb: dragging follows the pointer
  skin->window.OnMouseMove({96, 21});
  EXPECT_EQ(box->ScrollPos(), 16);  // 9 of 19 movable pixels back is 14 of 30
  skin->window.OnMouseMove({96, 0});
  EXPECT_EQ(box->ScrollPos(), 0);
  EXPECT_EQ(ToString(RectOf(skin->window, L"a")), "0,0,92,20");
  skin->window.OnMouseUp({96, 0});
  skin->window.OnMouseMove({96, 40});  // released: no more dragging
  EXPECT_EQ(box->ScrollPos(), 0);
}

}  // namespace
