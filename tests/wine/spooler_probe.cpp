// What the prefix's spooler holds, one item a line for the walk scripts, and the clean-up after a
// walk that installed:
//   spooler_probe list                    printer <name>|<port>|<driver>, driver <name>, default <name>
//   spooler_probe forget PRINTER DRIVER   removes the printer and the driver again
// Wine creates a printer that has no data type but cannot open it afterwards, so DeletePrinter cannot
// reach it: forget removes such a printer's registry key instead.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Print(const char* kind, const std::wstring& text) {
  char utf8[2048] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
  std::printf("%s %s\n", kind, utf8);
}

std::wstring Text(const wchar_t* text) { return text != nullptr ? text : L""; }

void List() {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
      Print("printer", Text(printers[i].pPrinterName) + L"|" + Text(printers[i].pPortName) + L"|" +
                           Text(printers[i].pDriverName));
    }
  }
  needed = count = 0;
  EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
  buffer.assign(needed + 1, 0);
  if (EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), needed, &needed, &count)) {
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) Print("driver", Text(drivers[i].pName));
  }
  wchar_t name[512] = {};
  DWORD size = 512;
  if (GetDefaultPrinterW(name, &size)) Print("default", name);
}

void Forget(const std::wstring& printer, const std::wstring& driver) {
  HANDLE handle = nullptr;
  PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &handle, &access)) {
    DeletePrinter(handle);
    ClosePrinter(handle);
  }
  const std::wstring key = L"System\\CurrentControlSet\\Control\\Print\\Printers\\" + printer;
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  DeletePrinterDriverW(nullptr, nullptr, const_cast<wchar_t*>(driver.c_str()));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"list") {
    List();
  } else if (command == L"forget" && argc == 4) {
    Forget(argv[2], argv[3]);
  } else {
    std::fprintf(stderr, "usage: spooler_probe list | forget PRINTER DRIVER\n");
    return 2;
  }
  return 0;
}
