#include "ui/win/gdiplus_graphics_win.h"

#include <memory>
#include <string>
#include <vector>

#include "ui/startup_trace.h"

namespace ui {
namespace {

Gdiplus::Color ToColor(Color c) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(c)); }
Gdiplus::Rect ToRect(const Rect& r) { return Gdiplus::Rect(r.left, r.top, r.Width(), r.Height()); }

void AddRoundRect(Gdiplus::GraphicsPath& path, const Gdiplus::RectF& r, Size radius) {
  const float w = std::min<float>(static_cast<float>(radius.cx), r.Width);
  const float h = std::min<float>(static_cast<float>(radius.cy), r.Height);
  path.AddArc(r.X, r.Y, w, h, 180, 90);
  path.AddArc(r.X + r.Width - w, r.Y, w, h, 270, 90);
  path.AddArc(r.X + r.Width - w, r.Y + r.Height - h, w, h, 0, 90);
  path.AddArc(r.X, r.Y + r.Height - h, w, h, 90, 90);
  path.CloseFigure();
}

// The face of the system's message font: what a system without the layout's face draws dialogs in.
const std::wstring& MessageFontFace() {
  static const std::wstring face = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)
               ? std::wstring(metrics.lfMessageFont.lfFaceName)
               : std::wstring();
  }();
  return face;
}

// The layout's face, else the message font's, else GDI+'s generic sans serif, else any installed
// face: a trimmed font set must not leave every label blank.
std::unique_ptr<Gdiplus::Font> MakeFont(const FontSpec& spec) {
  int style = Gdiplus::FontStyleRegular;
  if (spec.bold) style |= Gdiplus::FontStyleBold;
  if (spec.italic) style |= Gdiplus::FontStyleItalic;
  if (spec.underline) style |= Gdiplus::FontStyleUnderline;
  const auto size = static_cast<Gdiplus::REAL>(spec.size);
  for (const std::wstring* face : {&spec.face, &MessageFontFace()}) {
    if (face->empty()) continue;
    Gdiplus::FontFamily family(face->c_str());
    if (family.GetLastStatus() != Gdiplus::Ok) continue;
    auto font = std::make_unique<Gdiplus::Font>(&family, size, style, Gdiplus::UnitPixel);
    if (font->GetLastStatus() == Gdiplus::Ok) return font;
  }
  auto generic = std::make_unique<Gdiplus::Font>(Gdiplus::FontFamily::GenericSansSerif(), size, style, Gdiplus::UnitPixel);
  if (generic->GetLastStatus() == Gdiplus::Ok) return generic;
  // A system with none of those still has some face: take the first installed one that serves.
  Gdiplus::InstalledFontCollection installed;
  const INT count = installed.GetFamilyCount();
  std::vector<Gdiplus::FontFamily> families(count > 0 ? count : 0);
  INT found = 0;
  if (count > 0) installed.GetFamilies(count, families.data(), &found);
  for (INT i = 0; i < found; ++i) {
    auto font = std::make_unique<Gdiplus::Font>(&families[i], size, style, Gdiplus::UnitPixel);
    if (font->GetLastStatus() == Gdiplus::Ok) return font;
  }
  return generic;
}

void SetFormat(Gdiplus::StringFormat& format, unsigned flags) {
  format.SetAlignment((flags & kTextCenter) ? Gdiplus::StringAlignmentCenter
                      : (flags & kTextRight) ? Gdiplus::StringAlignmentFar
                                              : Gdiplus::StringAlignmentNear);
  format.SetLineAlignment((flags & kTextVCenter) ? Gdiplus::StringAlignmentCenter
                          : (flags & kTextBottom) ? Gdiplus::StringAlignmentFar
                                                   : Gdiplus::StringAlignmentNear);
  INT formatFlags = 0;
  if (flags & kTextSingleLine) formatFlags |= Gdiplus::StringFormatFlagsNoWrap;
  format.SetFormatFlags(formatFlags);
  format.SetTrimming((flags & kTextEndEllipsis) ? Gdiplus::StringTrimmingEllipsisCharacter : Gdiplus::StringTrimmingNone);
}

// Drawing and measuring surfaces are set up alike, so measured text fits what is drawn.
void PrepareSurface(Gdiplus::Graphics& g) {
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
}

