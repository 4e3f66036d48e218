// Builds zip archives in memory for the reader's tests, including archives that lie about themselves.
#pragma once

#include <cstdint>
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
