#include "app/windows_win.h"

#include "app/popups.h"
#include "context/system_error.h"
#include "context/text_util.h"
#include "controls/custom_controls.h"

CMainWnd::CMainWnd() : controller_(Model(), CAppContext::Instance(), *this) {
  Model().AddVirtualWnd(L"mainpage", &mainPage_);
}

void CMainWnd::InitWindow() { controller_.Initialise(GetHWND()); }
void CMainWnd::AfterFirstFrame() { controller_.AfterFirstFrame(); }

bool CMainWnd::HandleNotification(const ui::Notification& notification) {
  return controller_.OnNotification(notification);
}

LRESULT CMainWnd::HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = false;
  if (message >= 750 && message <= 770) {
    controller_.OnUiMessage(message, wParam, lParam);
    return 0;
  }
  switch (message) {
    case WM_CLOSE:  // Alt+F4 and the taskbar: a running worker is stopped only when the user agrees
      handled = !controller_.ConfirmClose();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      handled = true;
      return 0;
    case WM_SHOWWINDOW:
      if (ui::Control* minimise = Model().FindControl(L"minbtn")) {
        if (minimise->Parent() != nullptr) minimise->Parent()->NeedParentUpdate();
      }
      InvalidateRect(GetHWND(), nullptr, FALSE);
      return 0;
    case WM_DPICHANGED: {
      SetDisplayScale(LOWORD(wParam) * 100 / 96);
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(GetHWND(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      Model().MarkForLayout();
      return 0;
    }
    default:
      return 0;
  }
}

std::unique_ptr<ui::Control> CMainWnd::CreateControl(std::string_view tag) {
  if (LowerCopy(std::wstring(tag.begin(), tag.end())) == L"circleprogress") return CreateCircleProgress();
  return nullptr;
}

void CMainWnd::SetNativeTitle(const std::wstring& title) { SetWindowTextW(GetHWND(), title.c_str()); }
void CMainWnd::DestroyNative() { DestroyWindow(GetHWND()); }
void CMainWnd::Minimize() { SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }
void CMainWnd::OpenAboutPopup() { CPopAbout::Open(GetHWND()); }
void CMainWnd::OpenLanguagePopup() { CPopLanguage::Open(GetHWND()); }
void CMainWnd::RepaintAll() { InvalidateRect(GetHWND(), nullptr, FALSE); }

LocalTime CMainWnd::Now() const {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

int RunMainWindow(ui::WindowImplBase& window, const std::function<void(unsigned long error)>& reportFailure) {
  // Shown once centred: a window shown where it was created and then moved costs the display a
  // second placement and may flash in the corner.
  if (window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW, 0, 0, 0, 560, 400) == nullptr) {
    const DWORD error = GetLastError();
    if (reportFailure) reportFailure(error);
    return kExitNoMainWindow;
  }
  window.CenterWindow();
  ShowWindow(window.GetHWND(), SW_SHOWNORMAL);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

void ShowNoMainWindowBox(unsigned long error) {
  const std::wstring text = L"The main window could not be created.\r\n" + FormatSystemError(error);
  MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONERROR);
}

LRESULT CPopupBase::OnSysCommand(WPARAM wParam, LPARAM, bool& handled) {
  // Alt+F4 closes the popup only; its owner and the program stay.
  handled = (wParam & 0xFFF0) == SC_CLOSE;
  if (handled) Close(0);
  return 0;
}

void CPopupBase::OnClick(const ui::Notification& notification) {
  if (notification.sender != nullptr && LowerCopy(notification.sender->Name()) == L"closebtn") Close(0);
}

void CPopAbout::Open(HWND owner) {
  auto* popup = new CPopAbout;
  if (popup->Create(owner, L"", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 0, 0, 0, 0) == nullptr) {
    delete popup;
    return;
  }
  popup->CenterWindow();
  popup->ShowModal();
}

void CPopAbout::InitWindow() { InitAboutPopup(Model()); }

void CPopLanguage::Open(HWND owner) {
  auto* popup = new CPopLanguage;
  constexpr DWORD kDialogStyle = 0x96C80000;
  if (popup->Create(owner, L"", kDialogStyle, 0, 0, 0, 0, 0) == nullptr) {
    delete popup;
    return;
  }
  popup->CenterWindow();
  popup->ShowModal();
}

void CPopLanguage::InitWindow() {
  CAppContext& context = CAppContext::Instance();
  FillLanguageList(Model(), context.m_languages, context.m_curLangId);
}

void CPopLanguage::OnClick(const ui::Notification& notification) {
  CPopupBase::OnClick(notification);
  if (notification.sender == nullptr || LowerCopy(notification.sender->Name()) != L"radiolan") return;
  const uint16_t langId = static_cast<uint16_t>(std::wcstoul(notification.sender->UserData().c_str(), nullptr, 10));
  SwitchLanguage(CAppContext::Instance(), Model().GetResources(), langId, [this] {
    Model().MarkForLayout();
    InvalidateRect(GetHWND(), nullptr, FALSE);
  });
}
