// ShellExecuteExW with the verb "open"; waiting commands wait without time-out.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "printsys/shell_runner_win.h"

bool Win32ShellRunner::Run(const ShellCommand& command) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = static_cast<HWND>(command.owner);
  info.lpVerb = L"open";
  info.lpFile = command.file.c_str();
  info.lpParameters = command.parameters.c_str();
  info.nShow = command.show;
  if (!ShellExecuteExW(&info)) return false;
  if (info.hProcess != nullptr) {
    if (command.wait) WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hProcess);
  }
  return true;
}
