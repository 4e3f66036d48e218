// The print-system services of the process, bundled: spooler, port monitor channel, shell,
// device setup, registry and a pause.
#pragma once

#include <cstdint>

#include "printsys/device_setup.h"
#include "printsys/print_spooler.h"
#include "printsys/shell_runner.h"

class Pause {
 public:
  virtual ~Pause() = default;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

struct PrintSystem {
  PrintSpooler& spooler;
  PortMonitorChannel& portMonitor;
  ShellRunner& shell;
  DeviceSetup& devices;
  SystemRegistry& registry;
  Pause& pause;
};

// Win32 in the product, fakes in the host tests; each target links exactly one definition.
PrintSystem& DefaultPrintSystem();
