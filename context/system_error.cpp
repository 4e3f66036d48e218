#include "context/system_error.h"

#include <atomic>

namespace {
std::atomic<uint16_t> g_errorTextLanguage{1033};
}

void SetErrorTextLanguage(uint16_t langId) { g_errorTextLanguage = langId; }
uint16_t ErrorTextLanguage() { return g_errorTextLanguage; }

std::wstring FormatSystemError(const SystemInfo& system, uint32_t code) {
  std::wstring text = system.SystemMessage(code, ErrorTextLanguage());
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

std::wstring FormatSystemError(uint32_t code) { return FormatSystemError(DefaultPlatform().system, code); }
