// The delete pages and the removal worker walked as a user clicks them, on the package's real
// layouts: the controller handles every message at once, the spooler is the fake, and the worker's
// body runs when the test says, after the page that started it has returned.
#include <gtest/gtest.h>

#include "app/localisation.h"
#include "context/system_error.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/support/wizard_window.h"
#include "ui/container.h"
#include "ui/edit.h"
#include "ui/label.h"

namespace {

const wchar_t kPrinters[] = L"listex_delete_printer";
const wchar_t kDrivers[] = L"listex_delete_driver";
using Names = std::vector<std::wstring>;

struct LogLine {
  std::wstring text;
  bool alert;
  bool operator==(const LogLine& o) const { return text == o.text && alert == o.alert; }
};
std::ostream& operator<<(std::ostream& out, const LogLine& line) {
  return out << std::string(line.text.begin(), line.text.end()) << (line.alert ? " (red)" : "");
}

class RemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system.version = {10, 0};
    system.versionQueryFails = false;
    system.lastError = 0;
    sender.target = &window.controller;
    ASSERT_TRUE(window.Open());
  }
  void TearDown() override { ResetDefaultFakePrintSystem(); }  // later suites expect an empty spooler

  void Next() { window.Click(L"btn_setup_next"); }
  void Back() { window.Click(L"btn_setup_previous"); }
  void OpenDeletePages() {
    window.Click(L"option_delete");
    Next();
  }
  ui::Option* Option(const wchar_t* name) { return dynamic_cast<ui::Option*>(window.Find(name)); }
  void SetShowAll(const wchar_t* option, bool on) {
    if (Option(option)->IsSelected() != on) window.Click(option);
  }
  void Search(const std::wstring& text) {
    window.model.Find<ui::Edit>(L"edit_find_deletePrinter")->OnNativeTextChanged(text);
  }
  bool NextEnabled() {
    return window.Shown(L"btn_setup_next") && window.Find(L"btn_setup_next")->IsEnabled();
  }
  std::wstring Summary() { return window.Find(L"wordedit_deleteInfo")->Text(); }
  // The removal log as sent, after the line that emptied it.
  std::vector<LogLine> Log() const {
    std::vector<LogLine> lines;
    for (const SentMessage& sent : sender.sent) {
      if (sent.message != UM_DELETE_LOG) continue;
      if (sent.notice.clear) {
        lines.clear();
      } else {
        lines.push_back({sent.notice.text, sent.notice.alert});
      }
    }
    return lines;
  }
  void AddPrinter(const std::wstring& name, const std::wstring& driver) {
    print.spooler.AddPrinterEntry(name, driver, L"COM1:");
  }

  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  FakeSystemInfo& system = DefaultFakePlatform().system;
  DispatchingSender sender;
  FakeThreadStarter threads;
  WizardWindow window{sender, threads};
};

TEST_F(RemovalTest, ListsShowTheOwnDriverUnlessShowAllAndSearchByTheDriverName) {
  AddPrinter(L"Shop label", L"LABEL");
  AddPrinter(L"Second", L"LABEL 2");
  AddPrinter(L"Partial", L"LAB");  // part of the own name, but another driver
  AddPrinter(L"Office", L"Generic / Text Only");
  AddPrinter(L"Nameless", L"");
  for (const wchar_t* driver : {L"LABEL", L"LABEL 2", L"LAB", L"Generic / Text Only"}) {
    print.spooler.AddDriverEntry(driver, L"Windows x64", L"");
  }
  Option(L"option_showAll_deleteDriver")->Selected(true, false);  // the lists start filtered anyway

  struct Case {
    bool showAll;
    const wchar_t* search;
    Names listed;
  };
  const Case cases[] = {
      {false, L"", {L"Shop label"}},
      {true, L"", {L"Shop label", L"Second", L"Partial", L"Office", L"Nameless"}},
      {true, L"label", {L"Shop label", L"Second"}},
      {true, L"lAbEl 2", {L"Second"}},
      {false, L"LABEL 2", {}},
      {true, L"shop", {}},  // the printer's own name is not searched
  };
  OpenDeletePages();
  for (const Case& c : cases) {
    SetShowAll(L"option_showAll_deletePrinter", c.showAll);
    Search(c.search);
    EXPECT_EQ(window.RowNames(kPrinters), c.listed) << (&c - cases);
  }

  Next();
  EXPECT_FALSE(Option(L"option_showAll_deleteDriver")->IsSelected());
  EXPECT_EQ(window.RowNames(kDrivers), Names{L"LABEL"});
  window.Click(L"option_showAll_deleteDriver");
  EXPECT_EQ(window.RowNames(kDrivers), (Names{L"LABEL", L"LABEL 2", L"LAB", L"Generic / Text Only"}));
  // The choice holds on the next visit.
  Back();
  Next();
  EXPECT_TRUE(Option(L"option_showAll_deleteDriver")->IsSelected());
  EXPECT_EQ(window.RowNames(kDrivers).size(), 4u);
}

