// The Win32 print-system adapters where Wine shows what only the real implementation can: the
// run-time lookups, the error codes of Wine's spooler and the size of the system records.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <winspool.h>
// clang-format on

#include <gtest/gtest.h>

#include "printsys/print_system.h"
#include "printsys/runtime_imports_win.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"
#include "printsys/tcpip_port.h"

namespace {

PrintSpooler& Spooler() { return DefaultPrintSystem().spooler; }

TEST(Win32Spooler, FreshPrefixHasNoPrintersAndNoDrivers) {
  std::vector<SpoolerEntry> list{{L"x", L"y", L"z"}};
  ListInstalledPrinters(list);
  EXPECT_TRUE(list.empty());
  ListInstalledDrivers(list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(Spooler().DefaultPrinter(), L"");
}

TEST(Win32Spooler, DriverPackageFunctionIsLookedUpAndMayBeAbsent) {
  // Wine's winspool.drv does not export DeletePrinterDriverPackageW; the package step then counts
  // as done.
  const HMODULE spooler = GetModuleHandleW(L"winspool.drv");
  ASSERT_NE(spooler, nullptr);
  const bool exported = GetProcAddress(spooler, "DeletePrinterDriverPackageW") != nullptr;
  const DriverPackageDeletion result = Spooler().RemoveDriverPackage(L"C:\\windows\\inf\\none.inf");
  EXPECT_EQ(result == DriverPackageDeletion::kUnavailable, !exported);
  EXPECT_EQ(
      DeleteDriverPackageOutcome(Spooler(), DefaultPlatform().system, L"C:\\windows\\inf\\none.inf") == 0,
      !exported);
}

TEST(Win32Spooler, Ordinal204IsTheSetDefaultFunction) {
  const HMODULE spooler = GetModuleHandleW(L"winspool.drv");
  ASSERT_NE(spooler, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(spooler, MAKEINTRESOURCEA(204))),
            reinterpret_cast<void*>(GetProcAddress(spooler, "SetDefaultPrinterW")));
  const std::optional<BOOL> result = runtime_imports::SetDefaultPrinterByOrdinal(L"LDW no such printer");
  ASSERT_TRUE(result.has_value());
  EXPECT_FALSE(*result);
}

TEST(Win32Spooler, DeletionsOfUnknownItemsGiveTheSpoolersCodes) {
  const SystemInfo& system = DefaultPlatform().system;
  EXPECT_EQ(DeletePrinterOutcome(Spooler(), system, L"LDW no such printer"), kErrorInvalidPrinterName);
  EXPECT_NE(DeleteDriverOutcome(Spooler(), system, L"LDW no such driver"), 0u);
  EXPECT_FALSE(Spooler().RemovePort(nullptr, L"LDW_NO_SUCH_PORT:"));
  EXPECT_EQ(system.LastError(), kErrorNotSupported) << "Wine answers 50 for an unknown port";
}

TEST(Win32Spooler, TheLocalMonitorRefusesAnExistingPortByItsStatus) {
  uint32_t status = 0;
  ASSERT_TRUE(
      DefaultPrintSystem().portMonitor.SendCommand(L"Local Port", L"AddPort", WideRecord(L"COM1:"), status));
  EXPECT_NE(status, 0u);
  EXPECT_FALSE(AddLocalPort(DefaultPrintSystem().portMonitor, L"COM1:"));
}

TEST(Win32Spooler, MissingMonitorChannelDoesNotOpen) {
  uint32_t status = 12345;
  EXPECT_FALSE(DefaultPrintSystem().portMonitor.SendCommand(L"LDW No Such Monitor", L"AddPort",
                                                            WideRecord(L"x"), status));
  EXPECT_EQ(status, 12345u);
}

}  // namespace
