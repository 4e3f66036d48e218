#include "printsys/spooler_changes.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"

namespace {

TEST(SpoolerRecords, LegacyDriverRecordCarriesTheModelAndTheMaker) {
  const DriverModelInfo model = MakeLegacyDriverModel();
  const std::vector<wchar_t> dependents = {L'A', L'.', L'D', 0, L'B', 0, 0};
  const DriverRecord record = MakeLegacyDriverRecord(model, dependents, L"Windows x64");
  EXPECT_EQ(record.version, 3u);
  EXPECT_EQ(record.name, L"LABEL");
  EXPECT_EQ(record.environment, L"Windows x64");
  EXPECT_EQ(record.driverPath, L"UNIDRV.DLL");
  EXPECT_EQ(record.dataFile, L"Ombrevia.GPD");
  EXPECT_EQ(record.configFile, L"UNIDRVUI.DLL");
  EXPECT_EQ(record.helpFile, L"UNIDRV.HLP");
  EXPECT_EQ(record.dependentFiles, dependents);
  EXPECT_EQ(record.driverVersion, 3u);
  EXPECT_EQ(record.manufacturer, L"Merovin");
  EXPECT_EQ(record.provider, L"MV");
  EXPECT_TRUE(record.monitorName.empty() && record.defaultDataType.empty() && record.oemUrl.empty() &&
              record.hardwareId.empty());
}

TEST(SpoolerRecords, PrinterRecordIsALocalWinPrintRawPrinter) {
  const PrinterRecord record = MakePrinterRecord(L"LABEL (1)", L"COM5:", L"LABEL");
  EXPECT_EQ(record.printerName, L"LABEL (1)");
  EXPECT_EQ(record.portName, L"COM5:");
  EXPECT_EQ(record.driverName, L"LABEL");
  EXPECT_EQ(record.printProcessor, L"WinPrint");
  EXPECT_EQ(record.dataType, L"RAW");
  EXPECT_EQ(record.attributes, 0x40u);
}

class DeletionOutcomes : public ::testing::Test {
 protected:
  void SetUp() override {
    print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"C:\\store\\label.inf");
    print.spooler.driverPackages.insert(L"C:\\store\\label.inf");
    print.spooler.AddPrinterEntry(L"LABEL", L"LABEL", L"COM1:");
  }
  FakePlatform fake;
  FakePrintSystem print{fake.system};
};

TEST_F(DeletionOutcomes, PrinterThenDriverThenPackage) {
  FakeSpooler& spooler = print.spooler;
  EXPECT_EQ(DeleteDriverOutcome(spooler, fake.system, L"LABEL"), kErrorPrinterDriverInUse);
  EXPECT_EQ(DeletePrinterOutcome(spooler, fake.system, L"LABEL"), 0u);
  EXPECT_EQ(DeletePrinterOutcome(spooler, fake.system, L"LABEL"), kErrorInvalidPrinterName);
  EXPECT_EQ(DeleteDriverPackageOutcome(spooler, fake.system, L"C:\\store\\label.inf"), 3015u)
      << "driver still there";
  EXPECT_EQ(DeleteDriverOutcome(spooler, fake.system, L"label"), 0u);
  EXPECT_EQ(spooler.deleteDriverCalls.back(), (std::pair<uint32_t, uint32_t>{3, 3}));
  EXPECT_EQ(DeleteDriverOutcome(spooler, fake.system, L"LABEL"), kErrorUnknownPrinterDriver);
  EXPECT_EQ(DeleteDriverPackageOutcome(spooler, fake.system, L"C:\\store\\label.inf"), 0u);
  EXPECT_EQ(spooler.deletedPackages, std::vector<std::wstring>{L"C:\\store\\label.inf"});
}

TEST_F(DeletionOutcomes, RefusalsGiveTheSystemsCode) {
  FakeSpooler& spooler = print.spooler;
  spooler.openPrinterError = 5;
  EXPECT_EQ(DeletePrinterOutcome(spooler, fake.system, L"LABEL"), 5u);
  spooler.openPrinterError = 0;
  spooler.deletePrinterErrors[L"LABEL"] = 32;
  EXPECT_EQ(DeletePrinterOutcome(spooler, fake.system, L"LABEL"), 32u);
  spooler.deletePrinterErrors[L"LABEL"] = 0;  // refused without a code: still no success
  EXPECT_EQ(DeletePrinterOutcome(spooler, fake.system, L"LABEL"), 31u);
  spooler.deletePackageError = 5;
  EXPECT_EQ(DeleteDriverPackageOutcome(spooler, fake.system, L"C:\\store\\label.inf"), 5u);
}

TEST_F(DeletionOutcomes, MissingPackageFunctionCountsAsDone) {
  print.spooler.packageFunctionAvailable = false;
  fake.system.lastError = 127;
  EXPECT_EQ(DeleteDriverPackageOutcome(print.spooler, fake.system, L"C:\\store\\label.inf"), 0u);
  EXPECT_EQ(print.spooler.driverPackages.size(), 1u);
}

}  // namespace