TEST_F(RemovalTest, EachClickMarksOnceAndMarksGoByWholeNames) {
  AddPrinter(L"Label", L"LABEL");
  AddPrinter(L"Label 2", L"LABEL");
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"");
  print.spooler.AddDriverEntry(L"LABEL 2", L"Windows x64", L"");
  OpenDeletePages();

  window.ClickRow(kPrinters, L"Label");
  window.ClickCheckBox(kPrinters, L"Label 2");  // the row click that follows must not undo it
  EXPECT_EQ(window.MarkedRowNames(kPrinters), (Names{L"Label", L"Label 2"}));
  EXPECT_EQ(window.context.m_selectedPrinters, (Names{L"Label", L"Label 2"}));
  window.ClickCheckBox(kPrinters, L"Label");
  EXPECT_EQ(window.context.m_selectedPrinters, Names{L"Label 2"});
  Search(L"");  // refilled: Label is not marked because Label 2 is
  EXPECT_EQ(window.MarkedRowNames(kPrinters), Names{L"Label 2"});
  window.ClickRow(kPrinters, L"Label 2");
  EXPECT_TRUE(window.context.m_selectedPrinters.empty());

  Next();
  window.Click(L"option_showAll_deleteDriver");
  window.ClickCheckBox(kDrivers, L"LABEL 2");
  Back();
  Next();
  EXPECT_EQ(window.MarkedRowNames(kDrivers), Names{L"LABEL 2"});
  window.ClickRow(kDrivers, L"LABEL 2");
  EXPECT_TRUE(window.context.m_selectedDrivers.empty());
  EXPECT_TRUE(window.MarkedRowNames(kDrivers).empty());
}

TEST_F(RemovalTest, SummaryTakesThePrintersOfExactlyTheChosenDriver) {
  AddPrinter(L"Shop label", L"LABEL");
  AddPrinter(L"Other", L"LABEL 2");
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"");
  OpenDeletePages();
  EXPECT_EQ(window.Find(L"btn_setup_next")->Text(), L"main.btn.next");
  Next();
  EXPECT_EQ(window.Find(L"btn_setup_next")->Text(), L"main.btn.next");
  Next();
  EXPECT_EQ(window.Find(L"btn_setup_next")->Text(), L"main.btn.startDelete");
  EXPECT_FALSE(NextEnabled());
  EXPECT_EQ(Summary(), L"Printer:\r\nDriver:\r\n");

  Back();
  window.ClickRow(kDrivers, L"LABEL");
  Next();
  EXPECT_TRUE(NextEnabled());
  EXPECT_EQ(Summary(), L"Printer:\r\n     Shop label\r\nDriver:\r\n     LABEL\r\n");
  // Written in the page's face and the logs' text size, not the rich edit's smaller default.
  const auto& runs = window.model.Find<ui::RichEdit>(L"wordedit_deleteInfo")->Runs();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].format.heightTwips, kLogTextTwips);
  EXPECT_EQ(runs[0].format.face, kLayoutFace);
  // The printer taken along stays marked on the way back.
  Back();
  Back();
  EXPECT_EQ(window.MarkedRowNames(kPrinters), Names{L"Shop label"});
}

