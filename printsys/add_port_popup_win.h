// The add-port popup's native window: modal, owned by the main window, deleting itself when gone.
#pragma once

#include "printsys/add_port_popup.h"
#include "ui/win/window_impl_base_win.h"

class CPopAddPort : public ui::WindowImplBase {
 public:
  CPopAddPort();
  // Returns when the user has closed the popup.
  static void Open(HWND owner);

 protected:
  const wchar_t* GetWindowClassName() const override { return L"PopAddPort"; }
  std::string GetSkinFile() override { return "pop_add_port.xml"; }
  void InitWindow() override;
  bool HandleNotification(const ui::Notification& notification) override;
  void OnClick(const ui::Notification& notification) override;
  void OnFinalMessage(HWND) override { delete this; }

 private:
  AddPortPopupLogic logic_;
};
