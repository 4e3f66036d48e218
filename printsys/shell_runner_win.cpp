// ShellExecuteExW with the verb "open"; waiting commands wait with their bound and read the exit code.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "printsys/shell_runner_win.h"

ShellResult Win32ShellRunner::Run(const ShellCommand& command) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.hwnd = static_cast<HWND>(command.owner);
  info.lpVerb = L"open";
  info.lpFile = command.file.c_str();
  info.lpParameters = command.parameters.c_str();
  info.nShow = command.show;
  ShellResult result;
  if (!ShellExecuteExW(&info)) {
    result.error = GetLastError();
    return result;
  }
  result.outcome = ShellOutcome::kStarted;
  if (info.hProcess == nullptr) {
    // Only a document handed to a running program starts no process; a tool always has one.
    if (command.waitMs != 0) {
      result.outcome = ShellOutcome::kNotStarted;
      result.error = ERROR_INVALID_HANDLE;
    }
    return result;
  }
  if (command.waitMs != 0) {
    if (WaitForSingleObject(info.hProcess, command.waitMs) != WAIT_OBJECT_0) {
      result.outcome = ShellOutcome::kTimedOut;
    } else {
      DWORD exitCode = 0;
      GetExitCodeProcess(info.hProcess, &exitCode);
      result.outcome = ShellOutcome::kEnded;
      result.exitCode = exitCode;
    }
  }
  CloseHandle(info.hProcess);
  return result;
}
