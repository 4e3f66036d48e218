// Attaching the skin package that travels as resource "ZIPRES" 129 inside the executable.
#pragma once

namespace ui {
class Resources;
}

// Points the framework at the archive held in the module's resource and loads its resource map.
// Any failure is silent by design: the first window's layout then fails with the framework's own
// error box. Returns whether the archive was attached.
bool AttachSkinPackage(void* module, ui::Resources& resources);
