// Placing a CWndUI's hosted native window.
#pragma once

#include <windows.h>

#include "controls/wnd_ui.h"

// A placer for windows hosted in `host`: a window that is not a child of the host is placed in
// screen coordinates, offset by the host window's position.
CWndUI::Placer HostedWindowPlacer(HWND host);