TEST_F(RemovalTest, WorkerDeletesPrintersThenDriversAndReportsEveryFailure) {
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"C:\\store\\label.inf");
  print.spooler.AddDriverEntry(L"Zeta", L"Windows x64", L"");
  print.spooler.AddDriverEntry(L"alpha", L"Windows x64", L"C:\\store\\alpha.inf");
  print.spooler.AddDriverEntry(L"Beta", L"Windows x64", L"C:\\store\\beta_old.inf");
  print.spooler.AddDriverEntry(L"Beta", L"Windows x64", L"C:\\store\\beta_new.inf");
  print.spooler.driverPackages = {L"C:\\store\\label.inf", L"C:\\store\\alpha.inf",
                                  L"C:\\store\\beta_old.inf", L"C:\\store\\beta_new.inf"};
  AddPrinter(L"Shop label", L"LABEL");
  AddPrinter(L"Back office", L"LABEL");
  AddPrinter(L"Gamma", L"Zeta");
  print.spooler.deletePrinterErrors[L"Back office"] = 5;
  system.messages[{5, ErrorTextLanguage()}] = L"Access is denied.";
  system.messages[{3001, ErrorTextLanguage()}] = L"Driver in use.";
  system.messages[{3015, ErrorTextLanguage()}] = L"Package in use.";

  OpenDeletePages();
  window.ClickRow(kPrinters, L"Back office");
  window.ClickRow(kPrinters, L"Shop label");
  Next();
  window.Click(L"option_showAll_deleteDriver");
  for (const wchar_t* driver : {L"Zeta", L"alpha", L"Beta", L"LABEL"}) window.ClickRow(kDrivers, driver);
  Next();
  const size_t startAt = sender.sent.size();
  Next();
  // The worker has its copies: the wizard's own selection is empty before it runs.
  EXPECT_TRUE(window.context.m_selectedPrinters.empty() && window.context.m_selectedDrivers.empty());
  EXPECT_EQ(window.Find(L"label_delete_heading")->Text(), L"tab.delete.title.deleting");
  ASSERT_EQ(threads.RunPending(), 1);
  EXPECT_EQ(window.Find(L"label_delete_heading")->Text(), L"tab.delete.title.deletefailed");

  const std::vector<LogLine> expected = {
      {L"Start deleting the printer: Back office", false},
      {L"Delete: Back office failed", true},
      {L"Reason for failure: Access is denied. (5)", true},
      {L"Start deleting the printer: Shop label", false},
      {L"Delete: Shop label successfully", false},
      {L"Start deleting the printer: Gamma", false},  // taken along by its driver Zeta
      {L"Delete: Gamma successfully", false},
      // Drivers in code-unit order. Of the two Beta entries the later one's package is asked for,
      // and it is still used by the Beta that stays, so it is refused under the driver's name.
      {L"Start deleting the driver: Beta", false},
      {L"Delete: Beta successfully", false},
      {L"Start deleting the package: Beta", false},
      {L"Delete: Beta failed", true},
      {L"Reason for failure: Package in use. (3015)", true},
      {L"Start deleting the driver: LABEL", false},  // Back office still uses it: no package step
      {L"Delete: LABEL failed", true},
      {L"Reason for failure: Driver in use. (3001)", true},
      {L"Start deleting the driver: Zeta", false},  // no INF path, no package step
      {L"Delete: Zeta successfully", false},
      {L"Start deleting the driver: alpha", false},
      {L"Delete: alpha successfully", false},
      {L"Start deleting the package: alpha", false},
      {L"Delete: alpha successfully", false},
  };
  EXPECT_EQ(Log(), expected);
  EXPECT_EQ(print.spooler.driverPackages,
            (std::set<std::wstring>{L"C:\\store\\label.inf", L"C:\\store\\beta_old.inf",
                                    L"C:\\store\\beta_new.inf"}));
  EXPECT_EQ(print.pause.sleeps, std::vector<uint32_t>(7, 200));

  // Rows: the step row hidden and then the finish row shown at the start, and nothing shown again at
  // the end, when Home may already have been pressed.
  std::vector<std::pair<uint32_t, uintptr_t>> rows;
  for (size_t i = startAt; i < sender.sent.size(); ++i) {
    const SentMessage& sent = sender.sent[i];
    if (sent.message != UM_DELETE_LOG && sent.message != UM_NEXT_BUTTON &&
        sent.message != UM_PREVIOUS_BUTTON) {
      rows.emplace_back(sent.message, sent.wParam);
    }
  }
  const std::vector<std::pair<uint32_t, uintptr_t>> expectedRows = {
      {UM_SHOW_FINISH_BAR, 0}, {UM_SHOW_PRINTER_ACTIONS, 0}, {UM_DELETE_BUSY, 1},
      {UM_SHOW_PRINTER_ACTIONS, 0}, {UM_SHOW_STEP_BAR, 0}, {UM_SHOW_FINISH_BAR, 1},
      {UM_DELETE_BUSY, 0}};
  EXPECT_EQ(rows, expectedRows);
  EXPECT_TRUE(window.Shown(L"btn_setup_index"));

  window.Click(L"btn_setup_index");
  OpenDeletePages();
  EXPECT_EQ(window.RowNames(kPrinters), Names{L"Back office"});
  EXPECT_TRUE(window.MarkedRowNames(kPrinters).empty());
  EXPECT_TRUE(window.context.m_selectedPrinters.empty() && window.context.m_selectedDrivers.empty());
}

