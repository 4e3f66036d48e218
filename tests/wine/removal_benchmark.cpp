// How much the removal log adds to a removal of fifty printers and their driver on Wine's spooler:
// the worker's run in a real window showing the removing page, from its start to the last line
// painted, against the same deletions and pauses made directly; beside it, how long the worker
// waits for each log line. A measurement, not a timed test: the figures are printed.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <numeric>

#include "app/windows_win.h"
#include "context/ui_messages.h"
#include "removal/removal_job.h"
#include "tests/wine/benchmark_timing.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"
#include "ui/edit.h"

namespace {

constexpr int kPrinters = 50;
constexpr DWORD kPauseAfterItemMs = 200;  // the worker's pause after each printer and driver

std::vector<std::wstring> MakePrinters(Platform& platform) {
  AddLegacyDriverDirectly(platform);
  std::vector<std::wstring> names;
  for (int i = 0; i < kPrinters; ++i) {
    names.push_back(L"LABEL removal " + std::to_wstring(i));
    DefaultPrintSystem().spooler.CreatePrinter(MakePrinterRecord(names.back(), L"LPT1:", L"LABEL"));
  }
  return names;
}

// Wine refuses the removal's delete flags: the driver goes with flags 0 afterwards.
void ForgetDriver() {
  DefaultPrintSystem().spooler.RemoveDriver(L"LABEL", NativeDriverEnvironment(DefaultPlatform().system), 0, 3);
}

using RemovalTiming = RealSkinSuite;

TEST_F(RemovalTiming, FiftyPrintersAndTheirDriverAgainstTheSameDeletions) {
  constexpr int kRuns = 3;
  Platform& real = DefaultPlatform();
  TimedSender sender(real.messages);
  Platform platform{real.system, real.files, sender, real.threads, real.dialogs};
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  std::vector<double> worker, direct, lines;
  for (int run = 0; run < kRuns; ++run) {
    CMainWnd window;
    HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 560, 400);
    ASSERT_NE(hwnd, nullptr);
    dynamic_cast<ui::TabLayout*>(window.Model().FindControl(L"tab_switch"))->SelectItem(2);
    dynamic_cast<ui::TabLayout*>(window.Model().FindControl(L"tab_switch_delete"))->SelectItem(3);
    RunMessagesFor(400);
    CAppContext context(platform);
    context.m_hMainWnd = hwnd;
    RemovalJob job;
    job.printers = MakePrinters(real);
    job.drivers = {L"LABEL"};
    job.installedDrivers = {{L"", L"LABEL", L""}};
    job.logShown = true;

    std::atomic<bool> done{false};
    sender.Restart();
    LARGE_INTEGER start = Tick();
    SystemHandle thread = real.threads.Start([&] {
      context.RunRemoval(job);
      done = true;
      PostMessageW(hwnd, WM_NULL, 0, 0);
    });
    ASSERT_NE(thread, nullptr);
    real.system.CloseHandle(thread);
    const auto* log = window.Model().Find<ui::RichEdit>(L"wordedit_deleteInfo_start");
    MSG msg;
    while (!(done && log->ViewUpToDate()) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // the last line's frame
    worker.push_back(Milliseconds(start, Tick()));
    const std::vector<double> sent = sender.Waits(UM_DELETE_LOG);
    lines.insert(lines.end(), sent.begin(), sent.end());
    for (const std::wstring& printer : job.printers) EXPECT_FALSE(PrinterExists(printer)) << printer;
    const std::wstring& text = log->Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 2 * kPrinters + 3) << "two lines a printer, three for the refused driver";
    ForgetDriver();
    DestroyWindow(hwnd);
    RunMessagesFor(20);

    const std::vector<std::wstring> printers = MakePrinters(real);
    start = Tick();
    for (const std::wstring& printer : printers) {
      spooler.RemovePrinter(printer);
      Sleep(kPauseAfterItemMs);
    }
    spooler.RemoveDriver(L"LABEL", NativeDriverEnvironment(real.system), kDeleteDriverUnusedFiles | kDeleteDriverSpecificVersion, 3);
    Sleep(kPauseAfterItemMs);
    direct.push_back(Milliseconds(start, Tick()));
    ForgetDriver();
  }
  const double added = Median(worker) - Median(direct);
  const double waited = std::accumulate(lines.begin(), lines.end(), 0.0) / kRuns;
  std::printf("Removal of %d printers and their driver, median of %d: the worker to the last line painted "
              "%.1f ms, the same deletions and pauses directly %.1f ms: the log adds %.1f ms\n",
              kPrinters, kRuns, Median(worker), Median(direct), added);
  std::printf("  the worker's wait for a log line: median %.2f ms, longest %.2f ms, %.1f ms in all over %zu lines\n",
              Median(lines), Largest(lines), waited, lines.size() / kRuns);
  RecordProperty("log_adds_ms", static_cast<int>(added));
}

}  // namespace
