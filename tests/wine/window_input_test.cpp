// Mouse feedback on a real window: the tooltip text follows the control under the mouse, and a
// window disabled for a modal popup keeps no tooltip and no hot control.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/windows_win.h"
#include "tests/wine/real_skin.h"

namespace {

using WindowInput = RealSkinSuite;

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM param) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(param) = hwnd;
  return TRUE;
}

std::wstring ToolText(HWND tooltip, HWND owner) {
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = owner;
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  return text;
}

TEST_F(WindowInput, DisablingForAModalPopupDropsTheTooltipAndTheHotControl) {
  CMainWnd window;
  HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 560, 400);
  ASSERT_NE(hwnd, nullptr);
  FinishFirstFrame();
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);

  UpdateWindow(hwnd);
  ui::Control* about = window.Model().FindControl(L"btnAbout");
  ASSERT_NE(about, nullptr);
  const ui::Rect r = about->GetRect();
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(ToolText(tooltip, hwnd), L"About");
  EXPECT_EQ(window.Model().HotControl(), about);

  EnableWindow(hwnd, FALSE);
  EXPECT_EQ(ToolText(tooltip, hwnd), L"");
  EXPECT_EQ(window.Model().HotControl(), nullptr);

  // Back from the popup, the next move brings the tip back.
  EnableWindow(hwnd, TRUE);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(ToolText(tooltip, hwnd), L"About");
  DestroyWindow(hwnd);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
