#include "controls/wnd_ui.h"

void CWndUI::Attach(void* hosted, Placer placer) {
  hosted_ = hosted;
  placer_ = std::move(placer);
  Place();
}

void CWndUI::SetPos(const ui::Rect& rect) {
  Control::SetPos(rect);
  Place();
}

void CWndUI::SetVisible(bool visible) {
  Control::SetVisible(visible);
  Place();
}

void CWndUI::Place() {
  if (hosted_ != nullptr && placer_) placer_(hosted_, rect_, IsVisibleInTree());
}
