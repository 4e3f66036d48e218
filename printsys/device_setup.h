// Device setup (SetupAPI) and the machine registry, as the USB port scan and the COM port lookup
// of a Bluetooth printer need them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SystemGuid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];

  bool operator==(const SystemGuid& other) const;
  bool operator!=(const SystemGuid& other) const { return !(*this == other); }
};

// USB printing device interface class.
constexpr SystemGuid kUsbPrintInterfaceClass = {
    0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};
// COM port device interface class.
constexpr SystemGuid kComPortInterfaceClass = {
    0x86e0d1e0, 0x8089, 0x11d0, {0x9c, 0xe4, 0x08, 0x00, 0x3e, 0x30, 0x1f, 0x73}};

// What the device-setup services told about one present device interface. The enumeration ends
// early, as the scan does, when the detail of an interface cannot be had.
struct DeviceInterfaceInfo {
  std::wstring devicePath;
  bool hasInstanceId = false;
  std::wstring instanceId;
  bool descriptionsReadable = false;  // device description and hardware ID, when asked for
  std::wstring portName;              // "PortName" of the device's hardware key, when asked for
};

struct DeviceInterfaceQuery {
  SystemGuid interfaceClass;
  bool readDescriptions = false;
  bool readPortName = false;
};

class DeviceSetup {
 public:
  virtual ~DeviceSetup() = default;
  // Present devices exposing the interface class, in the system's order; false when the device
  // information set cannot be opened.
  virtual bool PresentInterfaces(const DeviceInterfaceQuery& query,
                                 std::vector<DeviceInterfaceInfo>& found) = 0;
  // Whether a present device (of any class) belongs to the given setup class.
  virtual bool AnyPresentDeviceOfSetupClass(const SystemGuid& setupClass) = 0;
  // One asynchronous write of the data to a device interface path (the USB port test), given
  // waitMs to complete; a write still pending then is cancelled and given waitMs more. False when
  // the device does not open, the write does not start, fails, or has not ended by then: the call
  // never takes much more than twice waitMs.
  virtual bool WriteToDevice(const std::wstring& devicePath, const std::vector<uint8_t>& data,
                             uint32_t waitMs) = 0;
};

class SystemRegistry {
 public:
  virtual ~SystemRegistry() = default;
  // A 4-byte value under HKEY_LOCAL_MACHINE, key opened for reading; false when the key or the
  // value cannot be read or does not fit 4 bytes.
  virtual bool ReadMachineDword(const std::wstring& keyPath, const std::wstring& valueName,
                                uint32_t& value) = 0;
};
