#include "context/system_error.h"

#include <atomic>
#include <cwchar>

namespace {

std::atomic<uint16_t> g_errorTextLanguage{1033};

// Language 0 lets FormatMessage choose: neutral, the thread's, the user's, the system's, then English.
constexpr uint16_t kSystemChoosesLanguage = 0;

std::wstring Message(const SystemInfo& system, uint32_t code, uint16_t langId) {
  std::wstring text = system.SystemMessage(code, langId);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return text;
}

std::wstring CodeText(uint32_t code) {
  if (code <= 0xFFFF) return std::to_wstring(code);
  wchar_t hex[16];
  std::swprintf(hex, 16, L"0x%08X", static_cast<unsigned>(code));
  return hex;
}

}  // namespace

void SetErrorTextLanguage(uint16_t langId) { g_errorTextLanguage = langId; }
uint16_t ErrorTextLanguage() { return g_errorTextLanguage; }

std::wstring FormatSystemError(const SystemInfo& system, uint32_t code) {
  std::wstring text = Message(system, code, ErrorTextLanguage());
  if (text.empty()) text = Message(system, code, kSystemChoosesLanguage);
  const std::wstring number = L"(" + CodeText(code) + L")";
  return text.empty() ? number : text + L" " + number;
}

std::wstring FormatSystemError(uint32_t code) { return FormatSystemError(DefaultPlatform().system, code); }
