#include "app/unattended.h"

#include "app/localisation.h"
#include "bluetooth/bluetooth_printers.h"
#include "bluetooth/bluetooth_text.h"
#include "context/app_context.h"
#include "context/text_util.h"
#include "printsys/print_system.h"
#include "printsys/spooler_queries.h"
#include "printsys/tcpip_port.h"
#include "printsys/usb_port_scan.h"
#include "removal/removal_job.h"
#include "removal/removal_selection.h"
#include "wizard/install_worker.h"
#include "wizard/port_pages.h"
#include "wizard/printer_name.h"

UnattendedSink::UnattendedSink(Writer write, std::function<LocalTime()> now, MessageSender* window)
    : write_(std::move(write)), now_(std::move(now)), window_(window) {}

intptr_t UnattendedSink::Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const auto* notice = reinterpret_cast<const UiNotice*>(lParam);
  const bool logLine = message == UM_INSTALL_LOG || message == UM_DELETE_LOG;
  if (logLine && notice != nullptr && !notice->clear) {
    Line(notice->text);
    if (notice->alert) ++alerts_;
  }
  return window_ != nullptr ? window_->Send(window, message, wParam, lParam) : 0;
}

int UnattendedSink::ShowMessageBox(WindowHandle, const std::wstring& text, const std::wstring& caption, uint32_t) {
  Line(caption + L": " + text);
  return kAnswerOk;
}

void UnattendedSink::Line(const std::wstring& text) { write_(MainWindowController::TimeStamp(now_()) + text); }

void UnattendedSink::Alert(const std::wstring& text) {
  Line(text);
  ++alerts_;
}

std::wstring CommandLineErrorText(const ParsedCommandLine& parsed) {
  return GetTextWith(parsed.errorKey.c_str(), parsed.errorArgument) + L"\n" + GetText(L"cmd.seeusage");
}

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) { return LowerCopy(a) == LowerCopy(b); }

// The device the wizard's list page would offer first, or the one the request names; false when
// there is none.
bool ChooseUsbPort(CAppContext& context, const std::wstring& device) {
  ScanUsbPrinterPorts(context.m_usbPorts);
  for (size_t i = 0; i < context.m_usbPorts.size(); ++i) {
    const UsbPortRecord& port = context.m_usbPorts[i];
    if (device.empty() || SameText(device, port.portName) || SameText(device, port.hardwareName)) {
      context.m_usbPortIndex = static_cast<int32_t>(i);
      context.m_portName = port.portName;
      return true;
    }
  }
  return false;
}

bool ChooseBluetoothPrinter(CAppContext& context, const std::wstring& device) {
  SearchBluetoothPrinters(DefaultBluetoothStack(), context.m_btDevices);
  for (size_t i = 0; i < context.m_btDevices.size(); ++i) {
    const BluetoothDevice& found = context.m_btDevices[i];
    if (device.empty() || SameText(device, found.name) || SameText(device, FormatBluetoothAddress(found.address, true)) ||
        SameText(device, FormatBluetoothAddress(found.address, false))) {
      context.m_btDeviceIndex = static_cast<int32_t>(i);
      return true;
    }
  }
  return false;
}

// The spooler refuses a second printer whose name differs only in case: so does the check.
bool PrinterNameTaken(const std::wstring& name) { return PrinterExists(name); }

int Refuse(UnattendedSink& sink, const wchar_t* key, const std::wstring& argument, int exitCode) {
  sink.Line(GetTextWith(key, argument));
  return exitCode;
}

