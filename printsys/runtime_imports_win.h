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
std::optional<HRESULT> DeleteDriverPackage(const wchar_t* infPath, const wchar_t* environment);

// kernel32's IsWow64Process2 (Windows 10 1511 and later): the system's own machine
// (IMAGE_FILE_MACHINE_*), whatever this process's bitness. kernel32 is in every process already,
// so nothing is loaded for it.
std::optional<USHORT> NativeMachineOfThisSystem();

// bthprops.cpl.
std::optional<DWORD> BluetoothAuthenticateDevice(BLUETOOTH_DEVICE_INFO* device, wchar_t* passkey,
                                                 ULONG passkeyLength);
std::optional<DWORD> BluetoothSetServiceState(BLUETOOTH_DEVICE_INFO* device, GUID* service, DWORD flags);
std::optional<DWORD> BluetoothSetLocalServiceInfo(const GUID* service, ULONG instance,
                                                  const BLUETOOTH_LOCAL_SERVICE_INFO* info);

}  // namespace runtime_imports
