// Fakes of the shell, device setup, registry and pause, and a whole fake print system built on the
// fake spooler.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "context/platform.h"
#include "printsys/print_system.h"
#include "tests/fakes/fake_spooler.h"

class FakeShellRunner : public ShellRunner {
 public:
  bool startFails = false;  // ShellExecuteExW fails with ERROR_FILE_NOT_FOUND
  bool timesOut = false;    // a waited-for tool runs past its bound
  std::vector<ShellCommand> commands;
  // What the started tool does, e.g. a printui install that adds the driver, and the exit code it
  // ends with (unset: 0).
  std::function<void(const ShellCommand&)> effect;
  std::function<uint32_t(const ShellCommand&)> exitCode;

  ShellResult Run(const ShellCommand& command) override;
};

// What printui /ia does: the driver of the package's INF version, in the set of printui's own
// bitness, which is the x86 set when WOW64 redirects a 32-bit program's System32 rundll32 to SysWOW64.
std::function<void(const ShellCommand&)> PrintuiInstallEffect(FakeSpooler& spooler, const SystemInfo& system,
                                                              uint64_t packageVersion);

class FakeDeviceSetup : public DeviceSetup {
 public:
  bool openFails = false;
  std::vector<std::pair<SystemGuid, DeviceInterfaceInfo>> interfaces;  // all classes, in order
  std::vector<SystemGuid> presentSetupClasses;
  std::set<std::wstring> writableDevices;
  std::vector<std::pair<std::wstring, std::vector<uint8_t>>> writes;  // (device path, data)

  void AddInterface(const SystemGuid& interfaceClass, const DeviceInterfaceInfo& info);
  bool PresentInterfaces(const DeviceInterfaceQuery& query, std::vector<DeviceInterfaceInfo>& found) override;
  bool AnyPresentDeviceOfSetupClass(const SystemGuid& setupClass) override;
  bool WriteToDevice(const std::wstring& devicePath, const std::vector<uint8_t>& data,
                     uint32_t waitMs) override;
};

class FakeRegistry : public SystemRegistry {
 public:
  std::map<std::pair<std::wstring, std::wstring>, uint32_t> values;  // (key path, value name)
  std::vector<std::wstring> keysRead;

  bool ReadMachineDword(const std::wstring& keyPath, const std::wstring& valueName, uint32_t& value) override;
};

class FakePause : public Pause {
 public:
  std::vector<uint32_t> sleeps;
  void Sleep(uint32_t milliseconds) override { sleeps.push_back(milliseconds); }
};

// A fresh system with the ports a new Windows offers: COM1: to COM4:, FILE:, LPT1: to LPT3:.
struct FakePrintSystem {
  explicit FakePrintSystem(SystemInfo& system);

  FakeSpooler spooler;
  FakePortMonitorChannel portMonitor;
  FakeShellRunner shell;
  FakeDeviceSetup devices;
  FakeRegistry registry;
  FakePause pause;
  PrintSystem system{spooler, portMonitor, shell, devices, registry, pause};
};

// The fake behind DefaultPrintSystem() in the host tests, on DefaultFakePlatform()'s system.
FakePrintSystem& DefaultFakePrintSystem();
// A fresh default fake, for a test that must not see what an earlier one left; references to the
// old one are no longer valid.
FakePrintSystem& ResetDefaultFakePrintSystem();
