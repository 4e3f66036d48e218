// Stands in for a system tool (built as certutil.exe and as rundll32.exe): records the whole
// command line it was started with, under the name it was started as, and ends with the exit code
// LDW_TOOL_EXIT_CODE names (0 without it). As rundll32 with printui's driver install
// (/ia /m "NAME" /f "INF") it also does what printui does: when the INF exists, the spooler gets
// the driver of that name in the system's own set, with the INF's path and DriverVer version.
// shell_log.h brings windows.h, which winspool.h needs first.
// clang-format off
#include "shell_log.h"
#include <winspool.h>
// clang-format on

#include <cstdlib>
#include <cwchar>

namespace {

// The text between the double quotes that follow the switch, or empty.
std::wstring QuotedAfter(const std::wstring& line, const wchar_t* option) {
  const size_t at = line.find(option);
  if (at == std::wstring::npos) return L"";
  const size_t open = line.find(L'"', at);
  const size_t close = open == std::wstring::npos ? open : line.find(L'"', open + 1);
  return close == std::wstring::npos ? L"" : line.substr(open + 1, close - open - 1);
}

// DriverVer's version of the INF, packed as dwlDriverVersion packs it; 0 without one.
DWORDLONG DriverVersionOf(const std::wstring& inf) {
  wchar_t value[128] = {};
  GetPrivateProfileStringW(L"Version", L"DriverVer", L"", value, 128, inf.c_str());
  const wchar_t* comma = wcschr(value, L',');
  unsigned parts[4] = {};
  if (comma == nullptr || swscanf(comma + 1, L" %u.%u.%u.%u", &parts[0], &parts[1], &parts[2], &parts[3]) < 1)
    return 0;
  DWORDLONG version = 0;
  for (unsigned part : parts) version = (version << 16) | (part & 0xFFFF);
  return version;
}

void InstallDriverAsPrintuiWould(const std::wstring& line) {
  const std::wstring model = QuotedAfter(line, L"/m ");
  const std::wstring inf = QuotedAfter(line, L"/f ");
  if (model.empty() || GetFileAttributesW(inf.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  DRIVER_INFO_8W driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(model.c_str());
  driver.pDriverPath = const_cast<wchar_t*>(L"UNIDRV.DLL");
  driver.pDataFile = const_cast<wchar_t*>(L"Ombrevia.GPD");
  driver.pConfigFile = const_cast<wchar_t*>(L"UNIDRVUI.DLL");
  driver.dwlDriverVersion = DriverVersionOf(inf);
  driver.pszInfPath = const_cast<wchar_t*>(inf.c_str());
  // A native printui adds to the system's own set: no environment is the caller's, and this
  // stand-in has the system's bitness.
  if (!AddPrinterDriverExW(nullptr, 8, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES)) {
    AddPrinterDriverExW(nullptr, 6, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES);
  }
}

}  // namespace

int wmain() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, length < MAX_PATH ? length : 0);
  name = name.substr(name.rfind(L'\\') + 1);
  name = name.substr(0, name.rfind(L'.'));
  AppendShellLog(name.c_str(), GetCommandLineW());
  const std::wstring line = GetCommandLineW();
  if (_wcsicmp(name.c_str(), L"rundll32") == 0 && line.find(L"PrintUIEntry /ia ") != std::wstring::npos) {
    InstallDriverAsPrintuiWould(line);
  }
  wchar_t code[16] = {};
  const DWORD codeLength = GetEnvironmentVariableW(L"LDW_TOOL_EXIT_CODE", code, 16);
  return codeLength != 0 && codeLength < 16 ? _wtoi(code) : 0;
}
