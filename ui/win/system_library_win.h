// System libraries come from the system folder only. The program runs elevated and is often
// started from a Downloads folder or a share, where anyone may drop a DLL beside it.
#pragma once

#include <windows.h>

namespace ui {

// The process's first call: later loads (by name, implicit, delay-loaded) search the system folder
// only. Where SetDefaultDllDirectories is missing (Windows 7 without KB2533623) the current folder
// at least leaves the search order.
void RestrictLibrarySearchToSystemFolder();

// The named library from the system folder, never from the program's or the current folder; null
// (with the last error) when it is not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace ui
