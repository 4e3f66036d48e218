// The wizard's message boxes and popups on Windows.
#include <windows.h>

#include "context/platform.h"
#include "printsys/add_port_popup_win.h"

namespace {

class Win32UserDialogs final : public UserDialogs {
 public:
  int ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                     uint32_t flags) override {
    return MessageBoxW(static_cast<HWND>(owner), text.c_str(), caption.c_str(), flags);
  }
  void OpenAddPortPopup(WindowHandle owner) override { CPopAddPort::Open(static_cast<HWND>(owner)); }
};

}  // namespace

UserDialogs& DefaultUserDialogs() {
  static Win32UserDialogs dialogs;
  return dialogs;
}