int Install(CAppContext& context, const UnattendedRequest& request, UnattendedSink& sink) {
  context.m_portKind = request.kind;
  if (!request.pin.empty()) context.m_btPin = request.pin;
  switch (request.kind) {
    case kPortUsb:
      if (!ChooseUsbPort(context, request.device)) return Refuse(sink, L"cmd.error.nodevice", request.device, kExitNoDevice);
      break;
    case kPortBluetooth:
      if (!CheckBluetoothAdapter(context, DefaultPrintSystem().devices, DefaultBluetoothStack()) ||
          !ChooseBluetoothPrinter(context, request.device)) {
        return Refuse(sink, L"cmd.error.nodevice", request.device, kExitNoDevice);
      }
      break;
    case kPortNetwork: {
      context.m_lanAddress = request.address;
      context.m_portName = !request.portName.empty() ? request.portName : ProposeLanPortFor(request.address);
      // The address's own Standard TCP/IP port serves again; any other port of the name is taken.
      const std::optional<std::wstring> own =
          TcpIpPortForAddress(DefaultPrintSystem().spooler, request.address);
      const bool reused = own && SameText(*own, context.m_portName);
      if (!reused && PortExists(context.m_portName))
        return Refuse(sink, L"cmd.error.porttaken", context.m_portName, kExitPort);
      break;
    }
    default: {
      // As the spooler spells it: port names compare without regard to case.
      const std::wstring port = FindPort(request.port).name;
      if (port.empty()) return Refuse(sink, L"cmd.error.port", request.port, kExitPort);
      context.m_portName = port;
      break;
    }
  }
  context.m_driverIndex = 0;
  const std::wstring model = context.m_driverModels.empty() ? L"LABEL" : context.m_driverModels[0].modelName;
  context.m_printerName = !request.name.empty()
                              ? request.name
                              : ProposePrinterName(model, PrinterNameTaken);
  if (PrinterNameTaken(context.m_printerName)) {
    return Refuse(sink, L"cmd.error.nametaken", context.m_printerName, kExitPrinterName);
  }
  context.m_setDefault = request.setDefault ? 1 : 0;
  context.m_printTestPage = request.testPage;
  InstallOutcome outcome;
  const int alertsBefore = sink.alerts();
  context.RunInstall(&outcome);
  switch (outcome.failure) {
    case InstallFailure::kNone:
      // A red line (a driver file not copied, ...) never ends in 0.
      return sink.alerts() == alertsBefore ? kExitDone : kExitIncomplete;
    case InstallFailure::kPort: return kExitPort;
    case InstallFailure::kDriver: return kExitDriver;
    case InstallFailure::kPrinter: return kExitPrinter;
    case InstallFailure::kDefaultPrinter:
      return kExitIncomplete;
  }
  return kExitPrinter;
}

// The installed name a requested one means, compared without regard to case as the spooler does;
// empty when none is installed.
std::wstring InstalledName(const std::vector<std::wstring>& installed, const std::wstring& requested) {
  for (const std::wstring& name : installed) {
    if (SameText(name, requested)) return name;
  }
  return {};
}

// The named printers, then the named drivers with their packages, as the delete pages would hand
// them to the removal worker; any failure line makes the exit code say so.
int Remove(CAppContext& context, const UnattendedRequest& request, UnattendedSink& sink) {
  RemovalJob job;
  std::vector<SpoolerEntry> printers;
  ListInstalledPrinters(printers);
  ListInstalledDrivers(job.installedDrivers);
  std::vector<std::wstring> printerNames, driverNames;
  for (const SpoolerEntry& printer : printers) printerNames.push_back(printer.first);
  for (const SpoolerEntry& driver : job.installedDrivers) driverNames.push_back(driver.second);
  const int alertsBefore = sink.alerts();
  // Every name that is not installed is a red line; what is installed is removed all the same.
  for (const std::wstring& requested : request.printers) {
    const std::wstring name = InstalledName(printerNames, requested);
    if (name.empty()) sink.Alert(GetTextWith(L"cmd.error.notinstalled", requested));
    if (!name.empty()) Select(job.printers, name);
  }
  for (const std::wstring& requested : request.drivers) {
    const std::wstring name = InstalledName(driverNames, requested);
    if (name.empty()) {
      sink.Alert(GetTextWith(L"cmd.error.notinstalled", requested));
      continue;
    }
    if (std::find(job.drivers.begin(), job.drivers.end(), name) == job.drivers.end())
      job.drivers.push_back(name);
    // As the delete pages' summary does: the printers on a driver go with it.
    for (const SpoolerEntry& printer : printers) {
      if (SameText(printer.second, name)) Select(job.printers, printer.first);
    }
  }
  job.logShown = true;
  context.RunRemoval(job);
  return sink.alerts() == alertsBefore ? kExitDone : kExitRemovalFailed;
}

void List(UnattendedSink& sink) {
  std::vector<SpoolerEntry> printers, drivers;
  ListInstalledPrinters(printers);
  ListInstalledDrivers(drivers);
  for (const SpoolerEntry& printer : printers) sink.Raw(L"printer\t" + printer.first + L"\t" + printer.second);
  for (const SpoolerEntry& driver : drivers) sink.Raw(L"driver\t" + driver.second);
}

}  // namespace

int RunUnattended(CAppContext& context, const UnattendedRequest& request, UnattendedSink& sink) {
  context.m_unattended = true;
  const Machine machine = context.platform().system.NativeMachine();
  const bool touchesDrivers = request.command == Command::kInstall || request.command == Command::kRemove ||
                              request.command == Command::kList;
  if (touchesDrivers && DriverEnvironment(machine).empty()) {
    sink.Line(NoPackageText(machine));
    return kExitNoPackage;
  }
  switch (request.command) {
    case Command::kInstall:
      return Install(context, request, sink);
    case Command::kList:
      List(sink);
      return kExitDone;
    case Command::kRemove:
      return Remove(context, request, sink);
    default:
      sink.Raw(GetText(L"cmd.usage"));
      return kExitDone;
  }
}
