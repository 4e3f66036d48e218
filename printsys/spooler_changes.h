// The changes the install and removal workers make through the spooler: the records they hand
// over and the outcome codes of the deletions (0 deleted, otherwise a system error code; a refusal
// that leaves no error code gives ERROR_GEN_FAILURE, 31).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "context/driver_model.h"
#include "context/platform.h"
#include "printsys/print_spooler.h"

// DRIVER_INFO_6 of the legacy install: version 3 driver of the model for the environment, the
// dependent-file list as built while copying (each name followed by a 0, then one more 0), maker
// "Merovin", provider "MV".
DriverRecord MakeLegacyDriverRecord(const DriverModelInfo& model, const std::vector<wchar_t>& dependentFiles,
                                    const std::wstring& environment);
// PRINTER_INFO_2: a local printer with the "WinPrint" print processor and no data type.
PrinterRecord MakePrinterRecord(const std::wstring& printerName, const std::wstring& portName,
                                const std::wstring& driverName);

// A connection (\\server\queue) through DeletePrinterConnectionW, a local printer through DeletePrinter.
uint32_t DeletePrinterOutcome(PrintSpooler& spooler, const SystemInfo& system, const std::wstring& name);
// Version 3 only, unused files too; the driver and the package of the system's own environment.
uint32_t DeleteDriverOutcome(PrintSpooler& spooler, const SystemInfo& system, const std::wstring& name);
// A system without DeletePrinterDriverPackageW counts the package as gone.
uint32_t DeleteDriverPackageOutcome(PrintSpooler& spooler, const SystemInfo& system,
                                    const std::wstring& infPath);
