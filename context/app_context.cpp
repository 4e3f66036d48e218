#include "context/app_context.h"

#include "context/ui_messages.h"

CAppContext& CAppContext::Instance() {
  static CAppContext context(DefaultPlatform());
  return context;
}

CAppContext::CAppContext(Platform& platform) : m_platform(platform) {
  m_pageSequences = {
      {0, 1, 2, 4, 7, 8, 9},  // USB
      {0, 1, 3, 4, 7, 8, 9},  // Bluetooth
      {0, 4, 6, 7, 8, 9},     // network
      {0, 4, 5, 7, 8, 9},     // LPT, COM, custom
  };
  BuildDriverModels();
}

CAppContext::~CAppContext() {
  for (SystemHandle* handle : {&m_btSearchThread, &m_usbScanThread, &m_installThread, &m_deleteThread}) {
    if (*handle != nullptr) m_platform.system.CloseHandle(*handle);
    *handle = nullptr;
  }
}

void CAppContext::BuildDriverModels() {
  m_driverModels.clear();
  m_driverModels.push_back(IsWindows8OrNewer() ? MakeInfDriverModel() : MakeLegacyDriverModel());
  m_driverModels.back().index = 0;
}

bool CAppContext::IsWindows8OrNewer() const { return ::IsWindows8OrNewer(m_platform.system); }
bool CAppContext::IsWow64() const { return ::IsWow64(m_platform.system); }

const LanguageInfo* CAppContext::LanguageOrEnglish(uint16_t langId) const {
  auto found = m_languages.find(langId);
  if (found == m_languages.end()) found = m_languages.find(kEnglishLangId);
  return found == m_languages.end() ? nullptr : &found->second;
}

LanguageInfo CAppContext::DetectLanguage() {
  // The whole LANGID must match: Chinese (Taiwan) or Portuguese (Brazil) fall back to English.
  const LanguageInfo* language = LanguageOrEnglish(m_platform.system.UserDefaultUILanguage());
  LanguageInfo chosen = language != nullptr ? *language : LanguageInfo{L"1", L"lan.en", kEnglishLangId, L"en",
                                                                        L"lan_en.xml", 14};
  m_curLangId = chosen.langId;
  return chosen;
}

void CAppContext::SendNotice(uint32_t message, uintptr_t wParam, const UiNotice* notice) {
  m_platform.messages.Send(m_hMainWnd, message, wParam, reinterpret_cast<intptr_t>(notice));
}

void CAppContext::PostInstallLog(const std::wstring& text, bool alert, bool clear) {
  const UiNotice notice{text, alert, clear, true};
  SendNotice(UM_INSTALL_LOG, 0, &notice);
}

void CAppContext::PostDeleteLog(const std::wstring& text, bool alert, bool clear) {
  const UiNotice notice{text, alert, clear, true};
  SendNotice(UM_DELETE_LOG, 0, &notice);
}

void CAppContext::PostPrinterNameStatus(const std::wstring& text, bool alert) {
  const UiNotice notice{text, alert, false, true};
  SendNotice(UM_PRINTER_NAME_STATUS, 0, &notice);
}

void CAppContext::PostBtAdapterStatus(bool visible, const std::wstring& text) {
  const UiNotice notice{text, false, false, true};
  SendNotice(UM_BT_ADAPTER_STATUS, visible ? 1 : 0, text.empty() ? nullptr : &notice);
}
