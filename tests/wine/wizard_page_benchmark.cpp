// How long Next takes to show each install and delete page of a real window, painted, against the
// spooler calls that page makes itself (enumerations, name checks), made directly. A measurement,
// not a timed test: the figures are printed, a page's own share beside its floor.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/windows_win.h"
#include "printsys/print_system.h"
#include "printsys/spooler_queries.h"
#include "tests/wine/benchmark_timing.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"
#include "wizard/port_pages.h"
#include "wizard/printer_name.h"

namespace {

using WizardPageTiming = RealSkinSuite;

struct PageTiming {
  std::string page;
  std::vector<double> painted, frame, spooler;
};

// The pages of one run, Next by Next; each figure goes to its page's row.
class PageWalk {
 public:
  PageWalk(std::vector<PageTiming>& table, CAppContext& context, HWND window)
      : table_(table), context_(context), window_(window) {}

  // Next pressed, then the window painted; then the spooler calls of that page, timed directly.
  void Next(const char* page, ui::Control* tab, int index, const std::function<void()>& spoolerCalls = {}) {
    LARGE_INTEGER start = Tick();
    context_.GoNext();
    const LARGE_INTEGER changed = Tick();
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const double painted = Milliseconds(start, Tick()), frame = Milliseconds(changed, Tick());
    EXPECT_EQ(dynamic_cast<ui::TabLayout*>(tab)->CurrentIndex(), index) << page;
    double spooler = 0;
    if (spoolerCalls) {
      start = Tick();
      spoolerCalls();
      spooler = Milliseconds(start, Tick());
    }
    Row(page).painted.push_back(painted);
    Row(page).frame.push_back(frame);
    Row(page).spooler.push_back(spooler);
    RunMessagesFor(300);  // the user reads the page: its slide is over before the next Next
  }

 private:
  PageTiming& Row(const char* page) {
    for (PageTiming& row : table_) {
      if (row.page == page) return row;
    }
    table_.push_back({page, {}, {}, {}});
    return table_.back();
  }

  std::vector<PageTiming>& table_;
  CAppContext& context_;
  HWND window_;
};

// A fresh main window on the home page, its first frame done, with the context's earlier choices
// forgotten; closed when the walk through it ends.
struct WalkWindow {
  WalkWindow(std::vector<PageTiming>& table, CAppContext& context, int32_t action)
      : hwnd(window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 560, 400)),
        walk(table, context, hwnd) {
    RunMessagesFor(300);
    context.m_portKind = kPortNone;
    context.m_portName.clear();
    context.m_lanAddress.clear();
    context.m_printerName.clear();
    context.m_usbPorts.clear();
    context.m_btDevices.clear();
    context.m_actionChoice = action;
  }
  ~WalkWindow() {
    DestroyWindow(hwnd);
    RunMessagesFor(20);
  }
  ui::Control* Find(const wchar_t* name) { return window.Model().FindControl(name); }
  // Next to the kind choice, where the user picks this kind; the install pages' tab.
  ui::Control* ChooseKind(CAppContext& context, int32_t kind) {
    ui::Control* install = Find(L"tab_switch_install");
    walk.Next("install 0 kind", install, 0);
    context.m_portKind = kind;
    return install;
  }

  CMainWnd window;
  HWND hwnd;
  PageWalk walk;
};

