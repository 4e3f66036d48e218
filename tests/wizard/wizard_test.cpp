// The install wizard walked on the package's real layouts, as a user clicks it: the main window's
// controller handles every message synchronously, the print system and Bluetooth stack are fakes,
// and a search thread's body runs only when the test says, after the page that started it returned.
#include <gtest/gtest.h>

#include "app/localisation.h"
#include "app/main_window.h"
#include "bluetooth/bluetooth_printers.h"
#include "context/live_workers.h"
#include "context/package_files.h"
#include "context/system_error.h"
#include "printsys/spooler_queries.h"
#include "printsys/usb_port_scan.h"
#include "tests/app/main_window_doubles.h"
#include "tests/fakes/fake_bluetooth.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/test_paths.h"
#include "ui/container.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/list.h"
#include "wizard/port_pages.h"
#include "wizard/printer_name.h"

namespace {

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const std::vector<uint8_t> skin = PackedSkin();
    ASSERT_TRUE(resources.AttachArchive(skin.data(), skin.size()));
    ASSERT_TRUE(resources.LoadResourceMap("res.xml"));
    RegisterLanguages(context);
    ASSERT_TRUE(model.Load("XML_MAIN"));
    model.SetClientSize({700, 500});
    sender.target = &controller;
    model.SetNotificationHandler(&handler);
    controller.Initialise(&window);
  }

  ui::Control* Find(const wchar_t* name) const { return model.FindControl(name); }
  ui::List* List(const wchar_t* name) const { return model.Find<ui::List>(name); }
  int InstallPage() const { return dynamic_cast<ui::TabLayout*>(Find(L"tab_switch_install"))->CurrentIndex(); }
  int OuterPage() const { return dynamic_cast<ui::TabLayout*>(Find(L"tab_switch"))->CurrentIndex(); }
  bool BackShown() const { return Find(L"btn_setup_previous")->IsVisible(); }
  bool NextShown() const { return Find(L"btn_setup_next")->IsVisible() && Find(L"btn_setup_next")->IsEnabled(); }

  // A click as the window delivers it: the control activates and its notifications run through
  // the main window's handler.
  void Click(const wchar_t* name) {
    ui::Control* control = Find(name);
    ASSERT_NE(control, nullptr);
    control->Activate();
  }
  void Next() { Click(L"btn_setup_next"); }
  void Back() { Click(L"btn_setup_previous"); }
  void Type(const wchar_t* edit, const std::wstring& text) {
    auto* control = model.Find<ui::Edit>(edit);
    ASSERT_NE(control, nullptr);
    control->OnNativeTextChanged(text);
  }
  void ClickRow(const wchar_t* list, int index) {
    ui::Control* row = List(list)->RowAt(index);
    ASSERT_NE(row, nullptr);
    row->Activate();
  }
  std::vector<std::wstring> Column(const wchar_t* list, int column) const {
    std::vector<std::wstring> texts;
    ui::List* rows = List(list);
    for (int i = 0; i < rows->RowCount(); ++i) {
      texts.push_back(rows->RowAt(i)->FindByName(L"label" + std::to_wstring(column))->Text());
    }
    return texts;
  }
  // From the index page through the kind choice to the first page after it.
  void ChooseKind(const wchar_t* option) {
    Next();
    Click(option);
    Next();
  }
  void AddUsbPrinter(const std::wstring& instanceId, uint32_t portNumber) {
    print.devices.AddInterface(kUsbPrintInterfaceClass, {L"\\\\?\\usb#" + instanceId, true, instanceId, true, L""});
    print.registry.values[{UsbDeviceParametersKey(UsbInterfaceKeyName(instanceId)), L"Port Number"}] = portNumber;
  }

  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  FakeBluetoothStack& bluetooth = ResetDefaultFakeBluetoothStack();
  ui::Resources& resources = ui::Resources::Instance();
  ui::WindowModel model{resources};
  // The fake spooler reports its errors on the default fake system, so the context shares it.
  FakeSystemInfo& system = DefaultFakePlatform().system;
  FakeFileSystem files{system};
  DispatchingSender sender;
  FakeThreadStarter threads;
  FakeUserDialogs dialogs;
  Platform platform{system, files, sender, threads, dialogs};
  CAppContext context{platform};
  FakeMainWindowHost host;
  MainWindowController controller{model, context, host};
  ControllerHandler handler{controller};
  int window = 0;
};

