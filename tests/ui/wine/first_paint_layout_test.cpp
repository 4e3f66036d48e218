// On the real main window: a button sized to its text is as wide when mouse input lays the tree
// out before the first paint as when a paint lays it out.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/windows_win.h"
#include "tests/wine/real_skin.h"
#include "ui/win/gdiplus_graphics_win.h"

namespace {

using FirstPaintLayout = RealSkinSuite;

TEST_F(FirstPaintLayout, MouseInputBeforeThePaintSizesTextAsPaintingDoes) {
  ui::GdiplusSession session;
  CMainWnd window;
  // Not yet visible, so nothing paints before the mouse arrives.
  HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW, 0, 0, 0, 560, 400);
  ASSERT_NE(hwnd, nullptr);
  ui::Control* next = window.Model().FindControl(L"btn_setup_next");
  ASSERT_NE(next, nullptr);
  // Long enough to pass the button's minimum width in any measure; glyphs twice as wide as the
  // framework's fallback guess.
  next->SetText(L"\u5f00\u59cb\u5220\u9664\u6240\u6709\u9009\u4e2d\u7684\u6253\u5370\u673a\u548c\u9a71\u52a8");
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 40));
  const int beforePaint = next->GetRect().Width();

  ShowWindow(hwnd, SW_SHOW);
  window.Model().MarkForLayout();
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_FALSE(window.Model().NeedsLayout());  // the paint laid it out
  EXPECT_EQ(next->GetRect().Width(), beforePaint);
  EXPECT_GT(beforePaint, 16 * 7 + 12);  // measured glyphs, not the half-height guess

  DestroyWindow(hwnd);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
