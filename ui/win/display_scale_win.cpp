#include "ui/win/display_scale_win.h"

namespace ui {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn FindGetDpiForWindow() {
  // user32 is always loaded; older systems simply lack the export.
  static const auto function = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

}  // namespace

UINT WindowDpi(HWND hwnd) {
  if (const GetDpiForWindowFn getDpiForWindow = FindGetDpiForWindow()) {
    const UINT dpi = hwnd != nullptr ? getDpiForWindow(hwnd) : 0;
    if (dpi != 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace ui
