// Animations on a real window: the frame timer moves a sliding tab page and a fading caption
// button to their end states, and nothing runs once they are there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/windows_win.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"
#include "ui/label.h"

namespace {

// Runs the window's messages for about that long (a frame under Wine takes tens of milliseconds,
// so the deadline is checked between messages).
void PumpFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (static_cast<int>(end - GetTickCount()) > 0) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
    } else {
      Sleep(5);
    }
  }
}

using WindowAnimation = RealSkinSuite;

TEST_F(WindowAnimation, TabPageSlidesInAndButtonFadesOnTheFrameTimer) {
  CMainWnd window;
  HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW, 0, 0, 0, 560, 400);
  ASSERT_NE(hwnd, nullptr);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  PumpFor(100);
  ui::WindowModel& model = window.Model();
  auto* tabs = model.Find<ui::TabLayout>(L"tab_switch");
  ASSERT_NE(tabs, nullptr);
  ASSERT_TRUE(tabs->IsAnimated());
  const ui::Rect home = model.FindControl(L"tab_panel_index")->GetRect();

  ASSERT_TRUE(tabs->SelectItem(1));
  EXPECT_TRUE(model.IsAnimating());
  // Watch the page between frames until the slide ends: it is seen on its way in from the right.
  int farthest = home.left;
  for (int i = 0; i < 200 && model.IsAnimating(); ++i) {
    PumpFor(10);
    farthest = std::max(farthest, model.FindControl(L"tab_panel_install")->GetRect().left);
  }
  EXPECT_GT(farthest, home.left + 50);
  PumpFor(50);  // the paint after the last step lays the page out in place
  EXPECT_FALSE(model.IsAnimating());
  EXPECT_FALSE(tabs->IsSliding());
  EXPECT_EQ(model.FindControl(L"tab_panel_install")->GetRect().left, home.left);

  auto* about = model.Find<ui::FadeButton>(L"btnAbout");
  ASSERT_NE(about, nullptr);
  const ui::Rect r = about->GetRect();
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(about->HotOpacity(), 0);
  PumpFor(ui::FadeButton::kFadeMs + 200);
  EXPECT_EQ(about->HotOpacity(), 255);
  EXPECT_FALSE(model.IsAnimating());

  DestroyWindow(hwnd);
  PumpFor(10);
}

}  // namespace
