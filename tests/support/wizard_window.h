// The main window on the package's real layouts with its controller, driven as a user clicks it.
// The caller gives the message sender (synchronous, or across threads) and the thread starter; the
// context shares the default fake system, on which the default fake spooler reports its errors.
#pragma once

#include <string>
#include <vector>

#include "app/main_window.h"
#include "tests/app/main_window_doubles.h"
#include "tests/support/joined_threads.h"
#include "tests/support/ui_thread_sender.h"
#include "tests/fakes/fake_platform.h"
#include "ui/list.h"

class WizardWindow {
 public:
  WizardWindow(MessageSender& sender, ThreadStarter& threads);
  // Loads the skin and the main layout and initialises the controller, which sends its first
  // messages: the sender must reach this window's controller by then. False when a step fails.
  bool Open();

  ui::Control* Find(const wchar_t* name) const { return model.FindControl(name); }
  ui::List* List(const wchar_t* name) const { return model.Find<ui::List>(name); }
  bool Shown(const wchar_t* name) const;
  // A click as the window delivers it: the control activates and its notifications run through
  // the main window's handler.
  void Click(const wchar_t* name);
  // The rows' texts of a text list (column 1), and which of them are marked.
  std::vector<std::wstring> RowNames(const wchar_t* list) const;
  std::vector<std::wstring> MarkedRowNames(const wchar_t* list) const;
  // The row of that name: a click on the row, or on its check box (the click that follows on the
  // row comes with it, as a mouse click gives both).
  void ClickRow(const wchar_t* list, const std::wstring& name);
  void ClickCheckBox(const wchar_t* list, const std::wstring& name);

  FakeSystemInfo& system;
  FakeFileSystem files{system};
  FakeUserDialogs dialogs;
  Platform platform;
  CAppContext context{platform};
  ui::WindowModel model;
  FakeMainWindowHost host;
  MainWindowController controller{model, context, host};
  ControllerHandler handler{controller};

 private:
  ui::ListTextElement* Row(const wchar_t* list, const std::wstring& name) const;
  std::vector<uint8_t> skin_;
  int nativeWindow_ = 0;
};

// The window on a UI thread of the test's own and its workers on real threads: a worker's message
// waits until the UI thread pumps, as SendMessageW waits for the window's thread.
struct ThreadedWizardWindow {
  UiThreadSender sender{[this](WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    window.controller.OnUiMessage(message, wParam, lParam);
    return intptr_t{0};
  }};
  JoinedThreads threads;
  WizardWindow window{sender, threads};
};
