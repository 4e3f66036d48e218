// The add-port popup on its real layout with the fake spooler.
#include "printsys/add_port_popup.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_spooler.h"
#include "tests/test_paths.h"
#include "ui/list.h"

namespace {

class PopupHandler : public ui::NotificationHandler {
 public:
  explicit PopupHandler(AddPortPopupLogic& logic) : logic_(logic) {}
  bool HandleNotification(const ui::Notification& notification) override {
    logic_.OnNotification(notification);
    return false;
  }

 private:
  AddPortPopupLogic& logic_;
};

TEST(AddPortPopup, ListsFourMonitorsAndAddsThroughTheLastRowChosen) {
  const std::vector<uint8_t> skin = PackedSkin();
  ui::Resources resources;
  ASSERT_TRUE(resources.AttachArchive(skin.data(), skin.size()));
  ui::WindowModel model{resources};
  ASSERT_TRUE(model.Load("pop_add_port.xml"));
  FakeSystemInfo system;
  FakeSpooler spooler{system};
  spooler.portAddedByDialog[L"Local Port"] = L"C:\\out.prn";
  AddPortPopupLogic logic{model, spooler};
  PopupHandler handler{logic};
  model.SetNotificationHandler(&handler);
  logic.Initialise();

  auto* list = model.Find<ui::List>(L"listex_addport_type");
  ASSERT_EQ(list->RowCount(), 4);
  const wchar_t* monitors[] = {L"WSD Port", L"Standard TCP/IP Port", L"Local Port", L"Appmon"};
  for (int i = 0; i < 4; ++i) {
    auto* row = dynamic_cast<ui::ListTextElement*>(list->RowAt(i));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->ColumnText(0), std::to_wstring(i + 1));
    EXPECT_EQ(row->ColumnText(1), monitors[i]);
    EXPECT_EQ(row->Sizing().height, 30);
  }

  int popup = 0;
  // Add before any choice: the spooler refuses the empty monitor and the popup stays.
  EXPECT_FALSE(logic.OnClick(*model.FindControl(L"btn_port_add"), &popup));
  list->RowAt(0)->Activate();
  list->RowAt(2)->Activate();
  EXPECT_EQ(logic.SelectedMonitor(), L"Local Port");
  EXPECT_FALSE(logic.OnClick(*model.FindControl(L"btn_port_add"), &popup));
  ASSERT_EQ(spooler.addPortCalls.size(), 2u);
  EXPECT_EQ(spooler.addPortCalls[0].second, L"");
  EXPECT_EQ(spooler.addPortCalls[1], std::make_pair(static_cast<WindowHandle>(&popup), std::wstring(L"Local Port")));
  EXPECT_EQ(spooler.ports.back().name, L"C:\\out.prn");
  EXPECT_TRUE(logic.OnClick(*model.FindControl(L"btn_port_cancel"), &popup));
  EXPECT_TRUE(logic.OnClick(*model.FindControl(L"closebtn"), &popup));
}

}  // namespace
