#include "tests/fakes/fake_bluetooth.h"

bool FakeBluetoothStack::FindDevices(const BluetoothSearchParams& params,
                                     std::vector<BluetoothDevice>& found) {
  searches.push_back(params);
  found.clear();
  if (!radioOn || !searchStarts || devices.empty()) return false;  // no handle without a first device
  found = devices;
  return true;
}

uint32_t FakeBluetoothStack::AuthenticateDevice(const BluetoothDevice& device, const std::wstring& passkey) {
  passkeys.push_back(passkey);
  if (!radioOn) return 1167;  // ERROR_DEVICE_NOT_CONNECTED
  if (authenticateResult == 0) {
    for (BluetoothDevice& known : devices) {
      if (known.address == device.address) known.authenticated = true;
    }
  }
  return authenticateResult;
}

std::optional<uint32_t> FakeBluetoothStack::SetSerialPortServiceState(const BluetoothDevice& device, bool) {
  if (!serviceFunctionAvailable) return std::nullopt;
  serviceCalls.push_back(device.address);
  if (serviceResults.empty()) return lastServiceResult;
  const uint32_t result = serviceResults.front();
  serviceResults.pop_front();
  return result;
}

bool FakeBluetoothStack::SetLocalSerialPortService(const BluetoothLocalService& service) {
  if (!localServiceFunctionAvailable) return false;
  localServices.push_back(service);
  return true;
}

FakeBluetoothStack& DefaultFakeBluetoothStack() {
  static FakeBluetoothStack stack;
  return stack;
}

FakeBluetoothStack& ResetDefaultFakeBluetoothStack() {
  DefaultFakeBluetoothStack() = FakeBluetoothStack();
  return DefaultFakeBluetoothStack();
}

BluetoothStack& DefaultBluetoothStack() { return DefaultFakeBluetoothStack(); }
