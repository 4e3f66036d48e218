// Behaviour the spooler shows to the installer, checked against the fakes on the host and against
// the real spooler under Wine, so that the fakes cannot drift from the system.
#include <gtest/gtest.h>

#include <algorithm>

#include "context/driver_model.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"
#include "printsys/tcpip_port.h"
#include "printsys/usb_port_scan.h"
#include "tests/printsys/contract_target.h"

namespace {

const wchar_t kDriver[] = L"LABEL";
const wchar_t kPrinter[] = L"LABEL";

bool Listed(const std::vector<SpoolerEntry>& list, const std::wstring& first, const std::wstring& second) {
  return std::any_of(list.begin(), list.end(),
                     [&](const SpoolerEntry& e) { return e.first == first && e.second == second; });
}

class SpoolerContract : public ::testing::Test {
 protected:
  void SetUp() override { previousDefault_ = spooler().DefaultPrinter(); }
  void TearDown() override {
    if (!previousDefault_.empty()) spooler().MakeDefaultPrinter(previousDefault_);
  }
  PrintSpooler& spooler() { return target_.print.spooler; }
  // Every driver call names the system's own environment, as the product's do.
  std::wstring Environment() const { return NativeDriverEnvironment(target_.system); }

  ContractTarget& target_ = MakeContractTarget();
  std::wstring previousDefault_;
};

TEST_F(SpoolerContract, ContractListsTheLocalPorts) {
  std::vector<SpoolerEntry> ports;
  ListPorts(spooler(), ports);
  for (const wchar_t* name : {L"COM1:", L"COM2:", L"LPT1:", L"FILE:"}) {
    EXPECT_TRUE(Listed(ports, name, L"Local Port")) << "port " << ports.size();
  }
  EXPECT_TRUE(PortExists(spooler(), L"COM1:"));
  EXPECT_TRUE(PortExists(spooler(), L"com1:"));  // the spooler compares port names without regard to case
  EXPECT_FALSE(PortExists(spooler(), L"COM1"));
}

TEST_F(SpoolerContract, ContractLocalPortsNameTheirMonitor) {
  std::vector<SpoolerEntry> ports;
  ListPorts(spooler(), ports);
  auto com1 =
      std::find_if(ports.begin(), ports.end(), [](const SpoolerEntry& e) { return e.first == L"COM1:"; });
  ASSERT_NE(com1, ports.end());
  if (target_.wine && com1->third == L"Local Monitor") {
    GTEST_SKIP() << "Wine names the local monitor \"Local Monitor\" in PORT_INFO_2 (Windows: \"Local Port\")";
  }
  EXPECT_EQ(com1->third, L"Local Port");
}

TEST_F(SpoolerContract, ContractDriverDirectoryIsUnderTheSpoolFolder) {
  const std::wstring folder = GetDriverDirectory(spooler(), Environment());
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_NE(folder.find(L"\\spool\\"), std::wstring::npos) << "folder length " << folder.size();
}

TEST_F(SpoolerContract, ContractConfiguringAnExistingPortSucceeds) {
  EXPECT_TRUE(spooler().ConfigurePortThroughMonitor(nullptr, L"COM1:"));
}

TEST_F(SpoolerContract, ContractLocalPortIsAddedAndDeleted) {
  const std::wstring name = L"LDW_CONTRACT_PORT";
  ASSERT_FALSE(PortExists(spooler(), name));
  ASSERT_TRUE(AddLocalPort(target_.print.portMonitor, name));
  std::vector<SpoolerEntry> ports;
  ListPorts(spooler(), ports);
  EXPECT_TRUE(Listed(ports, name, L"Local Port"));
  EXPECT_TRUE(spooler().RemovePort(nullptr, name));
  EXPECT_FALSE(PortExists(spooler(), name));
  EXPECT_FALSE(spooler().RemovePort(nullptr, name)) << "an unknown port cannot be deleted";
  EXPECT_NE(target_.system.LastError(), 0u);
}

TEST_F(SpoolerContract, ContractStandardTcpIpPort) {
  const std::wstring name = L"10.99.0.7_ldw";
  const bool added = AddStandardTcpIpPort(target_.print.portMonitor, name, L"10.99.0.7");
  if (target_.wine) {
    // Wine has no Standard TCP/IP monitor: the channel does not open and nothing is created.
    EXPECT_FALSE(added);
    EXPECT_FALSE(PortExists(spooler(), name));
    return;
  }
  ASSERT_TRUE(added);
  std::vector<SpoolerEntry> ports;
  ListPorts(spooler(), ports);
  EXPECT_TRUE(Listed(ports, name, L"Standard TCP/IP Port"));
  EXPECT_FALSE(AddStandardTcpIpPort(target_.print.portMonitor, name, L"10.99.0.7")) << "the name is taken";
  EXPECT_TRUE(spooler().RemovePort(nullptr, name));
}

TEST_F(SpoolerContract, ContractUsbScanFindsThePrintersThatArePresent) {
  std::vector<UsbPortRecord> ports{{L"stale", L"USB009", L""}};
  ScanUsbPrinterPorts(target_.print, ports);
  if (target_.wine) {
    EXPECT_TRUE(ports.empty()) << "Wine has no USB printing interfaces";
    return;
  }
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].portName, L"USB001");
  EXPECT_EQ(ports[0].hardwareName, L"VID_0483 PID_5720");
  EXPECT_TRUE(target_.print.devices.WriteToDevice(ports[0].devicePath, {0x1B, 0x4A, 0x78}, 1000));
}

