// The seven supported languages and text lookup from code.
#pragma once

#include <string>

#include "context/app_context.h"

// Registers Chinese, English, Spanish, Japanese, Korean, Portuguese and Thai, in that order.
void RegisterLanguages(CAppContext& context);

// The current text of a key from the framework's text table (the key itself when it is missing).
std::wstring GetText(const wchar_t* key);
// A text whose value holds "%s", filled with one argument.
std::wstring GetTextWith(const wchar_t* key, const std::wstring& argument);
