// Fonts, styles and defaults a layout marks shared="true": kept for the whole process so a popup's
// layout can use what the main window's layout declared.
#pragma once

#include <map>
#include <string>

#include "ui/font_table.h"

namespace ui {

struct SharedLayoutData {
  FontTable fonts;
  bool hasDefaultFont = false;
  std::map<std::string, std::string, std::less<>> styles;
  std::map<std::string, std::string, std::less<>> defaults;  // lower-cased class name

  static SharedLayoutData& Instance();
  void Clear() { *this = SharedLayoutData{}; }
};

}  // namespace ui
