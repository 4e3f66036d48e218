// The Win32 print-system adapters where Wine shows what only the real implementation can: the
// run-time lookups, the error codes of Wine's spooler and the size of the system records.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <winspool.h>
// clang-format on

#include <gtest/gtest.h>

#include "printsys/device_setup.h"
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
  const HMODULE spooler = LoadLibraryW(L"winspool.drv");  // loaded on first use, not at start
  ASSERT_NE(spooler, nullptr);
  const bool exported = GetProcAddress(spooler, "DeletePrinterDriverPackageW") != nullptr;
  const DriverPackageDeletion result = Spooler().RemoveDriverPackage(L"C:\\windows\\inf\\none.inf", L"");
  EXPECT_EQ(result == DriverPackageDeletion::kUnavailable, !exported);
  EXPECT_EQ(
      DeleteDriverPackageOutcome(Spooler(), DefaultPlatform().system, L"C:\\windows\\inf\\none.inf") == 0,
      !exported);
}

TEST(Win32Spooler, Ordinal204IsTheSetDefaultFunction) {
  const HMODULE spooler = LoadLibraryW(L"winspool.drv");  // loaded on first use, not at start
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

// Wine has no USB printers or COM ports, but it lists its display adapters and monitors through the
// same device-setup calls, so the interface walk is proved on them.
constexpr SystemGuid kDisplayAdapterInterfaceClass = {
    0x5b45201d, 0xf2f2, 0x4f3b, {0x85, 0xbb, 0x30, 0xff, 0x1f, 0x95, 0x35, 0x99}};
constexpr SystemGuid kMonitorInterfaceClass = {
    0xe6f07b5f, 0xee97, 0x4a90, {0xb0, 0x76, 0x33, 0xf5, 0x7b, 0xf4, 0xea, 0xa7}};
constexpr SystemGuid kDisplaySetupClass = {
    0x4d36e968, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

TEST(Win32DeviceSetup, InterfaceWalkReadsPathsAndInstanceIds) {
  DeviceSetup& devices = DefaultPrintSystem().devices;
  for (const SystemGuid& interfaceClass : {kDisplayAdapterInterfaceClass, kMonitorInterfaceClass}) {
    std::vector<DeviceInterfaceInfo> found;
    ASSERT_TRUE(devices.PresentInterfaces({interfaceClass, true, false}, found));
    ASSERT_FALSE(found.empty());
    for (const DeviceInterfaceInfo& info : found) {
      EXPECT_EQ(info.devicePath.rfind(L"\\\\?\\", 0), 0u);
      EXPECT_TRUE(info.hasInstanceId);
      EXPECT_NE(info.instanceId.find(L'\\'), std::wstring::npos);
      EXPECT_TRUE(info.portName.empty()) << "not asked for";
    }
  }
  EXPECT_TRUE(devices.AnyPresentDeviceOfSetupClass(kDisplaySetupClass));
}

TEST(Win32Registry, ReadsOnlyFourByteValues) {
  const wchar_t kKey[] = L"SOFTWARE\\LDW registry test";
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 3;
  const ULONGLONG wide = 4;
  RegSetValueExW(key, L"Port Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
  RegSetValueExW(key, L"Wide", 0, REG_QWORD, reinterpret_cast<const BYTE*>(&wide), sizeof(wide));
  RegCloseKey(key);

  SystemRegistry& registry = DefaultPrintSystem().registry;
  uint32_t value = 77;
  EXPECT_TRUE(registry.ReadMachineDword(kKey, L"Port Number", value));
  EXPECT_EQ(value, 3u);
  value = 77;
  EXPECT_FALSE(registry.ReadMachineDword(kKey, L"Wide", value));
  EXPECT_FALSE(registry.ReadMachineDword(kKey, L"Missing", value));
  EXPECT_FALSE(registry.ReadMachineDword(L"SOFTWARE\\LDW no such key", L"Port Number", value));
  EXPECT_EQ(value, 77u);
  EXPECT_EQ(RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey), ERROR_SUCCESS);
}

}  // namespace