TEST_F(WizardPageTiming, NextToThePaintedPageAgainstItsOwnSpoolerCalls) {
  constexpr int kRuns = 5;
  CAppContext& context = CAppContext::Instance();
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  const std::wstring previousDefault = spooler.DefaultPrinter();
  std::vector<PageTiming> table;
  for (int run = 0; run < kRuns; ++run) {
    {  // LPT: kind, models, ports, name, summary, and the installing page, whose worker runs on
      WalkWindow open(table, context, 1);
      ASSERT_NE(open.hwnd, nullptr);
      ui::Control* install = open.ChooseKind(context, kPortLpt);
      PageWalk& walk = open.walk;
      walk.Next("install 4 models", install, 4);
      walk.Next("install 5 ports", install, 5, [] {
        std::vector<SpoolerEntry> ports;
        ListPorts(ports);
      });
      const std::wstring model = context.m_driverModels[0].modelName;
      walk.Next("install 7 name", install, 7, [&] { ProposePrinterName(model, [](const std::wstring& name) { return PrinterExists(name); }); });
      walk.Next("install 8 summary", install, 8, [&] { PrinterExists(context.m_printerName); });
      walk.Next("install 9 installing", install, 9);
      ui::Control* finishRow = open.Find(L"hor_btn_h1");
      const DWORD start = GetTickCount();
      while (!finishRow->IsVisible() && GetTickCount() - start < 20000) RunMessagesFor(10);
      if (PrinterExists(context.m_printerName)) spooler.RemovePrinter(context.m_printerName);
    }
    {  // network: its address page
      WalkWindow open(table, context, 1);
      ASSERT_NE(open.hwnd, nullptr);
      ui::Control* install = open.ChooseKind(context, kPortNetwork);
      PageWalk& walk = open.walk;
      walk.Next("install 4 models", install, 4);
      walk.Next("install 6 network", install, 6, [] {
        ProposeLanPortName([](const std::wstring& name) { return PortExists(name); });
      });
    }
    {  // USB: the search page, and the device lists of USB and Bluetooth as a search leaves them
      WalkWindow open(table, context, 1);
      ASSERT_NE(open.hwnd, nullptr);
      ui::Control* install = open.ChooseKind(context, kPortUsb);
      PageWalk& walk = open.walk;
      walk.Next("install 1 search", install, 1);  // the scan runs on its worker, which then shows page 2
      const DWORD start = GetTickCount();
      while (dynamic_cast<ui::TabLayout*>(install)->CurrentIndex() != 2 && GetTickCount() - start < 20000) {
        RunMessagesFor(10);
      }
      context.GoBack();  // from the list back to the kind choice
      RunMessagesFor(300);
      context.m_usbPorts = {{L"LABEL USB printer", L"USB001", L""}, {L"Other USB printer", L"USB002", L""}};
      context.m_usbPortIndex = -1;
      context.m_step = 1;  // as after the search
      walk.Next("install 2 USB list", install, 2);
      context.GoBack();
      RunMessagesFor(300);
      context.m_portKind = kPortBluetooth;
      BluetoothDevice device;
      device.address = 0x001122334455;
      device.name = L"LABEL BT";
      context.m_btDevices = {device, device};
      context.m_step = 1;
      walk.Next("install 3 Bluetooth list", install, 3);
    }
    {  // removal: printers, drivers, summary, and the removing page with nothing marked
      WalkWindow open(table, context, 0);
      ASSERT_NE(open.hwnd, nullptr);
      ui::Control* remove = open.Find(L"tab_switch_delete");
      PageWalk& walk = open.walk;
      walk.Next("delete 0 printers", remove, 0, [] {
        std::vector<SpoolerEntry> printers;
        ListInstalledPrinters(printers);
      });
      walk.Next("delete 1 drivers", remove, 1, [] {
        std::vector<SpoolerEntry> drivers;
        ListInstalledDrivers(drivers);
      });
      walk.Next("delete 2 summary", remove, 2);
      walk.Next("delete 3 removing", remove, 3);
    }
  }
  if (!previousDefault.empty()) spooler.MakeDefaultPrinter(previousDefault);
  std::printf("Next to the painted page, medians of %d runs (one frame is 17 ms):\n", kRuns);
  for (const PageTiming& row : table) {
    const double painted = Median(row.painted), own = Median(row.spooler);
    std::printf("  %-26s %6.1f ms painted (the frame %5.1f ms), its spooler calls %5.1f ms, the page beside them "
                "%6.1f ms\n",
                row.page.c_str(), painted, Median(row.frame), own, painted - own);
  }
}

}  // namespace
