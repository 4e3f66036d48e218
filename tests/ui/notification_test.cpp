#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/label.h"
#include "ui/list.h"

namespace {

// The window's own handler: stops what it is told to stop, passes the rest on.
class WindowHandler : public ui::NotificationHandler {
 public:
  std::vector<std::wstring> seen;
  bool stopAll = false;
  bool HandleNotification(const ui::Notification& n) override {
    seen.push_back(n.type + L":" + n.sender->Name() + L"@" + n.virtualWnd);
    return stopAll;
  }
};

class Routing : public ::testing::Test {
 protected:
  void SetUp() override {
    skin_ = LayoutMarkup(R"(<Window><VerticalLayout>
        <HorizontalLayout name="appbar"><Button name="btnAbout" virtualwnd="mainpage"/></HorizontalLayout>
        <VerticalLayout name="page" virtualwnd="mainpage"><Button name="inherits"/></VerticalLayout>
        <Button name="btn_setup_next"/><Button name="orphan" virtualwnd="nobody"/>
        </VerticalLayout></Window>)",
                         100, 100);
    window().SetNotificationHandler(&handler_);
    window().OwnHandlers().On(L"click",
                              [this](const ui::Notification& n) { own_.push_back(n.sender->Name()); });
    page_.On(L"click", [this](const ui::Notification& n) { page_seen_.push_back(n.sender->Name()); });
    window().AddVirtualWnd(L"mainpage", &page_);
  }
  ui::WindowModel& window() { return skin_->window; }
  void Click(const wchar_t* name) { window().FindControl(name)->Activate(); }

  std::unique_ptr<TestSkin> skin_;
  WindowHandler handler_;
  ui::NotifyPump page_;
  std::vector<std::wstring> own_, page_seen_;
};

TEST_F(Routing, TheWindowsHandlerSeesEverythingFirst) {
  handler_.stopAll = true;
  Click(L"btnAbout");
  Click(L"btn_setup_next");
  EXPECT_EQ(handler_.seen, (std::vector<std::wstring>{L"click:btnAbout@mainpage", L"click:btn_setup_next@"}));
  EXPECT_TRUE(own_.empty());
  EXPECT_TRUE(page_seen_.empty());
}

TEST_F(Routing, PassedOnNotificationsGoToTheVirtualWindowOrTheOwnTable) {
  Click(L"btnAbout");
  Click(L"inherits");  // virtualwnd comes from the enclosing layout
  Click(L"btn_setup_next");
  Click(L"orphan");  // names no registered virtual window: the window's own table
  EXPECT_EQ(page_seen_, (std::vector<std::wstring>{L"btnAbout", L"inherits"}));
  EXPECT_EQ(own_, (std::vector<std::wstring>{L"btn_setup_next", L"orphan"}));
  EXPECT_EQ(handler_.seen.size(), 4u);

  // A type the target's table does not map ends there.
  window().FindControl(L"btnAbout")->Notify(L"selectchanged");
  EXPECT_EQ(page_seen_.size(), 2u);
  EXPECT_EQ(own_.size(), 2u);

  // After the virtual window goes, its senders fall back to the window's own table.
  window().RemoveVirtualWnd(L"mainpage");
  Click(L"btnAbout");
  EXPECT_EQ(own_.back(), L"btnAbout");
}

TEST_F(Routing, NotificationsCarryTheirParameters) {
  ui::Notification last;
  window().OwnHandlers().On(L"listitemchecked", [&last](const ui::Notification& n) { last = n; });
  ui::Control* sender = window().FindControl(L"btn_setup_next");
  sender->Notify(L"listitemchecked", 3, -1);
  EXPECT_EQ(last.sender, sender);
  EXPECT_EQ(last.wParam, 3u);
  EXPECT_EQ(last.lParam, -1);
  EXPECT_EQ(last.type, L"listitemchecked");
}

// A click handler that refills the list holding the clicked row: every later stage of the dispatch
// still reads the sender, and the row is gone once the dispatch is over.
TEST(DispatchTest, HandlersMayDestroyTheSenderAtEveryStage) {
  auto skin = LayoutMarkup(R"(<Window><VerticalLayout><ListEx name="ports" virtualwnd="page">
      <ListHeader height="20"/></ListEx></VerticalLayout></Window>)",
                           200, 200);
  ui::WindowModel& window = skin->window;
  auto* list = window.Find<ui::List>(L"ports");
  auto refill = [list] {
    list->RemoveAllRows();
    for (const wchar_t* name : {L"USB001", L"USB002"}) {
      auto row = std::make_unique<ui::ListTextElement>();
      row->SetName(name);
      list->AddRow(std::move(row));
    }
  };
  refill();

  struct Stage {
    const char* destroyer;  // which stage refills the list
    bool virtualWindow;     // the page is registered, so the table stage is the page's
  };
  for (const Stage& stage : {Stage{"handler", true}, Stage{"handler", false}, Stage{"table", true}}) {
    SCOPED_TRACE(std::string(stage.destroyer) + (stage.virtualWindow ? " page" : " own"));
    std::vector<std::wstring> seen;
    struct Handler : ui::NotificationHandler {
      std::function<void(const ui::Notification&)> run;
      bool HandleNotification(const ui::Notification& n) override {
        run(n);
        return false;
      }
    } handler;
    const bool handlerRefills = std::string(stage.destroyer) == "handler";
    handler.run = [&](const ui::Notification& n) {
      if (n.type != L"itemclick") return;
      seen.push_back(L"handler:" + n.sender->Name());
      if (handlerRefills) refill();
      seen.push_back(L"after:" + n.sender->Name());
    };
    window.SetNotificationHandler(&handler);
    ui::NotifyPump page;
    auto table = [&](const ui::Notification& n) {
      seen.push_back(L"table:" + n.sender->Name() + L"@" + n.sender->EffectiveVirtualWnd());
      if (!handlerRefills) refill();
    };
    page.On(L"itemclick", table);
    window.OwnHandlers().On(L"itemclick", table);
    if (stage.virtualWindow) {
      window.AddVirtualWnd(L"page", &page);
    } else {
      window.RemoveVirtualWnd(L"page");
    }

    ui::Control* clicked = list->RowAt(0);
    const std::weak_ptr<void> alive = clicked->Liveness();
    clicked->Activate();
    EXPECT_TRUE(alive.expired());  // freed once the dispatch ended
    // A detached sender no longer inherits the list's virtual window.
    const std::wstring where = handlerRefills ? L"@" : L"@page";
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"handler:USB001", L"after:USB001", L"table:USB001" + where}));
    EXPECT_EQ(list->RowCount(), 2);
    EXPECT_NE(list->RowAt(0), nullptr);
    window.SetNotificationHandler(nullptr);
  }
}

}  // namespace
