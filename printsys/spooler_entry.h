// A row of the spooler list queries: printer (name, driver, INF path), driver (empty, name, INF path)
// or port (name, description, monitor).
#pragma once

#include <string>

struct SpoolerEntry {
  std::wstring first;
  std::wstring second;
  std::wstring third;

  bool operator==(const SpoolerEntry& other) const {
    return first == other.first && second == other.second && third == other.third;
  }
};
