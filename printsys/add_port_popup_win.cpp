#include "printsys/add_port_popup_win.h"

#include "printsys/print_system.h"

CPopAddPort::CPopAddPort() : logic_(Model(), DefaultPrintSystem().spooler) {}

void CPopAddPort::Open(HWND owner) {
  auto* popup = new CPopAddPort;
  if (popup->Create(owner, L"", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 0, 0) == nullptr) {
    delete popup;
    return;
  }
  popup->CenterWindow();
  popup->ShowModal();
}

void CPopAddPort::InitWindow() { logic_.Initialise(); }

bool CPopAddPort::HandleNotification(const ui::Notification& notification) {
  logic_.OnNotification(notification);
  return false;
}

void CPopAddPort::OnClick(const ui::Notification& notification) {
  if (notification.sender != nullptr && logic_.OnClick(*notification.sender, GetHWND())) Close(0);
}
