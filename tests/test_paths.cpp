#include "tests/test_paths.h"

#include <fstream>
#include <iterator>

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> PackedSkin() { return ReadFileBytes(LDW_SKIN_ZIP); }
std::string SkinFolder() { return LDW_SKIN_DIR; }
