// Text rules of the Bluetooth path: the address as shown and as found in COM port instance IDs,
// and the pairing PIN.
#pragma once

#include <cstdint>
#include <string>

// The six address bytes, most significant first, as upper-case hex: "00-1B-35-0A-FF-C2" with
// separators, "001B350AFFC2" without.
std::wstring FormatBluetoothAddress(uint64_t address, bool separators);

// A Bluetooth serial port's instance ID ends its second-to-last "_" piece with the 12 address
// digits; compared without regard to case.
bool ComInstanceMatchesAddress(const std::wstring& instanceId, const std::wstring& addressText);

// ASCII letters and digits, at least one.
bool IsValidBluetoothPin(const std::wstring& pin);
// The text with every character other than an ASCII letter or digit removed.
std::wstring FilterPinInput(const std::wstring& text);
