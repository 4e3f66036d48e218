#include "ui/win/shadow_window_win.h"

#include <objidl.h>  // GDI+ needs it first

#include <gdiplus.h>

#include <cstring>

#include "ui/win/gdiplus_graphics_win.h"

namespace ui {
namespace {

constexpr wchar_t kShadowClass[] = L"LdwWindowShadow";

LRESULT CALLBACK ShadowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The shadow never takes the mouse or the focus from the window it surrounds.
  if (message == WM_NCHITTEST) return HTTRANSPARENT;
  if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool RegisterShadowClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ShadowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kShadowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool ShadowWindow::Create(HWND window, const WindowModel& model, ImageCache& images) {
  ImageDraw probe;
  if (window == nullptr || !model.ShadowImage({1, 1}, probe) || !RegisterShadowClass()) return false;
  window_ = window;
  model_ = &model;
  images_ = &images;
  // Owned by the window's own owner, not by the window: an owned popup would always stay above
  // its owner, and the shadow must sit below. A topmost window needs a topmost shadow.
  const DWORD topmost = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)) & WS_EX_TOPMOST;
  hwnd_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | topmost,
                          kShadowClass, L"", WS_POPUP, 0, 0, 0, 0, GetWindow(window, GW_OWNER), nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  return hwnd_ != nullptr;
}

void ShadowWindow::Destroy() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void ShadowWindow::Follow() {
  if (hwnd_ == nullptr) return;
  if (!IsWindowVisible(window_) || IsIconic(window_) || IsZoomed(window_)) {
    ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  RECT r{};
  GetWindowRect(window_, &r);
  const int margin = model_->ShadowMargin();
  const Rect bounds{r.left - margin, r.top - margin, r.right + margin, r.bottom + margin};
  const Size size{bounds.Width(), bounds.Height()};
  if (size.cx != drawnSize_.cx || size.cy != drawnSize_.cy) {
    if (!Draw(bounds)) {
      ShowWindow(hwnd_, SW_HIDE);
      return;
    }
    drawnSize_ = size;
  }
  if (!IsWindowVisible(hwnd_)) {
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  // Ordered after showing: showing an unowned popup can raise it.
  SetWindowPos(hwnd_, window_, bounds.left, bounds.top, size.cx, size.cy, SWP_NOACTIVATE);
}

void ShadowWindow::KeepBehind() {
  if (hwnd_ == nullptr || !IsWindowVisible(hwnd_) || GetWindow(window_, GW_HWNDNEXT) == hwnd_) return;
  SetWindowPos(hwnd_, window_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool ShadowWindow::Draw(const Rect& bounds) {
  const int width = bounds.Width(), height = bounds.Height();
  ImageDraw draw;
  if (width <= 0 || height <= 0 ||
      !model_->ShadowImage({width - 2 * model_->ShadowMargin(), height - 2 * model_->ShadowMargin()}, draw)) {
    return false;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as GDI+ writes its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool drawn = false;
  if (dib != nullptr && bits != nullptr) {
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    {
      // Premultiplied alpha is what UpdateLayeredWindow blends with.
      Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
      Gdiplus::Graphics g(&canvas);
      GdiplusGraphics surface(g, *images_);
      drawn = surface.DrawImage(draw);
    }
    if (drawn) {
      HDC memory = CreateCompatibleDC(screen);
      HGDIOBJ previous = SelectObject(memory, dib);
      POINT origin{bounds.left, bounds.top}, source{0, 0};
      SIZE size{width, height};
      BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      drawn =
          UpdateLayeredWindow(hwnd_, screen, &origin, &size, memory, &source, 0, &blend, ULW_ALPHA) != FALSE;
      SelectObject(memory, previous);
      DeleteDC(memory);
    }
  }
  if (dib != nullptr) DeleteObject(dib);
  ReleaseDC(nullptr, screen);
  return drawn;
}

}  // namespace ui
