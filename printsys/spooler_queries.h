// Read-only questions to the local spooler: what printers, drivers and ports exist, whether a name
// is taken, where driver files go. Nothing is cached; each call asks the spooler afresh.
#pragma once

#include <string>
#include <vector>

#include "context/platform.h"
#include "printsys/print_spooler.h"
#include "printsys/spooler_entry.h"

// Driver level 8 (which carries INF paths) is asked for when the version query succeeds with a
// major version above 5.
bool UseDriverLevel8(const SystemInfo& system);

// The driver lists are those of the system's own environment (NativeDriverEnvironment).
// (printer name, driver name, INF path of the first level-8 driver of exactly that name, or empty)
void ListInstalledPrinters(PrintSpooler& spooler, const SystemInfo& system, std::vector<SpoolerEntry>& list);
// (empty, driver name, INF path or empty)
void ListInstalledDrivers(PrintSpooler& spooler, const SystemInfo& system, std::vector<SpoolerEntry>& list);
// (port name, description, monitor name)
void ListPorts(PrintSpooler& spooler, std::vector<SpoolerEntry>& list);

// Printer and port names compare without regard to case, as the spooler compares them; printers
// are the local ones and the connections.
bool PrinterExists(PrintSpooler& spooler, const std::wstring& name);
bool PortExists(PrintSpooler& spooler, const std::wstring& name);
// The port of that name as the spooler spells it; an empty record when there is none.
PortSummary FindPort(PrintSpooler& spooler, const std::wstring& name);
// Driver names compare without regard to case, as the spooler treats them.
bool DriverInstalled(PrintSpooler& spooler, const std::wstring& environment, const std::wstring& name);
// The driver of that name in the environment, read with level 8 (level 6 where the system has no
// level 8: no INF path then); false when there is none.
bool FindInstalledDriver(PrintSpooler& spooler, const std::wstring& environment, const std::wstring& name,
                         DriverSummary& found);
// The environment's driver folder followed by one backslash, or empty.
std::wstring GetDriverDirectory(PrintSpooler& spooler, const std::wstring& environment);

// A connection to a printer another computer shares is named \\server\printer; a local printer's
// name cannot hold a backslash.
bool IsPrinterConnection(const std::wstring& name);

// The same on the process's own spooler, in the system's own environment.
void ListInstalledPrinters(std::vector<SpoolerEntry>& list);
void ListInstalledDrivers(std::vector<SpoolerEntry>& list);
void ListPorts(std::vector<SpoolerEntry>& list);
bool PrinterExists(const std::wstring& name);
bool PortExists(const std::wstring& name);
PortSummary FindPort(const std::wstring& name);
bool DriverInstalled(const std::wstring& name);
std::wstring GetDriverDirectory();
