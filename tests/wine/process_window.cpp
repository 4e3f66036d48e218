#include "tests/wine/process_window.h"

namespace {

struct Search {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  wchar_t text[256] = {};
  GetClassNameW(window, text, 256);
  if (lstrcmpiW(text, search->className) != 0) return TRUE;
  if (search->title != nullptr) {
    GetWindowTextW(window, text, 256);
    if (lstrcmpW(text, search->title) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title) {
  Search search{processId, className, title, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RunningProgram::RunningProgram(const std::wstring& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring commandLine = L"\"" + exe + L"\"";
  started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process);
}

RunningProgram::~RunningProgram() {
  if (!started) return;
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

HWND RunningProgram::WaitForWindow(const wchar_t* className, const wchar_t* title) const {
  for (int i = 0; i < 300; ++i) {
    if (HWND window = FindProcessWindow(process.dwProcessId, className, title)) return window;
    Sleep(100);
  }
  return nullptr;
}

DWORD RunningProgram::ExitCode() const {
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) return 1234;
  DWORD code = 1234;
  GetExitCodeProcess(process.hProcess, &code);
  return code;
}
