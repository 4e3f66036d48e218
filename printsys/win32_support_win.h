// Shared by the Win32 adapters of the print system: owners for system handles, the call-twice
// buffer sizing of the enumerations, and bounded reading of strings inside returned buffers.
#pragma once

// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <setupapi.h>
#include <winspool.h>
// clang-format on

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "printsys/device_setup.h"

namespace win32 {

class PrinterHandle {
 public:
  PrinterHandle() = default;
  ~PrinterHandle() { Reset(); }
  PrinterHandle(const PrinterHandle&) = delete;
  PrinterHandle& operator=(const PrinterHandle&) = delete;
  HANDLE* Receive() {
    Reset();
    return &handle_;
  }
  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Closes the handle without disturbing the last error of the call before.
  void Reset() {
    if (handle_ == nullptr) return;
    const DWORD error = GetLastError();
    ClosePrinter(handle_);
    handle_ = nullptr;
    SetLastError(error);
  }

 private:
  HANDLE handle_ = nullptr;
};

class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) : key_(key == INVALID_HANDLE_VALUE ? nullptr : key) {}
  ~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* Receive() { return &key_; }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

 private:
  HKEY key_ = nullptr;
};

class DeviceInfoSet {
 public:
  explicit DeviceInfoSet(HDEVINFO set) : set_(set) {}
  ~DeviceInfoSet() {
    if (set_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(set_);
  }
  DeviceInfoSet(const DeviceInfoSet&) = delete;
  DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
  HDEVINFO get() const { return set_; }
  explicit operator bool() const { return set_ != INVALID_HANDLE_VALUE; }

 private:
  HDEVINFO set_;
};

// The two-call pattern: call(nullptr, 0, &needed) only reports the size, then call(buffer, needed,
// &needed) fills a zeroed buffer of exactly that size. False when the size is 0, the buffer cannot
// be had or the second call fails.
template <typename Call>
bool FillSizedBuffer(std::vector<uint8_t>& buffer, Call call) {
  buffer.clear();
  DWORD needed = 0;
  call(nullptr, 0, &needed);
  if (needed == 0) return false;
  try {
    buffer.assign(needed, 0);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  DWORD again = needed;
  if (!call(buffer.data(), needed, &again)) {
    buffer.clear();
    return false;
  }
  return true;
}

// Items of an array of records at the start of the buffer; never more than the buffer holds.
template <typename Record>
size_t RecordCount(const std::vector<uint8_t>& buffer, DWORD returned) {
  const size_t fits = buffer.size() / sizeof(Record);
  return returned < fits ? returned : fits;
}

// A string a system record points to; null gives an empty string. Inside the buffer the read
// stops at its end.
std::wstring RecordString(const wchar_t* text, const std::vector<uint8_t>& buffer);
// A string in a fixed-size field or buffer of the given number of characters.
std::wstring BoundedString(const wchar_t* text, size_t capacity);
// Null for an empty string, as the spooler records want absent fields.
inline wchar_t* NullIfEmpty(const std::wstring& text) {
  return text.empty() ? nullptr : const_cast<wchar_t*>(text.c_str());
}

GUID ToGuid(const SystemGuid& guid);
bool SameGuid(const GUID& a, const SystemGuid& b);

}  // namespace win32
