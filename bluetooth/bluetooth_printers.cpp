#include "bluetooth/bluetooth_printers.h"

#include "bluetooth/bluetooth_text.h"
#include "context/system_error.h"

const wchar_t kAdapterNone[] = L"tip.btadapter.none";
const wchar_t kAdapterOff[] = L"tip.btadapter.off";
const wchar_t kAdapterOn[] = L"tip.btadapter.on";

namespace {
constexpr uint32_t kErrorInvalidParameter = 87;  // the service state call: nothing to change
constexpr size_t kLocalServiceTextLimit = 255;
}  // namespace

std::wstring BluetoothAdapterState(DeviceSetup& devices, BluetoothStack& stack) {
  if (!devices.AnyPresentDeviceOfSetupClass(kBluetoothSetupClass)) return kAdapterNone;
  return stack.RadioPresent() ? kAdapterOn : kAdapterOff;
}

bool CheckBluetoothAdapter(CAppContext& context, DeviceSetup& devices, BluetoothStack& stack) {
  const std::wstring state = BluetoothAdapterState(devices, stack);
  context.PostBtAdapterStatus(true, state);
  return state == kAdapterOn;
}

bool IsPrinterClassOfDevice(uint32_t classOfDevice) {
  return classOfDevice == 0x40680 || classOfDevice == 0x100680 || classOfDevice == 0x1F1F;
}

void SearchBluetoothPrinters(BluetoothStack& stack, std::vector<BluetoothDevice>& printers) {
  printers.clear();
  std::vector<BluetoothDevice> found;
  if (!stack.FindDevices(BluetoothSearchParams{}, found)) return;
  for (BluetoothDevice& device : found) {
    if (!device.name.empty() && IsPrinterClassOfDevice(device.classOfDevice))
      printers.push_back(std::move(device));
  }
}

bool PairBluetoothDevice(BluetoothStack& stack, const SystemInfo& system, const BluetoothDevice& device,
                         const std::wstring& pin, std::wstring& errorText) {
  const uint32_t result = stack.AuthenticateDevice(device, pin.substr(0, kMaxPasskeyLength));
  if (result == 0 || result == kErrorNoMoreItems) return true;
  errorText = FormatSystemError(system, result);
  return false;
}

bool EnableSerialPortService(BluetoothStack& stack, const BluetoothDevice& device) {
  const std::optional<uint32_t> result = stack.SetSerialPortServiceState(device, true);
  return !result || *result == 0 || *result == kErrorInvalidParameter;
}

void RegisterSerialPortService(BluetoothStack& stack, const std::wstring& deviceString,
                               const BluetoothDevice& device) {
  BluetoothLocalService service;
  service.enabled = true;
  service.address = device.address;
  service.name = L"SPP slave";
  service.deviceString = deviceString.substr(0, kLocalServiceTextLimit);
  stack.SetLocalSerialPortService(service);
}

bool FindBluetoothComPort(DeviceSetup& devices, const std::wstring& addressText, std::wstring& portName) {
  std::vector<DeviceInterfaceInfo> ports;
  if (!devices.PresentInterfaces({kComPortInterfaceClass, false, true}, ports)) return false;
  for (const DeviceInterfaceInfo& port : ports) {
    if (!port.hasInstanceId || !ComInstanceMatchesAddress(port.instanceId, addressText)) continue;
    // A port whose name cannot be read yet is no port to print to; the caller asks again.
    if (port.portName.empty()) continue;
    portName = port.portName;
    return true;
  }
  return false;
}