// The install page and whether Back and Next show after every press, for each kind with the
// inputs the fakes give: the kind's whole road to the installing page.
TEST_F(WizardTest, EveryKindWalksItsPageSequenceWithItsButtonStates) {
  struct Walk {
    const wchar_t* option;
    std::vector<int> pages;
  };
  const Walk walks[] = {
      {L"option_port_usb", {2, 4, 7, 8, 9}},  {L"option_port_net", {4, 6, 7, 8, 9}},
      {L"option_port_bluetooth", {3, 4, 7, 8, 9}}, {L"option_port_lpt", {4, 5, 7, 8, 9}},
      {L"option_port_com", {4, 5, 7, 8, 9}},  {L"option_port_custom", {4, 5, 7, 8, 9}},
  };
  AddUsbPrinter(L"USB\\VID_0483&PID_5720\\00A1", 1);
  print.devices.presentSetupClasses.push_back(kBluetoothSetupClass);
  bluetooth.devices.push_back({0x001B350AFFC2, 0x40680, false, true, true, L"Label BT"});

  for (const Walk& walk : walks) {
    SCOPED_TRACE(testing::Message() << "kind option " << (&walk - walks));
    context.m_portName.clear();  // a port chosen for one kind is not in the next kind's list
    Click(L"btn_setup_index");
    Next();
    EXPECT_EQ(OuterPage(), 1);
    EXPECT_EQ(InstallPage(), 0);
    EXPECT_TRUE(BackShown() && NextShown());
    Click(walk.option);
    for (size_t i = 0; i < walk.pages.size(); ++i) {
      Next();
      const bool searches = i == 0 && (walk.pages[0] == 2 || walk.pages[0] == 3);
      if (searches) {
        EXPECT_EQ(InstallPage(), 1);
        EXPECT_FALSE(BackShown() || Find(L"btn_setup_next")->IsVisible());
        EXPECT_EQ(threads.RunPending(), 1);
        ClickRow(walk.pages[0] == 2 ? L"listex_install_show_usb" : L"listex_install_show_blue", 0);
      }
      EXPECT_EQ(InstallPage(), walk.pages[i]) << "after press " << i;
      if (walk.pages[i] == 9) {
        EXPECT_FALSE(Find(L"hor_btn_h2")->IsVisible());
        EXPECT_FALSE(Find(L"hor_btn_h1")->IsVisible());
        // Nothing installs here (no driver comes out of printui): Home and Close only, under a
        // heading that says so.
        EXPECT_EQ(Find(L"label_install_heading")->Text(), L"tab.install.title.installing.name");
        EXPECT_EQ(threads.RunPending(), 1);
        EXPECT_TRUE(Find(L"hor_btn_h1")->IsVisible());
        EXPECT_EQ(Find(L"label_install_heading")->Text(), L"tab.install.title.installfailed");
        EXPECT_FALSE(Find(L"btn_setup_testpage")->IsVisible());
      } else {
        EXPECT_TRUE(BackShown() && NextShown()) << "page " << walk.pages[i];
      }
    }
    EXPECT_EQ(context.m_printerName, L"LABEL");
  }
  EXPECT_EQ(threads.started, 8);
}

// After an install the finish row offers the printer's dialogs and test page through printui, for
// the printer just made; Home brings the step row back and a second install ends the same way.
TEST_F(WizardTest, FinishRowRunsThePrinterActionsAndHomeStartsAgain) {
  print.shell.effect = PrintuiInstallEffect(
      print.spooler, system,
      PackageDriverVersion(ui::Resources::Instance().Archive(), L"driver\\label\\Driver64\\Ombrevia.inf"));
  for (const wchar_t* expectedName : {L"LABEL", L"LABEL (1)"}) {
    Click(L"btn_setup_index");
    ChooseKind(L"option_port_lpt");
    for (int i = 0; i < 4; ++i) Next();
    ASSERT_EQ(InstallPage(), 9);
    EXPECT_EQ(Find(L"label_install_heading")->Text(), L"tab.install.title.installing.name");
    EXPECT_EQ(threads.RunPending(), 1);
    EXPECT_EQ(Find(L"label_install_heading")->DisplayText(), L"Installation complete");
    ASSERT_NE(print.spooler.FindPrinter(expectedName), nullptr);
    EXPECT_EQ(print.spooler.FindPrinter(expectedName)->portName, L"LPT1:");
    EXPECT_TRUE(Find(L"hor_btn_h1")->IsVisible());
    EXPECT_FALSE(Find(L"hor_btn_h2")->IsVisible());
    print.shell.commands.clear();
    for (const wchar_t* action : {L"btn_setup_preferences", L"btn_setup_properties", L"btn_setup_testpage"}) {
      EXPECT_TRUE(Find(action)->IsVisible());
      Click(action);
    }
    const std::wstring quoted = std::wstring(L"/n\"") + expectedName + L"\" ";
    ASSERT_EQ(print.shell.commands.size(), 3u);
    EXPECT_EQ(print.shell.commands[0].parameters, L" printui.dll, PrintUIEntry /e " + quoted);
    EXPECT_EQ(print.shell.commands[1].parameters, L" printui.dll, PrintUIEntry /p " + quoted);
    EXPECT_EQ(print.shell.commands[2].parameters, L" printui.dll, PrintUIEntry /k " + quoted);
    for (const ShellCommand& command : print.shell.commands) {
      EXPECT_EQ(command.file, L"C:\\Windows\\Sysnative\\rundll32.exe");
      EXPECT_EQ(command.waitMs, 0u);
    }
    Click(L"btn_setup_index");
    EXPECT_FALSE(Find(L"hor_btn_h1")->IsVisible());
    EXPECT_TRUE(Find(L"hor_btn_h2")->IsVisible());
    EXPECT_EQ(OuterPage(), 0);
  }
}

