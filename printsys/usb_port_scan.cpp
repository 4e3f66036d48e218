#include "printsys/usb_port_scan.h"

#include <cstdio>

#include "context/text_util.h"

namespace {
constexpr size_t kMaxKeyPathLength = 1024;
}

std::wstring UsbHardwareName(const std::wstring& instanceId) {
  const std::vector<std::wstring> pieces = SplitText(instanceId, L'\\');
  if (pieces.size() < 2) return instanceId;
  std::wstring name = pieces[1];
  for (wchar_t& c : name) {
    if (c == L'&') c = L' ';
  }
  return name;
}

std::wstring UsbPortName(uint32_t portNumber) {
  char text[16];
  std::snprintf(text, sizeof(text), "USB%.3u", static_cast<unsigned>(portNumber));
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring UsbInterfaceKeyName(const std::wstring& instanceId) {
  std::wstring name = instanceId;
  for (wchar_t& c : name) {
    if (c == L'\\') c = L'#';
  }
  return name;
}

std::wstring UsbDeviceParametersKey(const std::wstring& interfaceKeyName) {
  const std::wstring guid = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
  return L"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\" + guid + L"\\##?#" + interfaceKeyName + L"#" +
         guid + L"\\#\\Device Parameters";
}

bool ReadUsbPortName(SystemRegistry& registry, const std::wstring& interfaceKeyName, std::wstring& portName) {
  const std::wstring keyPath = UsbDeviceParametersKey(interfaceKeyName);
  if (keyPath.size() >= kMaxKeyPathLength) return false;
  uint32_t number = 0;
  if (!registry.ReadMachineDword(keyPath, L"Port Number", number) || number == 0) return false;
  portName = UsbPortName(number);
  return true;
}

void ScanUsbPrinterPorts(PrintSystem& system, std::vector<UsbPortRecord>& ports) {
  ports.clear();
  system.pause.Sleep(kUsbSettleDelayMs);
  DeviceInterfaceQuery query{kUsbPrintInterfaceClass, true, false};
  std::vector<DeviceInterfaceInfo> interfaces;
  if (!system.devices.PresentInterfaces(query, interfaces)) return;
  for (const DeviceInterfaceInfo& found : interfaces) {
    // Devices that report no description or hardware ID are not usable printers.
    if (!found.hasInstanceId || !found.descriptionsReadable) continue;
    UsbPortRecord record;
    ReadUsbPortName(system.registry, UsbInterfaceKeyName(found.instanceId), record.portName);
    record.hardwareName = UsbHardwareName(found.instanceId);
    record.devicePath = found.devicePath;
    ports.push_back(std::move(record));
  }
}

void ScanUsbPrinterPorts(std::vector<UsbPortRecord>& ports) {
  ScanUsbPrinterPorts(DefaultPrintSystem(), ports);
}
