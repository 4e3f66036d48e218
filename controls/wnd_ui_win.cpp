#include "controls/wnd_ui_win.h"

CWndUI::Placer HostedWindowPlacer(HWND host) {
  return [host](void* hosted, const ui::Rect& rect, bool visible) {
    HWND window = static_cast<HWND>(hosted);
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    if (GetParent(window) != host) {
      RECT hostRect{};
      GetWindowRect(host, &hostRect);
      OffsetRect(&r, hostRect.left, hostRect.top);
    }
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
  };
}
