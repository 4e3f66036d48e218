#include "printsys/spooler_queries.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"

namespace {

class SpoolerQueries : public ::testing::Test {
 protected:
  void SetUp() override {
    spooler().AddDriverEntry(L"LABEL", L"Windows x64", L"C:\\store\\x64\\label.inf");
    spooler().AddDriverEntry(L"LABEL", L"Windows NT x86", L"C:\\store\\x86\\label.inf");
    spooler().AddDriverEntry(L"Other", L"Windows x64", L"");
    spooler().AddPrinterEntry(L"Shelf", L"LABEL", L"COM1:");
    spooler().AddPrinterEntry(L"Office", L"other", L"LPT1:");  // driver name in other case
    spooler().connections.push_back({L"\\\\server\\Shared", L"Other"});
    spooler().networkPrinters.push_back({L"\\\\far\\Net", L"Other"});
  }
  FakeSpooler& spooler() { return print.spooler; }

  FakePlatform fake;
  FakePrintSystem print{fake.system};
};

TEST_F(SpoolerQueries, PrintersCarryTheFirstExactlyMatchingInfPath) {
  std::vector<SpoolerEntry> list{{L"stale", L"", L""}};
  ListInstalledPrinters(spooler(), fake.system, list);
  const std::vector<SpoolerEntry> expected = {{L"Shelf", L"LABEL", L"C:\\store\\x64\\label.inf"},
                                              {L"Office", L"other", L""},
                                              {L"\\\\server\\Shared", L"Other", L""}};
  EXPECT_EQ(list, expected);
}

TEST_F(SpoolerQueries, WithoutLevel8EveryInfPathIsEmpty) {
  struct Case {
    const char* name;
    bool versionFails;
    OsVersion version;
    std::set<uint32_t> failingLevels;
  };
  const Case cases[] = {{"version 5", false, {5, 1}, {}},
                        {"version query fails", true, {10, 0}, {}},
                        {"level 8 enumeration fails", false, {10, 0}, {8}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake.system.versionQueryFails = c.versionFails;
    fake.system.version = c.version;
    spooler().failingDriverLevels = c.failingLevels;
    std::vector<SpoolerEntry> printers;
    ListInstalledPrinters(spooler(), fake.system, printers);
    ASSERT_EQ(printers.size(), 3u);
    for (const SpoolerEntry& entry : printers) EXPECT_EQ(entry.third, L"");
  }
}

TEST_F(SpoolerQueries, DriversComeFromLevel8OrLevel6) {
  std::vector<SpoolerEntry> list;
  ListInstalledDrivers(spooler(), fake.system, list);
  // Only the system's own set: the x86 LABEL beside it is no driver of this machine's printers.
  EXPECT_EQ(list,
            (std::vector<SpoolerEntry>{{L"", L"LABEL", L"C:\\store\\x64\\label.inf"}, {L"", L"Other", L""}}));

  fake.system.version = {5, 1};
  spooler().failingDriverLevels = {8};  // never asked for on this system
  ListInstalledDrivers(spooler(), fake.system, list);
  EXPECT_EQ(list, (std::vector<SpoolerEntry>{{L"", L"LABEL", L""}, {L"", L"Other", L""}}));

  fake.system.version = {10, 0};
  ListInstalledDrivers(spooler(), fake.system, list);
  EXPECT_TRUE(list.empty()) << "a failing level-8 enumeration does not fall back";
}

TEST_F(SpoolerQueries, PortsKeepTheSpoolersOrderAndFields) {
  std::vector<SpoolerEntry> list;
  ListPorts(spooler(), list);
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(list.front(), (SpoolerEntry{L"COM1:", L"Local Port", L"Local Port"}));
  EXPECT_EQ(list[4].first, L"FILE:");
  spooler().enumPortsFails = true;
  ListPorts(spooler(), list);
  EXPECT_TRUE(list.empty());
}

TEST_F(SpoolerQueries, NameTests) {
  struct Case {
    const wchar_t* name;
    bool printer, port, driver;
  };
  const Case cases[] = {
      {L"Shelf", true, false, false},
      {L"shelf", true, false, false},  // the spooler takes no second name in other case
      {L"\\\\server\\Shared", true, false, false},
      {L"\\\\far\\Net", false, false, false},  // browsing the network is a level-1 query
      {L"COM1:", false, true, false},
      {L"com1:", false, true, false},
      {L"COM1", false, false, false},
      {L"LABEL", false, false, true},
      {L"label", false, false, true},  // driver names ignore case
      {L"LABE", false, false, false},
      {L"", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    EXPECT_EQ(PrinterExists(spooler(), c.name), c.printer);
    EXPECT_EQ(PortExists(spooler(), c.name), c.port);
    EXPECT_EQ(DriverInstalled(spooler(), L"Windows x64", c.name), c.driver);
  }
}

TEST_F(SpoolerQueries, FailedEnumerationsAnswerEmpty) {
  spooler().enumPrintersFails = true;
  spooler().failingDriverLevels = {1, 6, 8};
  spooler().enumPortsFails = true;
  spooler().driverDirectoryFails = true;
  std::vector<SpoolerEntry> list{{L"x", L"y", L"z"}};
  ListInstalledPrinters(spooler(), fake.system, list);
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(PrinterExists(spooler(), L"Shelf"));
  EXPECT_FALSE(PortExists(spooler(), L"COM1:"));
  EXPECT_FALSE(DriverInstalled(spooler(), L"Windows x64", L"LABEL"));
  EXPECT_EQ(GetDriverDirectory(spooler(), L"Windows x64"), L"");
}

TEST_F(SpoolerQueries, DriverDirectoryOfEachEnvironmentEndsInOneBackslash) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"Windows x64", L"C:\\windows\\system32\\spool\\drivers\\x64\\"},
      {L"Windows NT x86", L"C:\\windows\\system32\\spool\\drivers\\w32x86\\"},
      {L"", L"C:\\windows\\system32\\spool\\drivers\\w32x86\\"},  // the caller's: 32-bit under WOW64
      {L"Windows IA64", L""},                                     // unknown to this spooler
  };
  for (const auto& [environment, folder] : cases)
    EXPECT_EQ(GetDriverDirectory(spooler(), environment), folder);
  spooler().driverDirectoryRoot.clear();
  EXPECT_EQ(GetDriverDirectory(spooler(), L"Windows x64"), L"");
}

TEST(DefaultPrintSystem, TheOverloadsWithoutServicesUseTheProcesssFake) {
  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"");
  print.spooler.AddPrinterEntry(L"Shelf", L"LABEL", L"COM1:");
  EXPECT_TRUE(PrinterExists(L"Shelf"));
  EXPECT_TRUE(PortExists(L"LPT3:"));
  EXPECT_TRUE(DriverInstalled(L"label"));
  std::vector<SpoolerEntry> list;
  ListInstalledPrinters(list);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_FALSE(ResetDefaultFakePrintSystem().spooler.FindPrinter(L"Shelf")) << "a fresh system";
  EXPECT_FALSE(PrinterExists(L"Shelf"));
}

}  // namespace