TEST_F(SpoolerContract, ContractWriteToAMissingDeviceFails) {
  EXPECT_FALSE(target_.print.devices.WriteToDevice(
      L"\\\\?\\usb#vid_ffff&pid_ffff#none#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}", {0x1B, 0x4A, 0x78}, 1000));
  EXPECT_FALSE(target_.print.devices.WriteToDevice(L"", {0x1B}, 1000));
}

// The legacy install route: package files in the spooler's driver folder, then the driver added
// with APD_COPY_NEW_FILES. Placeholder files stand in for the package; they are no DLLs, so the
// spooler never loads them.
class LegacyDriverContract : public SpoolerContract {
 protected:
  void SetUp() override {
    SpoolerContract::SetUp();
    ASSERT_FALSE(DriverInstalled(spooler(), Environment(), kDriver)) << "left over from an earlier run";
    folder_ = GetDriverDirectory(spooler(), Environment());
    ASSERT_FALSE(folder_.empty());
    const DriverModelInfo model = MakeLegacyDriverModel();
    std::vector<wchar_t> dependents;
    static const uint8_t kPlaceholder[] = "placeholder, not a driver file";
    for (const std::wstring& source : model.legacy32Files) {
      const std::wstring name = source.substr(source.rfind(L'\\') + 1);
      ASSERT_TRUE(target_.files.WriteWholeFile(folder_ + name, kPlaceholder, sizeof(kPlaceholder)));
      written_.push_back(name);
      dependents.insert(dependents.end(), name.begin(), name.end());
      dependents.push_back(0);
    }
    dependents.push_back(0);
    ASSERT_TRUE(
        spooler().AddDriver(MakeLegacyDriverRecord(model, dependents, Environment()), kAddDriverCopyNewFiles))
        << "error " << target_.system.LastError();
  }

  void TearDown() override {
    while (PrinterExists(spooler(), kPrinter) && spooler().RemovePrinter(kPrinter)) {
    }
    if (PrinterExists(spooler(), kPrinter) && target_.removeUnopenablePrinter) {
      target_.removeUnopenablePrinter(kPrinter);
    }
    EXPECT_FALSE(PrinterExists(spooler(), kPrinter)) << "the case left its printer behind";
    if (DriverInstalled(spooler(), Environment(), kDriver))
      spooler().RemoveDriver(kDriver, Environment(), 0, 3);
    EXPECT_FALSE(DriverInstalled(spooler(), Environment(), kDriver)) << "the case left its driver behind";
    for (const std::wstring& name : written_) {
      target_.removeFile(folder_ + name);
      target_.removeFile(folder_ + L"3\\" + name);  // the copy the spooler made
    }
    SpoolerContract::TearDown();
  }

  bool AddLabelPrinter(const std::wstring& name, const std::wstring& port) {
    return spooler().CreatePrinter(MakePrinterRecord(name, port, kDriver));
  }

  std::wstring folder_;
  std::vector<std::wstring> written_;
};

TEST_F(LegacyDriverContract, ContractDriverIsFoundInAnyLetterCase) {
  EXPECT_TRUE(DriverInstalled(spooler(), Environment(), L"LABEL"));
  EXPECT_TRUE(DriverInstalled(spooler(), Environment(), L"label"));
  EXPECT_TRUE(DriverInstalled(spooler(), Environment(), L"Label"));
  EXPECT_FALSE(DriverInstalled(spooler(), Environment(), L"LABEL2"));
  std::vector<SpoolerEntry> drivers;
  ListInstalledDrivers(spooler(), target_.system, drivers);
  EXPECT_TRUE(Listed(drivers, L"", L"LABEL"));
}

TEST_F(LegacyDriverContract, ContractPrinterLifecycleOnCom1) {
  ASSERT_TRUE(AddLabelPrinter(kPrinter, L"COM1:")) << "error " << target_.system.LastError();
  EXPECT_TRUE(PrinterExists(spooler(), L"LABEL"));
  EXPECT_TRUE(PrinterExists(spooler(), L"label"));  // a name in other case is taken too

  std::vector<SpoolerEntry> printers;
  ListInstalledPrinters(spooler(), target_.system, printers);
  EXPECT_TRUE(Listed(printers, L"LABEL", L"LABEL"));

  EXPECT_TRUE(spooler().MakeDefaultPrinter(kPrinter));
  EXPECT_EQ(spooler().DefaultPrinter(), L"LABEL");

  EXPECT_EQ(DeletePrinterOutcome(spooler(), target_.system, kPrinter), 0u);
  EXPECT_FALSE(PrinterExists(spooler(), kPrinter));
  EXPECT_NE(spooler().DefaultPrinter(), L"LABEL") << "a deleted printer is no default";
  EXPECT_NE(DeletePrinterOutcome(spooler(), target_.system, kPrinter), 0u) << "gone already";

  uint32_t outcome = DeleteDriverOutcome(spooler(), target_.system, kDriver);
  if (target_.wine && outcome == kErrorInvalidParameter) {
    // Wine accepts no delete flags (see the README); the driver goes with flags 0.
    outcome = spooler().RemoveDriver(kDriver, Environment(), 0, 3) ? 0 : target_.system.LastError();
  }
  EXPECT_EQ(outcome, 0u);
  EXPECT_FALSE(DriverInstalled(spooler(), Environment(), kDriver));
}

