// The Bluetooth operations against the system: the host fake has an adapter with a printer, Wine
// has no Bluetooth device at all. Pairing is left out here: Wine's BluetoothAuthenticateDevice
// ends the process.
#include <gtest/gtest.h>

#include "bluetooth/bluetooth_printers.h"
#include "bluetooth/bluetooth_text.h"
#include "tests/printsys/contract_target.h"

namespace {

class BluetoothContract : public ::testing::Test {
 protected:
  ContractTarget& target_ = MakeContractTarget();
};

TEST_F(BluetoothContract, ContractAdapterState) {
  const std::wstring state = BluetoothAdapterState(target_.print.devices, target_.bluetooth);
  EXPECT_EQ(state, target_.wine ? L"tip.btadapter.none" : L"tip.btadapter.on");
}

TEST_F(BluetoothContract, ContractSearchListsOnlyNamedPrinters) {
  std::vector<BluetoothDevice> printers(2);
  SearchBluetoothPrinters(target_.bluetooth, printers);
  if (target_.wine) {
    EXPECT_TRUE(printers.empty()) << "Wine has no radio, so no search starts";
    return;
  }
  ASSERT_EQ(printers.size(), 1u);
  EXPECT_EQ(printers[0].name, L"Label printer");
  EXPECT_EQ(printers[0].address, kContractBluetoothAddress);
}

TEST_F(BluetoothContract, ContractComPortOfThePrinter) {
  std::wstring port = L"untouched";
  const bool found = FindBluetoothComPort(target_.print.devices,
                                          FormatBluetoothAddress(kContractBluetoothAddress, false), port);
  if (target_.wine) {
    EXPECT_FALSE(found) << "Wine lists no COM port interfaces";
    EXPECT_EQ(port, L"untouched");
    return;
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(port, L"COM5");
  EXPECT_FALSE(FindBluetoothComPort(target_.print.devices, L"AABBCCDDEEFF", port));
}

}  // namespace
