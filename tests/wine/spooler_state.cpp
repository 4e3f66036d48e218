// The walks' view of the session's spooler and their hand on it, through the product's own spooler
// adapter:
//   spooler_state state                 printers (with their drivers and ports), drivers of the system's
//                                       own environment ("Windows x64" on these prefixes) and ports, sorted
//   spooler_state install PRINTER PORT  the LABEL driver (legacy record, no files) and a printer on it
//   spooler_state uninstall PRINTER     the printer if it is there, and the driver LABEL with delete
//                                       flags 0, all Wine's DeletePrinterDriverExW accepts
//   spooler_state drivers               each driver of the x64 and x86 sets with its main file, read
//                                       with explicit environments whatever this tool's own bitness
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

// "driver NAME|ENVIRONMENT|DRIVER PATH" for both sets a 64-bit Windows keeps.
std::vector<std::wstring> DriverLines() {
  std::vector<std::wstring> lines;
  for (const wchar_t* environment : {L"Windows x64", L"Windows NT x86"}) {
    DWORD needed = 0, count = 0;
    EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(environment), 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (!EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(environment), 2, buffer.data(), needed, &needed,
                             &count)) {
      continue;
    }
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      lines.push_back(std::wstring(L"driver ") + drivers[i].pName + L"|" + environment + L"|" +
                      (drivers[i].pDriverPath != nullptr ? drivers[i].pDriverPath : L""));
    }
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool DriverListed(const std::wstring& name) {
  const std::wstring start = L"driver " + name + L"|";
  for (const std::wstring& line : DriverLines()) {
    if (line.compare(0, start.size(), start) == 0) return true;
  }
  return false;
}

int Drivers() {
  for (const std::wstring& line : DriverLines()) PrintLine(line);
  return 0;
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
  return spooler.CreatePrinter(MakePrinterRecord(printerName, port, L"LABEL")) ? 0 : Fail("AddPrinterW");
}

int Uninstall(const std::wstring& printerName) {
  PrintSpooler& spooler = DefaultPrintSystem().spooler;
  if (PrinterExists(printerName) && !spooler.RemovePrinter(printerName)) {
    const std::wstring key = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printerName;
    if (RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str()) != ERROR_SUCCESS) return Fail("DeletePrinter");
  }
  // Both sets: a 32-bit program's own calls reach only the x86 one, wherever the driver went.
  for (const wchar_t* environment : {L"Windows x64", L"Windows NT x86"}) {
    DeletePrinterDriverExW(nullptr, const_cast<wchar_t*>(environment), const_cast<wchar_t*>(L"LABEL"), 0, 0);
  }
  return DriverListed(L"LABEL") ? Fail("DeletePrinterDriverExW") : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"state" && argc == 2) return State();
  if (command == L"drivers" && argc == 2) return Drivers();
  if (command == L"install" && argc == 4) return Install(argv[2], argv[3]);
  if (command == L"uninstall" && argc == 3) return Uninstall(argv[2]);
  std::fprintf(stderr, "usage: spooler_state state | drivers | install PRINTER PORT | uninstall PRINTER\n");
  return 2;
}