TEST_F(LegacyDriverContract, ContractDriverDeletionWithUnusedFilesFlags) {
  const uint32_t outcome = DeleteDriverOutcome(spooler(), target_.system, kDriver);
  if (target_.wine && outcome == kErrorInvalidParameter) {
    GTEST_SKIP() << "Wine's DeletePrinterDriverExW accepts only delete flags 0 (87 for "
                    "DPD_DELETE_UNUSED_FILES | DPD_DELETE_SPECIFIC_VERSION)";
  }
  EXPECT_EQ(outcome, 0u);
  EXPECT_FALSE(DriverInstalled(spooler(), Environment(), kDriver));
}

TEST_F(LegacyDriverContract, ContractDriverInUseIsNotDeleted) {
  ASSERT_TRUE(AddLabelPrinter(kPrinter, L"COM2:"));
  const bool deleted = spooler().RemoveDriver(kDriver, Environment(), 0, 3);
  if (target_.wine && deleted) {
    GTEST_SKIP() << "Wine deletes a driver that a printer still uses";
  }
  EXPECT_FALSE(deleted);
  EXPECT_TRUE(DriverInstalled(spooler(), Environment(), kDriver));
}

TEST_F(LegacyDriverContract, ContractPrinterOnAnUnknownPortFailsWith1796) {
  const bool added = AddLabelPrinter(kPrinter, L"NO_SUCH_PORT:");
  if (target_.wine && added) {
    GTEST_SKIP() << "Wine's AddPrinterW accepts a port that does not exist (Windows: 1796)";
  }
  EXPECT_FALSE(added);
  EXPECT_EQ(target_.system.LastError(), kErrorUnknownPort);
  EXPECT_FALSE(PrinterExists(spooler(), kPrinter));
}

TEST_F(LegacyDriverContract, ContractPrinterOfTheProductsRecordIsCreatedAndOpens) {
  ASSERT_TRUE(spooler().CreatePrinter(MakePrinterRecord(kPrinter, L"COM1:", kDriver)))
      << "error " << target_.system.LastError();
  EXPECT_TRUE(PrinterExists(spooler(), kPrinter));
  EXPECT_TRUE(spooler().RemovePrinter(kPrinter)) << "error " << target_.system.LastError();
}

TEST_F(LegacyDriverContract, ContractSecondPrinterOfTheSameNameIsRefused) {
  ASSERT_TRUE(AddLabelPrinter(kPrinter, L"COM1:"));
  const bool again = AddLabelPrinter(kPrinter, L"COM2:");
  if (target_.wine && again) {
    GTEST_SKIP() << "Wine's AddPrinterW accepts a second printer of the same name";
  }
  EXPECT_FALSE(again);
  EXPECT_EQ(target_.system.LastError(), kErrorPrinterAlreadyExists);
}

TEST_F(SpoolerContract, ContractPrinterWithAnUnknownDriverIsRefused) {
  EXPECT_FALSE(spooler().CreatePrinter(MakePrinterRecord(L"LDW no driver", L"COM1:", L"LDW no such driver")));
  EXPECT_EQ(target_.system.LastError(), kErrorUnknownPrinterDriver);
  EXPECT_FALSE(PrinterExists(spooler(), L"LDW no driver"));
}

TEST_F(SpoolerContract, ContractDriverWithoutItsFilesIsNotAdded) {
  DriverModelInfo model = MakeLegacyDriverModel();
  model.driverName = L"LDW_NO_FILES";
  model.driverPath = L"LDW_MISSING_DRIVER.DLL";
  model.dataFile = L"LDW_MISSING.GPD";
  model.configFile = L"LDW_MISSING_UI.DLL";
  const bool added =
      spooler().AddDriver(MakeLegacyDriverRecord(model, {}, Environment()), kAddDriverCopyNewFiles);
  if (target_.wine && added) {
    spooler().RemoveDriver(model.driverName, Environment(), 0, 3);
    GTEST_SKIP() << "Wine's AddPrinterDriverExW adds a driver whose files are not in the driver folder";
  }
  EXPECT_FALSE(added);
  EXPECT_NE(target_.system.LastError(), 0u);
  EXPECT_FALSE(DriverInstalled(spooler(), Environment(), L"LDW_NO_FILES"));
}

}  // namespace
