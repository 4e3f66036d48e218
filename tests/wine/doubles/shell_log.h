// The log the stand-ins for system tools keep: each appends "<tool>|<command line>" and a line
// break, in UTF-16, to the file named by LDW_SHELL_LOG, after a short pause that lets the tests tell
// whether the caller waited. The tests read it back with ReadShellLog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

// The lines written so far, without their line breaks; empty when there is no log yet.
inline std::vector<std::wstring> ReadShellLog(const std::wstring& path) {
  std::vector<std::wstring> lines;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
  CloseHandle(file);
  text.resize(read / sizeof(wchar_t));
  size_t start = 0;
  for (size_t end = text.find(L'\n'); end != std::wstring::npos; end = text.find(L'\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The folder of the stand-ins, beside the running test program.
inline std::wstring DoublesFolder() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring exe(path, length < MAX_PATH ? length : 0);
  return exe.substr(0, exe.rfind(L'\\') + 1) + L"doubles\\";
}
