// The local spooler through winspool: every call with no server name and the environment its
// caller names.
#include "printsys/spooler_win.h"

#include "printsys/runtime_imports_win.h"
#include "printsys/win32_support_win.h"

namespace {

using win32::FillSizedBuffer;
using win32::NullIfEmpty;
using win32::RecordCount;
using win32::RecordString;

template <typename Record, typename Read>
void ReadRecords(const std::vector<uint8_t>& buffer, DWORD returned, Read read) {
  const auto* records = reinterpret_cast<const Record*>(buffer.data());
  for (size_t i = 0; i < RecordCount<Record>(buffer, returned); ++i) read(records[i]);
}

}  // namespace

bool Win32PrintSpooler::EnumeratePrinters(uint32_t flags, std::vector<PrinterSummary>& printers) {
  printers.clear();
  std::vector<uint8_t> buffer;
  DWORD returned = 0;
  if (!FillSizedBuffer(buffer, [&](uint8_t* data, DWORD size, DWORD* needed) {
        return EnumPrintersW(flags, nullptr, 2, data, size, needed, &returned);
      })) {
    return false;
  }
  ReadRecords<PRINTER_INFO_2W>(buffer, returned, [&](const PRINTER_INFO_2W& info) {
    printers.push_back({RecordString(info.pPrinterName, buffer), RecordString(info.pDriverName, buffer)});
  });
  return true;
}

bool Win32PrintSpooler::EnumerateDrivers(const std::wstring& environment, uint32_t level,
                                         std::vector<DriverSummary>& drivers) {
  drivers.clear();
  if (level != 1 && level != 6 && level != 8) return false;
  std::vector<uint8_t> buffer;
  DWORD returned = 0;
  if (!FillSizedBuffer(buffer, [&](uint8_t* data, DWORD size, DWORD* needed) {
        return EnumPrinterDriversW(nullptr, NullIfEmpty(environment), level, data, size, needed, &returned);
      })) {
    return false;
  }
  if (level == 8) {
    ReadRecords<DRIVER_INFO_8W>(buffer, returned, [&](const DRIVER_INFO_8W& info) {
      drivers.push_back(
          {RecordString(info.pName, buffer), RecordString(info.pszInfPath, buffer), info.dwlDriverVersion});
    });
  } else if (level == 6) {
    ReadRecords<DRIVER_INFO_6W>(buffer, returned, [&](const DRIVER_INFO_6W& info) {
      drivers.push_back({RecordString(info.pName, buffer), std::wstring(), info.dwlDriverVersion});
    });
  } else {
    ReadRecords<DRIVER_INFO_1W>(buffer, returned, [&](const DRIVER_INFO_1W& info) {
      drivers.push_back({RecordString(info.pName, buffer), std::wstring()});
    });
  }
  return true;
}

bool Win32PrintSpooler::EnumeratePorts(std::vector<PortSummary>& ports) {
  ports.clear();
  std::vector<uint8_t> buffer;
  DWORD returned = 0;
  if (!FillSizedBuffer(buffer, [&](uint8_t* data, DWORD size, DWORD* needed) {
        return EnumPortsW(nullptr, 2, data, size, needed, &returned);
      })) {
    return false;
  }
  ReadRecords<PORT_INFO_2W>(buffer, returned, [&](const PORT_INFO_2W& info) {
    ports.push_back({RecordString(info.pPortName, buffer), RecordString(info.pDescription, buffer),
                     RecordString(info.pMonitorName, buffer)});
  });
  return true;
}

bool Win32PrintSpooler::DriverDirectory(const std::wstring& environment, std::wstring& folder) {
  std::vector<uint8_t> buffer;
  if (!FillSizedBuffer(buffer, [&](uint8_t* data, DWORD size, DWORD* needed) {
        return GetPrinterDriverDirectoryW(nullptr, NullIfEmpty(environment), 1, data, size, needed);
      })) {
    return false;
  }
  folder =
      win32::BoundedString(reinterpret_cast<const wchar_t*>(buffer.data()), buffer.size() / sizeof(wchar_t));
  return true;
}

bool Win32PrintSpooler::AddDriver(const DriverRecord& driver, uint32_t flags) {
  std::vector<wchar_t> dependents = driver.dependentFiles;
  // A list must end in two zeros, whatever the caller built.
  if (!dependents.empty()) dependents.insert(dependents.end(), 2, L'\0');
  DRIVER_INFO_6W info{};
  info.cVersion = driver.version;
  info.pName = NullIfEmpty(driver.name);
  info.pEnvironment = NullIfEmpty(driver.environment);
  info.pDriverPath = NullIfEmpty(driver.driverPath);
  info.pDataFile = NullIfEmpty(driver.dataFile);
  info.pConfigFile = NullIfEmpty(driver.configFile);
  info.pHelpFile = NullIfEmpty(driver.helpFile);
  info.pDependentFiles = dependents.empty() ? nullptr : dependents.data();
  info.pMonitorName = NullIfEmpty(driver.monitorName);
  info.pDefaultDataType = NullIfEmpty(driver.defaultDataType);
  info.dwlDriverVersion = driver.driverVersion;
  info.pszMfgName = NullIfEmpty(driver.manufacturer);
  info.pszOEMUrl = NullIfEmpty(driver.oemUrl);
  info.pszHardwareID = NullIfEmpty(driver.hardwareId);
  info.pszProvider = NullIfEmpty(driver.provider);
  return AddPrinterDriverExW(nullptr, 6, reinterpret_cast<LPBYTE>(&info), flags) != FALSE;
}

