#include "ui/png_decoder.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace ui {
namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr uint32_t kMaxSide = 4096;  // far beyond any window's image; keeps the buffers below 70 MB

uint32_t ReadBig32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

uint8_t Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up), toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<uint8_t>(left);
  return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// Undoes each row's filter in place; rows are 1 filter byte and rowBytes of samples.
bool Unfilter(std::vector<uint8_t>& rows, size_t rowBytes, uint32_t height, size_t pixelBytes) {
  const uint8_t* previous = nullptr;
  for (uint32_t y = 0; y < height; ++y) {
    uint8_t* row = rows.data() + y * (rowBytes + 1);
    const uint8_t filter = row[0];
    uint8_t* line = row + 1;
    for (size_t i = 0; i < rowBytes; ++i) {
      const int left = i >= pixelBytes ? line[i - pixelBytes] : 0;
      const int up = previous != nullptr ? previous[i] : 0;
      const int upLeft = previous != nullptr && i >= pixelBytes ? previous[i - pixelBytes] : 0;
      switch (filter) {
        case 0: break;
        case 1: line[i] = static_cast<uint8_t>(line[i] + left); break;
        case 2: line[i] = static_cast<uint8_t>(line[i] + up); break;
        case 3: line[i] = static_cast<uint8_t>(line[i] + (left + up) / 2); break;
        case 4: line[i] = static_cast<uint8_t>(line[i] + Paeth(left, up, upLeft)); break;
        default: return false;
      }
    }
    previous = line;
  }
  return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, DecodedImage& image) {
  if (data == nullptr || size < sizeof(kSignature) || std::memcmp(data, kSignature, sizeof(kSignature)) != 0) return false;
  uint32_t width = 0, height = 0;
  size_t pixelBytes = 0;
  std::vector<uint8_t> compressed;
  bool ended = false;
  for (size_t at = sizeof(kSignature); !ended;) {
    if (size - at < 12) return false;
    const uint32_t length = ReadBig32(data + at);
    if (length > size - at - 12) return false;
    const std::string_view type(reinterpret_cast<const char*>(data + at + 4), 4);
    const uint8_t* body = data + at + 8;
    const bool first = at == sizeof(kSignature);
    if (first != (type == "IHDR")) return false;
    if (type == "IHDR") {
      if (length != 13) return false;
      width = ReadBig32(body);
      height = ReadBig32(body + 4);
      const uint8_t depth = body[8], colour = body[9], compression = body[10], filtering = body[11], interlace = body[12];
      if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return false;
      if (depth != 8 || (colour != 2 && colour != 6) || compression != 0 || filtering != 0 || interlace != 0) return false;
      pixelBytes = colour == 6 ? 4 : 3;
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), body, body + length);
    } else if (type == "IEND") {
      ended = true;
    } else if (type == "tRNS" || type == "gAMA" || type == "cHRM" || type == "iCCP" || type == "sRGB" ||
               type == "sBIT") {
      return false;  // transparency or colour the system would apply: its decoder draws these
    } else if ((type[0] & 0x20) == 0) {
      return false;  // a critical chunk this decoder does not know
    }
    at += 12 + size_t{length};
  }
  const size_t rowBytes = width * pixelBytes;
  std::vector<uint8_t> rows(height * (rowBytes + 1));
  uLongf produced = static_cast<uLongf>(rows.size());
  if (compressed.empty() ||
      uncompress(rows.data(), &produced, compressed.data(), static_cast<uLong>(compressed.size())) != Z_OK ||
      produced != rows.size() || !Unfilter(rows, rowBytes, height, pixelBytes)) {
    return false;
  }
  std::vector<uint32_t> pixels(size_t{width} * height);
  for (uint32_t y = 0; y < height; ++y) {
    const uint8_t* p = rows.data() + y * (rowBytes + 1) + 1;
    for (uint32_t x = 0; x < width; ++x, p += pixelBytes) {
      const uint32_t alpha = pixelBytes == 4 ? p[3] : 0xFF;
      pixels[size_t{y} * width + x] = (alpha << 24) | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
  }
  image.size = {static_cast<int>(width), static_cast<int>(height)};
  image.pixels = std::move(pixels);
  return true;
}

}  // namespace ui