TEST_F(WizardTest, BackSkipsTheSearchAndLeavesTheBranchFromItsFirstPage) {
  ChooseKind(L"option_port_usb");
  EXPECT_EQ(LiveWorkerCount(), 1);  // the exit path leaves its texts alone until it returns
  EXPECT_EQ(threads.RunPending(), 1);
  EXPECT_EQ(LiveWorkerCount(), 0);
  EXPECT_EQ(InstallPage(), 2);
  Back();
  EXPECT_EQ(InstallPage(), 0);
  EXPECT_EQ(context.m_step, 0);
  Back();
  EXPECT_EQ(OuterPage(), 0);
  EXPECT_FALSE(BackShown());
  EXPECT_TRUE(NextShown());
  // The kind chosen earlier stays chosen on the next run.
  Next();
  EXPECT_EQ(context.m_portKind, kPortUsb);
  EXPECT_TRUE(dynamic_cast<ui::Option*>(Find(L"option_port_usb"))->IsSelected());
}

TEST_F(WizardTest, UsbListSelectsTheFirstPrinterAndAnEmptyScanKeepsNextHidden) {
  ChooseKind(L"option_port_usb");
  threads.RunPending();
  EXPECT_EQ(List(L"listex_install_show_usb")->RowCount(), 0);
  EXPECT_FALSE(Find(L"btn_setup_next")->IsVisible());

  Back();
  AddUsbPrinter(L"USB\\VID_0483&PID_5720\\00A1", 1);
  AddUsbPrinter(L"USB\\VID_1111&PID_2222&MI_00\\7", 12);
  Next();
  threads.RunPending();
  EXPECT_EQ(Column(L"listex_install_show_usb", 1), (std::vector<std::wstring>{L"USB001", L"USB012"}));
  EXPECT_EQ(Column(L"listex_install_show_usb", 2),
            (std::vector<std::wstring>{L"VID_0483 PID_5720", L"VID_1111 PID_2222 MI_00"}));
  EXPECT_EQ(List(L"listex_install_show_usb")->SelectedIndex(), 0);
  EXPECT_EQ(context.m_portName, L"USB001");
  EXPECT_TRUE(NextShown());
  ClickRow(L"listex_install_show_usb", 1);
  EXPECT_EQ(context.m_usbPortIndex, 1);
  EXPECT_EQ(context.m_portName, L"USB012");
  Next();
  Back();
  threads.RunPending();  // nothing: Back does not search again
  EXPECT_EQ(InstallPage(), 2);
  EXPECT_EQ(List(L"listex_install_show_usb")->SelectedIndex(), 1);
}

TEST_F(WizardTest, SearchThatCannotStartGivesBackTheWayOut) {
  threads.startFails = true;
  ChooseKind(L"option_port_usb");
  EXPECT_EQ(LiveWorkerCount(), 0);  // the body that never ran is not waited on
  EXPECT_EQ(InstallPage(), 1);
  EXPECT_TRUE(BackShown());
  Back();
  EXPECT_EQ(InstallPage(), 0);
}

