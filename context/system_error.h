// System error codes as text, in the language chosen for error texts (process-wide, English at start).
#pragma once

#include <cstdint>
#include <string>

#include "context/platform.h"

void SetErrorTextLanguage(uint16_t langId);
uint16_t ErrorTextLanguage();

// The system's message for the code without its trailing line break, followed by the code in
// brackets: "Access is denied. (5)". Where the system has no message in the error-text language (a
// Windows without that language pack) the system's own choice of language is taken; with no message
// at all, only the bracketed code. Codes above 0xFFFF (HRESULTs) are written in hexadecimal.
std::wstring FormatSystemError(const SystemInfo& system, uint32_t code);
std::wstring FormatSystemError(uint32_t code);
