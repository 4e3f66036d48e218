// Image attributes of the layouts: a plain archive path, or a description such as
// file='common/button.png' source='0,0,17,17' corner='4,4,4,4' dest='0,0,17,17'.
#pragma once

#include <string>
#include <string_view>

#include "ui/geometry.h"

namespace ui {

struct ImageDesc {
  std::string file;   // archive path; empty when the image is named by a resource id
  std::string resId;  // an Image id of the resource map
  Rect source;        // part of the image to draw; empty means the whole image
  Edges corner;       // margins of the source kept unstretched (nine-slice)
  Rect dest;          // target relative to the control's top-left; empty means the whole control
  int fade = 255;     // opacity 0..255
  bool xtiled = false;
  bool ytiled = false;

  bool IsEmpty() const { return file.empty() && resId.empty(); }
};

// Empty text gives an empty description; text without '=' is a plain path.
ImageDesc ParseImageDesc(std::string_view text);

// The file name looked up at a display scale: at 100 the name itself, otherwise every "." becomes
// "@<scale>." (common/a.png at 125 is common/a@125.png).
std::string ScaledImageName(std::string_view name, int scalePercent);

}  // namespace ui
