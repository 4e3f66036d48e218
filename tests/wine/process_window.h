// Starting the real exe and finding a top-level window of that one process, for tests that run it
// while other tests may run copies of it at the same time.
#pragma once

#include <windows.h>

#include <string>

// A visible top-level window of the process with that class (and title, when not null), or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title);

// Starts a copy of the exe's command line; ends it with code 99 if it still runs when this goes.
struct RunningProgram {
  explicit RunningProgram(const std::wstring& exe);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  // Waits up to 30 seconds for a visible top-level window of that class (and title, when not null).
  HWND WaitForWindow(const wchar_t* className, const wchar_t* title) const;
  // Waits up to 30 seconds for the process to end; 1234 when it does not.
  DWORD ExitCode() const;

  bool started = false;
  PROCESS_INFORMATION process{};
};
