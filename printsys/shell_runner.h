// Starting the system's own tools (certutil, rundll32 with printui) through the shell.
#pragma once

#include <string>

#include "context/platform.h"

constexpr int kShowHidden = 0;
constexpr int kShowNormal = 1;

// One ShellExecuteExW call with the verb "open".
struct ShellCommand {
  WindowHandle owner = nullptr;
  std::wstring file;
  std::wstring parameters;
  int show = kShowNormal;
  bool wait = false;  // wait without time-out for the started process to end
};

class ShellRunner {
 public:
  virtual ~ShellRunner() = default;
  // True when the process was started (and, for a waiting command, has ended). The exit code is
  // not read.
  virtual bool Run(const ShellCommand& command) = 0;
};
