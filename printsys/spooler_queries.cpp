#include "printsys/spooler_queries.h"

#include "context/driver_model.h"
#include "context/text_util.h"
#include "printsys/print_system.h"

bool UseDriverLevel8(const SystemInfo& system) {
  OsVersion version;
  return system.QueryVersion(version) && version.major > 5;
}

void ListInstalledPrinters(PrintSpooler& spooler, const SystemInfo& system, std::vector<SpoolerEntry>& list) {
  list.clear();
  const bool level8 = UseDriverLevel8(system);
  std::vector<DriverSummary> drivers;
  if (level8) spooler.EnumerateDrivers(NativeDriverEnvironment(system), 8, drivers);

  std::vector<PrinterSummary> printers;
  if (!spooler.EnumeratePrinters(kPrinterEnumLocal | kPrinterEnumConnections, printers)) return;
  for (const PrinterSummary& printer : printers) {
    std::wstring infPath;
    for (const DriverSummary& driver : drivers) {
      if (driver.name == printer.driverName) {  // exact: the first of equal names wins
        infPath = driver.infPath;
        break;
      }
    }
    list.push_back({printer.name, printer.driverName, infPath});
  }
}

void ListInstalledDrivers(PrintSpooler& spooler, const SystemInfo& system, std::vector<SpoolerEntry>& list) {
  list.clear();
  const bool level8 = UseDriverLevel8(system);
  std::vector<DriverSummary> drivers;
  if (!spooler.EnumerateDrivers(NativeDriverEnvironment(system), level8 ? 8 : 6, drivers)) return;
  for (const DriverSummary& driver : drivers) {
    list.push_back({std::wstring(), driver.name, level8 ? driver.infPath : std::wstring()});
  }
}

void ListPorts(PrintSpooler& spooler, std::vector<SpoolerEntry>& list) {
  list.clear();
  std::vector<PortSummary> ports;
  if (!spooler.EnumeratePorts(ports)) return;
  for (const PortSummary& port : ports) list.push_back({port.name, port.description, port.monitorName});
}

// The spooler refuses a name that differs from a taken one only in case (AddPrinterW: 1802), and
// PRINTER_ENUM_NETWORK is documented for level 1 only, so the level-2 query leaves it out.
bool PrinterExists(PrintSpooler& spooler, const std::wstring& name) {
  std::vector<PrinterSummary> printers;
  if (!spooler.EnumeratePrinters(kPrinterEnumLocal | kPrinterEnumConnections, printers)) return false;
  const std::wstring wanted = LowerCopy(name);
  for (const PrinterSummary& printer : printers) {
    if (LowerCopy(printer.name) == wanted) return true;
  }
  return false;
}

bool PortExists(PrintSpooler& spooler, const std::wstring& name) {
  return !FindPort(spooler, name).name.empty();
}

PortSummary FindPort(PrintSpooler& spooler, const std::wstring& name) {
  std::vector<PortSummary> ports;
  if (name.empty() || !spooler.EnumeratePorts(ports)) return {};
  const std::wstring wanted = LowerCopy(name);
  for (const PortSummary& port : ports) {
    if (LowerCopy(port.name) == wanted) return port;
  }
  return {};
}

bool DriverInstalled(PrintSpooler& spooler, const std::wstring& environment, const std::wstring& name) {
  std::vector<DriverSummary> drivers;
  if (!spooler.EnumerateDrivers(environment, 1, drivers)) return false;
  const std::wstring wanted = LowerCopy(name);
  for (const DriverSummary& driver : drivers) {
    if (LowerCopy(driver.name) == wanted) return true;
  }
  return false;
}

bool IsPrinterConnection(const std::wstring& name) { return name.rfind(L"\\\\", 0) == 0; }

bool FindInstalledDriver(PrintSpooler& spooler, const std::wstring& environment, const std::wstring& name,
                         DriverSummary& found) {
  std::vector<DriverSummary> drivers;
  if (!spooler.EnumerateDrivers(environment, 8, drivers)) spooler.EnumerateDrivers(environment, 6, drivers);
  const std::wstring wanted = LowerCopy(name);
  for (const DriverSummary& driver : drivers) {
    if (LowerCopy(driver.name) != wanted) continue;
    found = driver;
    return true;
  }
  return false;
}

std::wstring GetDriverDirectory(PrintSpooler& spooler, const std::wstring& environment) {
  std::wstring folder;
  if (!spooler.DriverDirectory(environment, folder) || folder.empty()) return {};
  return folder + L"\\";
}

void ListInstalledPrinters(std::vector<SpoolerEntry>& list) {
  ListInstalledPrinters(DefaultPrintSystem().spooler, DefaultPlatform().system, list);
}
void ListInstalledDrivers(std::vector<SpoolerEntry>& list) {
  ListInstalledDrivers(DefaultPrintSystem().spooler, DefaultPlatform().system, list);
}
void ListPorts(std::vector<SpoolerEntry>& list) { ListPorts(DefaultPrintSystem().spooler, list); }
bool PrinterExists(const std::wstring& name) { return PrinterExists(DefaultPrintSystem().spooler, name); }
bool PortExists(const std::wstring& name) { return PortExists(DefaultPrintSystem().spooler, name); }
PortSummary FindPort(const std::wstring& name) { return FindPort(DefaultPrintSystem().spooler, name); }
bool DriverInstalled(const std::wstring& name) {
  return DriverInstalled(DefaultPrintSystem().spooler, NativeDriverEnvironment(DefaultPlatform().system),
                         name);
}
std::wstring GetDriverDirectory() {
  return GetDriverDirectory(DefaultPrintSystem().spooler, NativeDriverEnvironment(DefaultPlatform().system));
}
