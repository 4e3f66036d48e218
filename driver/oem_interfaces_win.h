// The printer-driver plug-in interfaces that mingw's headers lack, declared from their public
// documentation: IPrintOemUni (rendering plug-in), IPrintOemUI (UI plug-in) and the Unidrv helper
// IPrintOemDriverUni. Only the layout matters to the caller, so the kernel-mode structures that
// the plug-ins never read are opaque pointers here.
#pragma once

// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

namespace oem {

// Every rendering plug-in answers to this class, every UI plug-in to the next.
constexpr GUID kClsidRender = {0x6d6abf26, 0x9f38, 0x11d1, {0x88, 0x2a, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec}};
constexpr GUID kClsidUi = {0xabce80d7, 0x9f46, 0x11d1, {0x88, 0x2a, 0x00, 0xc0, 0x4f, 0xb9, 0x61, 0xec}};
constexpr GUID kIidPrintOemUni = {
    0xd67ebbf0, 0x78bf, 0x11d1, {0x94, 0x80, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8}};
constexpr GUID kIidPrintOemDriverUni = {
    0xd67ebbf1, 0x78bf, 0x11d1, {0x94, 0x80, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8}};
constexpr GUID kIidPrintOemUi = {
    0xc6a7a9d0, 0x774c, 0x11d1, {0x94, 0x7f, 0x00, 0xa0, 0xc9, 0x06, 0x40, 0xb8}};

// IPrintOemCommon::GetInfo modes.
constexpr DWORD kGetSignature = 1;
constexpr DWORD kGetInterfaceVersion = 2;
constexpr DWORD kGetVersion = 3;
constexpr DWORD kInterfaceVersion = 0x00010000;

struct DevObj {
  DWORD dwSize;
  void* pdevOEM;  // what EnablePDEV returned
  HANDLE hEngine;
  HANDLE hPrinter;
  HANDLE hOEM;
  DEVMODEW* pPublicDM;
  void* pOEMDM;
  void* pDrvProcs;
};

struct IpParams {
  DWORD dwSize;
  POINT ptOffset;  // the band's place on the page
  char* pHalftoneOption;
  BOOL bBanding;
  BOOL bBlankBand;  // nothing was drawn; the bits are not valid
};

struct DrvEnableData {
  ULONG iDriverVersion;
  ULONG c;
  void* pdrvfn;
};

using Opaque = void*;

// OEMDMPARAM, the argument of both plug-ins' DevMode.
struct DmParam {
  DWORD cbSize;
  void* pdriverobj;
  HANDLE hPrinter;
  HANDLE hModule;
  DEVMODEW* pPublicDMIn;
  DEVMODEW* pPublicDMOut;
  void* pOEMDMIn;
  void* pOEMDMOut;
  DWORD cbBufSize;  // in: the size of pOEMDMOut; out, for OEMDM_SIZE: the private section's size
};

using Glyph = ULONG;  // HGLYPH

struct IPrintOemDriverUni : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(void* driverObj, const char* feature, void* output,
                                                        DWORD size, DWORD* needed,
                                                        DWORD* optionsReturned) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(DevObj* devobj, void* buffer, DWORD size,
                                                     DWORD* written) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvXMoveTo(DevObj* devobj, INT x, DWORD flags, INT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvYMoveTo(DevObj* devobj, INT y, DWORD flags, INT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvGetStandardVariable(DevObj* devobj, DWORD index, void* buffer,
                                                           DWORD size, DWORD* needed) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvGetGPDData(DevObj* devobj, DWORD type, void* input, void* buffer,
                                                  DWORD size, DWORD* needed) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvUniTextOut(Opaque pso, Opaque pstro, Opaque pfo, Opaque pco,
                                                  RECTL* extra, RECTL* opaque, Opaque fore,
                                                  Opaque opaqueBrush, POINTL* origin, ULONG mix) = 0;
  virtual HRESULT STDMETHODCALLTYPE DrvWriteAbortBuf(DevObj* devobj, void* buffer, DWORD size,
                                                     DWORD wait) = 0;
};

// IPrintOemCommon, IPrintOemEngine and IPrintOemUni, in that order.
struct IPrintOemUni : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, void* buffer, DWORD size, DWORD* needed) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, DmParam* param) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnableDriver(DWORD driverVersion, DWORD size, DrvEnableData* data) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisableDriver() = 0;
  virtual HRESULT STDMETHODCALLTYPE EnablePDEV(DevObj* devobj, wchar_t* printerName, ULONG patterns,
                                               Opaque surfaces, ULONG gdiInfoSize, Opaque gdiInfo,
                                               ULONG devInfoSize, Opaque devInfo, DrvEnableData* data,
                                               void** devOem) = 0;
  virtual HRESULT STDMETHODCALLTYPE DisablePDEV(DevObj* devobj) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResetPDEV(DevObj* oldDevobj, DevObj* newDevobj) = 0;
  virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* driver) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetImplementedMethod(char* methodName) = 0;
  virtual HRESULT STDMETHODCALLTYPE DriverDMS(void* devobj, void* buffer, DWORD size, DWORD* needed) = 0;
  virtual HRESULT STDMETHODCALLTYPE CommandCallback(DevObj* devobj, DWORD callbackId, DWORD count,
                                                    DWORD* params, INT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE ImageProcessing(DevObj* devobj, BYTE* bits, BITMAPINFOHEADER* header,
                                                    BYTE* colorTable, DWORD callbackId, IpParams* params,
                                                    BYTE** result) = 0;
  virtual HRESULT STDMETHODCALLTYPE FilterGraphics(DevObj* devobj, BYTE* buffer, DWORD size) = 0;
  virtual HRESULT STDMETHODCALLTYPE Compression(DevObj* devobj, BYTE* in, BYTE* out, DWORD inSize,
                                                DWORD outSize, INT* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE HalftonePattern(DevObj* devobj, BYTE* pattern, DWORD x, DWORD y,
                                                    DWORD count, DWORD callbackId, BYTE* resource,
                                                    DWORD resourceSize) = 0;
  virtual HRESULT STDMETHODCALLTYPE MemoryUsage(DevObj* devobj, Opaque usage) = 0;
  virtual HRESULT STDMETHODCALLTYPE TTYGetInfo(DevObj* devobj, DWORD index, void* output, DWORD size,
                                               DWORD* needed) = 0;
  virtual HRESULT STDMETHODCALLTYPE DownloadFontHeader(DevObj* devobj, Opaque font, DWORD* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE DownloadCharGlyph(DevObj* devobj, Opaque font, Glyph glyph, DWORD* width,
                                                      DWORD* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE TTDownloadMethod(DevObj* devobj, Opaque font, DWORD* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE OutputCharStr(DevObj* devobj, Opaque font, DWORD type, DWORD count,
                                                  void* glyphs) = 0;
  virtual HRESULT STDMETHODCALLTYPE SendFontCmd(DevObj* devobj, Opaque font, Opaque invocation) = 0;
  virtual HRESULT STDMETHODCALLTYPE TextOutAsBitmap(Opaque pso, Opaque pstro, Opaque pfo, Opaque pco,
                                                    RECTL* extra, RECTL* opaque, Opaque fore,
                                                    Opaque opaqueBrush, POINTL* origin, ULONG mix) = 0;
};

// IPrintOemCommon and IPrintOemUI, in that order.
struct IPrintOemUI : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, void* buffer, DWORD size, DWORD* needed) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, DmParam* param) = 0;
  virtual HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* driver) = 0;
  virtual HRESULT STDMETHODCALLTYPE CommonUIProp(DWORD mode, Opaque param) = 0;
  virtual HRESULT STDMETHODCALLTYPE DocumentPropertySheets(Opaque sheetInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevicePropertySheets(Opaque sheetInfo, LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DevQueryPrintEx(Opaque uiObj, Opaque queryInfo, DEVMODEW* publicDm,
                                                    void* oemDm) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeviceCapabilities(Opaque uiObj, HANDLE printer, wchar_t* deviceName,
                                                       WORD capability, void* output, DEVMODEW* publicDm,
                                                       void* oemDm, DWORD old, DWORD* result) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpgradePrinter(DWORD level, BYTE* upgradeInfo) = 0;
  virtual HRESULT STDMETHODCALLTYPE PrinterEvent(wchar_t* printerName, INT driverEvent, DWORD flags,
                                                 LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE DriverEvent(DWORD driverEvent, DWORD level, BYTE* driverInfo,
                                                LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryColorProfile(HANDLE printer, Opaque uiObj, DEVMODEW* publicDm,
                                                      void* oemDm, ULONG queryMode, void* profile,
                                                      ULONG* profileSize, ULONG* flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE FontInstallerDlgProc(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam) = 0;
  virtual HRESULT STDMETHODCALLTYPE UpdateExternalFonts(HANDLE printer, HANDLE heap, wchar_t* cartridges) = 0;
};

}  // namespace oem
