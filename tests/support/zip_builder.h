// Builds zip archives in memory for the reader's tests, including archives that lie about themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct ZipBuilderEntry {
  std::string name;
  std::vector<uint8_t> data;
  bool deflate = true;
  uint16_t flags = 0;
  // When set, these replace the true values in the central directory.
  int64_t claimedUncompressedSize = -1;
  int64_t claimedCompressedSize = -1;
  int64_t claimedCrc = -1;
  int64_t claimedLocalOffset = -1;
};

std::vector<uint8_t> BuildZip(const std::vector<ZipBuilderEntry>& entries);
std::vector<uint8_t> Bytes(const std::string& text);

namespace ui {
class ZipArchive;
}

// The archive again with each entry's data as change leaves it (names and order kept).
std::vector<uint8_t> RepackZip(
    const ui::ZipArchive& archive,
    const std::function<void(const std::string& name, std::vector<uint8_t>& data)>& change);
// The skin package as a distribution build packs it: the Unidrv core files of both families are
// genuine-looking bytes instead of the build's test stand-ins.
std::vector<uint8_t> WithGenuineUnidrvFiles(const ui::ZipArchive& skin);
std::vector<uint8_t> WithGenuineUnidrvFiles(const std::vector<uint8_t>& skin);
