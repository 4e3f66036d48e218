#include "tests/fakes/fake_spooler.h"

#include <algorithm>

#include "context/driver_model.h"
#include "context/text_util.h"
#include "printsys/tcpip_port.h"

// Windows' rules this fake keeps:
// - Printer, driver and port names compare without regard to case: the spooler treats them as
//   case-insensitive names ([MS-RPRN] Print System Remote Protocol, 2.2.4 "Names", and the
//   spooler's own answer 1802 for "label" beside "LABEL").
// - A null environment is the caller's: "If this parameter is NULL, the environment of the
//   calling application and client machine (not of the destination application and print server)
//   is used" (learn.microsoft.com, EnumPrinterDrivers and GetPrinterDriverDirectory, pEnvironment),
//   so a 32-bit program under WOW64 reads and writes the x86 set; printers use the system's own.
namespace {
constexpr uint32_t kErrorAlreadyExists = 183;
constexpr uint32_t kErrorInvalidEnvironment = 1805;
constexpr uint32_t kErrorInvalidName = 123;
constexpr uint32_t kErrorCancelled = 1223;
constexpr uint32_t kErrorPackageInUse = 3015;

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) { return LowerCopy(a) == LowerCopy(b); }

std::vector<std::wstring> MultiStringItems(const std::vector<wchar_t>& list) {
  std::vector<std::wstring> items;
  std::wstring current;
  for (wchar_t c : list) {
    if (c != 0) {
      current.push_back(c);
    } else if (!current.empty()) {
      items.push_back(current);
      current.clear();
    }
  }
  return items;
}
}  // namespace

bool FakeSpooler::Fail(uint32_t code) {
  system_.SetLastError(code);
  return false;
}

FakeDriver* FakeSpooler::FindDriver(const std::wstring& name, const std::wstring& environment) {
  for (FakeDriver& driver : drivers) {
    if (SameIgnoringCase(driver.name, name) && SameIgnoringCase(driver.environment, environment))
      return &driver;
  }
  return nullptr;
}

FakePrinter* FakeSpooler::FindPrinter(const std::wstring& name) {
  for (FakePrinter& printer : printers) {
    if (SameIgnoringCase(printer.name, name)) return &printer;
  }
  return nullptr;
}

bool FakeSpooler::PortKnown(const std::wstring& name) const {
  // Port names compare without regard to case (Microsoft's documentation of AddPort and XcvData).
  return std::any_of(ports.begin(), ports.end(),
                     [&](const PortSummary& port) { return SameIgnoringCase(port.name, name); });
}

std::wstring FakeSpooler::NativeEnvironment() const {
  const Machine machine = system_.NativeMachine();
  return machine == Machine::kArm64 ? L"Windows ARM64" : DriverEnvironment(machine);
}

std::wstring FakeSpooler::CallerEnvironment() const {
  return system_.IsWow64Process() ? L"Windows NT x86" : NativeEnvironment();
}

std::wstring FakeSpooler::DriverFolder(const std::wstring& environment) const {
  const std::pair<const wchar_t*, const wchar_t*> folders[] = {
      {L"Windows NT x86", L"w32x86"}, {L"Windows x64", L"x64"}, {L"Windows ARM64", L"arm64"}};
  for (const auto& [name, folder] : folders) {
    if (SameIgnoringCase(environment, name)) return driverDirectoryRoot + L"\\" + folder;
  }
  return {};
}

std::wstring FakeSpooler::ResolveEnvironment(const std::wstring& environment) {
  const std::wstring meant = environment.empty() ? CallerEnvironment() : environment;
  if (DriverFolder(meant).empty()) {
    Fail(kErrorInvalidEnvironment);
    return {};
  }
  return meant;
}

void FakeSpooler::AddPortEntry(const std::wstring& name, const std::wstring& monitor,
                               const std::wstring& description) {
  ports.push_back({name, description, monitor});
}

void FakeSpooler::AddDriverEntry(const std::wstring& name, const std::wstring& environment,
                                 const std::wstring& infPath) {
  FakeDriver driver;
  driver.name = name;
  driver.environment = environment;
  driver.infPath = infPath;
  drivers.push_back(driver);
}

