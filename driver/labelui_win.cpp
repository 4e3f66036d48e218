// LABELUI.DLL, the UI plug-in: the label features are plain GPD features that Unidrv's own property
// sheets show, so the plug-in adds no page; it identifies itself, keeps its private DEVMODE section
// and declines the rest, as a UI plug-in may for every method it does not need.
#include <new>

#include "driver/com_support_win.h"
#include "driver/oem_interfaces_win.h"

namespace {

constexpr DWORD kSignature = 0x4C424C55;  // "LBLU"

class LabelUi : public oem::ComObject<oem::IPrintOemUI, oem::kIidPrintOemUi> {
 public:
  HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, void* buffer, DWORD size, DWORD* needed) override {
    return oem::GetInfoDword(mode, buffer, size, needed, kSignature);
  }
  HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, oem::DmParam* param) override {
    return oem::DevModeCall(mode, param, kSignature);
  }
  // The helper would serve pages of our own; there are none.
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD, oem::Opaque) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DocumentPropertySheets(oem::Opaque, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DevicePropertySheets(oem::Opaque, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DevQueryPrintEx(oem::Opaque, oem::Opaque, DEVMODEW*, void*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DeviceCapabilities(oem::Opaque, HANDLE, wchar_t*, WORD, void*, DEVMODEW*, void*,
                                               DWORD, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD, BYTE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE PrinterEvent(wchar_t*, INT, DWORD, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DriverEvent(DWORD, DWORD, BYTE*, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE, oem::Opaque, DEVMODEW*, void*, ULONG, void*, ULONG*,
                                              ULONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND, UINT, WPARAM, LPARAM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE, HANDLE, wchar_t*) override { return E_NOTIMPL; }
};

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** out) {
  return oem::GetClassObject<LabelUi>(oem::kClsidUi, rclsid, riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return oem::CanUnloadNow(); }
