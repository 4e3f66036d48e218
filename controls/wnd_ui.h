// A control that places a native window over its rectangle (class "CWndUI").
#pragma once

#include <functional>

#include "ui/control.h"

class CWndUI : public ui::Control {
 public:
  // Moves and shows or hides the hosted window; the Win32 build supplies it.
  using Placer = std::function<void(void* hosted, const ui::Rect& rect, bool visible)>;

  CWndUI() { SetClassName("Wnd"); }
  void Attach(void* hosted, Placer placer);
  void* Hosted() const { return hosted_; }

  void SetPos(const ui::Rect& rect) override;
  void SetVisible(bool visible) override;
  // An ancestor shown or hidden reaches the hosted window here.
  void SyncNativeWindow() override { Place(); }

 private:
  void Place();

  void* hosted_ = nullptr;
  Placer placer_;
};
