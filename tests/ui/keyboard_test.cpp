// The keyboard on a window model: tab stops in reading order, keys that give the notifications of
// the clicks they stand for, and the focus ring that only a keyboard user sees.
#include <gtest/gtest.h>

#include <functional>

#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/list.h"

namespace {

using ui::Key;
using Strings = std::vector<std::wstring>;

const char kWindow[] = R"(<Window><VerticalLayout>
  <HorizontalLayout name="caption" height="30">
    <HorizontalLayout float="1,0,1,0" pos="-60,0,0,30"><Button name="closebtn" width="30"/></HorizontalLayout>
  </HorizontalLayout>
  <VerticalLayout height="100">
    <Option name="kind_a" group="kind" height="20"/><Option name="kind_b" group="kind" height="20" selected="true"/>
    <Option name="kind_c" group="kind" height="20" enabled="false"/><Option name="kind_d" group="kind" height="20"/>
    <Option name="check" height="20"/>
  </VerticalLayout>
  <Edit name="edit" height="30"/>
  <Button name="hidden" height="20" visible="false"/><Button name="disabled" height="20" enabled="false"/>
  <Label name="label" text="not a stop" height="20"/><Button name="mouseless" height="20" mouse="false"/>
  <ListEx name="rows" height="80"><ListHeader height="20"><ListContainerHeaderItem>
    <Option name="header_check" width="16"/></ListContainerHeaderItem></ListHeader></ListEx>
  <ListEx name="marks" height="80"><ListHeader height="20"><ListContainerHeaderItem/></ListHeader></ListEx>
  <HorizontalLayout name="buttons" height="30"><Button name="back"/><Button name="next"/></HorizontalLayout>
</VerticalLayout></Window>)";

// Records every notification as "type:sender".
class Recorder : public ui::NotificationHandler {
 public:
  Strings seen;
  bool HandleNotification(const ui::Notification& n) override {
    seen.push_back(n.type + L":" + n.sender->Name());
    return true;
  }
};

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }
  void Open() {
    skin_ = LayoutMarkup(kWindow, 300, 600);
    window().SetNotificationHandler(&recorder_);
    auto* rows = window().Find<ui::List>(L"rows");
    for (int i = 0; i < 6; ++i) {
      auto row = std::make_unique<ui::ListElement>();
      row->SetName(L"row" + std::to_wstring(i));
      row->SetFixedHeight(20);
      rows->AddRow(std::move(row));
    }
    auto* marks = window().Find<ui::List>(L"marks");
    for (int i = 0; i < 3; ++i) {
      auto row = std::make_unique<ui::ListTextElement>();
      row->SetName(L"mark" + std::to_wstring(i));
      row->SetFixedHeight(20);
      row->SetAttribute("checkboxwidth", "16");
      row->SetAttribute("checkboxheight", "16");
      marks->AddRow(std::move(row));
    }
    window().SetDefaultButton(window().FindControl(L"next"));
    window().SetCancelButton(window().FindControl(L"closebtn"));
    window().Layout();
    recorder_.seen.clear();
  }
  ui::WindowModel& window() { return skin_->window; }
  ui::Control* Find(const wchar_t* name) { return window().FindControl(name); }
  std::wstring Focused() { return window().FocusedControl() ? window().FocusedControl()->Name() : L"(none)"; }
  Strings Order() {
    Strings names;
    for (ui::Control* control : window().FocusOrder()) names.push_back(control->Name());
    return names;
  }
  // A click as the mouse gives it: press and release at the control's centre.
  void Click(const wchar_t* name) {
    const ui::Rect r = Find(name)->GetRect();
    const ui::Point centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    window().OnMouseDown(centre);
    window().OnMouseUp(centre);
  }

  std::unique_ptr<TestSkin> skin_;
  Recorder recorder_;
};

