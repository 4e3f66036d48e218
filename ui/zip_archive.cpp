#include "ui/zip_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "ui/utf.h"

namespace ui {
namespace {

constexpr uint32_t kEndOfDirectorySignature = 0x06054b50;
constexpr uint32_t kDirectoryHeaderSignature = 0x02014b50;
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr size_t kEndOfDirectorySize = 22;
constexpr size_t kDirectoryHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxCommentSize = 0xFFFF;

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// True when [offset, offset + length) lies inside a buffer of `size` bytes, without overflow.
bool InBounds(size_t size, uint64_t offset, uint64_t length) { return offset <= size && length <= size - offset; }

// Inflates at most outSize bytes of a raw deflate stream whose true length should be `expected`.
ZipResult InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t expected) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return ZipResult::kCorrupt;
  stream.next_in = const_cast<Bytef*>(in);
  stream.avail_in = static_cast<uInt>(inSize);
  stream.next_out = out;
  stream.avail_out = static_cast<uInt>(outSize);
  int status = Z_OK;
  while (status == Z_OK && stream.avail_out > 0) status = inflate(&stream, Z_NO_FLUSH);
  const size_t produced = outSize - stream.avail_out;
  bool longer = false;
  if (status == Z_OK && outSize >= expected) {
    // The buffer is exactly full: the stream must end here, without one byte more.
    uint8_t probe = 0;
    while (status == Z_OK && !longer) {
      stream.next_out = &probe;
      stream.avail_out = 1;
      status = inflate(&stream, Z_NO_FLUSH);
      longer = stream.avail_out == 0;
    }
  }
  inflateEnd(&stream);

  if (status == Z_STREAM_END && !longer) return produced == expected ? ZipResult::kOk : ZipResult::kCorrupt;
  if (outSize < expected && produced == outSize && status == Z_OK) {
    return ZipResult::kMoreData;
  }
  return ZipResult::kCorrupt;
}

}  // namespace

bool ZipArchive::Attach(const void* data, size_t size) {
  Detach();
  if (data == nullptr || size < kEndOfDirectorySize) return false;
  data_ = static_cast<const uint8_t*>(data);
  size_ = size;
  if (!ReadDirectory()) {
    Detach();
    return false;
  }
  return true;
}

void ZipArchive::Detach() {
  data_ = nullptr;
  size_ = 0;
  entries_.clear();
  byLowerName_.clear();
}

bool ZipArchive::ReadDirectory() {
  // The end record sits in the last 22 bytes plus at most a 64 KiB comment; search backwards.
  const size_t lowest = size_ > kEndOfDirectorySize + kMaxCommentSize ? size_ - kEndOfDirectorySize - kMaxCommentSize : 0;
  size_t end = size_ - kEndOfDirectorySize;
  while (Read32(data_ + end) != kEndOfDirectorySignature) {
    if (end == lowest) return false;
    --end;
  }
  const uint8_t* record = data_ + end;
  const uint16_t entryCount = Read16(record + 10);
  const uint32_t directorySize = Read32(record + 12);
  const uint32_t directoryOffset = Read32(record + 16);
  if (Read16(record + 4) != 0 || Read16(record + 6) != 0) return false;  // multi-disk archives
  if (!InBounds(end, directoryOffset, directorySize)) return false;

  entries_.reserve(entryCount);
  size_t offset = directoryOffset;
  const size_t directoryEnd = static_cast<size_t>(directoryOffset) + directorySize;
  for (uint16_t i = 0; i < entryCount; ++i) {
    if (!InBounds(directoryEnd, offset, kDirectoryHeaderSize)) return false;
    const uint8_t* header = data_ + offset;
    if (Read32(header) != kDirectoryHeaderSignature) return false;
    const uint16_t nameLength = Read16(header + 28);
    const uint16_t extraLength = Read16(header + 30);
    const uint16_t commentLength = Read16(header + 32);
    const uint64_t recordLength = uint64_t{kDirectoryHeaderSize} + nameLength + extraLength + commentLength;
    if (!InBounds(directoryEnd, offset, recordLength)) return false;

    ZipEntry entry;
    entry.flags = Read16(header + 8);
    entry.method = Read16(header + 10);
    entry.crc32 = Read32(header + 16);
    entry.compressedSize = Read32(header + 20);
    entry.uncompressedSize = Read32(header + 24);
    entry.localHeaderOffset = Read32(header + 42);
    entry.name.assign(reinterpret_cast<const char*>(header + kDirectoryHeaderSize), nameLength);
    byLowerName_.emplace(AsciiLowerCopy(entry.name), entries_.size());
    entries_.push_back(std::move(entry));
    offset += static_cast<size_t>(recordLength);
  }
  return true;
}

const ZipEntry* ZipArchive::Find(std::string_view name) const {
  const auto found = byLowerName_.find(AsciiLowerCopy(name));
  return found == byLowerName_.end() ? nullptr : &entries_[found->second];
}

bool ZipArchive::EntryData(const ZipEntry& entry, const uint8_t*& data) const {
  if (!InBounds(size_, entry.localHeaderOffset, kLocalHeaderSize)) return false;
  const uint8_t* header = data_ + entry.localHeaderOffset;
  if (Read32(header) != kLocalHeaderSignature) return false;
  const uint64_t start = uint64_t{entry.localHeaderOffset} + kLocalHeaderSize + Read16(header + 26) + Read16(header + 28);
  if (!InBounds(size_, start, entry.compressedSize)) return false;
  data = data_ + start;
  return true;
}

ZipResult ZipArchive::Extract(const ZipEntry& entry, uint8_t* out, size_t outSize) const {
  if (!IsOpen()) return ZipResult::kNotOpen;
  if (entry.IsEncrypted()) return ZipResult::kEncrypted;
  if (entry.method != 0 && entry.method != 8) return ZipResult::kUnsupported;
  const uint8_t* data = nullptr;
  if (!EntryData(entry, data)) return ZipResult::kCorrupt;
  if (out == nullptr && outSize != 0) return ZipResult::kCorrupt;

  const size_t expected = entry.uncompressedSize;
  const size_t wanted = std::min(outSize, expected);
  ZipResult result;
  if (wanted == 0) {
    result = expected == 0 ? ZipResult::kOk : ZipResult::kMoreData;
  } else if (entry.method == 0) {
    if (entry.compressedSize != entry.uncompressedSize) return ZipResult::kCorrupt;
    if (wanted > 0) std::memcpy(out, data, wanted);
    result = outSize < expected ? ZipResult::kMoreData : ZipResult::kOk;
  } else {
    result = InflateRaw(data, entry.compressedSize, out, wanted, expected);
  }
  if (result != ZipResult::kOk) return result;
  const uLong crc = crc32(crc32(0L, Z_NULL, 0), out, static_cast<uInt>(expected));
  return crc == entry.crc32 ? ZipResult::kOk : ZipResult::kCorrupt;
}

bool ZipArchive::ReadEntry(std::string_view name, std::vector<uint8_t>& out, size_t maxSize) const {
  out.clear();
  const ZipEntry* entry = Find(name);
  if (entry == nullptr || entry->IsFolder() || entry->uncompressedSize > maxSize) return false;
  out.resize(entry->uncompressedSize);
  if (Extract(*entry, out.data(), out.size()) != ZipResult::kOk) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace ui
