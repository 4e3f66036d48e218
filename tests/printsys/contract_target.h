// The system the contract suite runs against: the fakes on the host tier, the Windows
// implementations under Wine. The suite's cases carry "Contract" in their names.
#pragma once

#include <functional>
#include <string>

#include "bluetooth/bluetooth_stack.h"
#include "context/platform.h"
#include "printsys/print_system.h"

struct ContractTarget {
  PrintSystem& print;
  BluetoothStack& bluetooth;
  SystemInfo& system;
  FileSystem& files;
  // Removes a file a case wrote (or the spooler copied); true when it is gone afterwards.
  std::function<bool(const std::wstring& path)> removeFile;
  // Takes away a printer the spooler made but cannot open any more, for clean-up only.
  std::function<void(const std::wstring& name)> removeUnopenablePrinter;
  // Wine lacks the Standard TCP/IP monitor, USB printers and Bluetooth; there the cases prove the
  // failure paths, on the host the success paths. The host fake has one of each.
  bool wine = false;
};

// Defined once per tier. On the host every call starts a fresh fake system.
ContractTarget& MakeContractTarget();

// What the host fake offers beyond a fresh system.
constexpr uint64_t kContractBluetoothAddress = 0x001B350AFFC2;
