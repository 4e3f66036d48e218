// A native top-level window hosting a WindowModel: the window class, painting into a back buffer with
// GDI+, the borderless caption and sizing frame, mouse input, animated images, modal loops.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

#include "ui/win/accessible_win.h"
#include "ui/win/back_buffer_win.h"
#include "ui/win/image_cache_win.h"
#include "ui/win/shadow_window_win.h"
#include "ui/window_model.h"

namespace ui {

class GdiplusTextMeasurer;

class WindowImplBase : public NotificationHandler, public CreateControlCallback, public TextCallback, public WindowHost {
 public:
  WindowImplBase();
  ~WindowImplBase() override;

  // Null when the native window cannot be made; the caller then still owns this object (OnFinalMessage
  // runs only for a window that Create returned).
  HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int cx, int cy);
  void CenterWindow();
  // Disables the owner and runs a message loop until this window is gone; returns Close's code.
  // The owner is enabled again before this window goes, so it takes the activation back.
  UINT ShowModal();
  void Close(UINT code = IDOK);
  HWND GetHWND() const { return hwnd_; }
  WindowModel& Model() { return model_; }

  // The text shown when a window's layout cannot be loaded, before the process ends with code 1.
  static std::wstring LayoutErrorText(const std::string& layoutName);

 protected:
  virtual const wchar_t* GetWindowClassName() const = 0;
  virtual UINT GetClassStyle() const { return 0; }
  // False keeps the window from being maximised: no maximise box, no SC_MAXIMIZE, no double click on
  // the caption area.
  virtual bool CanMaximize() const { return true; }
  virtual std::string GetSkinFile() = 0;
  // Runs once the controls exist.
  virtual void InitWindow() {}
  // Runs once the first frame is on screen: work that frame does not need.
  virtual void AfterFirstFrame() {}
  // Every notification of the window's controls; answer true to stop it there.
  bool HandleNotification(const Notification& notification) override;
  // The framework's own buttons: closebtn, minbtn, maxbtn and restorebtn.
  virtual void OnClick(const Notification& notification);
  // Runs before the host's own handling; set handled to keep the message from it.
  virtual LRESULT HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  virtual LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam, bool& handled);
  // After the native window is gone; popups delete themselves here.
  virtual void OnFinalMessage(HWND hwnd) { (void)hwnd; }
  std::unique_ptr<Control> CreateControl(std::string_view tag) override;
  bool ProvideText(const std::wstring& key, std::wstring& text) override;

  void Invalidate(const Rect& rect) override;
  // The native focus follows the model's: into a native edit, or back to this window.
  void FocusChanged(Control* focused) override;
  void AccessibleChanged(Control* control, AccessibleEvent event) override;
  // Animation frames come from a short timer while the window is visible.
  bool RequestAnimationFrames() override;
  // Display scale in percent: the tree and the images follow it.
  void SetDisplayScale(int percent);
  ImageCache& Images() { return images_; }

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterWindowClass();
  LRESULT OnCreate();
  void OnPaint();
  LRESULT OnHitTest(LPARAM lParam);
  void OnMinMaxInfo(MINMAXINFO* info);
  void OnMouseWheel(WPARAM wParam, LPARAM lParam);
  // True when the cursor was set for a control under the mouse.
  bool OnSetCursor(WPARAM wParam, LPARAM lParam);
  // Enables the owner of a running modal loop; called before the window is destroyed.
  void EndModal();
  void StartAnimations();
  // One tool over the whole client area whose text follows the control under the mouse.
  void CreateTooltip();
  void UpdateTooltip(Point point);
  void SetTooltipText(const std::wstring& text);
  // Edit and RichEdit controls get native child windows; their bounds follow every layout pass.
  // Those the first frame shows get theirs at creation, the others after that frame.
  void AttachNativeEdits(bool shownOnly);
  // What the first frame does not show, run once it is painted.
  void FinishAfterFirstFrame();
  void EnsureLayout();
  void SyncNativeEdits();
  void OnAnimationTimer();
  void OnFrameTimer();
  // The keyboard (window_keys_win.cpp): a popup's Escape, the keys the model handles, the focus
  // handed back to a native edit when this window gets it.
  void SetUpKeyboard();
  bool OnKeyDown(WPARAM virtualKey);
  void OnSetFocus();

  HWND hwnd_ = nullptr;
  std::unique_ptr<GdiplusTextMeasurer> measurer_;  // the model's from creation on
  WindowModel model_;
  ImageCache images_;
  BackBuffer backBuffer_;
  bool trackingMouse_ = false;
  HWND tooltip_ = nullptr;
  std::wstring tooltipText_;
  ShadowWindow shadow_;
  bool framesRunning_ = false;
  DWORD lastFrameTick_ = 0;
  UINT* modalResult_ = nullptr;  // where Close writes the code while a modal loop runs
  HWND modalOwner_ = nullptr;    // disabled while a modal loop runs
  bool created_ = false;         // Create returned this window
  std::unique_ptr<AccessibleWindow> accessible_;  // what MSAA clients see, while the window lives
};

}  // namespace ui