Size Measure(Gdiplus::Graphics& g, std::wstring_view text, const Gdiplus::Font& font) {
  if (text.empty()) return {};
  Gdiplus::RectF bounds;
  g.MeasureString(text.data(), static_cast<INT>(text.size()), &font, Gdiplus::PointF(0, 0), &bounds);
  return {static_cast<int>(bounds.Width + 0.5f), static_cast<int>(bounds.Height + 0.5f)};
}

}  // namespace

GdiplusGraphics::GdiplusGraphics(Gdiplus::Graphics& target, ImageCache& images, const PixelSurface* pixels)
    : g_(target), images_(images), pixels_(pixels) {
  PrepareSurface(g_);
  if (pixels_ != nullptr) {
    Gdiplus::Rect bounds;
    g_.GetClipBounds(&bounds);
    clip_ = Rect{bounds.X, bounds.Y, bounds.X + bounds.Width, bounds.Y + bounds.Height}.Intersect(
        {0, 0, pixels_->size.cx, pixels_->size.cy});
  }
}

void GdiplusGraphics::Clear(Color color) {
  if (pixels_ != nullptr && IsOpaque(color)) return FillOpaque(*pixels_, clip_, color);
  g_.Clear(ToColor(color));
}

void GdiplusGraphics::FillRect(const Rect& rect, Color color) {
  if (pixels_ != nullptr && IsOpaque(color)) return FillOpaque(*pixels_, rect.Intersect(clip_), color);
  Gdiplus::SolidBrush brush(ToColor(color));
  g_.FillRectangle(&brush, ToRect(rect));
}

void GdiplusGraphics::FillRoundRect(const Rect& rect, Size radius, Color color) {
  if (radius.cx <= 0 || radius.cy <= 0) return FillRect(rect, color);
  Gdiplus::GraphicsPath path;
  AddRoundRect(path, Gdiplus::RectF(rect.left, rect.top, rect.Width(), rect.Height()), radius);
  Gdiplus::SolidBrush brush(ToColor(color));
  g_.FillPath(&brush, &path);
}

void GdiplusGraphics::DrawBorder(const Rect& rect, int width, Color color, Size radius) {
  if (width <= 0 || rect.IsEmpty()) return;
  if (radius.cx > 0 && radius.cy > 0) {
    // A rounded frame is filled as the ring between the outline FillRoundRect draws and the same
    // outline shrunk by the width, so the background fill can never show outside the frame
    // (a stroked pen is rasterised differently from a filled path).
    const Gdiplus::RectF outer(rect.left, rect.top, rect.Width(), rect.Height());
    const Gdiplus::RectF inner(rect.left + width, rect.top + width, rect.Width() - 2 * width,
                               rect.Height() - 2 * width);
    Gdiplus::GraphicsPath ring(Gdiplus::FillModeAlternate);
    AddRoundRect(ring, outer, radius);
    const Size innerRadius{radius.cx - 2 * width, radius.cy - 2 * width};
    if (inner.Width > 0 && inner.Height > 0) {
      if (innerRadius.cx > 0 && innerRadius.cy > 0) {
        AddRoundRect(ring, inner, innerRadius);
      } else {
        ring.AddRectangle(inner);
      }
    }
    Gdiplus::SolidBrush brush(ToColor(color));
    g_.FillPath(&brush, &ring);
    return;
  }
  Gdiplus::Pen pen(ToColor(color), static_cast<Gdiplus::REAL>(width));
  // The pen is centred on the path and GDI+ centres pixels on whole coordinates: inset by
  // (width - 1) / 2 so a frame of any width covers exactly the outermost pixels of rect.
  const float half = (width - 1) / 2.0f;
  g_.DrawRectangle(
      &pen, Gdiplus::RectF(rect.left + half, rect.top + half, rect.Width() - width, rect.Height() - width));
}

void GdiplusGraphics::FillPie(const Rect& rect, float startDegrees, float sweepDegrees, Color color) {
  if (rect.IsEmpty() || sweepDegrees == 0) return;
  Gdiplus::SolidBrush brush(ToColor(color));
  g_.FillPie(&brush, ToRect(rect), startDegrees, sweepDegrees);
}

