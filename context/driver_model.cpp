#include "context/driver_model.h"

namespace {

const wchar_t kPackage32[] = L"driver\\label\\Driver32\\";
const wchar_t kPackage64[] = L"driver\\label\\Driver64\\";

std::vector<std::wstring> InFolder(const wchar_t* folder, std::initializer_list<const wchar_t*> names) {
  std::vector<std::wstring> paths;
  for (const wchar_t* name : names) paths.push_back(std::wstring(folder) + name);
  return paths;
}

}  // namespace

bool IsWindows8OrNewer(const SystemInfo& system) {
  OsVersion version;
  if (!system.QueryVersion(version)) return true;
  // A later major version with a small minor one (10.0) is newer too.
  return version.major > 6 || (version.major == 6 && version.minor >= 2);
}

bool IsWow64(const SystemInfo& system) { return system.IsWow64Process(); }

std::wstring DriverEnvironment(Machine machine) {
  if (machine == Machine::kX64) return L"Windows x64";
  if (machine == Machine::kX86) return L"Windows NT x86";
  return {};
}

std::wstring NativeDriverEnvironment(const SystemInfo& system) {
  return DriverEnvironment(system.NativeMachine());
}

std::wstring PackageFamilyFolder(Machine machine) {
  if (machine == Machine::kX64) return L"Driver64";
  if (machine == Machine::kX86) return L"Driver32";
  return {};
}

DriverModelInfo MakeLegacyDriverModel() {
  DriverModelInfo model(L"LABEL", L"LABEL");
  model.driverPath = L"UNIDRV.DLL";
  model.dataFile = L"Ombrevia.GPD";
  model.configFile = L"UNIDRVUI.DLL";
  model.legacy32Files = InFolder(kPackage32, {L"LABELCORE.dll", L"Ombrevia.gpd", L"Ombrevia.ini", L"LABELUI.dll",
                                              L"STDNAMES.GPD", L"UNIDRV.dll", L"UNIDRV.HLP", L"UNIDRVUI.dll",
                                              L"UNIRES.dll"});
  model.legacy64Files = InFolder(kPackage64, {L"LABELCORE.dll", L"Ombrevia.gpd", L"Ombrevia.ini", L"LABELUI.DLL",
                                              L"STDNAMES.GPD", L"UNIDRV.dll", L"UNIDRV.HLP", L"UNIDRVUI.dll",
                                              L"UNIRES.dll"});
  return model;
}

DriverModelInfo MakeInfDriverModel() {
  DriverModelInfo model(L"LABEL", L"LABEL");
  model.certificateName = L"qmvt.cer";
  model.infName = L"Ombrevia.INF";
  model.rootFiles = {L"driver\\label\\qmvt.cer"};
  model.files32 = InFolder(kPackage32, {L"LABELCORE.dll", L"Ombrevia.gpd", L"Ombrevia.inf", L"Ombrevia.ini",
                                        L"LABELUI.dll", L"printer.cat"});
  model.files64 = InFolder(kPackage64, {L"LABELCORE.dll", L"Ombrevia.gpd", L"Ombrevia.inf", L"Ombrevia.ini",
                                        L"LABELUI.DLL", L"printer.cat"});
  model.subFolders = {L"Driver64", L"Driver32"};
  return model;
}
