// An in-memory print spooler and port monitor channel that keep the spooler's rules: printer,
// driver and port names without regard to case, drivers kept per environment with a null
// environment read as the caller's, connections listed, INF paths by exact driver name, the error
// codes the callers read, DeletePrinterDriverPackageW possibly absent.
// Like the spooler it serves every thread: each call takes one lock (the fields are for a test's
// set-up and checks while no worker runs).
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "context/platform.h"
#include "printsys/print_spooler.h"

struct FakePrinter {
  std::wstring name;
  std::wstring driverName;
  std::wstring portName;
  std::wstring printProcessor;
  std::wstring dataType;
  uint32_t attributes = 0;
};

struct FakeDriver {
  std::wstring name;
  std::wstring environment = L"Windows NT x86";
  std::wstring infPath;  // empty for drivers added without a package
  uint32_t version = 3;
  uint64_t driverVersion = 0;  // dwlDriverVersion
  DriverRecord record;  // what AddDriver was given
};

class FakeSpooler : public PrintSpooler {
 public:
  explicit FakeSpooler(SystemInfo& system) : system_(system) {}

  // The system's contents, in the spooler's order.
  std::vector<FakePrinter> printers;
  std::vector<PrinterSummary> connections;      // printers of other computers connected here
  std::vector<PrinterSummary> networkPrinters;  // only listed with the network flag
  std::vector<FakeDriver> drivers;
  std::vector<PortSummary> ports;
  std::set<std::wstring> driverPackages;  // INF paths in the driver store
  // Each environment's driver folder lies below this one; empty: GetPrinterDriverDirectoryW
  // answers an empty folder.
  std::wstring driverDirectoryRoot = L"C:\\windows\\system32\\spool\\drivers";
  std::wstring defaultPrinter;
  // Whether a file of this name lies in the driver folder, for APD_COPY_ALL_FILES and
  // APD_COPY_NEW_FILES; unset: every file is there.
  std::function<bool(const std::wstring& name)> driverFileExists;

  // Failures the callers look at.
  bool enumPrintersFails = false;
  std::set<uint32_t> failingDriverLevels;  // e.g. {8} for a system without level 8
  bool enumPortsFails = false;
  bool driverDirectoryFails = false;
  uint32_t addDriverError = 0;  // 0: follow the rules
  uint32_t addPrinterError = 0;
  uint32_t setDefaultError = 0;                          // the set-default function fails with it
  std::map<std::wstring, uint32_t> deletePrinterErrors;  // by printer name
  uint32_t openPrinterError = 0;                         // every OpenPrinterW fails with it
  uint32_t deleteDriverError = 0;
  bool packageFunctionAvailable = true;
  uint32_t deletePackageError = 0;
  std::map<std::wstring, uint32_t> removePortErrors;       // by port name
  std::map<std::wstring, std::wstring> portAddedByDialog;  // monitor -> port its dialog creates
  bool portDialogCancelled = false;

  // Calls seen.
  std::vector<uint32_t> addDriverFlags;
  std::vector<std::pair<uint32_t, uint32_t>> deleteDriverCalls;  // (flags, version)
  std::vector<std::wstring> deletedPackages;
  // Shared queues that DeletePrinter reached through a connection: deleted on the server, for
  // every user of it.
  std::vector<std::wstring> deletedServerQueues;
  std::vector<std::wstring> deletedPackageEnvironments;  // as the spooler read them
  std::vector<std::pair<WindowHandle, std::wstring>> addPortCalls, configurePortCalls, deletePortCalls;

  bool EnumeratePrinters(uint32_t flags, std::vector<PrinterSummary>& out) override;
  bool EnumerateDrivers(const std::wstring& environment, uint32_t level,
                        std::vector<DriverSummary>& out) override;
  bool EnumeratePorts(std::vector<PortSummary>& out) override;
  bool DriverDirectory(const std::wstring& environment, std::wstring& folder) override;
  bool AddDriver(const DriverRecord& driver, uint32_t flags) override;
  bool CreatePrinter(const PrinterRecord& printer) override;
  bool MakeDefaultPrinter(const std::wstring& name) override;
  std::wstring DefaultPrinter() override {
    const std::lock_guard<std::mutex> lock(mutex_);
    return defaultPrinter;
  }
  bool RemovePrinter(const std::wstring& name) override;
  bool RemovePrinterConnection(const std::wstring& name) override;
  bool RemoveDriver(const std::wstring& name, const std::wstring& environment, uint32_t flags,
                    uint32_t version) override;
  DriverPackageDeletion RemoveDriverPackage(const std::wstring& infPath,
                                            const std::wstring& environment) override;
  bool AddPortThroughMonitor(WindowHandle owner, const std::wstring& monitorName) override;
  bool RemovePort(WindowHandle owner, const std::wstring& portName) override;
  bool ConfigurePortThroughMonitor(WindowHandle owner, const std::wstring& portName) override;

  // Helpers for setting up a system.
  void AddPortEntry(const std::wstring& name, const std::wstring& monitor, const std::wstring& description);
  void AddDriverEntry(const std::wstring& name, const std::wstring& environment, const std::wstring& infPath);
  void AddPrinterEntry(const std::wstring& name, const std::wstring& driverName,
                       const std::wstring& portName);
  FakePrinter* FindPrinter(const std::wstring& name);
  FakeDriver* FindDriver(const std::wstring& name, const std::wstring& environment);
  // The driver folder of an environment, empty for one the spooler does not know.
  std::wstring DriverFolder(const std::wstring& environment) const;
  // The environment the spooler reads for this one: a null (empty) environment is the caller's,
  // the x86 one for a 32-bit program under WOW64; the printers use the system's own.
  std::wstring CallerEnvironment() const;
  std::wstring NativeEnvironment() const;

 private:
  bool Fail(uint32_t code);
  // The environment the call means, or empty (with the spooler's error set) for an unknown one.
  std::wstring ResolveEnvironment(const std::wstring& environment);
  bool PortKnown(const std::wstring& name) const;
  bool EraseConnection(const std::wstring& name);

  SystemInfo& system_;
  std::mutex mutex_;
};

// The monitors' configuration channels over a FakeSpooler's ports: "Local Port" takes a port name,
// "Standard TCP/IP Port" (unless absent) a 964-byte PORT_DATA_1.
class FakePortMonitorChannel : public PortMonitorChannel {
 public:
  FakePortMonitorChannel(FakeSpooler& spooler, SystemInfo& system) : spooler_(spooler), system_(system) {}

  bool tcpIpMonitorPresent = true;
  bool addPortFails = false;                  // XcvDataW itself fails
  bool deletePortFails = false;               // XcvDataW "DeletePort" fails
  std::vector<std::vector<uint8_t>> records;  // every input record received, in order

  bool SendCommand(const std::wstring& monitorName, const std::wstring& command,
                   const std::vector<uint8_t>& input, uint32_t& status) override;

 private:
  bool DeleteTcpIpPort(const std::vector<uint8_t>& input, uint32_t& status);

  FakeSpooler& spooler_;
  SystemInfo& system_;
};
