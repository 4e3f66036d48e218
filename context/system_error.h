// System error codes as text, in the language chosen for error texts (process-wide, English at start).
#pragma once

#include <cstdint>
#include <string>

#include "context/platform.h"

void SetErrorTextLanguage(uint16_t langId);
uint16_t ErrorTextLanguage();

// The system's message for the code in the error-text language, without its trailing line break;
// empty when the system has no message in that language (there is no retry in another one).
std::wstring FormatSystemError(const SystemInfo& system, uint32_t code);
std::wstring FormatSystemError(uint32_t code);
