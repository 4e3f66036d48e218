#include "tests/fakes/fake_print_system.h"

#include <memory>

#include "tests/fakes/fake_platform.h"

ShellResult FakeShellRunner::Run(const ShellCommand& command) {
  commands.push_back(command);
  ShellResult result;
  if (startFails) {
    result.error = 2;
    return result;
  }
  result.outcome = ShellOutcome::kStarted;
  if (command.waitMs != 0 && timesOut) {
    result.outcome = ShellOutcome::kTimedOut;
    return result;
  }
  if (effect) effect(command);
  if (command.waitMs == 0) return result;
  result.outcome = ShellOutcome::kEnded;
  result.exitCode = exitCode ? exitCode(command) : 0;
  return result;
}

std::function<void(const ShellCommand&)> PrintuiInstallEffect(FakeSpooler& spooler, const SystemInfo& system,
                                                              uint64_t packageVersion) {
  return [&spooler, &system, packageVersion](const ShellCommand& command) {
    if (command.parameters.find(L"/ia") == std::wstring::npos) return;
    const bool redirected = system.IsWow64Process() && command.file.find(L"Sysnative") == std::wstring::npos;
    const std::wstring environment = redirected ? L"Windows NT x86" : spooler.NativeEnvironment();
    FakeDriver* driver = spooler.FindDriver(L"LABEL", environment);  // an upgrade replaces the older one
    if (driver == nullptr) {
      spooler.AddDriverEntry(L"LABEL", environment, L"");
      driver = &spooler.drivers.back();
    }
    driver->driverVersion = packageVersion;
  };
}

void FakeDeviceSetup::AddInterface(const SystemGuid& interfaceClass, const DeviceInterfaceInfo& info) {
  interfaces.emplace_back(interfaceClass, info);
}

bool FakeDeviceSetup::PresentInterfaces(const DeviceInterfaceQuery& query,
                                        std::vector<DeviceInterfaceInfo>& found) {
  found.clear();
  if (openFails) return false;
  for (const auto& [interfaceClass, info] : interfaces) {
    if (interfaceClass != query.interfaceClass) continue;
    DeviceInterfaceInfo copy = info;
    // Only what the query asked for is read from the system.
    if (!query.readDescriptions) copy.descriptionsReadable = false;
    if (!query.readPortName) copy.portName.clear();
    found.push_back(copy);
  }
  return true;
}

bool FakeDeviceSetup::AnyPresentDeviceOfSetupClass(const SystemGuid& setupClass) {
  if (openFails) return false;
  for (const SystemGuid& present : presentSetupClasses) {
    if (present == setupClass) return true;
  }
  return false;
}

bool FakeDeviceSetup::WriteToDevice(const std::wstring& devicePath, const std::vector<uint8_t>& data,
                                    uint32_t) {
  if (writableDevices.count(devicePath) == 0) return false;
  writes.emplace_back(devicePath, data);
  return true;
}

bool FakeRegistry::ReadMachineDword(const std::wstring& keyPath, const std::wstring& valueName,
                                    uint32_t& value) {
  keysRead.push_back(keyPath);
  const auto found = values.find({keyPath, valueName});
  if (found == values.end()) return false;
  value = found->second;
  return true;
}

FakePrintSystem::FakePrintSystem(SystemInfo& system) : spooler(system), portMonitor(spooler, system) {
  for (const wchar_t* com : {L"COM1:", L"COM2:", L"COM3:", L"COM4:"}) {
    spooler.AddPortEntry(com, L"Local Port", L"Local Port");
  }
  spooler.AddPortEntry(L"FILE:", L"Local Port", L"Local Port");
  for (const wchar_t* lpt : {L"LPT1:", L"LPT2:", L"LPT3:"})
    spooler.AddPortEntry(lpt, L"Local Port", L"Local Port");
  spooler.portAddedByDialog[L"Local Port"] = L"LOCALPORT1";
}

namespace {
std::unique_ptr<FakePrintSystem>& DefaultFake() {
  static std::unique_ptr<FakePrintSystem> system;
  return system;
}
}  // namespace

FakePrintSystem& DefaultFakePrintSystem() {
  if (!DefaultFake()) DefaultFake() = std::make_unique<FakePrintSystem>(DefaultFakePlatform().system);
  return *DefaultFake();
}

FakePrintSystem& ResetDefaultFakePrintSystem() {
  DefaultFake() = std::make_unique<FakePrintSystem>(DefaultFakePlatform().system);
  return *DefaultFake();
}

PrintSystem& DefaultPrintSystem() { return DefaultFakePrintSystem().system; }
