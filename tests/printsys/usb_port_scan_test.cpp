#include "printsys/usb_port_scan.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"

namespace {

TEST(UsbPortText, HardwareNamesAndPortNames) {
  EXPECT_EQ(UsbHardwareName(L"USB\\VID_0483&PID_5720\\00A1B2C3"), L"VID_0483 PID_5720");
  EXPECT_EQ(UsbHardwareName(L"USB\\VID_0483&PID_5720&MI_00\\6&1"), L"VID_0483 PID_5720 MI_00");
  EXPECT_EQ(UsbHardwareName(L"ROOT_DEVICE"), L"ROOT_DEVICE");
  EXPECT_EQ(UsbHardwareName(L"USB\\"), L"USB\\") << "a trailing backslash gives no second piece";
  EXPECT_EQ(UsbHardwareName(L"USB\\\\X"), L"") << "consecutive backslashes give an empty piece";
  EXPECT_EQ(UsbPortName(1), L"USB001");
  EXPECT_EQ(UsbPortName(12), L"USB012");
  EXPECT_EQ(UsbPortName(1000), L"USB1000");
}

TEST(UsbPortText, RegistryKeyOfTheWorkedExample) {
  EXPECT_EQ(
      UsbDeviceParametersKey(UsbInterfaceKeyName(L"USB\\VID_0483&PID_5720\\00A1B2C3")),
      L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\##?#USB#"
      L"VID_0483&PID_5720#00A1B2C3#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\#\\Device Parameters");
}

class UsbScan : public ::testing::Test {
 protected:
  void AddUsbPrinter(const std::wstring& instanceId, const std::wstring& path, bool descriptions = true) {
    DeviceInterfaceInfo info;
    info.devicePath = path;
    info.hasInstanceId = true;
    info.instanceId = instanceId;
    info.descriptionsReadable = descriptions;
    print.devices.AddInterface(kUsbPrintInterfaceClass, info);
  }
  void SetPortNumber(const std::wstring& instanceId, uint32_t number) {
    print.registry.values[{UsbDeviceParametersKey(UsbInterfaceKeyName(instanceId)), L"Port Number"}] = number;
  }

  FakePlatform fake;
  FakePrintSystem print{fake.system};
};

TEST_F(UsbScan, OneRecordPerUsableInterfaceInOrder) {
  AddUsbPrinter(L"USB\\VID_0483&PID_5720\\A", L"\\\\?\\usb#a");
  SetPortNumber(L"USB\\VID_0483&PID_5720\\A", 3);
  AddUsbPrinter(L"USB\\VID_1111&PID_2222\\B", L"\\\\?\\usb#b", false);  // no description: left out
  AddUsbPrinter(L"USB\\VID_3333&PID_4444\\C", L"\\\\?\\usb#c");         // no port number
  AddUsbPrinter(L"USB\\VID_5555&PID_6666\\D", L"\\\\?\\usb#d");
  SetPortNumber(L"USB\\VID_5555&PID_6666\\D", 0);  // 0 is no port
  AddUsbPrinter(L"USB\\VID_0483&PID_5720\\E", L"\\\\?\\usb#e");
  SetPortNumber(L"USB\\VID_0483&PID_5720\\E", 3);  // duplicates stay
  DeviceInterfaceInfo comPort;
  comPort.hasInstanceId = true;
  comPort.instanceId = L"BTHENUM\\X";
  comPort.descriptionsReadable = true;
  print.devices.AddInterface(kComPortInterfaceClass, comPort);

  std::vector<UsbPortRecord> ports{{L"old", L"USB009", L"p"}};
  ScanUsbPrinterPorts(print.system, ports);
  ASSERT_EQ(ports.size(), 4u);
  const std::pair<const wchar_t*, const wchar_t*> expected[] = {{L"USB003", L"\\\\?\\usb#a"},
                                                                {L"", L"\\\\?\\usb#c"},
                                                                {L"", L"\\\\?\\usb#d"},
                                                                {L"USB003", L"\\\\?\\usb#e"}};
  for (size_t i = 0; i < ports.size(); ++i) {
    EXPECT_EQ(ports[i].portName, expected[i].first) << i;
    EXPECT_EQ(ports[i].devicePath, expected[i].second) << i;
  }
  EXPECT_EQ(ports[0].hardwareName, L"VID_0483 PID_5720");
  EXPECT_EQ(print.pause.sleeps, std::vector<uint32_t>{1000});
}

TEST_F(UsbScan, InterfacesWithoutInstanceIdAreSkipped) {
  DeviceInterfaceInfo info;
  info.devicePath = L"\\\\?\\usb#x";
  info.descriptionsReadable = true;
  print.devices.AddInterface(kUsbPrintInterfaceClass, info);
  std::vector<UsbPortRecord> ports;
  ScanUsbPrinterPorts(print.system, ports);
  EXPECT_TRUE(ports.empty());
}

TEST_F(UsbScan, NoDeviceSetGivesAnEmptyList) {
  AddUsbPrinter(L"USB\\VID_0483&PID_5720\\A", L"\\\\?\\usb#a");
  print.devices.openFails = true;
  std::vector<UsbPortRecord> ports{{L"old", L"USB009", L"p"}};
  ScanUsbPrinterPorts(print.system, ports);
  EXPECT_TRUE(ports.empty());
}

TEST_F(UsbScan, ReadUsbPortNameLeavesTheOutputAloneOnFailure) {
  std::wstring port = L"keep";
  EXPECT_FALSE(ReadUsbPortName(print.registry, L"USB#X#1", port));
  EXPECT_EQ(port, L"keep");
  print.registry.values[{UsbDeviceParametersKey(L"USB#X#1"), L"Port Number"}] = 12;
  EXPECT_TRUE(ReadUsbPortName(print.registry, L"USB#X#1", port));
  EXPECT_EQ(port, L"USB012");
  EXPECT_FALSE(ReadUsbPortName(print.registry, std::wstring(1000, L'x'), port))
      << "key path over 1024 characters";
  EXPECT_EQ(port, L"USB012");
}

}  // namespace