void FakeSpooler::AddPrinterEntry(const std::wstring& name, const std::wstring& driverName,
                                  const std::wstring& portName) {
  FakePrinter printer;
  printer.name = name;
  printer.driverName = driverName;
  printer.portName = portName;
  printers.push_back(printer);
}

bool FakeSpooler::EnumeratePrinters(uint32_t flags, std::vector<PrinterSummary>& out) {
  const std::lock_guard<std::mutex> lock(mutex_);
  out.clear();
  if (enumPrintersFails) return Fail(kErrorInvalidParameter);
  if (flags & kPrinterEnumLocal) {
    for (const FakePrinter& printer : printers) out.push_back({printer.name, printer.driverName});
  }
  if (flags & kPrinterEnumConnections) out.insert(out.end(), connections.begin(), connections.end());
  if (flags & kPrinterEnumNetwork) out.insert(out.end(), networkPrinters.begin(), networkPrinters.end());
  return !out.empty();
}

bool FakeSpooler::EnumerateDrivers(const std::wstring& environment, uint32_t level,
                                   std::vector<DriverSummary>& out) {
  const std::lock_guard<std::mutex> lock(mutex_);
  out.clear();
  if (failingDriverLevels.count(level) != 0 || (level != 1 && level != 6 && level != 8)) {
    return Fail(kErrorInvalidParameter);
  }
  const std::wstring meant = ResolveEnvironment(environment);
  if (meant.empty()) return false;
  for (const FakeDriver& driver : drivers) {
    if (!SameIgnoringCase(driver.environment, meant)) continue;
    out.push_back({driver.name, level == 8 ? driver.infPath : L"", level == 1 ? 0 : driver.driverVersion});
  }
  return !out.empty();
}

bool FakeSpooler::EnumeratePorts(std::vector<PortSummary>& out) {
  const std::lock_guard<std::mutex> lock(mutex_);
  out.clear();
  if (enumPortsFails) return Fail(kErrorInvalidParameter);
  out = ports;
  return !out.empty();
}

bool FakeSpooler::DriverDirectory(const std::wstring& environment, std::wstring& folder) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (driverDirectoryFails) return Fail(kErrorInvalidParameter);
  const std::wstring meant = ResolveEnvironment(environment);
  if (meant.empty()) return false;
  folder = driverDirectoryRoot.empty() ? L"" : DriverFolder(meant);
  return true;
}

bool FakeSpooler::AddDriver(const DriverRecord& driver, uint32_t flags) {
  const std::lock_guard<std::mutex> lock(mutex_);
  addDriverFlags.push_back(flags);
  if (addDriverError != 0) return Fail(addDriverError);
  if (driver.name.empty() || driver.driverPath.empty() || driver.dataFile.empty() ||
      driver.configFile.empty()) {
    return Fail(kErrorInvalidParameter);
  }
  const std::wstring environment = ResolveEnvironment(driver.environment);
  if (environment.empty()) return false;
  if ((flags & (kAddDriverCopyAllFiles | kAddDriverCopyNewFiles)) != 0 && driverFileExists) {
    std::vector<std::wstring> needed = {driver.driverPath, driver.dataFile, driver.configFile};
    for (const std::wstring& name : MultiStringItems(driver.dependentFiles)) needed.push_back(name);
    for (const std::wstring& name : needed) {
      if (!driverFileExists(name)) return Fail(kErrorFileNotFound);
    }
  }
  FakeDriver added;
  added.name = driver.name;
  added.environment = environment;
  added.version = driver.version;
  added.driverVersion = driver.driverVersion;
  added.record = driver;
  if (FakeDriver* existing = FindDriver(driver.name, environment)) {
    added.infPath = existing->infPath;
    *existing = added;  // the spooler updates a driver of the same name and version
  } else {
    drivers.push_back(added);
  }
  return true;
}

bool FakeSpooler::CreatePrinter(const PrinterRecord& printer) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (addPrinterError != 0) return Fail(addPrinterError);
  if (printer.printerName.empty() || printer.printerName.find_first_of(L"\\,") != std::wstring::npos) {
    return Fail(kErrorInvalidPrinterName);
  }
  // Printer names are unique without regard to case, although lookups by name are exact.
  for (const FakePrinter& existing : printers) {
    if (SameIgnoringCase(existing.name, printer.printerName)) return Fail(kErrorPrinterAlreadyExists);
  }
  // A printer runs on the driver of the system's own environment, whoever asks for it.
  const FakeDriver* driver = FindDriver(printer.driverName, NativeEnvironment());
  if (driver == nullptr) return Fail(kErrorUnknownPrinterDriver);
  if (!PortKnown(printer.portName)) return Fail(kErrorUnknownPort);
  AddPrinterEntry(printer.printerName, driver->name, printer.portName);
  printers.back().printProcessor = printer.printProcessor;
  printers.back().dataType = printer.dataType;
  printers.back().attributes = printer.attributes;
  return true;
}

