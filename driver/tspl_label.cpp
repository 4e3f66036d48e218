#include "driver/tspl_label.h"

#include <algorithm>

namespace label {

namespace {

// Millimetres with one decimal only where needed: "40", "40.5".
std::string Millimetres(int tenthMm) {
  std::string text = std::to_string(tenthMm / 10);
  if (tenthMm % 10 != 0) text += "." + std::to_string(tenthMm % 10);
  return text + " mm";
}

std::string MediaLine(const LabelSettings& settings) {
  switch (settings.media) {
    case Media::kBlackMark:
      return "BLINE " + Millimetres(settings.markTenthMm) + ",0 mm";
    case Media::kContinuous:
      return "GAP 0 mm,0 mm";
    case Media::kGap:
      break;
  }
  return "GAP " + Millimetres(settings.markTenthMm) + ",0 mm";
}

}  // namespace

int DotsFromTenthMm(int tenthMm, int dpi) { return static_cast<int>((int64_t{tenthMm} * dpi + 127) / 254); }

PageRaster::PageRaster(int widthDots, int heightDots)
    : width_(std::max(widthDots, 0)),
      height_(std::max(heightDots, 0)),
      stride_((static_cast<size_t>(width_) + 7) / 8),
      bits_(stride_ * height_, 0) {}

void PageRaster::PutBand(int x, int y, int bandWidth, int bandHeight, const uint8_t* rows,
                         std::ptrdiff_t rowBytes, bool zeroIsBlack) {
  const uint8_t flip = zeroIsBlack ? 0xFF : 0x00;
  const int firstRow = std::max(0, -y), endRow = std::min(bandHeight, height_ - y);
  const int firstDot = std::max(0, -x), endDot = std::min(bandWidth, width_ - x);
  for (int row = firstRow; row < endRow; ++row) {
    const uint8_t* source = rows + row * rowBytes;
    uint8_t* target = bits_.data() + (y + row) * stride_;
    for (int dot = firstDot; dot < endDot; ++dot) {
      if ((source[dot >> 3] ^ flip) & (0x80 >> (dot & 7))) target[(x + dot) >> 3] |= 0x80 >> ((x + dot) & 7);
    }
  }
}

bool PageRaster::RowBlank(int y) const {
  const uint8_t* row = Row(y);
  return std::all_of(row, row + stride_, [](uint8_t b) { return b == 0; });
}

std::string LabelProgram(const LabelSettings& settings, const PageRaster& page) {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  line("SIZE " + Millimetres(settings.widthTenthMm) + "," + Millimetres(settings.heightTenthMm));
  line(MediaLine(settings));
  line("DIRECTION " + std::to_string(settings.direction));
  line("DENSITY " + std::to_string(settings.density));
  line("SPEED " + std::to_string(settings.speed));
  line("CLS");

  int first = 0, last = page.height() - 1;
  while (first <= last && page.RowBlank(first)) ++first;
  while (last >= first && page.RowBlank(last)) --last;
  if (first <= last) {
    // TSPL's bitmap prints a 0 bit and leaves a 1 white, the other way round from the page; the
    // bits past the right edge stay white.
    const int spare = static_cast<int>(page.stride() * 8) - page.width();
    const uint8_t edgeMask = static_cast<uint8_t>((1u << spare) - 1);
    out += "BITMAP 0," + std::to_string(first) + "," + std::to_string(page.stride()) + "," +
           std::to_string(last - first + 1) + ",0,";
    for (int y = first; y <= last; ++y) {
      const uint8_t* row = page.Row(y);
      for (size_t i = 0; i < page.stride(); ++i) out += static_cast<char>(~row[i]);
      out.back() = static_cast<char>(out.back() | edgeMask);
    }
    out += "\r\n";
  }
  line("PRINT 1," + std::to_string(settings.copies));
  return out;
}

}  // namespace label
