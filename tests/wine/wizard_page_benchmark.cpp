// How long Next takes to show the driver-model and port-list pages of a real window, against the
// spooler enumeration the port page does. A measurement, not a timed test: the figures are printed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "app/windows_win.h"
#include "printsys/spooler_queries.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"

namespace {

using WizardPageTiming = RealSkinSuite;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Next pressed, then the window painted: the time until the page is on screen.
double TimeNext(CAppContext& context, HWND window) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  context.GoNext();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end);
}

TEST_F(WizardPageTiming, NextToThePainted) {
  constexpr int kRuns = 5;
  double models = 0, ports = 0, enumeration = 0;
  for (int run = 0; run < kRuns; ++run) {
    CMainWnd window;
    HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 560, 400);
    ASSERT_NE(hwnd, nullptr);
    UpdateWindow(hwnd);
    CAppContext& context = CAppContext::Instance();
    context.m_actionChoice = 1;
    context.GoNext();  // the kind choice
    context.m_portKind = kPortCom;
    models += TimeNext(context, hwnd);
    ASSERT_EQ(dynamic_cast<ui::TabLayout*>(window.Model().FindControl(L"tab_switch_install"))->CurrentIndex(), 4);
    ports += TimeNext(context, hwnd);
    ASSERT_EQ(dynamic_cast<ui::TabLayout*>(window.Model().FindControl(L"tab_switch_install"))->CurrentIndex(), 5);

    LARGE_INTEGER start, end;
    std::vector<SpoolerEntry> listed;
    QueryPerformanceCounter(&start);
    ListPorts(listed);
    QueryPerformanceCounter(&end);
    enumeration += Milliseconds(start, end);
    DestroyWindow(hwnd);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  std::printf("Next to painted page, mean of %d: driver models %.1f ms, port list %.1f ms; "
              "the port enumeration alone %.1f ms\n",
              kRuns, models / kRuns, ports / kRuns, enumeration / kRuns);
  RecordProperty("driver_models_ms", static_cast<int>(models / kRuns));
  RecordProperty("port_list_ms", static_cast<int>(ports / kRuns));
}

}  // namespace
