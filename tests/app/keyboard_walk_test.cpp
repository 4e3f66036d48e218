// The wizard without a mouse, on the package's real layouts: the tab stops of every page and an
// LPT install and its removal driven by keys alone, against the fake spooler.
#include <gtest/gtest.h>

#include <functional>

#include "bluetooth/bluetooth_printers.h"
#include "context/package_files.h"
#include "tests/fakes/fake_bluetooth.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/support/wizard_window.h"
#include "ui/container.h"
#include "ui/label.h"

namespace {

using ui::Key;
using Names = std::vector<std::wstring>;

class KeyboardWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    system.version = {10, 0};
    system.versionQueryFails = false;
    system.lastError = 0;
    sender.target = &window.controller;
    ASSERT_TRUE(window.Open());
    window.context.BuildDriverModels();  // the INF route's model: an earlier suite may have left Windows 6.0
    // printui's install puts the package's driver on the spooler, as the real one does.
    print.shell.effect = PrintuiInstallEffect(
        print.spooler, system,
        PackageDriverVersion(ui::Resources::Instance().Archive(), L"driver\\label\\Driver64\\Ombrevia.inf"));
    window.model.Layout();
  }
  void TearDown() override { ResetDefaultFakePrintSystem(); }

  ui::WindowModel& model() { return window.model; }
  std::wstring Focused() {
    ui::Control* focus = model().FocusedControl();
    return focus == nullptr ? L"(none)" : focus->Name();
  }
  Names Order() {
    Names names;
    for (ui::Control* control : model().FocusOrder()) names.push_back(control->Name());
    return names;
  }
  void Press(Key key, int times = 1) {
    for (int i = 0; i < times; ++i) EXPECT_TRUE(model().OnKeyDown(key)) << "key " << static_cast<int>(key);
  }
  // Tab until the named control has the focus; fails after a whole round.
  void TabTo(const wchar_t* name) {
    for (size_t i = 0; i <= model().FocusOrder().size() && Focused() != name; ++i) Press(Key::kTab);
    ASSERT_EQ(Focused(), name);
  }
  int InstallPage() {
    return static_cast<ui::TabLayout*>(window.Find(L"tab_switch_install"))->CurrentIndex();
  }
  int DeletePage() { return static_cast<ui::TabLayout*>(window.Find(L"tab_switch_delete"))->CurrentIndex(); }

  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  FakeBluetoothStack& bluetooth = ResetDefaultFakeBluetoothStack();
  FakeSystemInfo& system = DefaultFakePlatform().system;
  DispatchingSender sender;
  FakeThreadStarter threads;
  WizardWindow window{sender, threads};
};

}  // namespace

