#include "driver/label_job.h"

#include <algorithm>

#include "driver/label_callbacks.h"

namespace label {

namespace {

int TenthMmFromMasterUnits(uint32_t units, int maximum) {
  const int64_t tenths = (int64_t{units} * 254 + kMasterUnitsPerInch / 2) / kMasterUnitsPerInch;
  return static_cast<int>(std::clamp<int64_t>(tenths, kMinLabelTenthMm, maximum));
}

// Unidrv's monochrome palette is {black, white}: a 0 bit prints. A color table, when there is one,
// names the darker entry; an entry is an RGBQUAD or an RGB value, so the sum of its first three bytes
// is its brightness either way.
bool ZeroIsBlack(const uint8_t* colorTable) {
  if (!colorTable) return true;
  auto brightness = [](const uint8_t* entry) { return entry[0] + entry[1] + entry[2]; };
  return brightness(colorTable) <= brightness(colorTable + 4);
}

}  // namespace

bool LabelJob::Command(uint32_t id, const uint32_t* params, size_t count) {
  if (id >= kDensity0 && id <= kDensity15) {
    settings_.density = static_cast<int>(id - kDensity0);
  } else if (id >= kSpeed2 && id <= kSpeed6) {
    settings_.speed = static_cast<int>(id - kSpeed2) + 2;
  } else {
    switch (id) {
      case kPageSize:
        if (count < 2 || !params) return false;
        settings_.widthTenthMm = TenthMmFromMasterUnits(params[0], kMaxLabelWidthTenthMm);
        settings_.heightTenthMm = TenthMmFromMasterUnits(params[1], kMaxLabelLengthTenthMm);
        break;
      case kResolution203:
      case kResolution300:
        settings_.dpi = id == kResolution203 ? 203 : 300;
        break;
      case kMediaGap2:
      case kMediaGap3:
        settings_.media = Media::kGap;
        settings_.markTenthMm = id == kMediaGap2 ? 20 : 30;
        break;
      case kMediaMark3:
        settings_.media = Media::kBlackMark;
        settings_.markTenthMm = 30;
        break;
      case kMediaContinuous:
        settings_.media = Media::kContinuous;
        break;
      case kDirectionNormal:
      case kDirectionTurned:
        settings_.direction = id == kDirectionNormal ? 0 : 1;
        break;
      case kCopies:
        if (count < 1 || !params) return false;
        settings_.copies = static_cast<int>(std::clamp<uint32_t>(params[0], 1, 999));
        break;
      case kStartDoc:
        settings_ = LabelSettings();
        page_.reset();
        break;
      case kStartPage:
        page_ = std::make_unique<PageRaster>(DotsFromTenthMm(settings_.widthTenthMm, settings_.dpi),
                                             DotsFromTenthMm(settings_.heightTenthMm, settings_.dpi));
        break;
      case kEndPage:
        return EndPage();
      default:
        return false;
    }
  }
  return true;
}

bool LabelJob::Band(const uint8_t* bits, int32_t dibWidth, int32_t dibHeight, int bitsPerPixel,
                    const uint8_t* colorTable, int x, int y) {
  if (!page_ || !bits || bitsPerPixel != 1 || dibWidth <= 0 || dibHeight == 0 || dibHeight == INT32_MIN)
    return false;
  // Unidrv's bands are top-down although biHeight is positive: the first row in memory is the top.
  const std::ptrdiff_t stride = ((std::ptrdiff_t{dibWidth} + 31) / 32) * 4;
  const int rows = dibHeight > 0 ? dibHeight : -dibHeight;
  page_->PutBand(x, y, dibWidth, rows, bits, stride, ZeroIsBlack(colorTable));
  return true;
}

bool LabelJob::EndPage() {
  if (!page_) return true;  // a page end without a start has nothing to print
  const std::string program = LabelProgram(settings_, *page_);
  page_.reset();
  return sink_(program.data(), program.size());
}

}  // namespace label
