// Stands in for a system tool (built as certutil.exe and as rundll32.exe): records the whole
// command line it was started with, under the name it was started as.
#include "shell_log.h"

int wmain() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path, length < MAX_PATH ? length : 0);
  name = name.substr(name.rfind(L'\\') + 1);
  name = name.substr(0, name.rfind(L'.'));
  AppendShellLog(name.c_str(), GetCommandLineW());
  return 0;
}