TEST_F(WizardTest, PortListFiltersByKindAndSelectsTheDefaultOrTheRememberedPort) {
  struct Case {
    const wchar_t* option;
    std::vector<std::wstring> ports;
    const wchar_t* selected;
  };
  const Case cases[] = {
      {L"option_port_com", {L"COM1:", L"COM2:", L"COM3:", L"COM4:"}, L"COM1:"},
      {L"option_port_lpt", {L"LPT1:", L"LPT2:", L"LPT3:"}, L"LPT1:"},
      {L"option_port_custom", {L"COM1:", L"COM2:", L"COM3:", L"COM4:", L"FILE:", L"LPT1:", L"LPT2:", L"LPT3:"}, L"COM1:"},
  };
  for (const Case& c : cases) {
    context.m_portName.clear();
    Click(L"btn_setup_index");
    ChooseKind(c.option);
    Next();
    EXPECT_EQ(InstallPage(), 5);
    std::vector<std::wstring> listed = Column(L"listex_install_driver_port", 1);
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, c.ports);
    const int selected = List(L"listex_install_driver_port")->SelectedIndex();
    ASSERT_GE(selected, 0);
    EXPECT_EQ(Column(L"listex_install_driver_port", 1)[selected], c.selected);
    EXPECT_EQ(context.m_portName, c.selected);
  }
  // A port chosen by hand is chosen again on the way back, and goes into the summary.
  Click(L"btn_setup_index");
  ChooseKind(L"option_port_com");
  Next();
  ClickRow(L"listex_install_driver_port", 1);
  EXPECT_EQ(context.m_portName, L"COM2:");
  Next();
  Next();
  EXPECT_EQ(Find(L"label_ready_portName")->Text(), L"COM2:");
  EXPECT_EQ(Find(L"label_ready_driverName")->Text(), L"LABEL");
  EXPECT_EQ(Find(L"label_ready_printerName")->Text(), L"LABEL");
  EXPECT_EQ(Find(L"label_ready_prinerDefault")->Text(), L"Yes");
  Back();
  Back();
  EXPECT_EQ(Column(L"listex_install_driver_port", 1)[List(L"listex_install_driver_port")->SelectedIndex()], L"COM2:");
}

TEST_F(WizardTest, PortButtonsAskBeforeDeletingAndRefillAfterTheAddPortPopup) {
  ChooseKind(L"option_port_com");
  Next();
  dialogs.answer = kAnswerCancel;
  Click(L"btn_port_delete");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, GetText(L"tip.dlgtitle"));
  EXPECT_EQ(dialogs.boxes[0].text, GetTextWith(L"tip.isdeleteport", L"COM1:"));
  EXPECT_EQ(dialogs.boxes[0].flags, kBoxOkCancel | kBoxIconInformation);
  EXPECT_TRUE(print.spooler.deletePortCalls.empty());

  // Refused by the spooler: the reason is shown and the choice stays.
  dialogs.answer = kAnswerOk;
  print.spooler.removePortErrors[L"COM1:"] = 5;
  system.messages[{5, ErrorTextLanguage()}] = L"Access is denied.";
  Click(L"btn_port_delete");
  ASSERT_EQ(dialogs.boxes.size(), 3u);
  EXPECT_EQ(dialogs.boxes[2].text, GetTextWith(L"tip.deletefailreason", L"Access is denied. (5)"));
  EXPECT_EQ(context.m_portName, L"COM1:");

  // Deleted: the default is gone, so nothing is chosen and Next waits for a row.
  print.spooler.removePortErrors.clear();
  Click(L"btn_port_delete");
  EXPECT_EQ(Column(L"listex_install_driver_port", 1), (std::vector<std::wstring>{L"COM2:", L"COM3:", L"COM4:"}));
  EXPECT_TRUE(context.m_portName.empty());
  EXPECT_FALSE(Find(L"btn_setup_next")->IsVisible());

  dialogs.whileAddPortPopupOpen = [&] { print.spooler.AddPortThroughMonitor(&window, L"Local Port"); };
  print.spooler.portAddedByDialog[L"Local Port"] = L"COM9:";
  Click(L"btn_port_add");
  EXPECT_EQ(dialogs.addPortPopups, std::vector<WindowHandle>{&window});
  EXPECT_EQ(Column(L"listex_install_driver_port", 1).back(), L"COM9:");

  // The buttons act on the row selected in the list shown, never on a choice the list does not show.
  Click(L"btn_port_configure");
  EXPECT_TRUE(print.spooler.configurePortCalls.empty());
  ClickRow(L"listex_install_driver_port", 0);
  Click(L"btn_port_configure");
  ASSERT_EQ(print.spooler.configurePortCalls.size(), 1u);
  EXPECT_EQ(print.spooler.configurePortCalls[0].second, L"COM2:");
}

