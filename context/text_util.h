// Small wide-string helpers shared by the lists, the USB discovery and the Bluetooth code.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Pieces between delimiters; empty pieces between two delimiters are kept, a trailing empty piece
// (text ending in the delimiter, or empty text) is not.
std::vector<std::wstring> SplitText(std::wstring_view text, wchar_t delimiter);
std::wstring LowerCopy(std::wstring_view text);
bool ContainsIgnoreCase(std::wstring_view haystack, std::wstring_view needle);
bool ContainsExact(std::wstring_view haystack, std::wstring_view needle);

// Replaces the first "%s" of a text value with the argument; values hold at most one placeholder.
std::wstring FormatText(std::wstring_view pattern, std::wstring_view argument);
