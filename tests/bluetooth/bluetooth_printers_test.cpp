#include "bluetooth/bluetooth_printers.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_bluetooth.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"

namespace {

BluetoothDevice Device(uint64_t address, uint32_t cod, const wchar_t* name) {
  BluetoothDevice device;
  device.address = address;
  device.classOfDevice = cod;
  device.name = name;
  return device;
}

class BluetoothPrinters : public ::testing::Test {
 protected:
  FakePlatform fake;
  FakePrintSystem print{fake.system};
  FakeBluetoothStack stack;
};

TEST_F(BluetoothPrinters, AdapterStates) {
  EXPECT_EQ(BluetoothAdapterState(print.devices, stack), L"tip.btadapter.none");
  print.devices.presentSetupClasses.push_back(kBluetoothSetupClass);
  EXPECT_EQ(BluetoothAdapterState(print.devices, stack), L"tip.btadapter.on");
  stack.radioOn = false;
  EXPECT_EQ(BluetoothAdapterState(print.devices, stack), L"tip.btadapter.off");
  print.devices.openFails = true;
  EXPECT_EQ(BluetoothAdapterState(print.devices, stack), L"tip.btadapter.none");
}

TEST_F(BluetoothPrinters, AdapterCheckReportsTheStateInEveryCase) {
  CAppContext context(fake.platform);
  context.m_hMainWnd = reinterpret_cast<WindowHandle>(0x77);
  EXPECT_FALSE(CheckBluetoothAdapter(context, print.devices, stack));
  print.devices.presentSetupClasses.push_back(kBluetoothSetupClass);
  EXPECT_TRUE(CheckBluetoothAdapter(context, print.devices, stack));
  const auto& sent = fake.messages.sent;
  ASSERT_EQ(sent.size(), 2u);
  for (const SentMessage& message : sent) {
    EXPECT_EQ(message.window, context.m_hMainWnd);
    EXPECT_EQ(message.message, UM_BT_ADAPTER_STATUS);
    EXPECT_EQ(message.wParam, 1u);
    ASSERT_TRUE(message.hasNotice);
  }
  EXPECT_EQ(sent[0].notice.text, L"tip.btadapter.none");
  EXPECT_EQ(sent[1].notice.text, L"tip.btadapter.on");
}

TEST_F(BluetoothPrinters, SearchKeepsNamedPrintersInOrder) {
  stack.devices = {Device(1, 0x40680, L"A"),  Device(2, 0x40680, L""), Device(3, 0x680, L"C"),
                   Device(4, 0x100680, L"D"), Device(5, 0x1F1F, L"E"), Device(1, 0x40680, L"A")};
  std::vector<BluetoothDevice> printers(3);
  SearchBluetoothPrinters(stack, printers);
  std::vector<uint64_t> addresses;
  for (const BluetoothDevice& d : printers) addresses.push_back(d.address);
  EXPECT_EQ(addresses, (std::vector<uint64_t>{1, 4, 5, 1}));
  ASSERT_EQ(stack.searches.size(), 1u);
  const BluetoothSearchParams& params = stack.searches[0];
  EXPECT_TRUE(params.returnAuthenticated && params.returnRemembered && params.returnUnknown &&
              params.returnConnected && params.issueInquiry);
  EXPECT_EQ(params.timeoutMultiplier, 10);

  stack.searchStarts = false;
  SearchBluetoothPrinters(stack, printers);
  EXPECT_TRUE(printers.empty());
}

TEST_F(BluetoothPrinters, PairingResults) {
  fake.system.messages[{1167, 1033}] = L"The device is not connected.\r\n";
  struct Case {
    uint32_t result;
    bool paired;
    const wchar_t* error;
  };
  const Case cases[] = {{0, true, L""},
                        {259, true, L""},
                        {1167, false, L"The device is not connected. (1167)"},
                        {5, false, L"(5)"}};  // no message: the code alone
  for (const Case& c : cases) {
    stack.authenticateResult = c.result;
    std::wstring error;
    EXPECT_EQ(PairBluetoothDevice(stack, fake.system, Device(1, 0x40680, L"A"), L"5917", error), c.paired)
        << c.result;
    EXPECT_EQ(error, c.error) << c.result;
  }
}

TEST_F(BluetoothPrinters, PairingPassesAtMost16PinCharacters) {
  std::wstring error;
  PairBluetoothDevice(stack, fake.system, Device(1, 0x40680, L"A"), L"0123456789abcdefXYZ", error);
  PairBluetoothDevice(stack, fake.system, Device(1, 0x40680, L"A"), L"5917", error);
  EXPECT_EQ(stack.passkeys, (std::vector<std::wstring>{L"0123456789abcdef", L"5917"}));
}

TEST_F(BluetoothPrinters, SerialPortServiceResults) {
  const BluetoothDevice device = Device(7, 0x40680, L"A");
  for (uint32_t result : {0u, 87u}) {
    stack.lastServiceResult = result;
    EXPECT_TRUE(EnableSerialPortService(stack, device)) << result;
  }
  stack.lastServiceResult = 1168;
  EXPECT_FALSE(EnableSerialPortService(stack, device));
  stack.serviceFunctionAvailable = false;
  EXPECT_TRUE(EnableSerialPortService(stack, device)) << "nothing to switch on this system";
  EXPECT_EQ(stack.serviceCalls, (std::vector<uint64_t>{7, 7, 7}));
}

TEST_F(BluetoothPrinters, LocalServiceCarriesTheAddressAndTheComPort) {
  RegisterSerialPortService(stack, L"COM7", Device(0x001B350AFFC2, 0x40680, L"A"));
  RegisterSerialPortService(stack, std::wstring(300, L'x'), Device(1, 0x40680, L"A"));
  ASSERT_EQ(stack.localServices.size(), 2u);
  EXPECT_TRUE(stack.localServices[0].enabled);
  EXPECT_EQ(stack.localServices[0].address, 0x001B350AFFC2u);
  EXPECT_EQ(stack.localServices[0].name, L"SPP slave");
  EXPECT_EQ(stack.localServices[0].deviceString, L"COM7");
  EXPECT_EQ(stack.localServices[1].deviceString.size(), 255u);
  stack.localServiceFunctionAvailable = false;
  RegisterSerialPortService(stack, L"COM7", Device(1, 0x40680, L"A"));  // skipped quietly
}

TEST_F(BluetoothPrinters, ComPortLookup) {
  auto add = [&](const wchar_t* instanceId, const wchar_t* portName, bool hasId = true) {
    DeviceInterfaceInfo info;
    info.hasInstanceId = hasId;
    info.instanceId = instanceId;
    info.portName = portName;
    print.devices.AddInterface(kComPortInterfaceClass, info);
  };
  add(L"ACPI\\PNP0501\\1", L"COM1");
  add(L"BTHENUM\\X_7&0_001B350AFFC2_C0", L"COM6", false);  // instance ID unreadable
  add(L"BTHENUM\\X_7&0_001B350AFFC2_C0", L"");             // port name unreadable
  add(L"BTHENUM\\X_7&0_001B350AFFC2_C1", L"COM7");
  add(L"BTHENUM\\X_7&0_001B350AFFC2_C2", L"COM8");
  std::wstring port;
  EXPECT_TRUE(FindBluetoothComPort(print.devices, L"001B350AFFC2", port));
  EXPECT_EQ(port, L"COM7");
  port = L"keep";
  EXPECT_FALSE(FindBluetoothComPort(print.devices, L"AABBCCDDEEFF", port));
  EXPECT_EQ(port, L"keep");
  print.devices.openFails = true;
  EXPECT_FALSE(FindBluetoothComPort(print.devices, L"001B350AFFC2", port));
}

}  // namespace
