// A print job as the rendering plug-in sees it: the GPD's callbacks set the label's settings, the
// page arrives as bands of a 1-bit DIB, and the end of each page writes one label to the sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "driver/tspl_label.h"

namespace label {

class LabelJob {
 public:
  // Takes the bytes for the spooler; false when they could not be written.
  using Sink = std::function<bool(const void* data, size_t size)>;

  explicit LabelJob(Sink sink) : sink_(std::move(sink)) {}

  // One *CallbackID with its *Params. False for an ID the GPD does not use, a missing parameter or
  // a failed write.
  bool Command(uint32_t callbackId, const uint32_t* params, size_t count);

  // One band of the page as Unidrv hands it to ImageProcessing: a DIB of bitsPerPixel 1 whose rows
  // are 4-byte aligned and top-down whatever the sign of dibHeight, placed at (x, y) of the page.
  // Index 0 is black and 1 white unless colorTable (two 4-byte entries, or null) says otherwise.
  // Anything else is refused.
  bool Band(const uint8_t* bits, int32_t dibWidth, int32_t dibHeight, int bitsPerPixel,
            const uint8_t* colorTable, int x, int y);

  const LabelSettings& settings() const { return settings_; }

 private:
  bool EndPage();

  Sink sink_;
  LabelSettings settings_;
  std::unique_ptr<PageRaster> page_;
};

}  // namespace label
