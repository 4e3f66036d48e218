// Starting the system's own tools (certutil, rundll32 with printui) through the shell.
#pragma once

#include <cstdint>
#include <string>

#include "context/platform.h"

constexpr int kShowHidden = 0;
constexpr int kShowNormal = 1;

// One ShellExecuteExW call with the verb "open", without the shell's own error boxes
// (SEE_MASK_FLAG_NO_UI): the caller reports what went wrong.
struct ShellCommand {
  WindowHandle owner = nullptr;
  std::wstring file;  // the tool's absolute path
  std::wstring parameters;
  int show = kShowNormal;
  uint32_t waitMs = 0;  // 0: do not wait; otherwise wait at most this long for the tool to end
};

enum class ShellOutcome : uint8_t {
  kNotStarted,  // error says why
  kStarted,     // not waited for
  kEnded,       // exitCode is the tool's
  kTimedOut,    // still running when the wait ran out; it is left to end on its own
};

struct ShellResult {
  ShellOutcome outcome = ShellOutcome::kNotStarted;
  uint32_t exitCode = 0;
  uint32_t error = 0;
  // A waited-for tool that ended with exit code 0.
  bool Succeeded() const { return outcome == ShellOutcome::kEnded && exitCode == 0; }
};

class ShellRunner {
 public:
  virtual ~ShellRunner() = default;
  virtual ShellResult Run(const ShellCommand& command) = 0;
};
