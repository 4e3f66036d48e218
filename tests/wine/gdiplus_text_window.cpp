// The second anchor of the start-up measurement: the least program that starts GDI+ and draws one
// line of text in the layout's face, on a window painted like the bare one. What it costs beyond
// the bare window is the platform's, not the wizard's.
#include <windows.h>
// gdiplus.h needs objidl.h, which the lean windows.h leaves out.
#include <objidl.h>
#include <gdiplus.h>

namespace {

LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    {
      Gdiplus::Graphics graphics(dc);
      Gdiplus::SolidBrush blue(Gdiplus::Color(255, 0x2a, 0x84, 0xd0));
      graphics.FillRectangle(&blue, 0, 0, 700, 500);
      Gdiplus::Font font(L"\u5b8b\u4f53", 13, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
      Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
      graphics.DrawString(L"Label Printer Driver Wizard", -1, &font, Gdiplus::PointF(40, 40), &white);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"GdiplusTextWindow";
  RegisterClassW(&wc);
  CreateWindowExW(0, L"GdiplusTextWindow", L"text", WS_POPUP | WS_VISIBLE, 100, 100, 700, 500, nullptr, nullptr,
                  instance, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
