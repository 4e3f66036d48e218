// How long an LPT install by the legacy route takes on Wine's spooler, from the worker's start to the
// finish row of a real window showing the install page, against the same calls made directly: the
// driver's files, the driver, the printer, the default printer and the test page's rundll32 (the LPT
// kind prescribes no pauses). Beside it, how long the worker waits for each of its log lines. A
// measurement, not a timed test: the figures are printed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/windows_win.h"
#include "context/package_files.h"
#include "context/ui_messages.h"
#include "printsys/print_system.h"
#include "printsys/shell_commands.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"
#include "tests/support/zip_builder.h"
#include "tests/wine/benchmark_timing.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"
#include "ui/edit.h"
#include "ui/resources.h"

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
  Machine NativeMachine() const override { return real_.NativeMachine(); }
  std::wstring WindowsFolder() const override { return real_.WindowsFolder(); }
  std::wstring SystemFolder() const override { return real_.SystemFolder(); }
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
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printer).c_str());
  DefaultPrintSystem().spooler.RemoveDriver(L"LABEL", NativeDriverEnvironment(DefaultPlatform().system), 0,
                                            3);
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

// The stages of one run: the worker's time between its log lines (the work of each step), then the
// log lines' own waits, against the same calls made directly.
const char* const kStages[] = {"thread start", "driver folder", "driver files", "driver",
                               "printer", "default printer, test page", "finish row painted", "log lines"};
constexpr size_t kStageCount = sizeof(kStages) / sizeof(kStages[0]);

// Work between the log lines: from the end of one send to the start of the next.
std::vector<double> WorkerStages(const std::vector<TimedSender::Mark>& marks, double total) {
  std::vector<const TimedSender::Mark*> lines;
  const TimedSender::Mark* firstAfterLines = nullptr;
  double waits = 0;
  for (const TimedSender::Mark& mark : marks) {
    if (mark.message == UM_INSTALL_LOG) {
      lines.push_back(&mark);
      waits += mark.took;
    } else if (!lines.empty() && firstAfterLines == nullptr) {
      firstAfterLines = &mark;
    }
  }
  // The clear, then two lines a step, and the files' folder after the copy.
  if (lines.size() != 8 || firstAfterLines == nullptr) return {};
  const auto between = [](const TimedSender::Mark* from, const TimedSender::Mark* to) {
    return to->at - (from->at + from->took);
  };
  return {lines[0]->at,
          between(lines[0], lines[1]),
          between(lines[1], lines[2]),
          between(lines[4], lines[5]),
          between(lines[6], lines[7]),
          between(lines[7], firstAfterLines),
          total - firstAfterLines->at,
          waits};
}

using InstallTiming = RealSkinSuite;

TEST_F(InstallTiming, LptFromTheStartToTheFinishRowAgainstTheSpoolerCalls) {
  constexpr int kRuns = 5;
  Platform& real = DefaultPlatform();
  Windows7 system(real.system);
  // The legacy route refuses a test build's Unidrv stand-ins: the run takes the package as a
  // distribution build packs it (the spooler never loads these files).
  static const std::vector<uint8_t> genuine = WithGenuineUnidrvFiles(ui::Resources::Instance().Archive());
  ASSERT_TRUE(ui::Resources::Instance().AttachArchive(genuine.data(), genuine.size()));
  TimedSender sender(real.messages);
  Platform platform{system, real.files, sender, real.threads, real.dialogs};
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  const std::wstring previousDefault = spooler.DefaultPrinter();
  std::vector<double> worker, direct, lines;
  std::vector<double> workerStages[kStageCount], directStages[kStageCount];
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

    sender.Restart();
    LARGE_INTEGER start = Tick();
    context.StartInstallWorker();
    // Until the finish row and the last log line are shown and painted: the frame that shows the
    // row lays it out, and the log takes its lines at a frame.
    const auto* log = window.Model().Find<ui::RichEdit>(L"wordedit_installInfo");
    MSG msg;
    while (!(finishRow->IsVisible() && !window.Model().NeedsLayout() && log->ViewUpToDate()) &&
           GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    worker.push_back(Milliseconds(start, Tick()));
    const std::vector<double> waits = sender.Waits(UM_INSTALL_LOG);
    lines.insert(lines.end(), waits.begin(), waits.end());
    const std::vector<double> stages = WorkerStages(sender.Marks(), worker.back());
    EXPECT_EQ(stages.size(), kStageCount) << "the worker's messages changed: the stages no longer fit";
    for (size_t i = 0; i < stages.size(); ++i) workerStages[i].push_back(stages[i]);
    EXPECT_TRUE(PrinterExists(L"LABEL timing"));
    ForgetPrinterAndDriver(L"LABEL timing");

    // The same calls directly, each its own stage.
    const DriverModelInfo model = MakeLegacyDriverModel();
    const bool x64 = real.system.NativeMachine() == Machine::kX64;
    const std::wstring environment = NativeDriverEnvironment(real.system);
    LARGE_INTEGER mark = Tick();
    const auto stage = [&](size_t index) {
      const LARGE_INTEGER now = Tick();
      directStages[index].push_back(Milliseconds(mark, now));
      mark = now;
    };
    start = mark;
    const std::wstring folder = GetDriverDirectory(spooler, environment);
    stage(1);
    std::vector<wchar_t> dependentFiles;
    for (const std::wstring& file : x64 ? model.legacy64Files : model.legacy32Files) {
      ExtractSkinFile(ui::Resources::Instance().Archive(), real.files, real.system, file, folder, dependentFiles);
      dependentFiles.push_back(L'\0');
    }
    dependentFiles.push_back(L'\0');
    stage(2);
    spooler.AddDriver(MakeLegacyDriverRecord(model, dependentFiles, environment), kAddDriverCopyNewFiles);
    stage(3);
    spooler.CreatePrinter(MakePrinterRecord(L"LABEL timing", L"LPT1:", L"LABEL"));
    stage(4);
    spooler.MakeDefaultPrinter(L"LABEL timing");
    PrintTestPage(DefaultPrintSystem().shell, real.system, L"LABEL timing", hwnd, false);
    stage(5);
    direct.push_back(Milliseconds(start, mark));
    ForgetPrinterAndDriver(L"LABEL timing");
    DestroyWindow(hwnd);
    RunMessagesFor(20);
  }
  if (!previousDefault.empty()) spooler.MakeDefaultPrinter(previousDefault);
  std::printf("LPT install, legacy route, median of %d: worker to the finish row %.1f ms, the same calls "
              "directly %.1f ms (%.2fx)\n",
              kRuns, Median(worker), Median(direct), Median(worker) / Median(direct));
  for (size_t i = 0; i < kStageCount; ++i) {
    std::printf("  %-28s worker %6.1f ms, directly %6.1f ms\n", kStages[i], Median(workerStages[i]),
                Median(directStages[i]));
  }
  std::printf("  the worker's wait for a log line: median %.2f ms, longest %.2f ms, over %zu lines\n", Median(lines),
              Largest(lines), lines.size());
  RecordProperty("install_ms", static_cast<int>(Median(worker)));
  RecordProperty("direct_ms", static_cast<int>(Median(direct)));
}

}  // namespace
