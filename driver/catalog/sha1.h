// SHA-1, the member hash of the driver catalogue (the form Windows 7 and later all check).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace catalog {

class Sha1 {
 public:
  Sha1();
  void Update(const uint8_t* data, size_t size);
  std::array<uint8_t, 20> Final();

 private:
  void Block(const uint8_t* block);

  uint32_t state_[5];
  uint8_t buffer_[64];
  size_t buffered_ = 0;
  uint64_t total_ = 0;
};

}  // namespace catalog