bool GdiplusGraphics::DrawImage(const ImageDraw& image) {
  Gdiplus::Bitmap* bitmap = images_.Get(image.path);
  if (bitmap == nullptr || image.dest.IsEmpty()) return false;
  if (image.frame >= 0) bitmap->SelectActiveFrame(&Gdiplus::FrameDimensionTime, image.frame);
  Rect source = image.source;
  if (source.IsEmpty()) source = {0, 0, static_cast<int>(bitmap->GetWidth()), static_cast<int>(bitmap->GetHeight())};

  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);  // no smeared edge pixels when stretching
  if (image.fade < 255) {
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, image.fade / 255.0f, 0},
                                    {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
  }
  const Gdiplus::InterpolationMode previous = g_.GetInterpolationMode();
  // Stretched slices of a nine-slice image must not blend with their neighbours in the source.
  const bool sliced = !image.corner.IsZero();
  g_.SetInterpolationMode(sliced ? Gdiplus::InterpolationModeNearestNeighbor : Gdiplus::InterpolationModeHighQualityBicubic);
  g_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);

  // Nine slices: the corners keep their size, edges stretch one way, the middle both ways.
  const Edges& c = image.corner;
  const Rect& d = image.dest;
  const int sx[4] = {source.left, source.left + c.left, source.right - c.right, source.right};
  const int sy[4] = {source.top, source.top + c.top, source.bottom - c.bottom, source.bottom};
  const int dx[4] = {d.left, d.left + c.left, d.right - c.right, d.right};
  const int dy[4] = {d.top, d.top + c.top, d.bottom - c.bottom, d.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const int sw = sx[col + 1] - sx[col], sh = sy[row + 1] - sy[row];
      const int dw = dx[col + 1] - dx[col], dh = dy[row + 1] - dy[row];
      if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) continue;
      g_.DrawImage(bitmap, Gdiplus::Rect(dx[col], dy[row], dw, dh), sx[col], sy[row], sw, sh, Gdiplus::UnitPixel,
                   &attributes);
    }
  }
  g_.SetInterpolationMode(previous);
  g_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeDefault);
  return true;
}

void GdiplusGraphics::DrawText(std::wstring_view text, const Rect& rect, const TextStyle& style) {
  if (text.empty() || rect.IsEmpty()) return;
  const auto font = MakeFont(style.font);
  Gdiplus::StringFormat format;
  SetFormat(format, style.format);
  Gdiplus::SolidBrush brush(ToColor(style.color));
  const Gdiplus::RectF layout(rect.left, rect.top, rect.Width(), rect.Height());
  g_.DrawString(text.data(), static_cast<INT>(text.size()), font.get(), layout, &format, &brush);
  MarkStartup("text");
}

Size GdiplusGraphics::MeasureText(std::wstring_view text, const FontSpec& font) const {
  if (text.empty()) return {};
  return Measure(g_, text, *MakeFont(font));
}

GdiplusTextMeasurer::GdiplusTextMeasurer() : bitmap_(1, 1, PixelFormat32bppPARGB), graphics_(&bitmap_) {
  ok_ = bitmap_.GetLastStatus() == Gdiplus::Ok && graphics_.GetLastStatus() == Gdiplus::Ok;
  PrepareSurface(graphics_);
}

Size GdiplusTextMeasurer::MeasureText(std::wstring_view text, const FontSpec& font) const {
  if (text.empty()) return {};
  // Every layout pass measures every text-sized control; looking a face up is the slow part.
  auto& cached = fonts_[{font.face, font.size, font.bold, font.underline, font.italic}];
  if (!cached) cached = MakeFont(font);
  return Measure(graphics_, text, *cached);
}

void GdiplusGraphics::PushClip(const Rect& rect) {
  auto saved = std::make_unique<Gdiplus::Region>();
  g_.GetClip(saved.get());
  clips_.push_back(std::move(saved));
  g_.SetClip(ToRect(rect), Gdiplus::CombineModeIntersect);
  clipRects_.push_back(clip_);
  clip_ = clip_.Intersect(rect);
}

void GdiplusGraphics::PopClip() {
  if (clips_.empty()) return;
  g_.SetClip(clips_.back().get());
  clips_.pop_back();
  clip_ = clipRects_.back();
  clipRects_.pop_back();
}

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession() {
  if (ok_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace ui
