// The Win32 Bluetooth adapter against a stand-in for bthprops.cpl (Wine's has no radio, and its
// pairing and service calls end the process). The product loads the library from the system folder
// only, so the stand-in goes there for the run, and a Wine DLL override for the child alone makes
// Wine load that file instead of its own; the child makes the calls, both record what passed.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/doubles/shell_log.h"

namespace {

TEST(BluetoothStackWithDouble, CallsAndAnswersPassAsTheSystemDefinesThem) {
#ifdef _WIN64
  GTEST_SKIP() << "the stand-in checks the 32-bit records (a 32-byte search record)";
#endif
  const std::wstring doubles = DoublesFolder();
  // Wine reads per-program overrides from the registry; an environment override would not reach
  // a child started from here.
  const wchar_t kOverrideKey[] = L"Software\\Wine\\AppDefaults\\bluetooth_calls_child.exe\\DllOverrides";
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_CURRENT_USER, kOverrideKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  const wchar_t kNative[] = L"native";
  RegSetValueExW(key, L"bthprops.cpl", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNative), sizeof(kNative));
  RegCloseKey(key);
  // This 32-bit test's system folder is the one the 32-bit child loads from (syswow64 on a 64-bit prefix).
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring installed = std::wstring(system) + L"\\bthprops.cpl";
  const std::wstring kept = installed + L".ldw-test";
  const bool hadOne = MoveFileExW(installed.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  const bool placed = CopyFileW((doubles + L"bthprops.cpl").c_str(), installed.c_str(), FALSE) != FALSE;
  if (!placed && hadOne) MoveFileExW(kept.c_str(), installed.c_str(), MOVEFILE_REPLACE_EXISTING);
  ASSERT_TRUE(placed);

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring log = std::wstring(temp) + L"ldw_bluetooth_log.txt";
  DeleteFileW(log.c_str());
  SetEnvironmentVariableW(L"LDW_SHELL_LOG", log.c_str());
  std::wstring command = L"\"" + doubles + L"bluetooth_calls_child.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  const BOOL started =
      CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
  DWORD exitCode = 99;
  if (started) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  SetEnvironmentVariableW(L"LDW_SHELL_LOG", nullptr);
  DeleteFileW(installed.c_str());
  if (hadOne) MoveFileExW(kept.c_str(), installed.c_str(), MOVEFILE_REPLACE_EXISTING);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\bluetooth_calls_child.exe");
  ASSERT_TRUE(started);
  EXPECT_EQ(exitCode, 0u);

  const std::vector<std::wstring> expected = {
      L"FindFirstRadio|size=4",
      L"FindRadioClose|5151",
      L"radio|on",
      L"FindFirstDevice|size=32 flags=11111 timeout=10 radio=0 record=560",
      L"FindNextDevice|record=560 name=",  // a zeroed record each time
      L"FindNextDevice|record=560 name=",
      L"FindDeviceClose|5252",
      L"search|1 Label printer/00-1B-35-0A-FF-C2/paired",
      L"AuthenticateDevice|parent=0 radio=0 record=560 address=1B350AFFC2 passkey=0123456789abcdef length=16",
      L"pair|true",
      L"SetServiceState|radio=0 address=1B350AFFC2 service=00001101-0000-1000-8000 flags=1",
      L"service|true",
      L"SetLocalServiceInfo|radio=0 service=00001101-0000-1000-8000 instance=1 enabled=1 address=1B350AFFC2 "
      L"name=SPP slave device=COM7",
  };
  EXPECT_EQ(ReadShellLog(log), expected);
  DeleteFileW(log.c_str());
}

}  // namespace