// A port name kept from the network page (or another kind) is not in the serial list: "Delete
// port" must not reach it, even though it is the wizard's current choice.
TEST_F(WizardTest, DeletePortNeverActsOnAPortTheListDoesNotShow) {
  print.spooler.AddPortEntry(L"10.0.0.7", L"Standard TCP/IP Port", L"Standard TCP/IP Port");
  ChooseKind(L"option_port_com");
  Next();
  context.m_portName = L"10.0.0.7";
  context.FillPortList();  // the serial list shows no row for it
  dialogs.answer = kAnswerOk;
  Click(L"btn_port_delete");
  Click(L"btn_port_configure");
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_TRUE(print.spooler.deletePortCalls.empty());
  EXPECT_TRUE(print.spooler.configurePortCalls.empty());
  EXPECT_TRUE(PortExists(print.spooler, L"10.0.0.7"));
}

// The model list says in the user's language whether the model's driver is installed, in the
// header's "Installation status" column.
TEST_F(WizardTest, ModelListShowsWhetherTheDriverIsInstalled) {
  const struct {
    const char* file;
    bool installed;
    const wchar_t* status;
  } cases[] = {
      {"lan_en.xml", false, L"Not installed"},
      {"lan_en.xml", true, L"Installed"},
      {"lan_ko.xml", false, L"\uc124\uce58\ub418\uc9c0 \uc54a\uc74c"},
      {"lan_ko.xml", true, L"\uc124\uce58\ub428"},
  };
  for (const auto& c : cases) {
    print.spooler.drivers.clear();
    if (c.installed) print.spooler.AddDriverEntry(L"label", NativeDriverEnvironment(system), L"");  // any letter case
    ASSERT_TRUE(resources.LoadLanguage(c.file));
    Click(L"btn_setup_index");
    ChooseKind(L"option_port_com");
    ASSERT_EQ(InstallPage(), 4);
    EXPECT_EQ(Column(L"listex_install_driver_moudel", 1), std::vector<std::wstring>{L"LABEL"});
    EXPECT_EQ(Column(L"listex_install_driver_moudel", 4), std::vector<std::wstring>{c.status}) << c.file;
  }
}

