// The removal worker on a real thread while the user presses Home as soon as it shows and walks the
// delete pages again: the UI thread refills and changes the selections and the installed-driver
// list while the worker deletes. The thread-sanitizer build runs this too.
#include <gtest/gtest.h>

#include "tests/fakes/fake_print_system.h"
#include "tests/support/wizard_window.h"

namespace {

TEST(RemovalThreads, HomeAndANewVisitOfTheDeletePagesWhileTheWorkerRuns) {
  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  DefaultFakePlatform().system.version = {10, 0};
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"C:\\store\\label.inf");
  print.spooler.AddDriverEntry(L"Generic", L"Windows x64", L"");
  print.spooler.driverPackages.insert(L"C:\\store\\label.inf");
  constexpr int kPrinters = 12;
  for (int i = 0; i < kPrinters; ++i)
    print.spooler.AddPrinterEntry(L"Label " + std::to_wstring(i), L"LABEL", L"COM1:");
  print.spooler.AddPrinterEntry(L"Keep", L"Generic", L"COM1:");

  ThreadedWizardWindow threaded;
  UiThreadSender& sender = threaded.sender;
  JoinedThreads& threads = threaded.threads;
  WizardWindow& window = threaded.window;
  ASSERT_TRUE(window.Open());

  // First visit: every printer on LABEL, and the driver.
  window.Click(L"option_delete");
  window.Click(L"btn_setup_next");
  for (int i = 0; i < kPrinters; ++i)
    window.ClickRow(L"listex_delete_printer", L"Label " + std::to_wstring(i));
  window.Click(L"btn_setup_next");
  window.ClickRow(L"listex_delete_driver", L"LABEL");
  window.Click(L"btn_setup_next");
  window.Click(L"btn_setup_next");
  ASSERT_TRUE(sender.PumpUntil([&] { return window.Shown(L"btn_setup_index"); }));

  // Home at once, and a second visit that marks another printer, one message of the worker
  // handled between two steps.
  const std::function<void()> steps[] = {
      [&] { window.Click(L"btn_setup_index"); },
      [&] { window.Click(L"btn_setup_next"); },
      [&] { window.Click(L"option_showAll_deletePrinter"); },
      [&] { window.ClickRow(L"listex_delete_printer", L"Keep"); },
      [&] { window.Click(L"btn_setup_next"); },
      [&] { window.Click(L"btn_setup_previous"); },
      [&] { window.Click(L"btn_setup_next"); },
      [&] { window.Click(L"btn_setup_next"); },
  };
  for (const auto& step : steps) {
    step();
    sender.Pump();
  }
  ASSERT_TRUE(sender.PumpUntil([&] { return threads.Finished() == 1; }));
  threads.JoinAll();

  EXPECT_EQ(print.spooler.printers.size(), 1u);
  EXPECT_EQ(print.spooler.drivers.size(), 1u);
  EXPECT_TRUE(print.spooler.driverPackages.empty());
  const std::wstring log = window.Find(L"wordedit_deleteInfo_start")->Text();
  EXPECT_NE(log.find(L"Delete: Label 11 successfully"), std::wstring::npos);
  EXPECT_EQ(log.find(L"failed"), std::wstring::npos);
  // The worker's end leaves the second visit alone: its mark, its summary page and its buttons.
  EXPECT_EQ(window.context.m_selectedPrinters, std::vector<std::wstring>{L"Keep"});
  EXPECT_TRUE(window.Shown(L"btn_setup_next"));
  EXPECT_FALSE(window.Shown(L"btn_setup_index"));
  ResetDefaultFakePrintSystem();
}

}  // namespace
