// The Bluetooth stack through bthprops: radio and device search by import, pairing and the
// serial port service looked up at run time (printsys/runtime_imports_win.cpp).
#include <windows.h>

#include "bluetooth/bluetooth_mingw_gaps_win.h"
#include "bluetooth/bluetooth_printers.h"
#include "bluetooth/bluetooth_stack.h"
#include "printsys/runtime_imports_win.h"
#include "printsys/win32_support_win.h"

namespace {

constexpr uint64_t kAddressMask = 0xFFFFFFFFFFFFull;
constexpr size_t kServiceTextChars = 256;

BluetoothDevice FromSystemRecord(const BLUETOOTH_DEVICE_INFO& info) {
  BluetoothDevice device;
  device.address = info.Address.ullLong & kAddressMask;
  device.classOfDevice = info.ulClassofDevice;
  device.connected = info.fConnected != FALSE;
  device.remembered = info.fRemembered != FALSE;
  device.authenticated = info.fAuthenticated != FALSE;
  device.name = win32::BoundedString(info.szName, BLUETOOTH_MAX_NAME_SIZE);
  return device;
}

BLUETOOTH_DEVICE_INFO ToSystemRecord(const BluetoothDevice& device) {
  BLUETOOTH_DEVICE_INFO info{};
  info.dwSize = sizeof(info);
  info.Address.ullLong = device.address & kAddressMask;
  info.ulClassofDevice = device.classOfDevice;
  info.fConnected = device.connected;
  info.fRemembered = device.remembered;
  info.fAuthenticated = device.authenticated;
  const size_t length =
      device.name.size() < BLUETOOTH_MAX_NAME_SIZE ? device.name.size() : BLUETOOTH_MAX_NAME_SIZE - 1;
  device.name.copy(info.szName, length);
  return info;
}

void CopyTruncated(wchar_t* field, const std::wstring& text) {
  const size_t length = text.size() < kServiceTextChars ? text.size() : kServiceTextChars - 1;
  text.copy(field, length);
  field[length] = L'\0';
}

class Win32BluetoothStack final : public BluetoothStack {
 public:
  bool RadioPresent() override {
    BLUETOOTH_FIND_RADIO_PARAMS params{};
    params.dwSize = sizeof(params);
    HANDLE radio = nullptr;
    HBLUETOOTH_RADIO_FIND find = BluetoothFindFirstRadio(&params, &radio);
    if (find == nullptr) return false;
    if (radio != nullptr) CloseHandle(radio);
    BluetoothFindRadioClose(find);
    return true;
  }

  bool FindDevices(const BluetoothSearchParams& search, std::vector<BluetoothDevice>& devices) override {
    devices.clear();
    BLUETOOTH_DEVICE_SEARCH_PARAMS params{};
    params.dwSize = sizeof(params);
    params.fReturnAuthenticated = search.returnAuthenticated;
    params.fReturnRemembered = search.returnRemembered;
    params.fReturnUnknown = search.returnUnknown;
    params.fReturnConnected = search.returnConnected;
    params.fIssueInquiry = search.issueInquiry;
    params.cTimeoutMultiplier = search.timeoutMultiplier;
    params.hRadio = nullptr;  // all radios
    BLUETOOTH_DEVICE_INFO info{};
    info.dwSize = sizeof(info);
    HBLUETOOTH_DEVICE_FIND find = BluetoothFindFirstDevice(&params, &info);
    if (find == nullptr) return false;
    do {
      devices.push_back(FromSystemRecord(info));
      info = BLUETOOTH_DEVICE_INFO{};
      info.dwSize = sizeof(info);
    } while (BluetoothFindNextDevice(find, &info));
    BluetoothFindDeviceClose(find);
    return true;
  }

  uint32_t AuthenticateDevice(const BluetoothDevice& device, const std::wstring& passkey) override {
    BLUETOOTH_DEVICE_INFO info = ToSystemRecord(device);
    std::wstring key = passkey.substr(0, kMaxPasskeyLength);
    key.push_back(L'\0');
    const std::optional<DWORD> result =
        runtime_imports::BluetoothAuthenticateDevice(&info, &key[0], static_cast<ULONG>(key.size() - 1));
    return result ? *result : ERROR_PROC_NOT_FOUND;
  }

  std::optional<uint32_t> SetSerialPortServiceState(const BluetoothDevice& device, bool enable) override {
    BLUETOOTH_DEVICE_INFO info = ToSystemRecord(device);
    GUID service = win32::ToGuid(kSerialPortServiceClass);
    const std::optional<DWORD> result = runtime_imports::BluetoothSetServiceState(
        &info, &service, enable ? BLUETOOTH_SERVICE_ENABLE : BLUETOOTH_SERVICE_DISABLE);
    if (!result) return std::nullopt;
    return *result;
  }

  bool SetLocalSerialPortService(const BluetoothLocalService& local) override {
    BLUETOOTH_LOCAL_SERVICE_INFO info{};
    info.Enabled = local.enabled;
    info.btAddr.ullLong = local.address & kAddressMask;
    CopyTruncated(info.szName, local.name);
    CopyTruncated(info.szDeviceString, local.deviceString);
    const GUID service = win32::ToGuid(kSerialPortServiceClass);
    const std::optional<DWORD> result = runtime_imports::BluetoothSetLocalServiceInfo(&service, 1, &info);
    return result && *result == ERROR_SUCCESS;
  }
};

}  // namespace

BluetoothStack& DefaultBluetoothStack() {
  static Win32BluetoothStack stack;
  return stack;
}
