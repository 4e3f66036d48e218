// How long an LPT install by the legacy route takes on Wine's spooler, from the worker's start to the
// finish row of a real window showing the install page, against the same calls made directly: the
// driver's files, the driver, the printer, the default printer and the test page's rundll32 (the LPT
// kind prescribes no pauses). Beside it, how long the worker waits for each of its log lines. A
// measurement, not a timed test: the figures are printed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/windows_win.h"
#include "context/ui_messages.h"
#include "printsys/shell_commands.h"
#include "tests/wine/benchmark_timing.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"

namespace {

// The system as Windows 7 would report it, so that the legacy route runs whatever the prefix says.
class Windows7 : public SystemInfo {
 public:
  explicit Windows7(SystemInfo& real) : real_(real) {}
  bool QueryVersion(OsVersion& version) const override {
    version = {6, 1};
    return true;
  }
  bool IsWow64Process() const override { return real_.IsWow64Process(); }
  uint16_t UserDefaultUILanguage() const override { return real_.UserDefaultUILanguage(); }
  std::wstring SystemMessage(uint32_t code, uint16_t langId) const override { return real_.SystemMessage(code, langId); }
  std::wstring ProgramFilesFolder() const override { return real_.ProgramFilesFolder(); }
  uint32_t LastError() const override { return real_.LastError(); }
  void SetLastError(uint32_t code) override { real_.SetLastError(code); }
  void CloseHandle(SystemHandle handle) override { real_.CloseHandle(handle); }

 private:
  SystemInfo& real_;
};

void ForgetPrinterAndDriver(const std::wstring& printer) {
  DefaultPrintSystem().spooler.RemovePrinter(printer);
  DefaultPrintSystem().spooler.RemoveDriver(L"LABEL", 0, 3);
}

// The main window on the page the install runs on, its first frame and the page's slide done, as
// the user sees it after pressing Next on the summary.
HWND ShowInstallPage(CMainWnd& window) {
  HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 700, 500);
  if (hwnd == nullptr) return nullptr;
  dynamic_cast<ui::TabLayout*>(window.Model().FindControl(L"tab_switch"))->SelectItem(1);
  dynamic_cast<ui::TabLayout*>(window.Model().FindControl(L"tab_switch_install"))->SelectItem(9);
  RunMessagesFor(400);
  return hwnd;
}

using InstallTiming = RealSkinSuite;

TEST_F(InstallTiming, LptFromTheStartToTheFinishRowAgainstTheSpoolerCalls) {
  constexpr int kRuns = 5;
  Platform& real = DefaultPlatform();
  Windows7 system(real.system);
  TimedSender sender(real.messages, UM_INSTALL_LOG);
  Platform platform{system, real.files, sender, real.threads, real.dialogs};
  PrintSystem& print = DefaultPrintSystem();
  const std::wstring previousDefault = print.spooler.DefaultPrinter();
  std::vector<double> worker, direct, lines;
  for (int run = 0; run < kRuns; ++run) {
    CMainWnd window;
    HWND hwnd = ShowInstallPage(window);
    ASSERT_NE(hwnd, nullptr);
    CAppContext context(platform);
    context.m_hMainWnd = hwnd;
    context.m_portKind = kPortLpt;
    context.m_portName = L"LPT1:";
    context.m_printerName = L"LABEL timing";
    context.m_driverIndex = 0;
    context.m_setDefault = 1;  // what the printer-name page proposes
    ui::Control* finishRow = window.Model().FindControl(L"hor_btn_h1");
    ASSERT_NE(finishRow, nullptr);

    LARGE_INTEGER start = Tick();
    context.StartInstallWorker();
    MSG msg;
    while (!finishRow->IsVisible() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    worker.push_back(Milliseconds(start, Tick()));
    const std::vector<double> sent = sender.TakeTimes();
    lines.insert(lines.end(), sent.begin(), sent.end());
    EXPECT_TRUE(PrinterExists(L"LABEL timing"));
    ForgetPrinterAndDriver(L"LABEL timing");

    start = Tick();
    AddLegacyDriverDirectly(real, context.IsWow64());
    print.spooler.CreatePrinter(MakePrinterRecord(L"LABEL timing", L"LPT1:", L"LABEL"));
    print.spooler.MakeDefaultPrinter(L"LABEL timing");
    PrintTestPage(print.shell, L"LABEL timing", hwnd);
    direct.push_back(Milliseconds(start, Tick()));
    ForgetPrinterAndDriver(L"LABEL timing");
    DestroyWindow(hwnd);
    RunMessagesFor(20);
  }
  if (!previousDefault.empty()) print.spooler.MakeDefaultPrinter(previousDefault);
  std::printf("LPT install, legacy route, median of %d: worker to the finish row %.1f ms, the same calls "
              "directly %.1f ms (%.2fx)\n",
              kRuns, Median(worker), Median(direct), Median(worker) / Median(direct));
  std::printf("  the worker's wait for a log line: median %.2f ms, longest %.2f ms, over %zu lines\n", Median(lines),
              Largest(lines), lines.size());
  RecordProperty("install_ms", static_cast<int>(Median(worker)));
  RecordProperty("direct_ms", static_cast<int>(Median(direct)));
}

}  // namespace
