// The process's print system: the Win32 implementations, made once.
#include <windows.h>

#include "printsys/device_setup_win.h"
#include "printsys/print_system.h"
#include "printsys/shell_runner_win.h"
#include "printsys/spooler_win.h"

namespace {
class Win32Pause final : public Pause {
 public:
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
};
}  // namespace

PrintSystem& DefaultPrintSystem() {
  static Win32PrintSpooler spooler;
  static Win32PortMonitorChannel portMonitor;
  static Win32ShellRunner shell;
  static Win32DeviceSetup devices;
  static Win32Registry registry;
  static Win32Pause pause;
  static PrintSystem system{spooler, portMonitor, shell, devices, registry, pause};
  return system;
}
