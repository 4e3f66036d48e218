// Any bytes as a package image: decoded or refused, never read out of bounds.
#include <cstddef>
#include <cstdint>

#include "ui/png_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ui::DecodedImage image;
  ui::DecodePng(data, size, image);
  return 0;
}
