// What controls need from a drawing surface. The Win32 host implements it over GDI+ on a back
// buffer; tests record the calls. Coordinates are window client pixels; colours are 0xAARRGGBB.
#pragma once

#include <string>
#include <string_view>

#include "ui/attribute_values.h"
#include "ui/font_table.h"
#include "ui/geometry.h"

namespace ui {

// Text placement flags; horizontal and vertical parts combine.
enum TextFormat : unsigned {
  kTextLeft = 0,
  kTextCenter = 1u << 0,
  kTextRight = 1u << 1,
  kTextTop = 0,
  kTextVCenter = 1u << 2,
  kTextBottom = 1u << 3,
  kTextSingleLine = 1u << 4,
  kTextEndEllipsis = 1u << 5,
  kTextWordBreak = 1u << 6,
};

struct TextStyle {
  FontSpec font;  // size already multiplied by the display scale
  Color color = 0xFF000000;
  unsigned format = kTextLeft | kTextVCenter | kTextSingleLine;
};

// One image draw with the layout's description resolved: path after the resource map and the scale
// rule, source and corner in image pixels, dest absolute.
struct ImageDraw {
  std::string path;
  Rect source;  // empty: the whole image
  Edges corner;
  Rect dest;
  int fade = 255;
  bool xtiled = false;
  bool ytiled = false;
  int frame = -1;  // frame of an animated image to select; -1 leaves the image's frame as it is
};

class Graphics {
 public:
  virtual ~Graphics() = default;
  virtual void FillRect(const Rect& rect, Color color) = 0;
  // radius is the corner ellipse's width and height, as borderround gives it.
  virtual void FillRoundRect(const Rect& rect, Size radius, Color color) = 0;
  // A frame of that width drawn inside rect; a zero radius gives square corners.
  virtual void DrawBorder(const Rect& rect, int width, Color color, Size radius) = 0;
  // Nine-slice draw of image.source into image.dest keeping image.corner unstretched. False when
  // the image cannot be found or decoded; nothing is drawn then.
  virtual bool DrawImage(const ImageDraw& image) = 0;
  virtual void DrawText(std::wstring_view text, const Rect& rect, const TextStyle& style) = 0;
  // Ellipse segments for the custom chart and progress controls: angles in degrees, clockwise from
  // the positive x axis, as GDI+ counts them. A sweep of 360 fills the whole ellipse.
  virtual void FillPie(const Rect& rect, float startDegrees, float sweepDegrees, Color color) {
    (void)rect, (void)startDegrees, (void)sweepDegrees, (void)color;
  }
  // Clips nest: each push intersects with the current clip, each pop restores the previous one.
  virtual void PushClip(const Rect& rect) = 0;
  virtual void PopClip() = 0;
};

// Measuring text for controls that size themselves to it (autocalcwidth).
class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual Size MeasureText(std::wstring_view text, const FontSpec& font) const = 0;
};

}  // namespace ui
