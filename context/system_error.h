// System error codes as text, in the language chosen for error texts (process-wide, English at start).
#pragma once

#include <cstdint>
#include <string>

#include "context/platform.h"

void SetErrorTextLanguage(uint16_t langId);
uint16_t ErrorTextLanguage();

// The system's message for the code in the error-text language, without its trailing line break;
// when the system has none in that language, its message in the language the system chooses
// (neutral, the user's, the system's, English); empty when it has none at all.
std::wstring FormatSystemError(const SystemInfo& system, uint32_t code);
std::wstring FormatSystemError(uint32_t code);
