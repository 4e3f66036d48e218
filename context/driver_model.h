// One installable driver model and the contents of its driver package.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "context/platform.h"

struct DriverModelInfo {
  DriverModelInfo(std::wstring modelName, std::wstring driverName)
      : modelName(std::move(modelName)), driverName(std::move(driverName)) {}

  int32_t index = 0;
  std::wstring modelName;
  std::wstring driverName;
  // Legacy method: the spooler's DRIVER_INFO_6 names and the package files copied by processor family.
  std::wstring driverPath;
  std::wstring dataFile;
  std::wstring configFile;
  std::wstring helpFile = L"UNIDRV.HLP";
  std::vector<std::wstring> legacy32Files;
  std::vector<std::wstring> legacy64Files;
  // INF method: files extracted into the install folder and its sub-folders.
  std::wstring certificateName;
  std::wstring infName;
  std::vector<std::wstring> rootFiles;
  std::vector<std::wstring> files32;
  std::vector<std::wstring> files64;
  std::vector<std::wstring> filesIa64;
  std::vector<std::wstring> subFolders;
};

// 6.2 and later (and a failed version query) take the INF method.
bool IsWindows8OrNewer(const SystemInfo& system);
bool IsWow64(const SystemInfo& system);

// The spooler's name of the machine's driver set ("Windows x64", "Windows NT x86"), which every
// spooler call that takes an environment is given: a null one means the CALLER's set, the x86 one
// for this 32-bit program on 64-bit Windows. Empty where the package has no driver (ARM64).
std::wstring DriverEnvironment(Machine machine);
std::wstring NativeDriverEnvironment(const SystemInfo& system);
// The package's folder of the machine's processor family ("Driver64", "Driver32"); empty where none.
std::wstring PackageFamilyFolder(Machine machine);

DriverModelInfo MakeLegacyDriverModel();
DriverModelInfo MakeInfDriverModel();
