// The seven supported languages and text lookup from code.
#pragma once

#include <string>

#include "context/app_context.h"
#include "ui/edit.h"
#include "printsys/shell_runner.h"

// Registers Chinese, English, Spanish, Japanese, Korean, Portuguese and Thai, in that order.
void RegisterLanguages(CAppContext& context);

// The current text of a key from the framework's text table (the key itself when it is missing).
std::wstring GetText(const wchar_t* key);
// A text whose value holds "%s", filled with one argument.
std::wstring GetTextWith(const wchar_t* key, const std::wstring& argument);

// The face every layout names, 宋体 (SimSun): through font linking it draws every language's script.
extern const wchar_t kLayoutFace[];
// The current language's text size in pixels (14 unless the language asks for more).
int LanguageTextSize(const CAppContext& context);
// Text written into the main window's rich edits (the logs, the removal summary): the layouts' face
// at the size of the language's page text, in that colour, like every drawn text of the window.
ui::CharFormat PageTextFormat(const CAppContext& context, ui::Color color);
// The red line of a system tool that did not succeed: not started (with the system's reason),
// still running when its wait ran out, or ended with an exit code other than 0.
std::wstring ToolFailureText(const SystemInfo& system, const std::wstring& tool, const ShellResult& result);
// The refusal on a machine the package has no driver for.
std::wstring NoPackageText(Machine machine);
