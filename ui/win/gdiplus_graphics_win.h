// The drawing surface of the control tree over GDI+, on a window's back buffer.
#pragma once

#include <windows.h>
#include <objidl.h>  // GDI+ needs it and WIN32_LEAN_AND_MEAN leaves it out
#include <gdiplus.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ui/graphics.h"
#include "ui/pixel_surface.h"
#include "ui/win/image_cache_win.h"

namespace ui {

class GdiplusGraphics final : public Graphics, public TextMetrics {
 public:
  // With pixels, the target's own memory (untransformed, clipped to rectangles only): opaque fills
  // go straight to it.
  GdiplusGraphics(Gdiplus::Graphics& target, ImageCache& images, const PixelSurface* pixels = nullptr);

  // Sets every pixel inside the clip to color, blending nothing.
  void Clear(Color color);
  void FillRect(const Rect& rect, Color color) override;
  void FillRoundRect(const Rect& rect, Size radius, Color color) override;
  void DrawBorder(const Rect& rect, int width, Color color, Size radius) override;
  bool DrawImage(const ImageDraw& image) override;
  void DrawText(std::wstring_view text, const Rect& rect, const TextStyle& style) override;
  void FillPie(const Rect& rect, float startDegrees, float sweepDegrees, Color color) override;
  void PushClip(const Rect& rect) override;
  void PopClip() override;
  Size MeasureText(std::wstring_view text, const FontSpec& font) const override;

 private:
  Gdiplus::Graphics& g_;
  ImageCache& images_;
  std::vector<std::unique_ptr<Gdiplus::Region>> clips_;
  const PixelSurface* pixels_;
  Rect clip_;                      // the clip as a rectangle, for the direct fills
  std::vector<Rect> clipRects_;  // the rectangles PopClip goes back to
};

// Measures text exactly as GdiplusGraphics does, with no paint in progress: a window's layout uses
// it from creation on, so text laid out for mouse input before the first paint gets the same
// widths as text laid out while painting.
class GdiplusTextMeasurer final : public TextMetrics {
 public:
  GdiplusTextMeasurer();
  // False when GDI+ could not give a surface (not started); the window then keeps its fallback.
  bool ok() const { return ok_; }
  Size MeasureText(std::wstring_view text, const FontSpec& font) const override;

 private:
  Gdiplus::Bitmap bitmap_;  // one pixel in the back buffer's format
  mutable Gdiplus::Graphics graphics_;
  bool ok_ = false;
  mutable std::map<std::tuple<std::wstring, int, bool, bool, bool>, std::unique_ptr<Gdiplus::Font>> fonts_;
};

// GDI+ must be started once per process before any drawing and shut down after the last.
class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

}  // namespace ui
