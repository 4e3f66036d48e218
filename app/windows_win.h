// The program's native windows: the main window and its two popups.
#pragma once

#include <functional>

#include "app/main_window.h"
#include "ui/win/window_impl_base_win.h"

class CMainWnd : public ui::WindowImplBase, private MainWindowHost {
 public:
  CMainWnd();

 protected:
  const wchar_t* GetWindowClassName() const override { return L"MainWnd"; }
  UINT GetClassStyle() const override { return CS_DBLCLKS; }
  // The layout fits one size: maximised, it would only stretch the pages' white space.
  bool CanMaximize() const override { return false; }
  std::string GetSkinFile() override { return "XML_MAIN"; }
  void InitWindow() override;
  void AfterFirstFrame() override;
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

// Exit code of a start that could not create its main window (as for a layout that cannot load).
constexpr int kExitNoMainWindow = 1;

// Creates the main window (title "printer driver", 560 x 400 until its layout sizes it), centres it
// and runs the message loop until the window is gone: 0. When the native window cannot be created,
// reportFailure gets the system's error code and the run ends at once with kExitNoMainWindow,
// rather than waiting in a message loop for a window that never came.
int RunMainWindow(ui::WindowImplBase& window, const std::function<void(unsigned long error)>& reportFailure);

// The box that tells the user the main window could not be created.
void ShowNoMainWindowBox(unsigned long error);

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
