// Stands in for bthprops.cpl, which Wine has without a radio (and whose pairing and service calls
// end the process there): one radio, two devices, and the results of an already paired device.
// Every call records what it was given, through shell_log.h.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <bluetoothapis.h>
// clang-format on

#include <cstdio>
#include <string>

#include "shell_log.h"

namespace {

int g_nextDevice = 0;

std::wstring Hex(unsigned long long value) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%llX", value);
  return text;
}

std::wstring GuidText(const GUID* guid) {
  if (guid == nullptr) return L"null";
  wchar_t text[40];
  std::swprintf(text, 40, L"%08lX-%04X-%04X-%02X%02X", guid->Data1, guid->Data2, guid->Data3, guid->Data4[0],
                guid->Data4[1]);
  return text;
}

void Record(const wchar_t* call, const std::wstring& details) { AppendShellLog(call, details.c_str()); }

void FillDevice(BLUETOOTH_DEVICE_INFO* info, unsigned long long address, ULONG cod, const wchar_t* name) {
  info->Address.ullLong = address;
  info->ulClassofDevice = cod;
  info->fAuthenticated = TRUE;
  info->fRemembered = TRUE;
  lstrcpynW(info->szName, name, BLUETOOTH_MAX_NAME_SIZE);
}

}  // namespace

extern "C" {

__declspec(dllexport) HBLUETOOTH_RADIO_FIND WINAPI
    BluetoothFindFirstRadio(BLUETOOTH_FIND_RADIO_PARAMS* params, HANDLE* radio) {
  Record(L"FindFirstRadio", L"size=" + std::to_wstring(params != nullptr ? params->dwSize : 0));
  *radio = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return reinterpret_cast<HBLUETOOTH_RADIO_FIND>(0x5151);
}

__declspec(dllexport) BOOL WINAPI BluetoothFindRadioClose(HBLUETOOTH_RADIO_FIND find) {
  Record(L"FindRadioClose", Hex(reinterpret_cast<uintptr_t>(find)));
  return TRUE;
}

__declspec(dllexport) HBLUETOOTH_DEVICE_FIND WINAPI
    BluetoothFindFirstDevice(BLUETOOTH_DEVICE_SEARCH_PARAMS* params, BLUETOOTH_DEVICE_INFO* info) {
  Record(L"FindFirstDevice",
         L"size=" + std::to_wstring(params->dwSize) + L" flags=" +
             std::to_wstring(params->fReturnAuthenticated) + std::to_wstring(params->fReturnRemembered) +
             std::to_wstring(params->fReturnUnknown) + std::to_wstring(params->fReturnConnected) +
             std::to_wstring(params->fIssueInquiry) + L" timeout=" +
             std::to_wstring(params->cTimeoutMultiplier) + L" radio=" +
             Hex(reinterpret_cast<uintptr_t>(params->hRadio)) + L" record=" + std::to_wstring(info->dwSize));
  g_nextDevice = 1;
  FillDevice(info, 0x001B350AFFC2ull, 0x40680, L"Label printer");
  return reinterpret_cast<HBLUETOOTH_DEVICE_FIND>(0x5252);
}

__declspec(dllexport) BOOL WINAPI
    BluetoothFindNextDevice(HBLUETOOTH_DEVICE_FIND, BLUETOOTH_DEVICE_INFO* info) {
  Record(L"FindNextDevice", L"record=" + std::to_wstring(info->dwSize) + L" name=" + info->szName);
  if (g_nextDevice++ == 1) {
    FillDevice(info, 0x0000AABBCCDDEEFFull, 0x5A020C, L"Phone");
    return TRUE;
  }
  SetLastError(ERROR_NO_MORE_ITEMS);
  return FALSE;
}

__declspec(dllexport) BOOL WINAPI BluetoothFindDeviceClose(HBLUETOOTH_DEVICE_FIND find) {
  Record(L"FindDeviceClose", Hex(reinterpret_cast<uintptr_t>(find)));
  return TRUE;
}

__declspec(dllexport) DWORD WINAPI
    BluetoothAuthenticateDevice(HWND parent, HANDLE radio, BLUETOOTH_DEVICE_INFO* info, PWSTR passkey,
                                ULONG length) {
  Record(L"AuthenticateDevice", L"parent=" + Hex(reinterpret_cast<uintptr_t>(parent)) + L" radio=" +
                                    Hex(reinterpret_cast<uintptr_t>(radio)) + L" record=" +
                                    std::to_wstring(info->dwSize) + L" address=" +
                                    Hex(info->Address.ullLong) + L" passkey=" +
                                    std::wstring(passkey, length) + L" length=" + std::to_wstring(length));
  return ERROR_NO_MORE_ITEMS;  // paired already
}

__declspec(dllexport) DWORD WINAPI
    BluetoothSetServiceState(HANDLE radio, BLUETOOTH_DEVICE_INFO* info, GUID* service, DWORD flags) {
  Record(L"SetServiceState", L"radio=" + Hex(reinterpret_cast<uintptr_t>(radio)) + L" address=" +
                                 Hex(info->Address.ullLong) + L" service=" + GuidText(service) + L" flags=" +
                                 std::to_wstring(flags));
  return ERROR_INVALID_PARAMETER;
}

__declspec(dllexport) DWORD WINAPI
    BluetoothSetLocalServiceInfo(HANDLE radio, const GUID* service, ULONG instance,
                                 const BLUETOOTH_LOCAL_SERVICE_INFO* info) {
  Record(L"SetLocalServiceInfo", L"radio=" + Hex(reinterpret_cast<uintptr_t>(radio)) + L" service=" +
                                     GuidText(service) + L" instance=" + std::to_wstring(instance) +
                                     L" enabled=" + std::to_wstring(info->Enabled) + L" address=" +
                                     Hex(info->btAddr.ullLong) + L" name=" + info->szName + L" device=" +
                                     info->szDeviceString);
  return ERROR_SUCCESS;
}

}  // extern "C"