bool FakeSpooler::MakeDefaultPrinter(const std::wstring& name) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (setDefaultError != 0) return Fail(setDefaultError);
  const FakePrinter* printer = FindPrinter(name);
  if (printer == nullptr) return Fail(kErrorInvalidPrinterName);
  defaultPrinter = printer->name;
  return true;
}

bool FakeSpooler::RemovePrinter(const std::wstring& name) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (openPrinterError != 0) return Fail(openPrinterError);
  // OpenPrinterW on \\server\queue opens the server's printer: DeletePrinter deletes the shared
  // queue there, and the connection to it goes with it.
  if (EraseConnection(name)) {
    deletedServerQueues.push_back(name);
    return true;
  }
  const FakePrinter* printer = FindPrinter(name);
  if (printer == nullptr) return Fail(kErrorInvalidPrinterName);
  const std::wstring stored = printer->name;
  const auto refused = deletePrinterErrors.find(stored);
  if (refused != deletePrinterErrors.end()) return Fail(refused->second);
  printers.erase(std::remove_if(printers.begin(), printers.end(),
                                [&](const FakePrinter& each) { return each.name == stored; }),
                 printers.end());
  if (defaultPrinter == stored) defaultPrinter.clear();
  return true;
}

bool FakeSpooler::RemovePrinterConnection(const std::wstring& name) {
  const std::lock_guard<std::mutex> lock(mutex_);
  return EraseConnection(name) ? true : Fail(kErrorInvalidPrinterName);
}

// Printer names compare without regard to case (Microsoft's documentation of OpenPrinter and
// AddPrinter: a printer name is unique without regard to case).
bool FakeSpooler::EraseConnection(const std::wstring& name) {
  const auto found =
      std::find_if(connections.begin(), connections.end(),
                   [&](const PrinterSummary& connection) { return SameIgnoringCase(connection.name, name); });
  if (found == connections.end()) return false;
  connections.erase(found);
  return true;
}

bool FakeSpooler::RemoveDriver(const std::wstring& name, const std::wstring& environment, uint32_t flags,
                               uint32_t version) {
  const std::lock_guard<std::mutex> lock(mutex_);
  deleteDriverCalls.emplace_back(flags, version);
  if (deleteDriverError != 0) return Fail(deleteDriverError);
  const std::wstring meant = ResolveEnvironment(environment);
  if (meant.empty()) return false;
  FakeDriver* driver = FindDriver(name, meant);
  if (driver == nullptr || ((flags & kDeleteDriverSpecificVersion) != 0 && driver->version != version)) {
    return Fail(kErrorUnknownPrinterDriver);
  }
  for (const FakePrinter& printer : printers) {
    if (meant == NativeEnvironment() && SameIgnoringCase(printer.driverName, name)) {
      return Fail(kErrorPrinterDriverInUse);
    }
  }
  drivers.erase(drivers.begin() + (driver - drivers.data()));
  return true;
}

DriverPackageDeletion FakeSpooler::RemoveDriverPackage(const std::wstring& infPath,
                                                       const std::wstring& environment) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!packageFunctionAvailable) return DriverPackageDeletion::kUnavailable;
  if (deletePackageError != 0) {
    system_.SetLastError(deletePackageError);
    return DriverPackageDeletion::kFailed;
  }
  const std::wstring meant = ResolveEnvironment(environment);
  if (meant.empty()) return DriverPackageDeletion::kFailed;
  const bool inUse = std::any_of(drivers.begin(), drivers.end(), [&](const FakeDriver& driver) {
    return driver.infPath == infPath && SameIgnoringCase(driver.environment, meant);
  });
  if (driverPackages.count(infPath) == 0 || inUse) {
    system_.SetLastError(inUse ? kErrorPackageInUse : kErrorFileNotFound);
    return DriverPackageDeletion::kFailed;
  }
  driverPackages.erase(infPath);
  deletedPackages.push_back(infPath);
  deletedPackageEnvironments.push_back(meant);
  return DriverPackageDeletion::kDeleted;
}