TEST_F(WizardTest, NetworkPageProposesAFreePortAndRefusesBadInput) {
  // Ports named as the address but of another monitor are not the address's own port.
  print.spooler.ports.push_back({L"192.168.1.100", L"", L"Local Port"});
  print.spooler.ports.push_back({L"192.168.1.100_1", L"", L"Local Port"});
  print.spooler.ports.push_back({L"office", L"", L"Local Port"});
  ChooseKind(L"option_port_net");
  Next();
  EXPECT_EQ(InstallPage(), 6);
  EXPECT_EQ(Find(L"edit_install_lan_ip")->Text(), L"192.168.1.100");
  EXPECT_EQ(Find(L"edit_install_lan_portName")->Text(), L"192.168.1.100_2");

  // The refusals read in the user's language.
  const struct {
    const char* file;
    const wchar_t* badAddress;
    const wchar_t* takenPort;
  } languages[] = {
      {"lan_ko.xml", L"IP \uc8fc\uc18c\uac00 \uc62c\ubc14\ub974\uc9c0 \uc54a\uc2b5\ub2c8\ub2e4",
       L"\uc774 \ud3ec\ud2b8\uac00 \uc774\ubbf8 \uc788\uc2b5\ub2c8\ub2e4. \ub2e4\ub978 \uc774\ub984\uc744 "
       L"\uc785\ub825\ud558\uc2ed\uc2dc\uc624"},
      {"lan_cn.xml", L"IP\u5730\u5740\u65e0\u6548",
       L"\u7aef\u53e3\u5df2\u5b58\u5728\uff0c\u8bf7\u91cd\u65b0\u8f93\u5165"},
      {"lan_en.xml", L"The IP address is not valid", L"This port already exists, please enter another name"},
  };
  for (const auto& language : languages) {
    ASSERT_TRUE(resources.LoadLanguage(language.file));
    Type(L"edit_install_lan_ip", L"192.168.1");
    Type(L"edit_install_lan_portName", L"192.168.1.100_2");
    Next();
    EXPECT_EQ(InstallPage(), 6);
    EXPECT_EQ(Find(L"label_show_lanPort_info")->Text(), language.badAddress) << language.file;
    Type(L"edit_install_lan_ip", L"10.0.0.7");
    Type(L"edit_install_lan_portName", L"192.168.1.100_1");
    Next();
    EXPECT_EQ(InstallPage(), 6);
    EXPECT_EQ(Find(L"label_show_lanPort_info")->Text(), language.takenPort) << language.file;
  }
  const std::wstring badAddress = GetText(L"tip.lan.ipinvalid");
  const std::wstring portTaken = GetText(L"tip.lan.porttaken");
  const std::wstring badName = GetText(L"tip.portnameinvalid");
  const struct {
    const wchar_t* address;
    std::wstring portName;
    const std::wstring& refusal;
  } refused[] = {
      {L"192.168.1", L"p", badAddress},         {L"10.0.0.7abc", L"p", badAddress},
      {L" +10.0.0.7", L"p", badAddress},        {L"10.0.0.7.", L"p", badAddress},
      {L"010.000.000.0007", L"p", badAddress},  {L"1.2.3.4 ;x", L"p", badAddress},
      {L"10.0.0.7", L"192.168.1.100_1", portTaken}, {L"10.0.0.7", L"OFFICE", portTaken},  // any case
      {L"10.0.0.7", std::wstring(64, L'p'), badName}, {L"10.0.0.7", L"a,b", badName},
  };
  for (const auto& c : refused) {
    Type(L"edit_install_lan_ip", c.address);
    Type(L"edit_install_lan_portName", c.portName);
    Next();
    EXPECT_EQ(InstallPage(), 6) << testing::PrintToString(std::wstring(c.address)) << c.portName.size();
    EXPECT_EQ(Find(L"label_show_lanPort_info")->Text(), c.refusal);
  }
  Type(L"edit_install_lan_ip", L"10.0.0.7");
  Type(L"edit_install_lan_portName", L"office 2");
  Next();
  EXPECT_EQ(InstallPage(), 7);
  EXPECT_EQ(Find(L"label_show_lanPort_info")->Text(), L"");
  EXPECT_EQ(context.m_lanAddress, L"10.0.0.7");
  EXPECT_EQ(context.m_portName, L"office 2");
}

// The address's own Standard TCP/IP port is offered and accepted rather than a second one beside it.
TEST_F(WizardTest, NetworkPageOffersTheAddressesOwnTcpIpPort) {
  print.spooler.AddPortEntry(L"192.168.1.100", L"Standard TCP/IP Port", L"Standard TCP/IP Port");
  print.spooler.AddPortEntry(L"IP_10.0.0.7", L"Standard TCP/IP Port", L"Standard TCP/IP Port");
  ChooseKind(L"option_port_net");
  Next();
  EXPECT_EQ(Find(L"edit_install_lan_portName")->Text(), L"192.168.1.100");
  Type(L"edit_install_lan_ip", L"10.0.0.7");
  Type(L"edit_install_lan_portName", L"ip_10.0.0.7");
  Next();
  EXPECT_EQ(InstallPage(), 7);
}

// What reaches the port record must be the address itself: every text the C library would read
// as one (sign, blanks, trailing junk, a final dot, leading zeros) is refused.
TEST(Ipv4Text, OnlyStrictDottedDecimalPasses) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"192.168.1.100", true},   {L"0.0.0.0", true},      {L"255.255.255.255", true}, {L"10.0.0.7", true},
      {L"10.0.0.7abc", false},    {L" +10.0.0.7", false},  {L"10.0.0.7.", false},      {L"010.000.000.0007", false},
      {L"1.2.3.4 ;x", false},     {L" 10.0.0.1", false},   {L"+1.2.3.4", false},       {L"01.2.3.4", false},
      {L"192.168.1.256", false},  {L"10.0.0", false},      {L"10..0.1", false},        {L"1.2.3.4.5", false},
      {L"-1.2.3.4", false},       {L"a.b.c.d", false},     {L"", false},               {L"1.2.3.99999999999999999999", false},
      {L"\u0661.2.3.4", false},  {L"1.2.3.4\n", false},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(IsValidIPv4(text), valid) << testing::PrintToString(std::wstring(text));
  // The record's limits: 63 characters of port name, no comma (a printer's port list separates by it).
  EXPECT_TRUE(IsAcceptableLanPortName(std::wstring(63, L'p')));
  for (const std::wstring& name : {std::wstring(64, L'p'), std::wstring(), std::wstring(L"a,b")}) {
    EXPECT_FALSE(IsAcceptableLanPortName(name)) << name.size();
  }
}

