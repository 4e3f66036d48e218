// Win32 implementations of device setup (SetupAPI) and the machine registry.
#pragma once

#include "printsys/device_setup.h"

class Win32DeviceSetup final : public DeviceSetup {
 public:
  bool PresentInterfaces(const DeviceInterfaceQuery& query, std::vector<DeviceInterfaceInfo>& found) override;
  bool AnyPresentDeviceOfSetupClass(const SystemGuid& setupClass) override;
  bool WriteToDevice(const std::wstring& devicePath, const std::vector<uint8_t>& data,
                     uint32_t waitMs) override;
};

class Win32Registry final : public SystemRegistry {
 public:
  bool ReadMachineDword(const std::wstring& keyPath, const std::wstring& valueName, uint32_t& value) override;
};
