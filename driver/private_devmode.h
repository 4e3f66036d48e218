// The private DEVMODE section of each plug-in, as Unidrv asks for it through DevMode (OEMDM_SIZE,
// OEMDM_DEFAULT, OEMDM_CONVERT, OEMDM_MERGE). The plug-ins keep their settings in the GPD's features,
// so the section is only the documented header and one reserved member: Unidrv still expects a
// rendering plug-in to define, default and carry it from one DEVMODE to another. Portable and
// header-only, as both plug-ins and the host tests build it.
#pragma once

#include <cstdint>
#include <cstring>

namespace label {

// OEM_DMEXTRAHEADER, which must begin every private section.
struct DevmodeHeader {
  uint32_t size;
  uint32_t signature;  // the plug-in's GetInfo signature
  uint32_t version;
};

struct PrivateDevmode {
  DevmodeHeader header;
  uint32_t reserved;  // always 0; keeps room for a setting of a later version
};

enum DevmodeMode : uint32_t { kDevmodeSize = 1, kDevmodeDefault = 2, kDevmodeConvert = 3, kDevmodeMerge = 4 };

constexpr uint32_t kPrivateDevmodeVersion = 0x00010000;

// One DevMode call: in is the section to read (for convert and merge), out the buffer to write of
// bufferSize bytes; for kDevmodeSize bufferSize receives the section's size. False for an unknown
// mode or a missing or short buffer, which the plug-in reports as E_FAIL.
inline bool PrivateDevmodeCall(uint32_t mode, const void* in, void* out, uint32_t& bufferSize,
                               uint32_t signature) {
  if (mode == kDevmodeSize) {
    bufferSize = sizeof(PrivateDevmode);
    return true;
  }
  if (mode != kDevmodeDefault && mode != kDevmodeConvert && mode != kDevmodeMerge) return false;
  if (!out || bufferSize < sizeof(PrivateDevmode)) return false;
  if (mode != kDevmodeDefault && !in) return false;
  // The section holds no setting yet, so converting or merging any section, of ours or of another
  // driver, gives the current version's defaults.
  const PrivateDevmode current{{sizeof(PrivateDevmode), signature, kPrivateDevmodeVersion}, 0};
  std::memcpy(out, &current, sizeof(current));
  return true;
}

}  // namespace label
