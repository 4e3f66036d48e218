// What the mingw-w64 Bluetooth headers and import library lack, declared once here.
#pragma once

// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <bluetoothapis.h>
// clang-format on

#ifndef BLUETOOTH_SERVICE_DISABLE
#define BLUETOOTH_SERVICE_DISABLE 0x00
#endif
#ifndef BLUETOOTH_SERVICE_ENABLE
#define BLUETOOTH_SERVICE_ENABLE 0x01
#endif

// bthprops.cpl exports it, but neither the header nor libbthprops.a has it, so it is looked up at
// run time (printsys/runtime_imports_win.cpp).
using BluetoothAuthenticateDeviceFn = DWORD(WINAPI*)(HWND hwndParent, HANDLE hRadio,
                                                     BLUETOOTH_DEVICE_INFO* pbtbi, PWSTR pszPasskey,
                                                     ULONG ulPasskeyLength);

static_assert(sizeof(BLUETOOTH_DEVICE_INFO) == 560, "the search and pairing calls expect 560 bytes");
#ifndef _WIN64  // the product's build; the Wine tier's 64-bit build has 8-byte handles
static_assert(sizeof(BLUETOOTH_DEVICE_SEARCH_PARAMS) == 32, "the search expects 32 bytes");
#endif
