// One label in TSPL, the text command language of most thermal label printers: settings, the page's
// 1-bit raster and the commands that print it. Portable: the rendering plug-in is a shell over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace label {

enum class Media { kGap, kBlackMark, kContinuous };

struct LabelSettings {
  int widthTenthMm = 500;
  int heightTenthMm = 300;
  int dpi = 203;
  Media media = Media::kGap;
  int markTenthMm = 20;  // the gap or black mark between labels
  int direction = 0;     // 0 or 1 (turned 180 degrees)
  int density = 8;       // 0 to 15
  int speed = 4;         // inches a second
  int copies = 1;
};

// Label sizes the plug-in accepts; a size outside is clamped so that a bad value cannot ask for a
// huge page buffer.
constexpr int kMinLabelTenthMm = 50;
constexpr int kMaxLabelWidthTenthMm = 1080;
constexpr int kMaxLabelLengthTenthMm = 5000;

// Rounded to the nearest dot.
int DotsFromTenthMm(int tenthMm, int dpi);

// A page of dots, 1 = black, each row ceil(width / 8) bytes with the leftmost dot in the high bit.
class PageRaster {
 public:
  PageRaster(int widthDots, int heightDots);

  int width() const { return width_; }
  int height() const { return height_; }
  size_t stride() const { return stride_; }
  const uint8_t* Row(int y) const { return bits_.data() + y * stride_; }

  // Copies a band of rows (rowBytes apart, the first at rows, leftmost dot in the high bit) to the
  // page at (x, y); whatever falls outside the page is cut off. A dot is black where its bit is 1, or
  // where it is 0 when zeroIsBlack.
  void PutBand(int x, int y, int bandWidth, int bandHeight, const uint8_t* rows, std::ptrdiff_t rowBytes,
               bool zeroIsBlack = false);
  bool RowBlank(int y) const;

 private:
  int width_;
  int height_;
  size_t stride_;
  std::vector<uint8_t> bits_;
};

// The commands of one label: size, media, direction, density, speed, clear, the bitmap of the
// rows from the first to the last with a black dot (none for a blank page), print.
std::string LabelProgram(const LabelSettings& settings, const PageRaster& page);

}  // namespace label