bool FakeSpooler::AddPortThroughMonitor(WindowHandle owner, const std::wstring& monitorName) {
  const std::lock_guard<std::mutex> lock(mutex_);
  addPortCalls.emplace_back(owner, monitorName);
  if (monitorName.empty()) return Fail(kErrorInvalidName);
  const auto dialog = portAddedByDialog.find(monitorName);
  if (dialog == portAddedByDialog.end()) return Fail(kErrorInvalidName);
  if (portDialogCancelled) return Fail(kErrorCancelled);
  if (PortKnown(dialog->second)) return Fail(kErrorAlreadyExists);
  AddPortEntry(dialog->second, monitorName, monitorName);
  return true;
}

bool FakeSpooler::RemovePort(WindowHandle owner, const std::wstring& portName) {
  const std::lock_guard<std::mutex> lock(mutex_);
  deletePortCalls.emplace_back(owner, portName);
  if (!PortKnown(portName)) return Fail(kErrorUnknownPort);
  const auto refused = removePortErrors.find(portName);
  if (refused != removePortErrors.end()) return Fail(refused->second);
  ports.erase(std::remove_if(ports.begin(), ports.end(),
                             [&](const PortSummary& port) { return SameIgnoringCase(port.name, portName); }),
              ports.end());
  return true;
}

bool FakeSpooler::ConfigurePortThroughMonitor(WindowHandle owner, const std::wstring& portName) {
  const std::lock_guard<std::mutex> lock(mutex_);
  configurePortCalls.emplace_back(owner, portName);
  return PortKnown(portName) ? true : Fail(kErrorUnknownPort);
}

bool FakePortMonitorChannel::SendCommand(const std::wstring& monitorName, const std::wstring& command,
                                         const std::vector<uint8_t>& input, uint32_t& status) {
  const bool tcpIp = monitorName == L"Standard TCP/IP Port";
  if (!(monitorName == L"Local Port" || (tcpIp && tcpIpMonitorPresent))) {
    system_.SetLastError(kErrorUnknownPort);  // no such monitor: the channel does not open
    return false;
  }
  records.push_back(input);
  if (tcpIp && command == L"DeletePort") return DeleteTcpIpPort(input, status);
  if (addPortFails || command != L"AddPort") {
    system_.SetLastError(kErrorInvalidParameter);
    return false;
  }
  const std::wstring name =
      tcpIp ? (input.size() == kPortData1Size ? PortNameOfPortData1(input) : std::wstring())
            : WideFromRecord(input.data(), input.size());
  if (name.empty()) {
    system_.SetLastError(kErrorInvalidParameter);
    return false;
  }
  status = 0;
  if (std::any_of(spooler_.ports.begin(), spooler_.ports.end(),
                  [&](const PortSummary& p) { return SameIgnoringCase(p.name, name); })) {
    status = kErrorAlreadyExists;  // the call succeeds; the monitor's status says why nothing happened
    return true;
  }
  spooler_.AddPortEntry(name, monitorName, tcpIp ? L"Standard TCP/IP Port" : L"Local Port");
  return true;
}

// DELETE_PORT_DATA_1: the port name in its first 64 wide characters, version 1 at byte 324.
bool FakePortMonitorChannel::DeleteTcpIpPort(const std::vector<uint8_t>& input, uint32_t& status) {
  if (deletePortFails || input.size() != kDeletePortData1Size || input[kDeletePortDataVersionOffset] != 1) {
    system_.SetLastError(kErrorInvalidParameter);
    return false;
  }
  const std::wstring name = WideFromRecord(input.data(), 2 * 64);
  auto& ports = spooler_.ports;
  const auto found = std::find_if(ports.begin(), ports.end(), [&](const PortSummary& port) {
    return SameIgnoringCase(port.name, name) && port.monitorName == L"Standard TCP/IP Port";
  });
  status = found == ports.end() ? kErrorUnknownPort : 0;  // the monitor's status says what happened
  if (found != ports.end()) ports.erase(found);
  return true;
}