TEST_F(Keyboard, TabVisitsTheStopsInReadingOrderAndWraps) {
  // One stop for the group (its selected option), one for each list (its first row while none is
  // selected); hidden, disabled and mouseless controls, labels and header parts are no stops; the
  // floating caption button comes after the flow.
  const Strings expected{L"kind_b", L"check", L"edit", L"row0", L"mark0", L"back", L"next", L"closebtn"};
  EXPECT_EQ(Order(), expected);
  Strings visited;
  for (size_t i = 0; i < expected.size() + 1; ++i) {
    EXPECT_TRUE(window().OnKeyDown(Key::kTab));
    visited.push_back(Focused());
  }
  Strings wrapped = expected;
  wrapped.push_back(expected.front());
  EXPECT_EQ(visited, wrapped);

  // Shift+Tab goes back; from nothing it starts at the last stop.
  window().SetFocus(nullptr);
  Strings back;
  for (int i = 0; i < 3; ++i) {
    window().OnKeyDown(Key::kTab, true);
    back.push_back(Focused());
  }
  EXPECT_EQ(back, (Strings{L"closebtn", L"next", L"back"}));

  // A selected row is its list's stop; a page change that hides the focus starts again at the top.
  window().Find<ui::List>(L"rows")->SelectRow(4);
  EXPECT_EQ(Order()[3], L"row4");
  window().SetFocus(Find(L"check"));
  Find(L"check")->SetVisible(false);
  EXPECT_TRUE(window().OnKeyDown(Key::kSpace) == false);  // nothing focused to press
  EXPECT_TRUE(window().OnKeyDown(Key::kTab));
  EXPECT_EQ(Focused(), L"kind_b");
  EXPECT_FALSE(window().SetFocus(Find(L"hidden")));
  EXPECT_FALSE(window().SetFocus(Find(L"header_check")));
  EXPECT_FALSE(window().SetFocus(Find(L"label")));
}

