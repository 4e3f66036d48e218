// Conversions between the UTF-8 of the skin package's files and the program's wide strings.
// wchar_t is UTF-16 on Windows and UTF-32 elsewhere; both are handled.
#pragma once

#include <string>
#include <string_view>

namespace ui {

// Invalid UTF-8 sequences become U+FFFD; nothing is dropped silently.
std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// ASCII-only case folding, as used for archive entry names and markup names.
char AsciiLower(char c);
std::string AsciiLowerCopy(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace ui
