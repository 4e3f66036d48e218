// The Wine tier's contract target: the product's Win32 implementations on Wine's spooler.
#include <windows.h>

#include <string>

#include "bluetooth/bluetooth_stack.h"
#include "printsys/print_system.h"
#include "tests/printsys/contract_target.h"

namespace {

bool RemoveFile(const std::wstring& path) {
  return DeleteFileW(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

// Wine keeps a printer it made without a data type but cannot open it again, so DeletePrinter never
// reaches it; its registry key is all there is of it.
void RemovePrinterKey(const std::wstring& name) {
  HKEY printers = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\Print\\Printers", 0,
                    KEY_ALL_ACCESS, &printers) != ERROR_SUCCESS) {
    return;
  }
  RegDeleteTreeW(printers, name.c_str());
  RegCloseKey(printers);
}

}  // namespace

ContractTarget& MakeContractTarget() {
  static ContractTarget target{DefaultPrintSystem(),
                               DefaultBluetoothStack(),
                               DefaultPlatform().system,
                               DefaultPlatform().files,
                               RemoveFile,
                               RemovePrinterKey,
                               true};
  return target;
}
