// What one removal run deletes: copies of the delete pages' selections and of the installed-driver
// list, taken on the UI thread when the run starts, so the worker shares no list with the wizard.
#pragma once

#include <string>
#include <vector>

#include "printsys/spooler_entry.h"

struct RemovalJob {
  std::vector<std::wstring> printers;          // in the order they were marked
  std::vector<std::wstring> drivers;           // ascending code-unit order
  std::vector<SpoolerEntry> installedDrivers;  // (empty, name, INF path) as the driver page listed them
  bool logShown = false;                       // the delete pages are loaded, so the log exists
};
