// Run by bluetooth_wine_test.cpp with the bthprops.cpl stand-in in place: goes through the
// product's Bluetooth operations once and records what they answered, through shell_log.h.
#include <windows.h>

#include <string>
#include <vector>

#include "bluetooth/bluetooth_printers.h"
#include "bluetooth/bluetooth_text.h"
#include "context/platform.h"
#include "doubles/shell_log.h"

int wmain() {
  BluetoothStack& stack = DefaultBluetoothStack();
  AppendShellLog(L"radio", stack.RadioPresent() ? L"on" : L"off");

  std::vector<BluetoothDevice> printers;
  SearchBluetoothPrinters(stack, printers);
  std::wstring found = std::to_wstring(printers.size());
  for (const BluetoothDevice& printer : printers) {
    found += L" " + printer.name + L"/" + FormatBluetoothAddress(printer.address, true) +
             (printer.authenticated ? L"/paired" : L"");
  }
  AppendShellLog(L"search", found.c_str());
  if (printers.empty()) return 1;

  std::wstring error;
  const bool paired =
      PairBluetoothDevice(stack, DefaultPlatform().system, printers[0], L"0123456789abcdefXYZ", error);
  AppendShellLog(L"pair", paired ? L"true" : L"false");
  AppendShellLog(L"service", EnableSerialPortService(stack, printers[0]) ? L"true" : L"false");
  RegisterSerialPortService(stack, L"COM7", printers[0]);
  return 0;
}
