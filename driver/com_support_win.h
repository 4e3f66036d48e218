// What both plug-ins need of COM: reference counting, the class factory that DllGetClassObject
// hands out, and the count of live objects and locks that DllCanUnloadNow reports.
#pragma once

// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

#include <new>

#include "driver/oem_interfaces_win.h"
#include "driver/private_devmode.h"

namespace oem {

inline LONG& LiveObjects() {
  static LONG count = 0;
  return count;
}

// A COM object of one interface I (besides IUnknown) with interface id iid.
template <typename I, const GUID& iid>
class ComObject : public I {
 public:
  ComObject() { InterlockedIncrement(&LiveObjects()); }
  virtual ~ComObject() { InterlockedDecrement(&LiveObjects()); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == iid) {
      *out = static_cast<I*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

 private:
  LONG references_ = 1;
};

// Makes objects of T, the one class the DLL serves.
template <typename T>
class ClassFactory : public ComObject<IClassFactory, IID_IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    T* object = new (std::nothrow) T();
    if (!object) return E_OUTOFMEMORY;
    const HRESULT result = object->QueryInterface(riid, out);
    object->Release();
    return result;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lock ? InterlockedIncrement(&LiveObjects()) : InterlockedDecrement(&LiveObjects());
    return S_OK;
  }
};

template <typename T>
HRESULT GetClassObject(REFCLSID served, REFCLSID rclsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (rclsid != served) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) ClassFactory<T>();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT result = factory->QueryInterface(riid, out);
  factory->Release();
  return result;
}

inline HRESULT CanUnloadNow() { return LiveObjects() == 0 ? S_OK : S_FALSE; }

// GetInfo of both plug-ins: one DWORD for the signature, interface version and version.
inline HRESULT GetInfoDword(DWORD mode, void* buffer, DWORD size, DWORD* needed, DWORD signature) {
  if (!needed) return E_POINTER;
  *needed = sizeof(DWORD);
  DWORD value;
  switch (mode) {
    case kGetSignature:
      value = signature;
      break;
    case kGetInterfaceVersion:
      value = kInterfaceVersion;
      break;
    case kGetVersion:
      value = 0x00010000;
      break;
    default:
      return E_FAIL;
  }
  if (!buffer || size < sizeof(DWORD)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return E_FAIL;
  }
  *static_cast<DWORD*>(buffer) = value;
  return S_OK;
}

// DevMode of both plug-ins, each with its own signature; the documentation allows only S_OK and E_FAIL.
inline HRESULT DevModeCall(DWORD mode, DmParam* param, DWORD signature) {
  static_assert(sizeof(DWORD) == sizeof(uint32_t), "the section's members are DWORDs");
  if (!param) return E_FAIL;
  uint32_t size = param->cbBufSize;
  if (!label::PrivateDevmodeCall(mode, param->pOEMDMIn, param->pOEMDMOut, size, signature)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return E_FAIL;
  }
  if (mode == label::kDevmodeSize) param->cbBufSize = size;
  return S_OK;
}

}  // namespace oem
