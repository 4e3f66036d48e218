// The keyboard of a hosted window: virtual keys to the model's keys, and the native focus kept
// where the model's focus is (a native edit, or this window for every drawn control).
#include "ui/edit.h"
#include "ui/win/window_impl_base_win.h"

namespace ui {
namespace {

bool ToKey(WPARAM virtualKey, Key& key) {
  switch (virtualKey) {
    case VK_TAB:
      key = Key::kTab;
      return true;
    case VK_RETURN:
      key = Key::kEnter;
      return true;
    case VK_SPACE:
      key = Key::kSpace;
      return true;
    case VK_ESCAPE:
      key = Key::kEscape;
      return true;
    case VK_LEFT:
      key = Key::kLeft;
      return true;
    case VK_UP:
      key = Key::kUp;
      return true;
    case VK_RIGHT:
      key = Key::kRight;
      return true;
    case VK_DOWN:
      key = Key::kDown;
      return true;
    case VK_HOME:
      key = Key::kHome;
      return true;
    case VK_END:
      key = Key::kEnd;
      return true;
    default:
      return false;
  }
}

}  // namespace

void WindowImplBase::SetUpKeyboard() {
  // A popup closes on Escape as its close button closes it; the main window has no such key.
  if (GetWindow(hwnd_, GW_OWNER) != nullptr) model_.SetCancelButton(model_.FindControl(L"closebtn"));
}

bool WindowImplBase::OnKeyDown(WPARAM virtualKey) {
  Key key;
  if (!ToKey(virtualKey, key) || GetKeyState(VK_CONTROL) < 0) return false;
  EnsureLayout();
  return model_.OnKeyDown(key, GetKeyState(VK_SHIFT) < 0);
}

void WindowImplBase::FocusChanged(Control* focused) {
  if (hwnd_ == nullptr) return;
  if (accessible_ != nullptr) accessible_->FocusChanged(focused);
  // An edit's native window took the focus itself; any other control is drawn by this window.
  if (dynamic_cast<Edit*>(focused) != nullptr) return;
  HWND current = GetFocus();
  if (current != nullptr && current != hwnd_ && IsChild(hwnd_, current)) SetFocus(hwnd_);
}

void WindowImplBase::OnSetFocus() {
  // Back from another window, the keyboard goes on where it was, as in a dialog.
  auto* edit = dynamic_cast<Edit*>(model_.FocusedControl());
  if (edit != nullptr && model_.CanTakeFocus(*edit)) edit->Focus();
}

}  // namespace ui