bool Win32PrintSpooler::CreatePrinter(const PrinterRecord& printer) {
  PRINTER_INFO_2W info{};
  info.pPrinterName = NullIfEmpty(printer.printerName);
  info.pPortName = NullIfEmpty(printer.portName);
  info.pDriverName = NullIfEmpty(printer.driverName);
  info.pPrintProcessor = NullIfEmpty(printer.printProcessor);
  info.pDatatype = NullIfEmpty(printer.dataType);
  info.Attributes = printer.attributes;
  win32::PrinterHandle handle;
  *handle.Receive() = AddPrinterW(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
  return static_cast<bool>(handle);
}

bool Win32PrintSpooler::MakeDefaultPrinter(const std::wstring& name) {
  const std::optional<BOOL> result = runtime_imports::SetDefaultPrinterByOrdinal(name.c_str());
  return result && *result;
}

std::wstring Win32PrintSpooler::DefaultPrinter() {
  std::vector<uint8_t> buffer;
  if (!FillSizedBuffer(buffer, [](uint8_t* data, DWORD size, DWORD* needed) {
        DWORD chars = size / sizeof(wchar_t);  // this call counts characters, not bytes
        const BOOL ok = GetDefaultPrinterW(reinterpret_cast<wchar_t*>(data), &chars);
        *needed = chars * sizeof(wchar_t);
        return ok;
      })) {
    return {};
  }
  return win32::BoundedString(reinterpret_cast<const wchar_t*>(buffer.data()),
                              buffer.size() / sizeof(wchar_t));
}

bool Win32PrintSpooler::RemovePrinter(const std::wstring& name) {
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  win32::PrinterHandle printer;
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), printer.Receive(), &defaults)) return false;
  return ::DeletePrinter(printer.get()) != FALSE;
}

bool Win32PrintSpooler::RemovePrinterConnection(const std::wstring& name) {
  return DeletePrinterConnectionW(const_cast<wchar_t*>(name.c_str())) != FALSE;
}

bool Win32PrintSpooler::RemoveDriver(const std::wstring& name, const std::wstring& environment,
                                     uint32_t flags, uint32_t version) {
  return DeletePrinterDriverExW(nullptr, NullIfEmpty(environment), const_cast<wchar_t*>(name.c_str()), flags,
                                version) != FALSE;
}

DriverPackageDeletion Win32PrintSpooler::RemoveDriverPackage(const std::wstring& infPath,
                                                             const std::wstring& environment) {
  SetLastError(0);
  const std::optional<HRESULT> result =
      runtime_imports::DeleteDriverPackage(infPath.c_str(), NullIfEmpty(environment));
  if (!result) return DriverPackageDeletion::kUnavailable;
  if (*result == S_OK) return DriverPackageDeletion::kDeleted;
  // The result is an HRESULT; where the call left no error code, the result itself says why.
  if (GetLastError() == 0) SetLastError(static_cast<DWORD>(*result));
  return DriverPackageDeletion::kFailed;
}

bool Win32PrintSpooler::AddPortThroughMonitor(WindowHandle owner, const std::wstring& monitorName) {
  return AddPortW(nullptr, static_cast<HWND>(owner), const_cast<wchar_t*>(monitorName.c_str())) != FALSE;
}

bool Win32PrintSpooler::RemovePort(WindowHandle owner, const std::wstring& portName) {
  return DeletePortW(nullptr, static_cast<HWND>(owner), const_cast<wchar_t*>(portName.c_str())) != FALSE;
}

bool Win32PrintSpooler::ConfigurePortThroughMonitor(WindowHandle owner, const std::wstring& portName) {
  return ConfigurePortW(nullptr, static_cast<HWND>(owner), const_cast<wchar_t*>(portName.c_str())) != FALSE;
}

bool Win32PortMonitorChannel::SendCommand(const std::wstring& monitorName, const std::wstring& command,
                                          const std::vector<uint8_t>& input, uint32_t& status) {
  std::wstring channel = L",XcvMonitor " + monitorName;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, SERVER_ACCESS_ADMINISTER};
  win32::PrinterHandle handle;
  if (!OpenPrinterW(&channel[0], handle.Receive(), &defaults)) return false;
  std::vector<uint8_t> data = input;
  BYTE output[260] = {};
  DWORD needed = 0;
  DWORD monitorStatus = 0;
  const BOOL ok = XcvDataW(handle.get(), command.c_str(), data.empty() ? nullptr : data.data(),
                           static_cast<DWORD>(data.size()), output, sizeof(output), &needed, &monitorStatus);
  if (ok) status = monitorStatus;
  return ok != FALSE;
}
