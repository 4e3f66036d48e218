// The walks' view of the session's spooler and their hand on it, through the product's own spooler
// adapter:
//   spooler_state state                 printers (with their drivers and ports), drivers of the system's
//                                       own environment ("Windows x64" on these prefixes) and ports, sorted
//   spooler_state install PRINTER PORT  the LABEL driver (legacy record, no files) and a printer on it
//   spooler_state uninstall PRINTER     the printer if it is there, and the driver LABEL with delete
//                                       flags 0, all Wine's DeletePrinterDriverExW accepts
// Wine cannot open again a printer made without a data type (as the product makes them), so
// DeletePrinter cannot reach it: uninstall removes such a printer's registry key instead.
#include <windows.h>
#include <winspool.h>

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

// Local printers with their drivers and ports, read with level 2 (the adapter's summary has no
// port); Wine lists the printers it cannot open too.
void AddPrinterLines(std::vector<std::wstring>& lines) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) return;
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  const auto text = [](const wchar_t* value) { return std::wstring(value != nullptr ? value : L""); };
  for (DWORD i = 0; i < count; ++i) {
    lines.push_back(L"printer " + text(printers[i].pPrinterName) + L" on " + text(printers[i].pDriverName) +
                    L" at " + text(printers[i].pPortName));
  }
}

int Fail(const char* what) {
  std::fprintf(stderr, "%s failed: error %lu\n", what, GetLastError());
  return 1;
}

int State() {
  std::vector<std::wstring> lines;
  std::vector<SpoolerEntry> entries;
  AddPrinterLines(lines);
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
  const std::wstring environment = NativeDriverEnvironment(DefaultPlatform().system);
  if (!spooler.AddDriver(MakeLegacyDriverRecord(MakeLegacyDriverModel(), {}, environment),
                         kAddDriverCopyNewFiles)) {
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
  if (PrinterExists(printerName) && !spooler.RemovePrinter(printerName)) {
    const std::wstring key = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printerName;
    if (RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str()) != ERROR_SUCCESS) return Fail("DeletePrinter");
  }
  const std::wstring environment = NativeDriverEnvironment(DefaultPlatform().system);
  if (DriverInstalled(L"LABEL") && !spooler.RemoveDriver(L"LABEL", environment, 0, 3))
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
