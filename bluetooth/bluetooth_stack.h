// The Bluetooth stack (bthprops) behind a narrow interface: radio, device search, pairing and the
// serial port service. No Win32 types; bluetooth_stack_win.cpp is the Windows implementation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bluetooth/bluetooth_device.h"

struct BluetoothSearchParams {
  bool returnAuthenticated = true;
  bool returnRemembered = true;
  bool returnUnknown = true;
  bool returnConnected = true;
  bool issueInquiry = true;
  uint8_t timeoutMultiplier = 10;  // units of 1.28 s
};

// The local serial port service the system offers for a paired device.
struct BluetoothLocalService {
  bool enabled = true;
  uint64_t address = 0;
  std::wstring name;          // up to 255 characters are kept
  std::wstring deviceString;  // likewise
};

class BluetoothStack {
 public:
  virtual ~BluetoothStack() = default;
  // A radio that is switched on.
  virtual bool RadioPresent() = 0;
  // Every device the search returns, in its order (all radios); false when the search does not
  // start, which also means no device.
  virtual bool FindDevices(const BluetoothSearchParams& params, std::vector<BluetoothDevice>& devices) = 0;
  // BluetoothAuthenticateDevice with the passkey as given; the system's result code (0 paired).
  virtual uint32_t AuthenticateDevice(const BluetoothDevice& device, const std::wstring& passkey) = 0;
  // BluetoothSetServiceState for the serial port service; nothing when the system lacks it.
  virtual std::optional<uint32_t> SetSerialPortServiceState(const BluetoothDevice& device, bool enable) = 0;
  // BluetoothSetLocalServiceInfo for the serial port service, instance 1; false when the system
  // lacks it or the call fails.
  virtual bool SetLocalSerialPortService(const BluetoothLocalService& service) = 0;
};

// Win32 in the product, a fake in the host tests.
BluetoothStack& DefaultBluetoothStack();
