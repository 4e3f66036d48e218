// The program's native windows: the main window and its two popups.
#pragma once

#include "app/main_window.h"
#include "ui/win/window_impl_base_win.h"

class CMainWnd : public ui::WindowImplBase, private MainWindowHost {
 public:
  CMainWnd();

 protected:
  const wchar_t* GetWindowClassName() const override { return L"MainWnd"; }
  UINT GetClassStyle() const override { return CS_DBLCLKS; }
  std::string GetSkinFile() override { return "XML_MAIN"; }
  void InitWindow() override;
  bool HandleNotification(const ui::Notification& notification) override;
  LRESULT HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  std::unique_ptr<ui::Control> CreateControl(std::string_view tag) override;

 private:
  void SetNativeTitle(const std::wstring& title) override;
  void DestroyNative() override;
  void Minimize() override;
  void OpenAboutPopup() override;
  void OpenLanguagePopup() override;
  void RepaintAll() override;
  LocalTime Now() const override;

  CMainPage mainPage_;
  MainWindowController controller_;
};

// Both popups: modal, owned by the main window, deleting themselves when their window is gone.
class CPopupBase : public ui::WindowImplBase {
 protected:
  const wchar_t* GetWindowClassName() const override { return L"PopAbout"; }
  void OnFinalMessage(HWND) override { delete this; }
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnClick(const ui::Notification& notification) override;
};

class CPopAbout : public CPopupBase {
 public:
  static void Open(HWND owner);

 protected:
  std::string GetSkinFile() override { return "pop_about.xml"; }
  void InitWindow() override;
};

class CPopLanguage : public CPopupBase {
 public:
  static void Open(HWND owner);

 protected:
  std::string GetSkinFile() override { return "pop_language.xml"; }
  void InitWindow() override;
  void OnClick(const ui::Notification& notification) override;
};
