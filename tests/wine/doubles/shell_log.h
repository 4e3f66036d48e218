// Used by the stand-ins for system tools: appends "<tool>|<command line>" and a line break, in
// UTF-16, to the file named by LDW_SHELL_LOG, after a short pause that lets the tests tell whether
// the caller waited.
#pragma once

#include <windows.h>

#include <string>

inline void AppendShellLog(const wchar_t* tool, const wchar_t* arguments) {
  Sleep(300);
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"LDW_SHELL_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::wstring line = std::wstring(tool) + L"|" + (arguments != nullptr ? arguments : L"") + L"\n";
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}
