// Process entry: COM and OLE, the skin package, the languages, the main window and its message loop,
// then the orderly end, or an immediate one while a worker still runs. Workers are not waited for.
// Exit code 0, 1618 when another run of the program holds the machine, 11 on a machine the package
// has no driver for (ARM64), or 1 when the main window cannot be created (or, from the framework,
// when its layout cannot be loaded). With arguments, the command line's run and its exit code instead.
#include <objbase.h>
#include <ole2.h>
#include <windows.h>

#include "app/localisation.h"
#include "app/process_end_win.h"
#include "app/command_line.h"
#include "app/unattended_win.h"
#include "app/single_instance_win.h"
#include "app/skin_package.h"
#include "app/startup_trace_win.h"
#include "app/windows_win.h"
#include "context/app_context.h"
#include "controls/custom_controls.h"
#include "ui/resources.h"
#include "ui/startup_trace.h"
#include "context/system_error.h"
#include "ui/utf.h"
#include "ui/win/gdiplus_graphics_win.h"
#include "ui/win/system_library_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int) {
  ui::RestrictLibrarySearchToSystemFolder();  // before anything loads a library: COM, GDI+, the spooler
  RecordStartupWhenAsked();
  ui::MarkStartup("main");
  if (FAILED(CoInitialize(nullptr))) return 0;
  OleInitialize(nullptr);
  ui::MarkStartup("com");  // the system's first window is made here, for COM's own use
  int exitCode = 0;
  {
    ui::GdiplusSession gdiplus;
    ui::MarkStartup("gdiplus");
    ui::Resources& resources = ui::Resources::Instance();
    resources.SetInstanceHandle(instance);
    AttachSkinPackage(instance, resources);
    ui::MarkStartup("skin");
    RegisterCustomControls();
    RegisterLanguages(CAppContext::Instance());

    // With arguments the program is the unattended installer; without, the wizard. One run at a time.
    const std::vector<std::wstring> arguments = SplitCommandLine(commandLine != nullptr ? commandLine : L"");
    const SingleInstanceLock lock;
    if (!lock.First()) {
      const LanguageInfo language = CAppContext::Instance().DetectLanguage();
      resources.LoadLanguage(ui::WideToUtf8(language.file));
      exitCode = RefuseSecondRun(arguments);
    } else if (!arguments.empty()) {
      const LanguageInfo language = CAppContext::Instance().DetectLanguage();
      resources.LoadLanguage(ui::WideToUtf8(language.file));
      SetErrorTextLanguage(language.langId);
      exitCode = RunCommandLine(arguments);
    } else if (const Machine machine = DefaultPlatform().system.NativeMachine();
               DriverEnvironment(machine).empty()) {
      // No driver of this package runs here (ARM64): say so before anything is offered.
      const LanguageInfo language = CAppContext::Instance().DetectLanguage();
      resources.LoadLanguage(ui::WideToUtf8(language.file));
      MessageBoxW(nullptr, NoPackageText(machine).c_str(), GetText(L"tip.dlgtitle").c_str(), MB_ICONERROR);
      exitCode = kExitNoPackage;
    } else {
      auto* mainWindow = new CMainWnd;
      exitCode = RunMainWindow(*mainWindow, ShowNoMainWindowBox);
      EndAtOnceIfWorkersRun(exitCode);  // closed during a run: the worker keeps what it reads
      delete mainWindow;
    }
    resources.Shutdown();
  }
  OleUninitialize();
  CoUninitialize();
  return exitCode;
}
