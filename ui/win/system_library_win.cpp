#include "ui/win/system_library_win.h"

#include <delayimp.h>

#include <string>

namespace ui {

void RestrictLibrarySearchToSystemFolder() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  // kernel32 is a KnownDLL and already mapped: asking for it searches no folder.
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // A system without the search flags: the full path, and its own dependencies looked for beside it.
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

namespace {

// The delay-load helper asks this before it would call LoadLibraryA on the bare name, which
// searches the program's folder first.
FARPROC WINAPI LoadDelayedFromSystemFolder(unsigned notice, PDelayLoadInfo info) {
  if (notice != dliNotePreLoadLibrary) return nullptr;
  std::wstring name;
  for (const char* c = info->szDll; *c != '\0'; ++c) name.push_back(static_cast<wchar_t>(*c));
  if (HMODULE module = LoadSystemLibrary(name.c_str())) return reinterpret_cast<FARPROC>(module);
  // Answering nothing would let the helper search by the bare name after all: fail as it would.
  ULONG_PTR argument = reinterpret_cast<ULONG_PTR>(info);
  RaiseException(VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND), 0, 1, &argument);
  return nullptr;
}

}  // namespace
}  // namespace ui

extern "C" {
PfnDliHook __pfnDliNotifyHook2 = ui::LoadDelayedFromSystemFolder;
}
