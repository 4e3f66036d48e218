// One supported UI language and the language table keyed by LANGID.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct LanguageInfo {
  std::wstring index;  // registration position, "0" to "6"
  std::wstring key;    // text key of the language's own name, e.g. "lan.cn"
  uint16_t langId = 0;
  std::wstring code;   // e.g. "cn"
  std::wstring file;   // language file in the skin package
  int32_t fontSize = 14;
};

using LanguageTable = std::map<uint16_t, LanguageInfo>;

constexpr uint16_t kEnglishLangId = 1033;
