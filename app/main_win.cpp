// Process entry: COM and OLE, the skin package, the languages, the main window and its message loop,
// then the orderly end, or an immediate one while a worker still runs. Workers are not waited for.
#include <objbase.h>
#include <ole2.h>
#include <windows.h>

#include "app/localisation.h"
#include "app/process_end_win.h"
#include "app/skin_package.h"
#include "app/windows_win.h"
#include "context/app_context.h"
#include "controls/custom_controls.h"
#include "ui/resources.h"
#include "ui/win/gdiplus_graphics_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  if (FAILED(CoInitialize(nullptr))) return 0;
  OleInitialize(nullptr);
  {
    ui::GdiplusSession gdiplus;
    ui::Resources& resources = ui::Resources::Instance();
    resources.SetInstanceHandle(instance);
    AttachSkinPackage(instance, resources);
    RegisterCustomControls();
    RegisterLanguages(CAppContext::Instance());

    auto* mainWindow = new CMainWnd;
    mainWindow->Create(nullptr, L"printer driver", WS_VISIBLE | WS_OVERLAPPEDWINDOW, 0, 0, 0, 560, 400);
    mainWindow->CenterWindow();
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    EndAtOnceIfWorkersRun(0);  // closed during a run: the worker keeps what it reads
    delete mainWindow;
    resources.Shutdown();
  }
  OleUninitialize();
  CoUninitialize();
  return 0;
}
