#include "ui/image_desc.h"

#include "ui/attribute_values.h"

namespace ui {

ImageDesc ParseImageDesc(std::string_view text) {
  ImageDesc desc;
  if (text.find('=') == std::string_view::npos) {
    desc.file = std::string(text);
    return desc;
  }
  for (const auto& [key, value] : ParseAttributeList(text)) {
    if (key == "file") {
      desc.file = value;
    } else if (key == "res") {
      desc.resId = value;
    } else if (key == "source") {
      desc.source = ParseRect(value);
    } else if (key == "corner") {
      desc.corner = ParseEdges(value);
    } else if (key == "dest") {
      desc.dest = ParseRect(value);
    } else if (key == "fade") {
      desc.fade = std::clamp(ParseInt(value, 255), 0, 255);
    } else if (key == "xtiled") {
      desc.xtiled = ParseBool(value);
    } else if (key == "ytiled") {
      desc.ytiled = ParseBool(value);
    }
  }
  return desc;
}

std::string ScaledImageName(std::string_view name, int scalePercent) {
  if (scalePercent == 100) return std::string(name);
  const std::string infix = "@" + std::to_string(scalePercent) + ".";
  std::string scaled;
  for (const char c : name) {
    if (c == '.') {
      scaled += infix;
    } else {
      scaled += c;
    }
  }
  return scaled;
}

}  // namespace ui
