// A window's back buffer: a DIB section that GDI+ draws on, whose pixels the painter may also fill
// directly, copied to the window with BitBlt (GDI+'s own copy to a window is several times slower).
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "ui/geometry.h"
#include "ui/pixel_surface.h"

namespace ui {

class BackBuffer {
 public:
  BackBuffer() = default;
  ~BackBuffer() { Release(); }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // Keeps or makes a buffer of this size; false when the system gives none.
  bool Fit(Size size);
  void Release();
  Gdiplus::Bitmap* Bitmap() const { return bitmap_.get(); }
  const PixelSurface& Pixels() const { return pixels_; }
  void CopyTo(HDC target, const Rect& rect) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP dib_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  PixelSurface pixels_;
};

}  // namespace ui
