#pragma once

#include "printsys/shell_runner.h"

class Win32ShellRunner final : public ShellRunner {
 public:
  ShellResult Run(const ShellCommand& command) override;
};
