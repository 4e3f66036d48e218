// The soft shadow around a borderless window: a layered, click-through popup kept just behind its
// window and drawn with per-pixel alpha from the layout's shadow image.
#pragma once

#include <windows.h>

#include "ui/geometry.h"
#include "ui/win/image_cache_win.h"
#include "ui/window_model.h"

namespace ui {

class ShadowWindow {
 public:
  ShadowWindow() = default;
  ~ShadowWindow() { Destroy(); }
  ShadowWindow(const ShadowWindow&) = delete;
  ShadowWindow& operator=(const ShadowWindow&) = delete;

  // Creates the popup for a window whose layout asks for a shadow; false (and no popup) when it
  // asks for none.
  bool Create(HWND window, const WindowModel& model, ImageCache& images);
  // Puts the shadow around and behind the window, or hides it while the window is hidden,
  // minimised or maximised. The window calls it whenever its position, size or order changes.
  void Follow();
  // Puts the shadow back just behind the window when something else has reordered them.
  void KeepBehind();
  // The next Follow draws the image again (the display scale changed).
  void Redraw() { drawnSize_ = {}; }
  void Destroy();
  HWND GetHWND() const { return hwnd_; }

 private:
  bool Draw(const Rect& bounds);

  HWND hwnd_ = nullptr;
  HWND window_ = nullptr;
  const WindowModel* model_ = nullptr;
  ImageCache* images_ = nullptr;
  Size drawnSize_;
};

}  // namespace ui
