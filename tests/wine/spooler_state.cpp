// The removal walk's view of the session's spooler and its hand on it, through the product's own
// spooler adapter:
//   spooler_state state                 printers (with their drivers), drivers and ports, sorted
//   spooler_state install PRINTER PORT  the LABEL driver (legacy record, no files) and a printer on it
//   spooler_state uninstall PRINTER     what install made and is still there, the driver with delete
//                                       flags 0, all Wine's DeletePrinterDriverExW accepts
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "context/driver_model.h"
#include "printsys/print_system.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"

namespace {

void PrintLine(const std::wstring& line) {
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
  std::printf("%s\n", utf8);
}

int Fail(const char* what) {
  std::fprintf(stderr, "%s failed: error %lu\n", what, GetLastError());
  return 1;
}

int State() {
  std::vector<std::wstring> lines;
  std::vector<SpoolerEntry> entries;
  ListInstalledPrinters(entries);
  for (const SpoolerEntry& printer : entries)
    lines.push_back(L"printer " + printer.first + L" on " + printer.second);
  ListInstalledDrivers(entries);
  for (const SpoolerEntry& driver : entries) lines.push_back(L"driver " + driver.second);
  ListPorts(entries);
  for (const SpoolerEntry& port : entries) lines.push_back(L"port " + port.first);
  std::sort(lines.begin(), lines.end());
  for (const std::wstring& line : lines) PrintLine(line);
  return 0;
}

int Install(const std::wstring& printerName, const std::wstring& port) {
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  // Wine adds a driver whose files are not in the driver folder; nothing is copied, so nothing
  // but the driver's record is left to remove.
  if (!spooler.AddDriver(MakeLegacyDriverRecord(MakeLegacyDriverModel(), {}), kAddDriverCopyAllFiles)) {
    return Fail("AddPrinterDriverExW");
  }
  // "RAW": Wine cannot open again a printer made without a data type, so DeletePrinter could not
  // reach it (see the README).
  PrinterRecord printer = MakePrinterRecord(printerName, port, L"LABEL");
  printer.dataType = L"RAW";
  return spooler.CreatePrinter(printer) ? 0 : Fail("AddPrinterW");
}

int Uninstall(const std::wstring& printerName) {
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  if (PrinterExists(printerName) && !spooler.RemovePrinter(printerName)) return Fail("DeletePrinter");
  if (DriverInstalled(L"LABEL") && !spooler.RemoveDriver(L"LABEL", 0, 3))
    return Fail("DeletePrinterDriverExW");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"state" && argc == 2) return State();
  if (command == L"install" && argc == 4) return Install(argv[2], argv[3]);
  if (command == L"uninstall" && argc == 3) return Uninstall(argv[2]);
  std::fprintf(stderr, "usage: spooler_state state | install PRINTER PORT | uninstall PRINTER\n");
  return 2;
}
