#include "printsys/win32_support_win.h"

#include <cstring>

namespace win32 {

namespace {
constexpr size_t kLongestUnboundedString = 32767;
}

std::wstring BoundedString(const wchar_t* text, size_t capacity) {
  if (text == nullptr) return {};
  size_t length = 0;
  while (length < capacity && text[length] != L'\0') ++length;
  return std::wstring(text, length);
}

std::wstring RecordString(const wchar_t* text, const std::vector<uint8_t>& buffer) {
  if (text == nullptr) return {};
  const auto* begin = reinterpret_cast<const uint8_t*>(buffer.data());
  const auto* at = reinterpret_cast<const uint8_t*>(text);
  if (at >= begin && at < begin + buffer.size()) {
    return BoundedString(text, static_cast<size_t>(begin + buffer.size() - at) / sizeof(wchar_t));
  }
  return BoundedString(text, kLongestUnboundedString);
}

GUID ToGuid(const SystemGuid& guid) {
  GUID result;
  result.Data1 = guid.data1;
  result.Data2 = guid.data2;
  result.Data3 = guid.data3;
  std::memcpy(result.Data4, guid.data4, sizeof(result.Data4));
  return result;
}

bool SameGuid(const GUID& a, const SystemGuid& b) {
  const GUID converted = ToGuid(b);
  return IsEqualGUID(a, converted) != 0;
}

}  // namespace win32