// A connection to a shared queue is marked as one and ended here: DeletePrinter on it would delete
// the queue on the server for every user.
TEST_F(RemovalTest, AConnectionIsMarkedAndEndedNotDeletedOnItsServer) {
  print.spooler.connections.push_back({L"\\\\server\\Labels", L"LABEL"});
  AddPrinter(L"Shop label", L"LABEL");
  OpenDeletePages();
  const std::wstring marked = GetTextWith(L"tab.delete.connection", L"\\\\server\\Labels");
  EXPECT_EQ(window.RowNames(kPrinters), (Names{L"Shop label", marked}));
  window.ClickRow(kPrinters, marked);
  EXPECT_EQ(window.MarkedRowNames(kPrinters), Names{marked});
  Next();
  Next();
  EXPECT_NE(Summary().find(L"\\\\server\\Labels"), std::wstring::npos);
  Next();
  threads.RunPending();
  EXPECT_EQ(Log(), (std::vector<LogLine>{{GetTextWith(L"tip.startdeleteprinter", L"\\\\server\\Labels"), false},
                                         {GetTextWith(L"tip.deletesuccess", L"\\\\server\\Labels"), false}}));
  EXPECT_TRUE(print.spooler.connections.empty());
  EXPECT_TRUE(print.spooler.deletedServerQueues.empty());
  EXPECT_EQ(print.spooler.printers.size(), 1u);
}

TEST_F(RemovalTest, DriverPackagesAreDeletedFromVersion6Only) {
  struct Case {
    OsVersion version;
    bool queryFails;
    bool packageStep;
  };
  const Case cases[] = {{{5, 1}, false, false}, {{10, 0}, true, false}, {{6, 0}, false, true}};
  for (const Case& c : cases) {
    print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"C:\\store\\label.inf");
    print.spooler.driverPackages.insert(L"C:\\store\\label.inf");
    system.version = {10, 0};
    system.versionQueryFails = false;
    window.Click(L"btn_setup_index");
    OpenDeletePages();
    Next();
    window.ClickRow(kDrivers, L"LABEL");
    Next();
    Next();
    // The driver page listed the INF path; the worker asks the version for itself.
    system.version = c.version;
    system.versionQueryFails = c.queryFails;
    threads.RunPending();
    std::vector<LogLine> expected = {{L"Start deleting the driver: LABEL", false},
                                     {L"Delete: LABEL successfully", false}};
    if (c.packageStep) {
      expected.push_back({L"Start deleting the package: LABEL", false});
      expected.push_back({L"Delete: LABEL successfully", false});
      // The package of the test build went: so does the trust in its test certificate.
      expected.push_back({L"Test certificate removed from the certificate store Root", false});
      expected.push_back({L"Test certificate removed from the certificate store TrustedPublisher", false});
    }
    EXPECT_EQ(Log(), expected) << (&c - cases);
    EXPECT_EQ(window.Find(L"label_delete_heading")->Text(), L"tab.delete.title.deletedone");
  }
  EXPECT_TRUE(print.spooler.driverPackages.empty());
}

}  // namespace
