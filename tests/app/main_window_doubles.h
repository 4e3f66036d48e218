// Stand-ins for the main window's native side in host tests: the host records what the controller
// asked of it, the sender hands each message to the controller before it returns (as SendMessageW
// does), and the handler delivers the model's notifications as the native window does.
#pragma once

#include "app/main_window.h"
#include "tests/fakes/fake_platform.h"

class FakeMainWindowHost : public MainWindowHost {
 public:
  std::wstring nativeTitle;
  int destroyed = 0, minimised = 0, aboutOpened = 0, languageOpened = 0, repaints = 0;
  LocalTime now{12, 3, 4, 5};
  void SetNativeTitle(const std::wstring& title) override { nativeTitle = title; }
  void DestroyNative() override { ++destroyed; }
  void Minimize() override { ++minimised; }
  void OpenAboutPopup() override { ++aboutOpened; }
  void OpenLanguagePopup() override { ++languageOpened; }
  void RepaintAll() override { ++repaints; }
  LocalTime Now() const override { return now; }
};

class DispatchingSender : public RecordingMessageSender {
 public:
  MainWindowController* target = nullptr;
  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    RecordingMessageSender::Send(window, message, wParam, lParam);
    if (target != nullptr) target->OnUiMessage(message, wParam, lParam);
    return 0;
  }
};

class ControllerHandler : public ui::NotificationHandler {
 public:
  explicit ControllerHandler(MainWindowController& controller) : controller_(controller) {}
  bool HandleNotification(const ui::Notification& notification) override {
    return controller_.OnNotification(notification);
  }

 private:
  MainWindowController& controller_;
};
