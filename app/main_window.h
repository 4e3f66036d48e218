// The main window's behaviour apart from its native window: initialisation, the message table that
// workers and the wizard drive, the language font, the title and the routing of notifications.
#pragma once

#include <cstdint>
#include <string>

#include "context/app_context.h"
#include "ui/notification.h"
#include "ui/window_model.h"

namespace ui {
class Button;
class Control;
class GifAnim;
class Label;
class RichEdit;
}  // namespace ui

struct LocalTime {
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// What the logic asks of the native window.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  virtual void SetNativeTitle(const std::wstring& title) = 0;
  virtual void DestroyNative() = 0;
  virtual void Minimize() = 0;
  virtual void OpenAboutPopup() = 0;
  virtual void OpenLanguagePopup() = 0;
  virtual void RepaintAll() = 0;
  virtual LocalTime Now() const = 0;
};

// The wizard's notification target "mainpage": the caption buttons' notifications end here.
class CMainPage : public ui::NotifyPump {
 public:
  CMainPage();
};

class MainWindowController {
 public:
  MainWindowController(ui::WindowModel& model, CAppContext& context, MainWindowHost& host);

  // Runs once the control tree exists; handle is the native window's.
  void Initialise(WindowHandle handle);
  // Runs once the window's first frame is on screen: the installed printers are read then.
  void AfterFirstFrame();
  // Messages 750 to 770. Always leaves them unhandled for the framework, so senders get 0.
  void OnUiMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
  // The window's own notification handler: true stops the notification there.
  bool OnNotification(const ui::Notification& notification);
  void OnClick(const ui::Notification& notification);
  // Whether the window may close now: at once when no worker runs; otherwise only when the user
  // agrees to stop the run, which then leaves a red line in its log. False keeps the window.
  bool ConfirmClose();

  void ApplyLanguageFont();
  void SetTitle();
  // The title text: mainTitle, two blanks, the version.
  std::wstring TitleText() const;

  static std::wstring TimeStamp(const LocalTime& time);
  static constexpr const wchar_t* kVersion = L"V1.0.01";

 private:
  void FindControls();
  // A log line, or the log emptied; counts the red lines since the log was last emptied.
  void AppendLogLine(ui::RichEdit* log, const UiNotice& notice, int& alerts);
  void SetBusy(ui::GifAnim* animation, bool run);
  // A run's page heading: please wait while it runs, then how it went. A run failed when its
  // worker says so (the ending busy message's notice) or when its log holds a red line.
  struct RunHeading {
    ui::Control* label;
    const wchar_t* running;
    const wchar_t* done;
    const wchar_t* failed;
  };
  static void ShowRunHeading(const RunHeading& heading, bool running, bool failed);

  ui::WindowModel& model_;
  CAppContext& context_;
  MainWindowHost& host_;
  ui::Label* title_ = nullptr;
  ui::Control* tabSwitch_ = nullptr;
  ui::Control* tabInstall_ = nullptr;
  ui::Control* tabDelete_ = nullptr;
  ui::Control* backButton_ = nullptr;
  ui::Control* nextButton_ = nullptr;
  ui::Control* deleteOption_ = nullptr;
  ui::RichEdit* installLog_ = nullptr;
  ui::RichEdit* deleteLog_ = nullptr;
  ui::GifAnim* installBusy_ = nullptr;
  ui::GifAnim* deleteBusy_ = nullptr;
  RunHeading installHeading_{};
  RunHeading deleteHeading_{};
  int installAlerts_ = 0;
  int deleteAlerts_ = 0;
  ui::Control* finishBar_ = nullptr;
  ui::Control* stepBar_ = nullptr;
  ui::Control* printerActions_[3] = {};
  ui::Control* printerNameInfo_ = nullptr;
  ui::Control* adapterLine_ = nullptr;
  ui::Control* adapterText_ = nullptr;
};
