// Any bytes as a skin archive: attach, look entries up and inflate each into exact and short buffers.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ui::ZipArchive archive;
  if (!archive.Attach(data, size)) return 0;
  for (const ui::ZipEntry& entry : archive.Entries()) {
    archive.Find(entry.name);
    if (entry.uncompressedSize > (4u << 20)) continue;
    std::vector<uint8_t> out(entry.uncompressedSize);
    archive.Extract(entry, out.data(), out.size());
    std::vector<uint8_t> shortBuffer(entry.uncompressedSize / 2);
    archive.Extract(entry, shortBuffer.data(), shortBuffer.size());
  }
  return 0;
}
