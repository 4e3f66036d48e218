// Finding the USB printer ports that exist now, each with the hardware identity behind it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "printsys/print_system.h"
#include "printsys/usb_port_record.h"

// Devices need a moment after arrival before their interface and port number are in place.
constexpr uint32_t kUsbSettleDelayMs = 1000;

// Second backslash-separated piece of the instance ID with every "&" made a space; the whole ID
// when it has fewer than two pieces.
std::wstring UsbHardwareName(const std::wstring& instanceId);
// "USB%.3d": USB001, USB012, USB1000.
std::wstring UsbPortName(uint32_t portNumber);
// Every backslash of the instance ID made "#", as the device-class registry keys spell it.
std::wstring UsbInterfaceKeyName(const std::wstring& instanceId);
// HKLM path of the "Device Parameters" key of a USB printing interface.
std::wstring UsbDeviceParametersKey(const std::wstring& interfaceKeyName);

// The port name from the interface's "Port Number"; false (output untouched) when the value is
// missing, unreadable or 0.
bool ReadUsbPortName(SystemRegistry& registry, const std::wstring& interfaceKeyName, std::wstring& portName);

// Replaces the list with one record per usable USB printing interface, in the system's order.
void ScanUsbPrinterPorts(PrintSystem& system, std::vector<UsbPortRecord>& ports);
void ScanUsbPrinterPorts(std::vector<UsbPortRecord>& ports);
