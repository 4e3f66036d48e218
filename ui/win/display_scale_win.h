// The display scale a window is drawn at, from the system's DPI.
#pragma once

#include <windows.h>

namespace ui {

// The window's DPI where the system tells it per window (GetDpiForWindow, Windows 10 1607 and
// later, looked up at run time), else the screen's logical DPI; 96 when neither answers.
UINT WindowDpi(HWND hwnd);

// WindowModel's scale in percent for a DPI: 96 is 100 %, 120 is 125 %, 144 is 150 %.
inline int ScalePercentForDpi(UINT dpi) { return static_cast<int>(dpi * 100 / 96); }

}  // namespace ui
