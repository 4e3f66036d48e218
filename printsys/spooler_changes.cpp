#include "printsys/spooler_changes.h"

#include "printsys/spooler_queries.h"

namespace {

constexpr uint32_t kErrorGenFailure = 31;

// A refusal that left no error code must not read as 0, which means deleted.
uint32_t RefusalCode(const SystemInfo& system) {
  const uint32_t code = system.LastError();
  return code != 0 ? code : kErrorGenFailure;
}

}  // namespace

DriverRecord MakeLegacyDriverRecord(const DriverModelInfo& model, const std::vector<wchar_t>& dependentFiles,
                                    const std::wstring& environment) {
  DriverRecord record;
  record.version = 3;
  record.name = model.driverName;
  record.environment = environment;
  record.driverPath = model.driverPath;
  record.dataFile = model.dataFile;
  record.configFile = model.configFile;
  record.helpFile = model.helpFile;
  record.dependentFiles = dependentFiles;
  record.driverVersion = 3;
  record.manufacturer = L"Merovin";
  record.provider = L"MV";
  return record;
}

PrinterRecord MakePrinterRecord(const std::wstring& printerName, const std::wstring& portName,
                                const std::wstring& driverName) {
  PrinterRecord record;
  record.printerName = printerName;
  record.portName = portName;
  record.driverName = driverName;
  record.printProcessor = L"WinPrint";
  // WinPrint's own default. Windows stores the same printer without it, but Wine cannot reopen a
  // printer made without a data type (AddPrinterW then fails with 1801).
  record.dataType = L"RAW";
  record.attributes = kPrinterAttributeLocal;
  return record;
}

uint32_t DeletePrinterOutcome(PrintSpooler& spooler, const SystemInfo& system, const std::wstring& name) {
  // A connection is ended here only: the shared queue on the server stays for its other users.
  const bool removed =
      IsPrinterConnection(name) ? spooler.RemovePrinterConnection(name) : spooler.RemovePrinter(name);
  return removed ? 0 : RefusalCode(system);
}

uint32_t DeleteDriverOutcome(PrintSpooler& spooler, const SystemInfo& system, const std::wstring& name) {
  return spooler.RemoveDriver(name, NativeDriverEnvironment(system),
                              kDeleteDriverUnusedFiles | kDeleteDriverSpecificVersion, 3)
             ? 0
             : RefusalCode(system);
}

uint32_t DeleteDriverPackageOutcome(PrintSpooler& spooler, const SystemInfo& system,
                                    const std::wstring& infPath) {
  switch (spooler.RemoveDriverPackage(infPath, NativeDriverEnvironment(system))) {
    case DriverPackageDeletion::kFailed:
      return RefusalCode(system);
    case DriverPackageDeletion::kDeleted:
    case DriverPackageDeletion::kUnavailable:
      break;
  }
  return 0;
}
