// Decoded skin images, loaded from the attached archive on first use and kept until cleared.
#pragma once

#include <windows.h>
#include <objidl.h>  // GDI+ needs it and WIN32_LEAN_AND_MEAN leaves it out
#include <gdiplus.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/png_decoder.h"
#include "ui/zip_archive.h"

namespace ui {

class ImageCache {
 public:
  explicit ImageCache(const ZipArchive& archive) : archive_(archive) {}
  ~ImageCache();
  ImageCache(const ImageCache&) = delete;
  ImageCache& operator=(const ImageCache&) = delete;

  // Null when the archive lacks the file or it cannot be decoded (remembered, not retried).
  Gdiplus::Bitmap* Get(const std::string& path);
  // Frame delays in milliseconds of an animated image; empty for a still or missing one.
  std::vector<int> FrameDelays(const std::string& path);
  void Clear();

 private:
  struct Entry {
    // What the bitmap reads for its lifetime: the pixels of a PNG decoded here, or the stream of
    // any other image, which GDI+ decodes.
    DecodedImage decoded;
    IStream* stream = nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
  };
  const ZipArchive& archive_;
  std::map<std::string, Entry> entries_;
};

}  // namespace ui
