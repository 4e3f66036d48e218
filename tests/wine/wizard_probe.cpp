// What a user of the running wizard sees that lives in native windows, printed one item a line for
// the walk scripts: the visible edits and their texts, the visible rich edits line by line, message
// boxes with their texts, popups.
//   wizard_probe          (finds the window of class "MainWnd")
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring TextOf(HWND window, size_t size = 1024) {
  std::wstring text(size, L'\0');
  SendMessageTimeoutW(window, WM_GETTEXT, size, reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  text.resize(wcslen(text.c_str()));
  return text;
}

void Print(const char* kind, const std::wstring& text) {
  char utf8[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
  std::printf("%s %s\n", kind, utf8);
}

BOOL CALLBACK VisitChild(HWND child, LPARAM) {
  const std::wstring name = ClassOf(child);
  if (!IsWindowVisible(child)) return TRUE;
  if (name == L"Edit" || name == L"EDIT") Print("edit", TextOf(child));
  if (lstrcmpiW(name.c_str(), L"RICHEDIT50W") == 0) {  // the logs and the removal summary: one a line
    const std::wstring text = TextOf(child, 65536);
    for (size_t at = 0; at < text.size();) {
      const size_t end = std::min(text.find_first_of(L"\r\n", at), text.size());
      if (end > at) Print("richedit", text.substr(at, end - at));
      at = end + 1;
    }
  }
  return TRUE;
}

BOOL CALLBACK VisitBoxText(HWND child, LPARAM) {
  if (ClassOf(child) == L"Static" && !TextOf(child).empty()) Print("boxtext", TextOf(child));
  return TRUE;
}

DWORD g_process = 0;

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != g_process || !IsWindowVisible(window)) return TRUE;
  const std::wstring name = ClassOf(window);
  if (name == L"#32770") {
    Print("box", TextOf(window));
    EnumChildWindows(window, VisitBoxText, 0);
  } else if (name != L"MainWnd") {
    Print("window", name);
  }
  return TRUE;
}

}  // namespace

int main() {
  HWND main = FindWindowW(L"MainWnd", nullptr);
  if (main == nullptr) {
    std::printf("no-window\n");
    return 1;
  }
  GetWindowThreadProcessId(main, &g_process);
  std::printf("enabled %d\n", IsWindowEnabled(main) ? 1 : 0);
  EnumChildWindows(main, VisitChild, 0);
  EnumWindows(VisitTopLevel, 0);
  return 0;
}
