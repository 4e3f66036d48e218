// Finding a top-level window of one process, for tests that start the real exe while other tests
// may run copies of it at the same time.
#pragma once

#include <windows.h>

// A visible top-level window of the process with that class (and title, when not null), or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className, const wchar_t* title);
