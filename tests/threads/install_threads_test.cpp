// The install worker on a real thread while the user presses Home as soon as the finish row shows
// and walks the install wizard again: the worker's completion step and the UI thread's new run must
// not touch the same selections. The thread-sanitizer build runs this too.
#include <gtest/gtest.h>

#include "context/package_files.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/support/wizard_window.h"
#include "ui/resources.h"

namespace {

TEST(InstallThreads, HomeAndASecondInstallAsSoonAsTheFinishRowShows) {
  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  DefaultFakePlatform().system.version = {10, 0};
  ThreadedWizardWindow threaded;
  UiThreadSender& sender = threaded.sender;
  JoinedThreads& threads = threaded.threads;
  WizardWindow& window = threaded.window;
  ASSERT_TRUE(window.Open());
  window.context.BuildDriverModels();
  // printui puts the package's driver in place on the worker's thread, as the real one does in its
  // process.
  print.shell.effect = PrintuiInstallEffect(
      print.spooler, DefaultFakePlatform().system,
      PackageDriverVersion(ui::Resources::Instance().Archive(), L"driver\\label\\Driver64\\Ombrevia.inf"));

  // A network printer first: its completion step forgets the port it made.
  for (const wchar_t* click : {L"btn_setup_next", L"option_port_net", L"btn_setup_next", L"btn_setup_next",
                               L"btn_setup_next", L"btn_setup_next", L"btn_setup_next"}) {
    window.Click(click);
  }
  ASSERT_TRUE(sender.PumpUntil([&] { return window.Shown(L"btn_setup_index"); }));

  // Home at once and an LPT install, one message of the worker handled between two steps.
  for (const wchar_t* click : {L"btn_setup_index", L"btn_setup_next", L"option_port_lpt", L"btn_setup_next",
                               L"btn_setup_next", L"btn_setup_next", L"btn_setup_next", L"btn_setup_next"}) {
    window.Click(click);
    sender.Pump();
  }
  ASSERT_TRUE(sender.PumpUntil([&] { return threads.Finished() == 2; }));
  threads.JoinAll();
  sender.Pump();

  ASSERT_EQ(print.spooler.printers.size(), 2u);
  EXPECT_EQ(print.spooler.printers[0].name, L"LABEL");
  EXPECT_EQ(print.spooler.printers[0].portName, L"192.168.1.100");
  EXPECT_EQ(print.spooler.printers[1].name, L"LABEL (1)");
  EXPECT_EQ(print.spooler.printers[1].portName, L"LPT1:");
  EXPECT_TRUE(window.Shown(L"btn_setup_index"));
  EXPECT_TRUE(window.Shown(L"btn_setup_testpage"));
  ResetDefaultFakePrintSystem();
}

}  // namespace