TEST_F(WizardTest, PrinterNameIsProposedFreeAndRefusedOnNextWhenTakenOrUnusable) {
  print.spooler.printers.push_back({L"LABEL", L"LABEL", L"COM1:", L"WinPrint", L"RAW", 0});
  print.spooler.printers.push_back({L"LABEL (1)", L"LABEL", L"COM1:", L"WinPrint", L"RAW", 0});
  print.spooler.printers.push_back({L"label (2)", L"LABEL", L"COM1:", L"WinPrint", L"RAW", 0});
  ChooseKind(L"option_port_com");
  Next();
  Next();
  EXPECT_EQ(InstallPage(), 7);
  // "label (2)" takes "LABEL (2)" too: the spooler would refuse it at the very end of the run.
  EXPECT_EQ(Find(L"edit_install_printer_name")->Text(), L"LABEL (3)");

  const std::wstring refused[] = {L"LABEL (1)", L"label", L"Label (2)", L"", L"a\"b", L"a\\b", L"a,b", std::wstring(221, L'x')};
  for (const std::wstring& name : refused) {
    Type(L"edit_install_printer_name", name);
    Next();
    EXPECT_EQ(InstallPage(), 7) << name.size();
    EXPECT_EQ(Find(L"label_show_printername_info")->Text(),
              L"*Printer name: " + name + L" cannot be used, please choose another name");
    EXPECT_EQ(*Find(L"label_show_printername_info")->Attribute("textcolor"), "ffff0000");
  }
  // The check's lines in Korean and Chinese: refused, then free.
  const struct {
    const char* file;
    std::wstring refused, free;
  } languages[] = {
      {"lan_ko.xml",
       L"*\ud504\ub9b0\ud130 \uc774\ub984: LABEL (1) \uc740(\ub294) \uc0ac\uc6a9\ud560 \uc218 "
       L"\uc5c6\uc2b5\ub2c8\ub2e4. "
       L"\ub2e4\ub978 \uc774\ub984\uc744 \uc9c0\uc815\ud558\uc2ed\uc2dc\uc624",
       L"\ud504\ub9b0\ud130 \uc774\ub984: Shop \uc740(\ub294) \uc0ac\uc6a9\ud560 \uc218 "
       L"\uc788\uc2b5\ub2c8\ub2e4"},
      {"lan_cn.xml",
       L"*\u6253\u5370\u673a\u540d\u79f0:LABEL (1) "
       L"\u4e0d\u53ef\u4ee5\u4f7f\u7528\uff0c\u8bf7\u66f4\u6362\u540d\u79f0",
       L"\u6253\u5370\u673a\u540d\u79f0:Shop \u53ef\u4ee5\u4f7f\u7528"},
  };
  for (const auto& language : languages) {
    ASSERT_TRUE(resources.LoadLanguage(language.file));
    Type(L"edit_install_printer_name", L"LABEL (1)");
    Next();
    EXPECT_EQ(Find(L"label_show_printername_info")->Text(), language.refused) << language.file;
    Type(L"edit_install_printer_name", L"Shop");
    context.ReportPrinterNameCheck();
    EXPECT_EQ(Find(L"label_show_printername_info")->Text(), language.free) << language.file;
    EXPECT_EQ(*Find(L"label_show_printername_info")->Attribute("textcolor"), "ff0eed1e");
  }
  ASSERT_TRUE(resources.LoadLanguage("lan_en.xml"));
  Type(L"edit_install_printer_name", std::wstring(220, L'x'));
  Click(L"option_selected_defaultPrinter");
  Next();
  EXPECT_EQ(InstallPage(), 8);
  EXPECT_EQ(Find(L"label_ready_prinerDefault")->Text(), L"No");
  // Back proposes afresh but keeps the default choice.
  Back();
  EXPECT_EQ(Find(L"edit_install_printer_name")->Text(), L"LABEL (3)");
  EXPECT_FALSE(dynamic_cast<ui::Option*>(Find(L"option_selected_defaultPrinter"))->IsSelected());
  EXPECT_EQ(context.m_setDefault, 0);
}

