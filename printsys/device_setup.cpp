#include "printsys/device_setup.h"

bool SystemGuid::operator==(const SystemGuid& other) const {
  if (data1 != other.data1 || data2 != other.data2 || data3 != other.data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (data4[i] != other.data4[i]) return false;
  }
  return true;
}
