#include "context/system_error.h"

#include <atomic>

namespace {
std::atomic<uint16_t> g_errorTextLanguage{1033};
}

void SetErrorTextLanguage(uint16_t langId) { g_errorTextLanguage = langId; }
uint16_t ErrorTextLanguage() { return g_errorTextLanguage; }

std::wstring FormatSystemError(const SystemInfo& system, uint32_t code) {
  std::wstring text = system.SystemMessage(code, ErrorTextLanguage());
  // A language the system has no messages for (Thai chosen on an English Windows) would leave a
  // failure without its reason: then the system's own order of languages, as language 0 asks.
  if (text.empty() && ErrorTextLanguage() != 0) text = system.SystemMessage(code, 0);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

std::wstring FormatSystemError(uint32_t code) { return FormatSystemError(DefaultPlatform().system, code); }