TEST_F(WizardTest, BluetoothStopsForTheAdapterAndForABadPin) {
  // No adapter: the line says so, a box asks to check it and the wizard stays.
  Next();
  Click(L"option_port_bluetooth");
  EXPECT_TRUE(Find(L"hor_bluetooth_adapter")->IsVisible());
  EXPECT_EQ(Find(L"label_bluetooth_adapter_info")->Text(), L"tip.btadapter.none");
  Next();
  EXPECT_EQ(InstallPage(), 0);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, GetText(L"tip.btadapter.pleasechecked"));
  EXPECT_EQ(dialogs.boxes[0].flags, kBoxIconInformation);
  print.devices.presentSetupClasses.push_back(kBluetoothSetupClass);
  bluetooth.radioOn = false;
  Next();
  EXPECT_EQ(Find(L"label_bluetooth_adapter_info")->Text(), L"tip.btadapter.off");
  EXPECT_EQ(dialogs.boxes.size(), 2u);
  Click(L"option_port_lpt");
  EXPECT_FALSE(Find(L"hor_bluetooth_adapter")->IsVisible());

  // Radio on but nobody there: an empty list and no way forward but Back.
  bluetooth.radioOn = true;
  Click(L"option_port_bluetooth");
  Next();
  threads.RunPending();
  EXPECT_EQ(InstallPage(), 3);
  EXPECT_FALSE(Find(L"btn_setup_next")->IsVisible());

  Back();
  bluetooth.devices.push_back({0x001B350AFFC2, 0x40680, false, true, true, L"Label BT"});
  bluetooth.devices.push_back({0x0000000000AB, 0x680, false, false, false, L"Headset"});
  Next();
  threads.RunPending();
  EXPECT_EQ(Column(L"listex_install_show_blue", 1), std::vector<std::wstring>{L"Label BT"});
  EXPECT_EQ(Column(L"listex_install_show_blue", 2), std::vector<std::wstring>{L"00-1B-35-0A-FF-C2"});
  EXPECT_TRUE(List(L"listex_install_show_blue")->RowAt(0)->FindByName(L"label1_icon")->IsVisible());
  EXPECT_FALSE(Find(L"btn_setup_next")->IsVisible());
  ClickRow(L"listex_install_show_blue", 0);
  EXPECT_EQ(context.m_btDeviceIndex, 0);

  // The filter strips what is not a letter or digit; an empty PIN is refused on Next.
  Type(L"edit_usecustom_pin", L"12 -3\u00e44");
  EXPECT_EQ(Find(L"edit_usecustom_pin")->Text(), L"1234");
  EXPECT_EQ(context.m_btPin, L"1234");
  Type(L"edit_usecustom_pin", L"--");
  Next();
  EXPECT_EQ(InstallPage(), 3);
  EXPECT_EQ(dialogs.boxes.back().text, GetText(L"tip.pinerror"));
  Type(L"edit_usecustom_pin", L"0000");
  Next();
  EXPECT_EQ(InstallPage(), 4);
}

TEST_F(WizardTest, UsbPortTestWritesTheTextThePortAndTheFeedCommand) {
  Click(L"btn_setup_index");
  context.TestUsbPort();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, GetText(L"tip.notselectusbport"));

  AddUsbPrinter(L"USB\\VID_0483&PID_5720\\00A1", 3);
  print.devices.writableDevices.insert(L"\\\\?\\usb#USB\\VID_0483&PID_5720\\00A1");
  ChooseKind(L"option_port_usb");
  threads.RunPending();
  context.TestUsbPort();
  ASSERT_EQ(print.devices.writes.size(), 1u);
  const std::string text = files.ToAnsi(GetText(L"tip.currentportis")) + "USB003\x1b\x4a\x78";
  EXPECT_EQ(print.devices.writes[0].second, std::vector<uint8_t>(text.begin(), text.end()));
  EXPECT_EQ(dialogs.boxes.size(), 1u);  // written: the printer's output answers

  // A write that did not end within the bound is said, not passed over in silence.
  print.devices.writableDevices.clear();
  context.TestUsbPort();
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(dialogs.boxes[1].text, GetTextWith(L"tip.usbtestnoanswer", L"USB003"));
}

TEST(PrinterNames, ProposalsCountUpFromTheModelName) {
  const std::set<std::wstring> taken = {L"LABEL", L"LABEL (1)", L"LABEL (3)"};
  EXPECT_EQ(ProposePrinterName(L"LABEL", [&](const std::wstring& n) { return taken.count(n) != 0; }), L"LABEL (2)");
  EXPECT_EQ(ProposePrinterName(L"Other", [&](const std::wstring& n) { return taken.count(n) != 0; }), L"Other");
}

}  // namespace
