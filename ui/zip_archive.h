// Read-only view of a zip archive held in memory (the skin package): find an entry by name ignoring
// case and inflate it into a caller's buffer. The archive bytes are borrowed, never copied or written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ui {

enum class ZipResult : uint32_t {
  kOk = 0,
  kNotOpen = 0x100,
  kCorrupt = 0x200,      // sizes, offsets, CRC or the deflate stream do not agree
  kEncrypted = 0x300,    // encrypted entries are refused
  kUnsupported = 0x400,  // a compression method other than stored or deflated
  kMoreData = 0x600,     // the buffer was filled but the entry holds more bytes
};

struct ZipEntry {
  std::string name;  // as stored: relative path with forward slashes
  uint16_t flags = 0;
  uint16_t method = 0;
  uint32_t crc32 = 0;
  uint32_t compressedSize = 0;
  uint32_t uncompressedSize = 0;
  uint32_t localHeaderOffset = 0;

  bool IsFolder() const { return !name.empty() && name.back() == '/'; }
  bool IsEncrypted() const { return (flags & 0x0001) != 0; }
};

class ZipArchive {
 public:
  // Reads the central directory. Fails, leaving the archive closed, when the bytes are not a zip
  // archive or any directory record points outside them.
  bool Attach(const void* data, size_t size);
  void Detach();
  bool IsOpen() const { return data_ != nullptr; }

  const std::vector<ZipEntry>& Entries() const { return entries_; }

  // ASCII case is ignored; when two entries differ only by case the first one is found.
  const ZipEntry* Find(std::string_view name) const;

  // Inflates the entry into out[0..outSize). With outSize below the entry's size the buffer is filled
  // and kMoreData returned; otherwise the whole entry is checked against its size and CRC.
  ZipResult Extract(const ZipEntry& entry, uint8_t* out, size_t outSize) const;

  // The whole entry, or false when it is missing, a folder, larger than maxSize or unreadable.
  bool ReadEntry(std::string_view name, std::vector<uint8_t>& out, size_t maxSize = 16u << 20) const;

 private:
  bool ReadDirectory();
  bool EntryData(const ZipEntry& entry, const uint8_t*& data) const;

  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  std::vector<ZipEntry> entries_;
  std::unordered_map<std::string, size_t> byLowerName_;
};

}  // namespace ui
