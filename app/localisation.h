// The seven supported languages and text lookup from code.
#pragma once

#include <string>

#include "context/app_context.h"
#include "printsys/shell_runner.h"

// Registers Chinese, English, Spanish, Japanese, Korean, Portuguese and Thai, in that order.
void RegisterLanguages(CAppContext& context);

// The current text of a key from the framework's text table (the key itself when it is missing).
std::wstring GetText(const wchar_t* key);
// A text whose value holds "%s", filled with one argument.
std::wstring GetTextWith(const wchar_t* key, const std::wstring& argument);

// The red line of a system tool that did not succeed: not started (with the system's reason),
// still running when its wait ran out, or ended with an exit code other than 0.
std::wstring ToolFailureText(const SystemInfo& system, const std::wstring& tool, const ShellResult& result);
// The refusal on a machine the package has no driver for.
std::wstring NoPackageText(Machine machine);
