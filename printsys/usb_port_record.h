// One USB printer port found by the device scan.
#pragma once

#include <string>

struct UsbPortRecord {
  std::wstring hardwareName;
  std::wstring portName;  // "USB%.3d" of the port number
  std::wstring devicePath;
};
