// What the wizard and the install worker do over Bluetooth: check the adapter, search printers,
// pair one, switch its serial port service on and find the COM port the system gave it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bluetooth/bluetooth_device.h"
#include "bluetooth/bluetooth_stack.h"
#include "context/app_context.h"
#include "context/platform.h"
#include "printsys/device_setup.h"

// Bluetooth device setup class.
constexpr SystemGuid kBluetoothSetupClass = {
    0xe0cbf06c, 0xcd8b, 0x4647, {0xbb, 0x8a, 0x26, 0x3b, 0x43, 0xf0, 0xf9, 0x74}};
// Serial Port Profile service class.
constexpr SystemGuid kSerialPortServiceClass = {
    0x00001101, 0x0000, 0x1000, {0x80, 0x00, 0x00, 0x80, 0x5f, 0x9b, 0x34, 0xfb}};

constexpr size_t kMaxPasskeyLength = 16;
constexpr uint32_t kErrorNoMoreItems = 259;  // pairing: the device is paired already

// Text keys of the adapter state.
extern const wchar_t kAdapterNone[];  // "tip.btadapter.none"
extern const wchar_t kAdapterOff[];   // "tip.btadapter.off"
extern const wchar_t kAdapterOn[];    // "tip.btadapter.on"

// The text key of the adapter's state: no Bluetooth device, no radio switched on, or on.
std::wstring BluetoothAdapterState(DeviceSetup& devices, BluetoothStack& stack);
// Shows the state in the main window's adapter line and answers whether a radio is on; the caller
// asks the user to check the adapter when it is not and a box is wanted.
bool CheckBluetoothAdapter(CAppContext& context, DeviceSetup& devices, BluetoothStack& stack);

// Imaging/printer with the rendering or object-transfer service bit, and 0x1F1F.
bool IsPrinterClassOfDevice(uint32_t classOfDevice);
// Replaces the list with the named printers the search returns, in its order.
void SearchBluetoothPrinters(BluetoothStack& stack, std::vector<BluetoothDevice>& printers);

// Pairs with at most the first 16 characters of the PIN; a device paired already counts as paired.
// On failure the system's text for the result goes to errorText.
bool PairBluetoothDevice(BluetoothStack& stack, const SystemInfo& system, const BluetoothDevice& device,
                         const std::wstring& pin, std::wstring& errorText);
// True when the service is on, was already on (87), or cannot be switched on this system.
bool EnableSerialPortService(BluetoothStack& stack, const BluetoothDevice& device);
// The local "SPP slave" service for the device; the result is not needed by anyone.
void RegisterSerialPortService(BluetoothStack& stack, const std::wstring& deviceString,
                               const BluetoothDevice& device);
// The COM port (such as "COM5") whose instance ID carries the address (12 digits, no separators)
// and whose port name can be read.
bool FindBluetoothComPort(DeviceSetup& devices, const std::wstring& addressText, std::wstring& portName);