namespace {

// The tab stops of every page as clicks reach it, each page with its button row: shown and
// enabled buttons only, one stop per option group and per list, the caption buttons last.
TEST_F(KeyboardWalk, EveryPageHasItsStopsInReadingOrder) {
  print.devices.presentSetupClasses.push_back(kBluetoothSetupClass);
  bluetooth.devices.push_back({0x001B350AFFC2, 0x40680, false, true, true, L"Label BT"});
  print.spooler.AddPrinterEntry(L"Shop label", L"LABEL", L"COM1:");
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"");
  const auto click = [this](std::vector<const wchar_t*> names) {
    return [this, names] {
      for (const wchar_t* name : names) window.Click(name);
    };
  };
  const auto run = [this] { threads.RunPending(); };
  const Names caption{L"btnLan", L"btnAbout", L"minbtn", L"closebtn"};
  struct Page {
    const char* name;
    std::function<void()> reach;  // from the page before
    Names stops;                  // before the caption buttons
  };
  const Page pages[] = {
      {"index", [] {}, {L"option_install", L"btn_setup_next", L"btn_setup_cancel"}},
      {"install 0: kind",
       click({L"btn_setup_next"}),
       {L"option_port_usb", L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      // Searching, both Back and Next are hidden; an empty list is a stop of its own.
      {"install 1: search", click({L"option_port_usb", L"btn_setup_next"}), {L"btn_setup_cancel"}},
      {"install 2: usb list", run, {L"listex_install_show_usb", L"btn_setup_previous", L"btn_setup_cancel"}},
      {"install 3: bluetooth",
       [&] {
         click({L"btn_setup_previous", L"option_port_bluetooth", L"btn_setup_next"})();
         run();
       },
       {L"listex_install_show_blue_item", L"edit_usecustom_pin", L"btn_setup_previous", L"btn_setup_cancel"}},
      {"install 4: models",
       click({L"btn_setup_previous", L"option_port_net", L"btn_setup_next"}),
       {L"listex_install_driver_item", L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"install 6: network",
       click({L"btn_setup_next"}),
       {L"edit_install_lan_ip", L"edit_install_lan_portName", L"btn_setup_previous", L"btn_setup_next",
        L"btn_setup_cancel"}},
      {"install 5: ports",
       [&] {
         click({L"btn_setup_previous", L"btn_setup_previous", L"option_port_lpt"})();
         window.context.m_portName.clear();  // the network page's name is no LPT port
         click({L"btn_setup_next", L"btn_setup_next"})();
       },
       {L"listex_install_port_item", L"btn_port_add", L"btn_port_delete", L"btn_port_configure",
        L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"install 7: name",
       click({L"btn_setup_next"}),
       {L"edit_install_printer_name", L"option_selected_defaultPrinter", L"btn_setup_previous",
        L"btn_setup_next", L"btn_setup_cancel"}},
      {"install 8: summary",
       click({L"btn_setup_next"}),
       {L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"install 9: installing", click({L"btn_setup_next"}), {L"wordedit_installInfo"}},
      {"install 9: finish row",
       run,
       {L"wordedit_installInfo", L"btn_setup_index", L"btn_setup_preferences", L"btn_setup_properties",
        L"btn_setup_testpage", L"btn_setup_cancel"}},
      {"delete 0: printers",
       click({L"btn_setup_index", L"option_delete", L"btn_setup_next"}),
       {L"btnsearch_printer", L"edit_find_deletePrinter", L"listex_delete_printer_item",
        L"option_showAll_deletePrinter", L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"delete 1: drivers",
       [&] {
         window.ClickCheckBox(L"listex_delete_printer", L"LABEL");
         click({L"btn_setup_next"})();
       },
       {L"btnsearch_driver", L"edit_find_deleteDriver", L"listex_delete_driver_item",
        L"option_showAll_deleteDriver", L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"delete 2: summary",
       click({L"btn_setup_next"}),
       {L"wordedit_deleteInfo", L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"delete 3: removing",
       click({L"btn_setup_next"}),
       {L"wordedit_deleteInfo_start", L"btn_setup_previous", L"btn_setup_next", L"btn_setup_cancel"}},
      {"delete 3: finished", run, {L"wordedit_deleteInfo_start", L"btn_setup_index", L"btn_setup_cancel"}},
  };
  for (const Page& page : pages) {
    page.reach();
    model().Layout();
    Names expected = page.stops;
    expected.insert(expected.end(), caption.begin(), caption.end());
    EXPECT_EQ(Order(), expected) << page.name;
  }
}

}  // namespace

namespace {

// Install a printer on LPT1: and remove it again, with keys only: Enter for Next, the arrows
// within the kind group and the lists, Tab and Space for the marks.
TEST_F(KeyboardWalk, AnLptInstallAndItsRemovalWithKeysOnly) {
  Press(Key::kEnter);  // nothing focused yet: Enter presses Next
  ASSERT_EQ(InstallPage(), 0);
  EXPECT_EQ(Focused(), L"option_port_usb");  // the page change brought the focus to its first stop
  EXPECT_TRUE(model().ShowsFocusRing());
  Press(Key::kDown, 3);  // USB, network, Bluetooth, LPT: each selected as a click selects it
  EXPECT_EQ(Focused(), L"option_port_lpt");
  EXPECT_EQ(window.context.m_portKind, kPortLpt);
  Press(Key::kEnter);
  ASSERT_EQ(InstallPage(), 4);
  Press(Key::kEnter);
  ASSERT_EQ(InstallPage(), 5);
  EXPECT_EQ(window.context.m_portName, L"LPT1:");
  TabTo(L"listex_install_port_item");
  Press(Key::kDown);  // the next port, chosen as a click on its row chooses it
  EXPECT_EQ(window.context.m_portName, L"LPT2:");
  Press(Key::kUp);
  EXPECT_EQ(window.context.m_portName, L"LPT1:");
  Press(Key::kEnter);  // from a row too, Enter is Next
  ASSERT_EQ(InstallPage(), 7);
  EXPECT_EQ(Focused(), L"edit_install_printer_name");
  Press(Key::kTab);
  Press(Key::kSpace);  // the default-printer check box: off
  EXPECT_EQ(window.context.m_setDefault, 0);
  Press(Key::kTab, 3);  // Back, Next, Cancel: Shift+Tab goes back to the edit
  EXPECT_EQ(Focused(), L"btn_setup_cancel");
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(model().OnKeyDown(Key::kTab, true));
  EXPECT_EQ(Focused(), L"edit_install_printer_name");
  Press(Key::kEnter);  // from the edit: Next
  ASSERT_EQ(InstallPage(), 8);
  EXPECT_EQ(Focused(), L"btn_setup_next");  // the summary has no stops: not Back, which Enter would press
  Press(Key::kEnter);
  ASSERT_EQ(InstallPage(), 9);
  EXPECT_EQ(threads.RunPending(), 1);
  ASSERT_NE(print.spooler.FindPrinter(L"LABEL"), nullptr);
  EXPECT_EQ(print.spooler.FindPrinter(L"LABEL")->portName, L"LPT1:");

  // The finish row: Home by Tab and Enter, then the removal.
  TabTo(L"btn_setup_index");
  Press(Key::kEnter);
  EXPECT_EQ(Focused(), L"option_install");
  Press(Key::kDown);
  EXPECT_EQ(window.context.m_actionChoice, 0);
  Press(Key::kEnter);
  ASSERT_EQ(DeletePage(), 0);
  TabTo(L"listex_delete_printer_item");
  Press(Key::kSpace);
  EXPECT_EQ(window.context.m_selectedPrinters, Names{L"LABEL"});
  Press(Key::kEnter);
  ASSERT_EQ(DeletePage(), 1);
  TabTo(L"listex_delete_driver_item");
  Press(Key::kSpace);
  Press(Key::kSpace);  // and off again: a driver stays unless marked
  Press(Key::kSpace);
  Press(Key::kEnter);
  ASSERT_EQ(DeletePage(), 2);
  Press(Key::kEnter);
  ASSERT_EQ(DeletePage(), 3);
  EXPECT_EQ(threads.RunPending(), 1);
  EXPECT_EQ(print.spooler.FindPrinter(L"LABEL"), nullptr);
  EXPECT_TRUE(print.spooler.drivers.empty());
}

}  // namespace
