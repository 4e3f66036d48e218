#include "context/text_util.h"

#include <cwctype>

std::vector<std::wstring> SplitText(std::wstring_view text, wchar_t delimiter) {
  std::vector<std::wstring> pieces;
  size_t start = 0;
  while (start < text.size()) {
    const size_t at = text.find(delimiter, start);
    if (at == std::wstring_view::npos) {
      pieces.emplace_back(text.substr(start));
      break;
    }
    pieces.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
  return pieces;
}

std::wstring LowerCopy(std::wstring_view text) {
  std::wstring lower(text);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return lower;
}

bool ContainsIgnoreCase(std::wstring_view haystack, std::wstring_view needle) {
  return LowerCopy(haystack).find(LowerCopy(needle)) != std::wstring::npos;
}

bool ContainsExact(std::wstring_view haystack, std::wstring_view needle) {
  return haystack.find(needle) != std::wstring_view::npos;
}

std::wstring FormatText(std::wstring_view pattern, std::wstring_view argument) {
  std::wstring text(pattern);
  const size_t at = text.find(L"%s");
  if (at != std::wstring::npos) text.replace(at, 2, argument);
  return text;
}
