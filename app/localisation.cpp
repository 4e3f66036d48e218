#include "app/localisation.h"

#include <cstdio>

#include "context/system_error.h"
#include "context/text_util.h"
#include "ui/resources.h"

void RegisterLanguages(CAppContext& context) {
  static const LanguageInfo kLanguages[] = {
      {L"0", L"lan.cn", 2052, L"cn", L"lan_cn.xml", 14}, {L"1", L"lan.en", 1033, L"en", L"lan_en.xml", 14},
      {L"2", L"lan.es", 1034, L"es", L"lan_es.xml", 14}, {L"3", L"lan.ja", 1041, L"ja", L"lan_ja.xml", 14},
      {L"4", L"lan.ko", 1042, L"ko", L"lan_ko.xml", 18}, {L"5", L"lan.pt", 2070, L"pt", L"lan_pt.xml", 14},
      {L"6", L"lan.th", 1054, L"th", L"lan_th.xml", 20},
  };
  for (const LanguageInfo& language : kLanguages) context.RegisterLanguage(language);
}

std::wstring GetText(const wchar_t* key) { return ui::Resources::Instance().Texts().Get(key); }

std::wstring GetTextWith(const wchar_t* key, const std::wstring& argument) {
  return FormatText(GetText(key), argument);
}

const wchar_t kLayoutFace[] = L"\u5b8b\u4f53";  // 宋体

int LanguageTextSize(const CAppContext& context) {
  const LanguageInfo* language = context.LanguageOrEnglish(context.m_curLangId);
  return language != nullptr ? language->fontSize : kBaseTextSize;
}

ui::CharFormat PageTextFormat(const CAppContext& context, ui::Color color) {
  ui::CharFormat format;
  format.face = kLayoutFace;
  format.heightTwips = kLogTextTwips * LanguageTextSize(context) / kBaseTextSize;
  format.color = color;
  return format;
}

std::wstring ToolFailureText(const SystemInfo& system, const std::wstring& tool, const ShellResult& result) {
  switch (result.outcome) {
    case ShellOutcome::kNotStarted:
      return GetTextWith(L"tip.toolnotstarted", tool + L": " + FormatSystemError(system, result.error));
    case ShellOutcome::kTimedOut:
      return GetTextWith(L"tip.tooltimeout", tool);
    case ShellOutcome::kStarted:
    case ShellOutcome::kEnded:
      break;
  }
  wchar_t code[16] = {};
  std::swprintf(code, 16, L"0x%08X",
                static_cast<unsigned>(result.exitCode));  // certutil ends with an HRESULT
  return GetTextWith(L"tip.toolfail", tool + L" (" + code + L")");
}

std::wstring NoPackageText(Machine machine) {
  return GetTextWith(L"tip.nopackage", machine == Machine::kArm64 ? L"ARM64" : L"?");
}
