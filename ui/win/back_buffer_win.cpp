#include "ui/win/back_buffer_win.h"

namespace ui {

bool BackBuffer::Fit(Size size) {
  if (bitmap_ && pixels_.size.cx == size.cx && pixels_.size.cy == size.cy) return true;
  Release();
  if (size.cx <= 0 || size.cy <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;  // top-down, as GDI+ lays its rows out
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(nullptr);
  if (dib_ == nullptr || dc_ == nullptr) {
    Release();
    return false;
  }
  previous_ = SelectObject(dc_, dib_);
  bitmap_ = std::make_unique<Gdiplus::Bitmap>(size.cx, size.cy, size.cx * 4, PixelFormat32bppPARGB,
                                              static_cast<BYTE*>(bits));
  if (bitmap_->GetLastStatus() != Gdiplus::Ok) {
    Release();
    return false;
  }
  pixels_ = {static_cast<uint32_t*>(bits), size.cx, size};
  return true;
}

void BackBuffer::Release() {
  bitmap_.reset();  // it draws on the section's pixels: gone before them
  if (dc_ != nullptr) {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (dib_ != nullptr) DeleteObject(dib_);
  dc_ = nullptr;
  dib_ = nullptr;
  previous_ = nullptr;
  pixels_ = {};
}

void BackBuffer::CopyTo(HDC target, const Rect& rect) const {
  if (dc_ != nullptr) BitBlt(target, rect.left, rect.top, rect.Width(), rect.Height(), dc_, rect.left, rect.top, SRCCOPY);
}

}  // namespace ui
