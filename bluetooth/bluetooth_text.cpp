#include "bluetooth/bluetooth_text.h"

#include <vector>

#include "context/text_util.h"

namespace {
constexpr size_t kAddressDigits = 12;

bool IsPinCharacter(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
}
}  // namespace

std::wstring FormatBluetoothAddress(uint64_t address, bool separators) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring text;
  for (int byte = 5; byte >= 0; --byte) {
    const unsigned value = static_cast<unsigned>((address >> (8 * byte)) & 0xFF);
    text.push_back(kHex[value >> 4]);
    text.push_back(kHex[value & 0xF]);
    if (separators && byte > 0) text.push_back(L'-');
  }
  return text;
}

bool ComInstanceMatchesAddress(const std::wstring& instanceId, const std::wstring& addressText) {
  const std::vector<std::wstring> pieces = SplitText(instanceId, L'_');
  if (pieces.size() < 2) return false;
  const std::wstring& piece = pieces[pieces.size() - 2];
  if (piece.size() < kAddressDigits) return false;
  return LowerCopy(piece.substr(piece.size() - kAddressDigits)) == LowerCopy(addressText);
}

bool IsValidBluetoothPin(const std::wstring& pin) {
  if (pin.empty()) return false;
  for (wchar_t c : pin) {
    if (!IsPinCharacter(c)) return false;
  }
  return true;
}

std::wstring FilterPinInput(const std::wstring& text) {
  std::wstring kept;
  for (wchar_t c : text) {
    if (IsPinCharacter(c)) kept.push_back(c);
  }
  return kept;
}