// Each key against the click it stands for, on fresh windows: the same notifications, in order.
TEST_F(Keyboard, KeysGiveTheNotificationsOfTheClicksTheyStandFor) {
  struct Case {
    const char* what;
    const wchar_t* focus;
    Key key;
    const wchar_t* clicked;  // the control whose mouse click must give the same
  };
  const Case cases[] = {
      {"space on a button", L"back", Key::kSpace, L"back"},
      {"enter on a button", L"back", Key::kEnter, L"back"},
      {"space on a check box", L"check", Key::kSpace, L"check"},
      {"enter presses the default button", L"check", Key::kEnter, L"next"},
      {"enter from an edit", L"edit", Key::kEnter, L"next"},
      {"escape presses the cancel button", L"edit", Key::kEscape, L"closebtn"},
      {"down in a group skips the disabled option", L"kind_b", Key::kDown, L"kind_d"},
      {"right in a group", L"kind_a", Key::kRight, L"kind_b"},
      {"up in a group wraps", L"kind_a", Key::kUp, L"kind_d"},
      {"down in a list", L"row0", Key::kDown, L"row1"},
      {"home in a list", L"row2", Key::kHome, L"row0"},
      {"space on a row", L"row2", Key::kSpace, L"row2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Open();
    Click(c.clicked);
    const Strings byMouse = recorder_.seen;
    ASSERT_FALSE(byMouse.empty());
    Open();
    ASSERT_TRUE(window().SetFocus(Find(c.focus)));
    EXPECT_TRUE(window().OnKeyDown(c.key));
    EXPECT_EQ(recorder_.seen, byMouse);
  }
}

TEST_F(Keyboard, RowsWithCheckBoxesMoveWithoutMarkingAndSpaceMarksAsTheBoxDoes) {
  auto* marks = window().Find<ui::List>(L"marks");
  auto* first = static_cast<ui::ListTextElement*>(marks->RowAt(0));
  // A click on the box flips the mark and selects the row.
  const ui::Rect box = static_cast<ui::ListTextElement*>(marks->RowAt(1))->CheckBoxRect();
  window().OnMouseDown({box.left + 2, box.top + 2});
  window().OnMouseUp({box.left + 2, box.top + 2});
  const Strings byMouse = recorder_.seen;
  EXPECT_EQ(byMouse, (Strings{L"listitemchecked:mark1", L"itemselect:marks", L"itemclick:mark1"}));

  Open();
  marks = window().Find<ui::List>(L"marks");
  first = static_cast<ui::ListTextElement*>(marks->RowAt(0));
  window().SetFocus(first);
  window().OnKeyDown(Key::kDown);  // a click on the row would flip its mark: the key only selects
  EXPECT_EQ(recorder_.seen, (Strings{L"itemselect:marks"}));
  EXPECT_EQ(Focused(), L"mark1");
  recorder_.seen.clear();
  window().OnKeyDown(Key::kSpace);  // the row is selected already: no "itemselect" again
  EXPECT_EQ(recorder_.seen, (Strings{L"listitemchecked:mark1", L"itemclick:mark1"}));
  EXPECT_TRUE(static_cast<ui::ListTextElement*>(marks->RowAt(1))->IsChecked());
  EXPECT_FALSE(first->IsChecked());
}

TEST_F(Keyboard, EnterPressesTheFocusedControlWhenTheDefaultButtonIsHiddenOrDisabled) {
  for (bool hide : {true, false}) {
    Open();
    if (hide) {
      Find(L"next")->SetVisible(false);
    } else {
      Find(L"next")->SetEnabled(false);
    }
    window().SetFocus(Find(L"check"));
    EXPECT_TRUE(window().OnKeyDown(Key::kEnter));
    EXPECT_EQ(recorder_.seen, (Strings{L"click:check", L"selectchanged:check"}));
    // Nothing to press: the key is left to the host.
    window().SetFocus(Find(L"edit"));
    recorder_.seen.clear();
    EXPECT_FALSE(window().OnKeyDown(Key::kEnter));
    EXPECT_FALSE(window().OnKeyDown(Key::kLeft));
    EXPECT_TRUE(recorder_.seen.empty());
  }
  // A closed popup's button that is gone presses nothing.
  Find(L"closebtn")->SetVisible(false);
  EXPECT_FALSE(window().OnKeyDown(Key::kEscape));
}

TEST_F(Keyboard, ArrowsScrollTheFocusedRowIntoView) {
  auto* rows = window().Find<ui::List>(L"rows");
  ASSERT_GT(rows->ScrollRange(), 0);  // 6 rows of 20 under a 20-pixel header in 80
  window().SetFocus(rows->RowAt(0));
  window().OnKeyDown(Key::kEnd);
  const ui::Rect view = rows->ScrollTrackRect();
  EXPECT_EQ(rows->RowAt(5)->GetRect().bottom, view.bottom);
  window().OnKeyDown(Key::kHome);
  EXPECT_EQ(rows->RowAt(0)->GetRect().top, view.top);
  EXPECT_EQ(rows->ScrollPos(), 0);
}

// The ring of the focused control: drawn only once a key was used, around the control (inside a
// row), clipped to a scrolled list's view.
TEST_F(Keyboard, FocusRingShowsToKeyboardUsersOnly) {
  const auto ringCalls = [this] {
    FakeGraphics g;
    window().Paint(g, {0, 0, 300, 600});
    std::vector<DrawCall> rings;
    for (const DrawCall& call : g.Of(DrawCall::kBorder)) {
      if (call.color == 0xFF000000) rings.push_back(call);
    }
    return rings;
  };
  Click(L"back");  // the mouse moves the focus but shows no ring
  EXPECT_EQ(Focused(), L"back");
  EXPECT_TRUE(ringCalls().empty());
  EXPECT_FALSE(window().ShowsFocusRing());

  window().OnKeyDown(Key::kTab);
  EXPECT_EQ(Focused(), L"next");
  std::vector<DrawCall> rings = ringCalls();
  ASSERT_EQ(rings.size(), 1u);
  const ui::Rect next = Find(L"next")->GetRect();
  // Three pixels out, within the window.
  EXPECT_EQ(ToString(rings[0].rect),
            ToString({next.left - 3, next.top - 3, std::min(300, next.right + 3), next.bottom + 3}));
  EXPECT_EQ(rings[0].width, 2);

  auto* rows = window().Find<ui::List>(L"rows");
  window().SetFocus(rows->RowAt(1));
  rings = ringCalls();
  ASSERT_EQ(rings.size(), 1u);
  const ui::Rect row = rows->RowAt(1)->GetRect();
  EXPECT_EQ(ToString(rings[0].rect), ToString({row.left + 1, row.top + 1, row.right - 1, row.bottom - 1}));

  // A focused row that is removed takes the focus and the ring with it.
  rows->RemoveAllRows();
  EXPECT_EQ(window().FocusedControl(), nullptr);
  EXPECT_TRUE(ringCalls().empty());
}

}  // namespace
