// One device found by the Bluetooth search: the fields of the system's device record the program uses.
#pragma once

#include <cstdint>
#include <string>

struct BluetoothDevice {
  uint64_t address = 0;  // 48-bit radio address
  uint32_t classOfDevice = 0;
  bool connected = false;
  bool remembered = false;
  bool authenticated = false;
  std::wstring name;
};
