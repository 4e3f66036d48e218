// The local print spooler behind a narrow interface: enumerations, driver and printer changes,
// deletions and the port functions. No Win32 types; the Windows implementation lives in
// spooler_win.cpp, the host tests use an in-memory fake.
//
// Every operation that can fail returns false (or an empty answer) and leaves the reason in the
// thread's last error (SystemInfo::LastError), as the spooler itself does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "context/platform.h"

// EnumPrintersW flags.
constexpr uint32_t kPrinterEnumLocal = 0x2;
constexpr uint32_t kPrinterEnumConnections = 0x4;
constexpr uint32_t kPrinterEnumNetwork = 0x40;

// AddPrinterDriverExW flags: copy the named files from the driver folder into the version folder,
// all of them, or only those newer than the ones there (which leaves the system's shared Unidrv
// files alone when they are at least as new).
constexpr uint32_t kAddDriverCopyAllFiles = 0x4;
constexpr uint32_t kAddDriverCopyNewFiles = 0x8;
// DeletePrinterDriverExW flags.
constexpr uint32_t kDeleteDriverUnusedFiles = 0x1;
constexpr uint32_t kDeleteDriverSpecificVersion = 0x2;

constexpr uint32_t kPrinterAttributeLocal = 0x40;

// Error codes the callers read.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorInvalidParameter = 87;
constexpr uint32_t kErrorInvalidPrinterName = 1801;
constexpr uint32_t kErrorUnknownPort = 1796;
constexpr uint32_t kErrorUnknownPrinterDriver = 1797;
constexpr uint32_t kErrorPrinterAlreadyExists = 1802;
constexpr uint32_t kErrorPrinterDriverInUse = 3001;
constexpr uint32_t kErrorNotSupported = 50;

// One item of EnumPrintersW level 2.
struct PrinterSummary {
  std::wstring name;
  std::wstring driverName;
};

// One item of EnumPrinterDriversW level 1, 6 or 8; only level 8 carries the INF path, levels 6
// and 8 the version (dwlDriverVersion, DriverVer of the INF).
struct DriverSummary {
  std::wstring name;
  std::wstring infPath;
  uint64_t driverVersion = 0;
};

// One item of EnumPortsW level 2.
struct PortSummary {
  std::wstring name;
  std::wstring description;
  std::wstring monitorName;
};

// DRIVER_INFO_6 as the legacy install fills it. Empty strings are passed as null pointers.
struct DriverRecord {
  uint32_t version = 3;
  std::wstring name;
  std::wstring environment;  // empty: the caller's environment (see DriverEnvironment)
  std::wstring driverPath;
  std::wstring dataFile;
  std::wstring configFile;
  std::wstring helpFile;
  std::vector<wchar_t> dependentFiles;  // names each followed by a 0, then a final 0; empty: none
  std::wstring monitorName;
  std::wstring defaultDataType;
  uint64_t driverVersion = 3;
  std::wstring manufacturer;
  std::wstring oemUrl;
  std::wstring hardwareId;
  std::wstring provider;
};

// PRINTER_INFO_2 as the install worker fills it. Empty strings are passed as null pointers.
struct PrinterRecord {
  std::wstring printerName;
  std::wstring portName;
  std::wstring driverName;
  std::wstring printProcessor;
  std::wstring dataType;
  uint32_t attributes = 0;
};

enum class DriverPackageDeletion {
  kDeleted,
  kFailed,       // the last error says why
  kUnavailable,  // the system has no DeletePrinterDriverPackageW
};

// The method names stay clear of winspool's A/W macros (EnumPrinters, AddPort, ...), so that files
// that include both see the same names.
class PrintSpooler {
 public:
  virtual ~PrintSpooler() = default;

  // The enumerations give the items in the spooler's order; false when the spooler reports no
  // items or the call fails (both leave the list empty). An environment ("Windows x64", ...) that
  // is empty is passed as null, which the spooler reads as the caller's environment.
  virtual bool EnumeratePrinters(uint32_t flags, std::vector<PrinterSummary>& printers) = 0;
  virtual bool EnumerateDrivers(const std::wstring& environment, uint32_t level,
                                std::vector<DriverSummary>& drivers) = 0;
  virtual bool EnumeratePorts(std::vector<PortSummary>& ports) = 0;
  // GetPrinterDriverDirectoryW for the environment, without a trailing backslash.
  virtual bool DriverDirectory(const std::wstring& environment, std::wstring& folder) = 0;

  virtual bool AddDriver(const DriverRecord& driver, uint32_t flags) = 0;
  // AddPrinterW; the handle it returns is closed at once.
  virtual bool CreatePrinter(const PrinterRecord& printer) = 0;
  // The set-default function of the spooler client library (ordinal 204).
  virtual bool MakeDefaultPrinter(const std::wstring& name) = 0;
  // GetDefaultPrinterW; empty when there is no default printer.
  virtual std::wstring DefaultPrinter() = 0;

  // OpenPrinterW with full access, DeletePrinter, ClosePrinter; the last error is the one of the
  // call that failed.
  virtual bool RemovePrinter(const std::wstring& name) = 0;
  // DeletePrinterConnectionW: ends this computer's connection to a printer shared by a server
  // (\\server\queue). DeletePrinter on such a name would delete the queue on the server itself.
  virtual bool RemovePrinterConnection(const std::wstring& name) = 0;
  virtual bool RemoveDriver(const std::wstring& name, const std::wstring& environment, uint32_t flags,
                            uint32_t version) = 0;
  virtual DriverPackageDeletion RemoveDriverPackage(const std::wstring& infPath,
                                                    const std::wstring& environment) = 0;

  // The port functions show the monitor's own dialog where it has one.
  virtual bool AddPortThroughMonitor(WindowHandle owner, const std::wstring& monitorName) = 0;
  virtual bool RemovePort(WindowHandle owner, const std::wstring& portName) = 0;
  virtual bool ConfigurePortThroughMonitor(WindowHandle owner, const std::wstring& portName) = 0;
};

// The configuration channel of a port monitor: OpenPrinterW on ",XcvMonitor <monitor>" with
// administrator access, then XcvDataW with a command and an input record.
class PortMonitorChannel {
 public:
  virtual ~PortMonitorChannel() = default;
  // True when XcvDataW returned success; false when the channel cannot be opened or the call
  // fails. status receives the monitor's own status value when the call was made.
  virtual bool SendCommand(const std::wstring& monitorName, const std::wstring& command,
                           const std::vector<uint8_t>& input, uint32_t& status) = 0;
};
