// Functions that some systems lack or that the import libraries do not offer, looked up when they
// are needed. Each answers nothing when its library or entry point is missing.
#pragma once

// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <bluetoothapis.h>
// clang-format on

#include <optional>

namespace runtime_imports {

// Ordinal 204 of winspool.drv: the set-default-printer function of the spooler client library.
std::optional<BOOL> SetDefaultPrinterByOrdinal(const wchar_t* printerName);
// winspool.drv's DeletePrinterDriverPackageW (absent before Vista, and under Wine).
std::optional<HRESULT> DeleteDriverPackage(const wchar_t* infPath);

// bthprops.cpl.
std::optional<DWORD> BluetoothAuthenticateDevice(BLUETOOTH_DEVICE_INFO* device, wchar_t* passkey,
                                                 ULONG passkeyLength);
std::optional<DWORD> BluetoothSetServiceState(BLUETOOTH_DEVICE_INFO* device, GUID* service, DWORD flags);
std::optional<DWORD> BluetoothSetLocalServiceInfo(const GUID* service, ULONG instance,
                                                  const BLUETOOTH_LOCAL_SERVICE_INFO* info);

}  // namespace runtime_imports
