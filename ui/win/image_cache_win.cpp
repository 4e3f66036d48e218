#include "ui/win/image_cache_win.h"

#include <shlwapi.h>

#include "ui/startup_trace.h"
#include "ui/utf.h"

namespace ui {

ImageCache::~ImageCache() { Clear(); }

void ImageCache::Clear() {
  for (auto& [path, entry] : entries_) {
    entry.bitmap.reset();
    if (entry.stream != nullptr) entry.stream->Release();
  }
  entries_.clear();
}

Gdiplus::Bitmap* ImageCache::Get(const std::string& path) {
  const std::string key = AsciiLowerCopy(path);
  auto found = entries_.find(key);
  if (found != entries_.end()) return found->second.bitmap.get();

  Entry& entry = entries_[key];
  std::vector<uint8_t> bytes;
  if (!archive_.ReadEntry(path, bytes) || bytes.empty()) return nullptr;
  if (DecodePng(bytes.data(), bytes.size(), entry.decoded)) {
    const Size size = entry.decoded.size;
    entry.bitmap = std::make_unique<Gdiplus::Bitmap>(size.cx, size.cy, size.cx * 4, PixelFormat32bppARGB,
                                                     reinterpret_cast<BYTE*>(entry.decoded.pixels.data()));
    MarkStartup("image");
    if (entry.bitmap->GetLastStatus() == Gdiplus::Ok) return entry.bitmap.get();
    entry.bitmap.reset();
  }
  entry.stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
  if (entry.stream == nullptr) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(entry.stream));
  MarkStartup("image");
  if (bitmap && bitmap->GetLastStatus() == Gdiplus::Ok) entry.bitmap = std::move(bitmap);
  return entry.bitmap.get();
}

std::vector<int> ImageCache::FrameDelays(const std::string& path) {
  Gdiplus::Bitmap* bitmap = Get(path);
  std::vector<int> delays;
  if (bitmap == nullptr) return delays;
  const UINT frames = bitmap->GetFrameCount(&Gdiplus::FrameDimensionTime);
  if (frames < 2) return delays;
  const UINT size = bitmap->GetPropertyItemSize(PropertyTagFrameDelay);
  std::vector<uint8_t> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  const bool haveDelays = size >= sizeof(Gdiplus::PropertyItem) &&
                          bitmap->GetPropertyItem(PropertyTagFrameDelay, size, item) == Gdiplus::Ok;
  const size_t known = haveDelays ? item->length / sizeof(long) : 0;
  for (UINT i = 0; i < frames; ++i) {
    // Delays are in hundredths of a second; a missing or zero delay plays at 10 frames a second.
    const long hundredths = i < known ? static_cast<const long*>(item->value)[i] : 0;
    delays.push_back(hundredths > 0 ? static_cast<int>(hundredths) * 10 : 100);
  }
  return delays;
}

}  // namespace ui
