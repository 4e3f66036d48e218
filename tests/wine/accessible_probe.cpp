// What a screen reader in another process is told by the running wizard, printed one line each for
// the walk scripts: through AccessibleObjectFromWindow on the real exe's main window, every child
// of its client object as "child NAME|ROLE|STATES", the focused one as "focus ...", and the object
// that the window with the keyboard focus gives itself (a native edit's) as "native ...".
//   accessible_probe     (finds the window of class "MainWnd")
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// IID_IAccessible, spelled out: mingw's import library gives a thunk for that name.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

void Print(const char* kind, const std::wstring& text) {
  char utf8[4096] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
  std::printf("%s %s\n", kind, utf8);
}

std::wstring Describe(IAccessible* object) {
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  object->get_accName(self, &name);
  std::wstring line = name != nullptr ? std::wstring(name, SysStringLen(name)) : L"";
  SysFreeString(name);
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  object->get_accRole(self, &role);
  object->get_accState(self, &state);
  wchar_t roleText[64] = {};
  GetRoleTextW(static_cast<DWORD>(role.lVal), roleText, 64);
  line += L"|" + std::wstring(roleText) + L"|";
  const std::pair<LONG, const wchar_t*> states[] = {{STATE_SYSTEM_FOCUSED, L"focused "},
                                                    {STATE_SYSTEM_CHECKED, L"checked "},
                                                    {STATE_SYSTEM_SELECTED, L"selected "},
                                                    {STATE_SYSTEM_UNAVAILABLE, L"unavailable "}};
  for (const auto& [bit, text] : states) {
    if (state.lVal & bit) line += text;
  }
  return line;
}

}  // namespace

int main() {
  HWND main = FindWindowW(L"MainWnd", nullptr);
  if (main == nullptr) {
    std::printf("no-window\n");
    return 1;
  }
  CoInitialize(nullptr);
  IAccessible* client = nullptr;
  const HRESULT hr = AccessibleObjectFromWindow(main, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                reinterpret_cast<void**>(&client));
  if (FAILED(hr) || client == nullptr) {
    std::printf("no-object 0x%08lx\n", static_cast<unsigned long>(hr));
    return 1;
  }
  long count = 0;
  client->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(count));
  LONG got = 0;
  AccessibleChildren(client, 0, count, children.data(), &got);
  for (LONG i = 0; i < got; ++i) {
    VARIANT& child = children[static_cast<size_t>(i)];
    IAccessible* object = nullptr;
    if (child.vt == VT_DISPATCH && child.pdispVal != nullptr &&
        SUCCEEDED(child.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&object)))) {
      Print("child", Describe(object));
      object->Release();
    }
    VariantClear(&child);
  }
  VARIANT focus;
  VariantInit(&focus);
  if (client->get_accFocus(&focus) == S_OK && focus.vt == VT_DISPATCH && focus.pdispVal != nullptr) {
    IAccessible* object = nullptr;
    if (SUCCEEDED(focus.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&object)))) {
      Print("focus", Describe(object));
      object->Release();
    }
  }
  VariantClear(&focus);
  client->Release();
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  IAccessible* native = nullptr;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui) && gui.hwndFocus != nullptr &&
      gui.hwndFocus != main &&
      SUCCEEDED(AccessibleObjectFromWindow(gui.hwndFocus, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                           reinterpret_cast<void**>(&native)))) {
    Print("native", Describe(native));
    native->Release();
  }
  CoUninitialize();
  return 0;
}
