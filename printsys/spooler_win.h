// Win32 implementations of the spooler and of the port monitors' configuration channel.
#pragma once

#include "printsys/print_spooler.h"

class Win32PrintSpooler final : public PrintSpooler {
 public:
  bool EnumeratePrinters(uint32_t flags, std::vector<PrinterSummary>& printers) override;
  bool EnumerateDrivers(const std::wstring& environment, uint32_t level,
                        std::vector<DriverSummary>& drivers) override;
  bool EnumeratePorts(std::vector<PortSummary>& ports) override;
  bool DriverDirectory(const std::wstring& environment, std::wstring& folder) override;
  bool AddDriver(const DriverRecord& driver, uint32_t flags) override;
  bool CreatePrinter(const PrinterRecord& printer) override;
  bool MakeDefaultPrinter(const std::wstring& name) override;
  std::wstring DefaultPrinter() override;
  bool RemovePrinter(const std::wstring& name) override;
  bool RemovePrinterConnection(const std::wstring& name) override;
  bool RemoveDriver(const std::wstring& name, const std::wstring& environment, uint32_t flags,
                    uint32_t version) override;
  DriverPackageDeletion RemoveDriverPackage(const std::wstring& infPath,
                                            const std::wstring& environment) override;
  bool AddPortThroughMonitor(WindowHandle owner, const std::wstring& monitorName) override;
  bool RemovePort(WindowHandle owner, const std::wstring& portName) override;
  bool ConfigurePortThroughMonitor(WindowHandle owner, const std::wstring& portName) override;
};

class Win32PortMonitorChannel final : public PortMonitorChannel {
 public:
  bool SendCommand(const std::wstring& monitorName, const std::wstring& command,
                   const std::vector<uint8_t>& input, uint32_t& status) override;
};
