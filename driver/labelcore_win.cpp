// LABELCORE.DLL, the rendering plug-in: Unidrv hands it the GPD's callbacks and each page's bands;
// LabelJob turns them into TSPL, spooled through Unidrv's helper interface.
#include <new>

#include "driver/com_support_win.h"
#include "driver/label_job.h"
#include "driver/oem_interfaces_win.h"

namespace {

constexpr DWORD kSignature = 0x4C424C43;  // "LBLC"

// The plug-in's own part of one Unidrv PDEV.
struct Pdev {
  explicit Pdev(oem::IPrintOemDriverUni* helper)
      : job([this](const void* data, size_t size) { return Spool(data, size); }), helper(helper) {}

  bool Spool(const void* data, size_t size) {
    if (!helper || !devobj || size > MAXDWORD) return false;
    DWORD written = 0;
    return SUCCEEDED(helper->DrvWriteSpoolBuf(devobj, const_cast<void*>(data), static_cast<DWORD>(size),
                                              &written)) &&
           written == size;
  }

  label::LabelJob job;
  oem::IPrintOemDriverUni* helper;
  oem::DevObj* devobj = nullptr;  // the PDEV of the call being served
};

Pdev* PdevOf(oem::DevObj* devobj) {
  if (!devobj || !devobj->pdevOEM) return nullptr;
  auto* pdev = static_cast<Pdev*>(devobj->pdevOEM);
  pdev->devobj = devobj;
  return pdev;
}

class LabelRender : public oem::ComObject<oem::IPrintOemUni, oem::kIidPrintOemUni> {
 public:
  ~LabelRender() override {
    if (helper_) helper_->Release();
  }

  HRESULT STDMETHODCALLTYPE GetInfo(DWORD mode, void* buffer, DWORD size, DWORD* needed) override {
    return oem::GetInfoDword(mode, buffer, size, needed, kSignature);
  }
  HRESULT STDMETHODCALLTYPE DevMode(DWORD mode, oem::DmParam* param) override {
    return oem::DevModeCall(mode, param, kSignature);
  }
  HRESULT STDMETHODCALLTYPE EnableDriver(DWORD, DWORD, oem::DrvEnableData* data) override {
    if (!data) return E_POINTER;
    data->iDriverVersion = oem::kInterfaceVersion;
    data->c = 0;  // no graphics functions hooked
    data->pdrvfn = nullptr;
    return S_OK;
  }
  // The last call before Unidrv unloads the plug-in: the helper goes back now, not at the last Release.
  HRESULT STDMETHODCALLTYPE DisableDriver() override {
    if (helper_) helper_->Release();
    helper_ = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnablePDEV(oem::DevObj*, wchar_t*, ULONG, oem::Opaque, ULONG, oem::Opaque, ULONG,
                                       oem::Opaque, oem::DrvEnableData*, void** devOem) override {
    if (!devOem) return E_POINTER;
    *devOem = new (std::nothrow) Pdev(helper_);
    return *devOem ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE DisablePDEV(oem::DevObj* devobj) override {
    if (devobj) {
      delete static_cast<Pdev*>(devobj->pdevOEM);
      devobj->pdevOEM = nullptr;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResetPDEV(oem::DevObj*, oem::DevObj*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PublishDriverInterface(IUnknown* driver) override {
    if (helper_) return S_OK;
    if (!driver) return E_FAIL;
    void* helper = nullptr;
    if (FAILED(driver->QueryInterface(oem::kIidPrintOemDriverUni, &helper)) || !helper) return E_FAIL;
    helper_ = static_cast<oem::IPrintOemDriverUni*>(helper);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetImplementedMethod(char* name) override {
    if (!name) return S_FALSE;
    for (const char* implemented :
         {"GetInfo", "DevMode", "PublishDriverInterface", "GetImplementedMethod", "EnableDriver",
          "DisableDriver", "EnablePDEV", "DisablePDEV", "ResetPDEV", "CommandCallback", "ImageProcessing"}) {
      if (lstrcmpA(name, implemented) == 0) return S_OK;
    }
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE DriverDMS(void*, void*, DWORD, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CommandCallback(oem::DevObj* devobj, DWORD id, DWORD count, DWORD* params,
                                            INT* result) override {
    if (result) *result = 0;
    Pdev* pdev = PdevOf(devobj);
    if (!pdev) return E_FAIL;
    static_assert(sizeof(DWORD) == sizeof(uint32_t), "callback parameters are 32-bit");
    return pdev->job.Command(id, reinterpret_cast<const uint32_t*>(params), params ? count : 0) ? S_OK
                                                                                                : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ImageProcessing(oem::DevObj* devobj, BYTE* bits, BITMAPINFOHEADER* header,
                                            BYTE* colorTable, DWORD, oem::IpParams* params,
                                            BYTE** result) override {
    Pdev* pdev = PdevOf(devobj);
    bool done = pdev && header && params;
    if (done && !params->bBlankBand) {
      done = pdev->job.Band(bits, header->biWidth, header->biHeight, header->biBitCount, colorTable,
                            params->ptOffset.x, params->ptOffset.y);
    }
    // Non-null tells Unidrv the band went to the spooler here, as the GPD's zero device planes ask.
    if (result) *result = reinterpret_cast<BYTE*>(static_cast<ULONG_PTR>(done ? TRUE : FALSE));
    return done ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE FilterGraphics(oem::DevObj*, BYTE*, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Compression(oem::DevObj*, BYTE*, BYTE*, DWORD, DWORD, INT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE HalftonePattern(oem::DevObj*, BYTE*, DWORD, DWORD, DWORD, DWORD, BYTE*,
                                            DWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE MemoryUsage(oem::DevObj*, oem::Opaque) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TTYGetInfo(oem::DevObj*, DWORD, void*, DWORD, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DownloadFontHeader(oem::DevObj*, oem::Opaque, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DownloadCharGlyph(oem::DevObj*, oem::Opaque, oem::Glyph, DWORD*,
                                              DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE TTDownloadMethod(oem::DevObj*, oem::Opaque, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OutputCharStr(oem::DevObj*, oem::Opaque, DWORD, DWORD, void*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SendFontCmd(oem::DevObj*, oem::Opaque, oem::Opaque) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TextOutAsBitmap(oem::Opaque, oem::Opaque, oem::Opaque, oem::Opaque, RECTL*,
                                            RECTL*, oem::Opaque, oem::Opaque, POINTL*, ULONG) override {
    return E_NOTIMPL;
  }

 private:
  oem::IPrintOemDriverUni* helper_ = nullptr;
};

}  // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** out) {
  return oem::GetClassObject<LabelRender>(oem::kClsidRender, rclsid, riid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return oem::CanUnloadNow(); }
