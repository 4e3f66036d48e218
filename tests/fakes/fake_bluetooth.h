// An in-memory Bluetooth stack: a radio, the devices a search returns, and scripted results for
// pairing and the serial port service.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "bluetooth/bluetooth_stack.h"

class FakeBluetoothStack : public BluetoothStack {
 public:
  bool radioOn = true;
  bool searchStarts = true;
  std::vector<BluetoothDevice> devices;  // what the search returns, in order
  uint32_t authenticateResult = 0;
  // Results of successive service-state calls; once used up, lastServiceResult answers.
  std::deque<uint32_t> serviceResults;
  uint32_t lastServiceResult = 0;
  bool serviceFunctionAvailable = true;
  bool localServiceFunctionAvailable = true;

  std::vector<BluetoothSearchParams> searches;
  std::vector<std::wstring> passkeys;
  std::vector<uint64_t> serviceCalls;  // device addresses
  std::vector<BluetoothLocalService> localServices;

  bool RadioPresent() override { return radioOn; }
  bool FindDevices(const BluetoothSearchParams& params, std::vector<BluetoothDevice>& found) override;
  uint32_t AuthenticateDevice(const BluetoothDevice& device, const std::wstring& passkey) override;
  std::optional<uint32_t> SetSerialPortServiceState(const BluetoothDevice& device, bool enable) override;
  bool SetLocalSerialPortService(const BluetoothLocalService& service) override;
};

// The fake behind DefaultBluetoothStack() in the host tests, and a fresh one in its place.
FakeBluetoothStack& DefaultFakeBluetoothStack();
FakeBluetoothStack& ResetDefaultFakeBluetoothStack();
