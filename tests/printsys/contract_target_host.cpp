// The host tier's contract target: a fake system shaped like a fresh Windows, plus one USB
// printer, a Standard TCP/IP monitor and a paired-to-be Bluetooth printer with its COM port.
#include <memory>

#include "bluetooth/bluetooth_printers.h"
#include "context/text_util.h"
#include "printsys/usb_port_scan.h"
#include "tests/fakes/fake_bluetooth.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/printsys/contract_target.h"

namespace {

struct HostSystem {
  FakePlatform platform;
  FakePrintSystem print{platform.system};
  FakeBluetoothStack bluetooth;
  ContractTarget target{print.system, bluetooth, platform.system, platform.files, nullptr, nullptr, false};

  HostSystem() {
    // The driver folder, as the spooler reports it, exists on disk.
    std::string folder;
    for (const std::wstring& piece :
         SplitText(print.spooler.DriverFolder(print.spooler.NativeEnvironment()), L'\\')) {
      folder += (folder.empty() ? "" : "\\") + platform.files.ToAnsi(piece);
      if (folder.size() > 2) platform.files.folders.insert(folder);
    }
    print.spooler.driverFileExists = [this](const std::wstring& name) {
      const std::wstring wanted =
          LowerCopy(print.spooler.DriverFolder(print.spooler.NativeEnvironment()) + L"\\" + name);
      for (const auto& file : platform.files.files) {
        if (LowerCopy(file.first) == wanted) return true;
      }
      return false;
    };
    target.removeFile = [this](const std::wstring& path) {
      platform.files.files.erase(path);
      return true;
    };
    target.removeUnopenablePrinter = [this](const std::wstring& name) {
      if (FakePrinter* printer = print.spooler.FindPrinter(name)) {
        print.spooler.printers.erase(print.spooler.printers.begin() +
                                     (printer - print.spooler.printers.data()));
      }
    };

    const std::wstring usbId = L"USB\\VID_0483&PID_5720\\00A1B2C3";
    DeviceInterfaceInfo usb;
    usb.devicePath = L"\\\\?\\usb#vid_0483&pid_5720#00a1b2c3";
    usb.hasInstanceId = true;
    usb.instanceId = usbId;
    usb.descriptionsReadable = true;
    print.devices.AddInterface(kUsbPrintInterfaceClass, usb);
    print.devices.writableDevices.insert(usb.devicePath);
    print.registry.values[{UsbDeviceParametersKey(UsbInterfaceKeyName(usbId)), L"Port Number"}] = 1;

    print.devices.presentSetupClasses.push_back(kBluetoothSetupClass);
    bluetooth.devices.push_back({kContractBluetoothAddress, 0x40680, false, true, false, L"Label printer"});
    bluetooth.devices.push_back({0x0000AABBCCDDEEFF, 0x5a020c, false, true, false, L"Phone"});
    DeviceInterfaceInfo com;
    com.devicePath = L"\\\\?\\bthenum#x";
    com.hasInstanceId = true;
    com.instanceId =
        L"BTHENUM\\{00001101-0000-1000-8000-00805F9B34FB}_LOCALMFG&000F\\7&1&0_001B350AFFC2_C00000000";
    com.portName = L"COM5";
    print.devices.AddInterface(kComPortInterfaceClass, com);
  }
};

std::unique_ptr<HostSystem> g_system;

}  // namespace

ContractTarget& MakeContractTarget() {
  g_system = std::make_unique<HostSystem>();
  return g_system->target;
}
