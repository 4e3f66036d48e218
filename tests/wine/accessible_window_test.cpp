// The main window as a screen reader meets it through MSAA: AccessibleObjectFromWindow on the real
// main window gives its controls with their names in English and in Korean, their roles and
// states, and Tab is heard as a focus event naming the control that took the focus.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/popups.h"
#include "app/windows_win.h"
#include "context/system_error.h"
#include "tests/wine/real_skin.h"
#include "ui/win/accessible_win.h"

namespace {

struct FocusEvent {
  HWND window;
  LONG object;
  LONG child;
};
std::vector<FocusEvent> g_focusEvents;

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  g_focusEvents.push_back({window, object, child});
}

void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  MSG msg;
  while (static_cast<LONG>(until - GetTickCount()) > 0) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

std::wstring Take(BSTR text) {
  std::wstring out = text != nullptr ? std::wstring(text, SysStringLen(text)) : L"";
  SysFreeString(text);
  return out;
}

// "name|role|state" of an object's own self, with the states a screen reader speaks of.
std::wstring Line(IAccessible* object) {
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  object->get_accName(self, &name);
  VARIANT role, state;
  VariantInit(&role);
  VariantInit(&state);
  object->get_accRole(self, &role);
  object->get_accState(self, &state);
  std::wstring line = Take(name) + L"|" + std::to_wstring(role.lVal) + L"|";
  const std::pair<LONG, const wchar_t*> states[] = {{STATE_SYSTEM_FOCUSED, L"focused "},
                                                    {STATE_SYSTEM_FOCUSABLE, L"focusable "},
                                                    {STATE_SYSTEM_CHECKED, L"checked "},
                                                    {STATE_SYSTEM_UNAVAILABLE, L"disabled "}};
  for (const auto& [bit, text] : states) {
    if (state.lVal & bit) line += text;
  }
  return line;
}

class AccessibleWindow : public RealSkinSuite {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    hwnd_ = window_.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 560, 400);
    ASSERT_NE(hwnd_, nullptr);
    UpdateWindow(hwnd_);
    Pump(100);
  }
  void TearDown() override {
    SwitchLanguage(CAppContext::Instance(), ui::Resources::Instance(), 1033, nullptr);
    SetErrorTextLanguage(1033);
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    Pump(50);
    CoUninitialize();
  }
  // The client object's children, as AccessibleChildren gives them.
  std::vector<std::wstring> Children() {
    IAccessible* client = nullptr;
    EXPECT_EQ(AccessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_CLIENT), ui::kIidAccessible,
                                         reinterpret_cast<void**>(&client)),
              S_OK);
    std::vector<std::wstring> lines;
    if (client == nullptr) return lines;
    long count = 0;
    EXPECT_EQ(client->get_accChildCount(&count), S_OK);
    std::vector<VARIANT> children(static_cast<size_t>(count));
    LONG got = 0;
    EXPECT_EQ(AccessibleChildren(client, 0, count, children.data(), &got), S_OK);
    for (LONG i = 0; i < got; ++i) {
      VARIANT& child = children[static_cast<size_t>(i)];
      IAccessible* object = nullptr;
      if (child.vt == VT_DISPATCH && child.pdispVal != nullptr &&
          SUCCEEDED(child.pdispVal->QueryInterface(ui::kIidAccessible, reinterpret_cast<void**>(&object)))) {
        lines.push_back(Line(object));
        object->Release();
      } else {
        lines.push_back(L"(not an object)");
      }
      VariantClear(&child);
    }
    client->Release();
    return lines;
  }

  CMainWnd window_;
  HWND hwnd_ = nullptr;
};

TEST_F(AccessibleWindow, ChildrenAreNamedInTheLanguageShown) {
  const std::wstring radio = L"|45|focusable ", button = L"|43|focusable ";  // ROLE_SYSTEM_RADIOBUTTON, _PUSHBUTTON
  const std::vector<std::wstring> english{L"Label Printer Driver Wizard  V1.0.01|41|",  // ROLE_SYSTEM_STATICTEXT
                                          L"Install printer driver" + radio + L"checked ",
                                          L"Remove printer driver" + radio,
                                          L"Next" + button,
                                          L"Cancel" + button,
                                          L"Language" + button,
                                          L"About" + button,
                                          L"Minimize" + button,
                                          L"Close" + button};
  EXPECT_EQ(Children(), english);

  ASSERT_TRUE(SwitchLanguage(CAppContext::Instance(), ui::Resources::Instance(), 1042, nullptr));
  const std::vector<std::wstring> korean{L"라벨 프린터 드라이버 마법사  V1.0.01|41|",
                                         L"프린터 드라이버 설치" + radio + L"checked ",
                                         L"프린터 드라이버 제거" + radio,
                                         L"다음" + button,
                                         L"취소" + button,
                                         L"언어" + button,
                                         L"정보" + button,
                                         L"최소화" + button,
                                         L"닫기" + button};
  EXPECT_EQ(Children(), korean);
}

TEST_F(AccessibleWindow, TabIsHeardAsTheFocusOfTheControlThatTookIt) {
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hook, nullptr);
  g_focusEvents.clear();
  SendMessageW(hwnd_, WM_KEYDOWN, VK_TAB, 0);
  Pump(200);
  UnhookWinEvent(hook);

  const FocusEvent* event = nullptr;
  for (const FocusEvent& seen : g_focusEvents) {
    if (seen.window == hwnd_ && seen.child != CHILDID_SELF) event = &seen;
  }
  ASSERT_NE(event, nullptr) << g_focusEvents.size() << " focus events, none for a control";
  EXPECT_EQ(event->object, OBJID_CLIENT);
  IAccessible* object = nullptr;
  VARIANT child;
  VariantInit(&child);
  ASSERT_EQ(AccessibleObjectFromEvent(event->window, event->object, event->child, &object, &child), S_OK);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(Line(object), L"Install printer driver|45|focused focusable checked ");
  object->Release();
}

}  // namespace
