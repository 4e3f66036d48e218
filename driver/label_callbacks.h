// The *CallbackID values of Ombrevia.gpd: the GPD's option commands only tell the rendering
// plug-in what was chosen; the plug-in writes the commands itself.
#pragma once

#include <cstdint>

namespace label {

enum Callback : uint32_t {
  kPageSize = 1,  // params: PhysPaperWidth, PhysPaperLength in master units
  kResolution203 = 2,
  kResolution300 = 3,
  kDensity0 = 10,  // 10 to 25: darkness 0 to 15
  kDensity15 = 25,
  kSpeed2 = 32,  // 32 to 36: 2 to 6 inches a second
  kSpeed6 = 36,
  kMediaGap2 = 40,
  kMediaGap3 = 41,
  kMediaMark3 = 42,
  kMediaContinuous = 43,
  kDirectionNormal = 50,
  kDirectionTurned = 51,
  kCopies = 60,  // params: NumOfCopies
  kStartDoc = 90,
  kStartPage = 91,
  kEndPage = 92,
};

// Master units of the GPD: a whole number of dots an inch at 203 and at 300 dpi.
constexpr uint32_t kMasterUnitsPerInch = 60900;

}  // namespace label
