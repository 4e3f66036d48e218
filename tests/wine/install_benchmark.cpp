// How long an LPT install by the legacy route takes on Wine's spooler, from the worker's start to the
// finish row of a real window, against the same spooler calls made directly (the LPT kind prescribes
// no pauses). A measurement, not a timed test: the figures are printed.
#include <windows.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "app/windows_win.h"
#include "context/package_files.h"
#include "printsys/print_system.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"
#include "tests/support/zip_builder.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"
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

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Wine cannot open (so cannot delete) a printer without a data type: its registry key goes instead.
void ForgetPrinterAndDriver(const std::wstring& printer) {
  DefaultPrintSystem().spooler.RemovePrinter(printer);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, (L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printer).c_str());
  DefaultPrintSystem().spooler.RemoveDriver(L"LABEL", NativeDriverEnvironment(DefaultPlatform().system), 0,
                                            3);
}

using InstallTiming = RealSkinSuite;

TEST_F(InstallTiming, LptFromTheStartToTheFinishRowAgainstTheSpoolerCalls) {
  constexpr int kRuns = 3;
  Platform& real = DefaultPlatform();
  Windows7 system(real.system);
  Platform platform{system, real.files, real.messages, real.threads, real.dialogs};
  // The legacy route refuses a test build's Unidrv stand-ins: the run takes the package as a
  // distribution build packs it (the spooler never loads these files).
  static const std::vector<uint8_t> genuine = WithGenuineUnidrvFiles(ui::Resources::Instance().Archive());
  ASSERT_TRUE(ui::Resources::Instance().AttachArchive(genuine.data(), genuine.size()));
  double worker = 0, direct = 0;
  for (int run = 0; run < kRuns; ++run) {
    CMainWnd window;
    HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 700, 500);
    ASSERT_NE(hwnd, nullptr);
    CAppContext context(platform);
    context.m_hMainWnd = hwnd;
    context.m_portKind = kPortLpt;
    context.m_portName = L"LPT1:";
    context.m_printerName = L"LABEL timing";
    context.m_driverIndex = 0;
    ui::Control* finishRow = window.Model().FindControl(L"hor_btn_h1");
    ASSERT_NE(finishRow, nullptr);

    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    context.StartInstallWorker();
    MSG msg;
    while (!finishRow->IsVisible() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    QueryPerformanceCounter(&end);
    worker += Milliseconds(start, end);
    EXPECT_TRUE(PrinterExists(L"LABEL timing"));
    ForgetPrinterAndDriver(L"LABEL timing");

    PrintSpooler& spooler = DefaultPrintSystem().spooler;
    const DriverModelInfo model = MakeLegacyDriverModel();
    const bool x64 = real.system.NativeMachine() == Machine::kX64;
    const std::vector<std::wstring>& files = x64 ? model.legacy64Files : model.legacy32Files;
    const std::wstring environment = NativeDriverEnvironment(real.system);
    QueryPerformanceCounter(&start);
    const std::wstring folder = GetDriverDirectory(spooler, environment);
    std::vector<wchar_t> dependentFiles;
    for (const std::wstring& file : files) {
      ExtractSkinFile(ui::Resources::Instance().Archive(), real.files, real.system, file, folder, dependentFiles);
      dependentFiles.push_back(L'\0');
    }
    dependentFiles.push_back(L'\0');
    spooler.AddDriver(MakeLegacyDriverRecord(model, dependentFiles, environment), kAddDriverCopyNewFiles);
    spooler.CreatePrinter(MakePrinterRecord(L"LABEL timing", L"LPT1:", L"LABEL"));
    QueryPerformanceCounter(&end);
    direct += Milliseconds(start, end);
    ForgetPrinterAndDriver(L"LABEL timing");
    DestroyWindow(hwnd);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  std::printf("LPT install, legacy route, mean of %d: worker to the finish row %.1f ms, the same calls "
              "directly %.1f ms\n",
              kRuns, worker / kRuns, direct / kRuns);
}

}  // namespace
