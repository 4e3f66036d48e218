// The install, removal and listing the command line asks for, run on the wizard's own workers'
// logic with every line they show going to a writer instead of the window.
#pragma once

#include <functional>
#include <string>

#include "app/command_line.h"
#include "app/main_window.h"
#include "context/platform.h"

class CAppContext;

// Stands in for the main window and the message boxes: log lines become time-stamped text lines,
// a message box becomes a line with its caption and is answered OK. Other messages go on to the
// window when there is one.
class UnattendedSink : public MessageSender, public UserDialogs {
 public:
  using Writer = std::function<void(const std::wstring& line)>;
  UnattendedSink(Writer write, std::function<LocalTime()> now, MessageSender* window = nullptr);

  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  int ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                     uint32_t flags) override;
  void OpenAddPortPopup(WindowHandle) override {}

  // A line of the run itself, time-stamped like the workers' lines.
  void Line(const std::wstring& text);
  // A red line of the run itself: it counts among the alerts.
  void Alert(const std::wstring& text);
  // A line as it stands: usage and listings.
  void Raw(const std::wstring& text) { write_(text); }
  // The red lines seen so far.
  int alerts() const { return alerts_; }

 private:
  Writer write_;
  std::function<LocalTime()> now_;
  MessageSender* window_;
  int alerts_ = 0;
};

// Runs an install, removal, listing or the usage on a context whose platform sends through the
// sink; the exit code.
int RunUnattended(CAppContext& context, const UnattendedRequest& request, UnattendedSink& sink);
// The text of a refused command line, for the sink.
std::wstring CommandLineErrorText(const ParsedCommandLine& parsed);
