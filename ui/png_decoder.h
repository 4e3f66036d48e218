// A decoder for the package's own kind of PNG: 8-bit RGB or RGBA, not interlaced, with no colour
// management chunk. Decoding through the system's codecs loads and starts a whole imaging library
// on the first image, which costs as much as the rest of a window's first frame; these images need
// only zlib. Anything else is refused, and the caller decodes it the system's way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/geometry.h"

namespace ui {

struct DecodedImage {
  Size size;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, not premultiplied, rows top-down
};

// False, with image untouched, for anything but a whole PNG of that kind.
bool DecodePng(const uint8_t* data, size_t size, DecodedImage& image);

}  // namespace ui
