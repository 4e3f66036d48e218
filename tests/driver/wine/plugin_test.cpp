// The plug-ins of this program's own processor family, loaded as Unidrv loads them, and the
// rendering plug-in driven through its interface with a stand-in for Unidrv's helper.
#include <gtest/gtest.h>

#include <string>

#include "driver/oem_interfaces_win.h"
#include "tests/driver/wine/extracted_package.h"

namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();

// Unidrv's helper as far as the plug-in uses it: it collects what would go to the spooler.
class SpoolStandIn : public oem::IPrintOemDriverUni {
 public:
  std::string spooled;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    *out = riid == oem::kIidPrintOemDriverUni || riid == IID_IUnknown ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE DrvGetDriverSetting(void*, const char*, void*, DWORD, DWORD*, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvWriteSpoolBuf(oem::DevObj*, void* buffer, DWORD size,
                                             DWORD* written) override {
    spooled.append(static_cast<const char*>(buffer), size);
    *written = size;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DrvXMoveTo(oem::DevObj*, INT, DWORD, INT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DrvYMoveTo(oem::DevObj*, INT, DWORD, INT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DrvGetStandardVariable(oem::DevObj*, DWORD, void*, DWORD, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvGetGPDData(oem::DevObj*, DWORD, void*, void*, DWORD, DWORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvUniTextOut(oem::Opaque, oem::Opaque, oem::Opaque, oem::Opaque, RECTL*, RECTL*,
                                          oem::Opaque, oem::Opaque, POINTL*, ULONG) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DrvWriteAbortBuf(oem::DevObj*, void*, DWORD, DWORD) override { return E_NOTIMPL; }

  ULONG references = 1;
};

class PlugIn {
 public:
  explicit PlugIn(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}
  ~PlugIn() {
    if (module_) FreeLibrary(module_);
  }
  bool Loaded() const { return module_ != nullptr; }
  GetClassObjectFn GetClassObject() const {
    return reinterpret_cast<GetClassObjectFn>(GetProcAddress(module_, "DllGetClassObject"));
  }
  CanUnloadNowFn CanUnloadNow() const {
    return reinterpret_cast<CanUnloadNowFn>(GetProcAddress(module_, "DllCanUnloadNow"));
  }

 private:
  HMODULE module_;
};

using DriverPlugIns = ExtractedPackageSuite;

TEST_F(DriverPlugIns, BothHandOutTheirFactoryAndAnswerForTheirInterface) {
  struct Case {
    const wchar_t* file;
    GUID clsid, iid;
  };
  for (const Case& c : {Case{L"LABELCORE.dll", oem::kClsidRender, oem::kIidPrintOemUni},
                        Case{L"LABELUI.dll", oem::kClsidUi, oem::kIidPrintOemUi}}) {
    SCOPED_TRACE(c.file);
    PlugIn plugIn(OwnFamily() + c.file);
    ASSERT_TRUE(plugIn.Loaded()) << GetLastError();
    ASSERT_TRUE(plugIn.GetClassObject() && plugIn.CanUnloadNow());

    void* factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(plugIn.GetClassObject()(c.iid, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    ASSERT_EQ(plugIn.GetClassObject()(c.clsid, IID_IClassFactory, &factory), S_OK);
    // As Unidrv does: create for IUnknown, then ask for the plug-in interface.
    IUnknown* object = nullptr;
    ASSERT_EQ(static_cast<IClassFactory*>(factory)->CreateInstance(nullptr, IID_IUnknown,
                                                                   reinterpret_cast<void**>(&object)),
              S_OK);
    static_cast<IClassFactory*>(factory)->Release();
    void* plugInInterface = nullptr;
    ASSERT_EQ(object->QueryInterface(c.iid, &plugInInterface), S_OK);
    void* other = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(plugIn.CanUnloadNow()(), S_FALSE);
    static_cast<IUnknown*>(plugInInterface)->Release();
    object->Release();
    EXPECT_EQ(plugIn.CanUnloadNow()(), S_OK);
  }
}

TEST_F(DriverPlugIns, RenderingPlugInSpoolsTheTestPageAsOneLabel) {
  PlugIn plugIn(OwnFamily() + L"LABELCORE.dll");
  ASSERT_TRUE(plugIn.Loaded());
  oem::IPrintOemUni* render = nullptr;
  IClassFactory* factory = nullptr;
  ASSERT_EQ(plugIn.GetClassObject()(oem::kClsidRender, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, oem::kIidPrintOemUni, reinterpret_cast<void**>(&render)), S_OK);
  factory->Release();

  SpoolStandIn helper;
  DWORD signature = 0, needed = 0;
  EXPECT_EQ(render->GetInfo(1, &signature, sizeof(signature), &needed), S_OK);
  EXPECT_EQ(render->GetImplementedMethod(const_cast<char*>("ImageProcessing")), S_OK);
  EXPECT_EQ(render->GetImplementedMethod(const_cast<char*>("FilterGraphics")), S_FALSE);
  ASSERT_EQ(render->PublishDriverInterface(&helper), S_OK);
  oem::DrvEnableData enable{};
  ASSERT_EQ(render->EnableDriver(0x00010000, sizeof(enable), &enable), S_OK);
  oem::DevObj devobj{sizeof(oem::DevObj)};
  ASSERT_EQ(
      render->EnablePDEV(&devobj, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, &enable, &devobj.pdevOEM),
      S_OK);

  auto call = [&](DWORD id, std::initializer_list<DWORD> params = {}) {
    INT result = -1;
    EXPECT_EQ(render->CommandCallback(&devobj, id, static_cast<DWORD>(params.size()),
                                      const_cast<DWORD*>(params.begin()), &result),
              S_OK)
        << id;
    EXPECT_EQ(result, 0);
  };
  // A 40 x 30 mm label at 203 dpi (95906 x 71929 master units), darkness 10, 5 ips, gaps of 3 mm,
  // two copies: the commands Unidrv sends from the GPD for those choices.
  call(90);
  call(2);
  call(1, {95906, 71929});
  call(41);
  call(20);
  call(35);
  call(91);
  call(60, {2});
  // The test page as Unidrv hands it over: two top-down bands of 320 x 120 with a positive height,
  // palette {black, white} (0 prints), the top row black and the last row only its first dot.
  const DWORD stride = 40;
  std::string top(stride * 120, '\xFF'), bottom(stride * 120, '\xFF');
  top.replace(0, stride, stride, '\0');
  bottom[119 * stride] = '\x7F';
  BITMAPINFOHEADER header{sizeof(BITMAPINFOHEADER), 320, 120, 1, 1};
  oem::IpParams band{sizeof(oem::IpParams), {0, 0}, nullptr, TRUE, FALSE};
  BYTE* result = nullptr;
  ASSERT_EQ(render->ImageProcessing(&devobj, reinterpret_cast<BYTE*>(top.data()), &header, nullptr, 1, &band,
                                    &result),
            S_OK);
  EXPECT_NE(result, nullptr);
  band.ptOffset.y = 120;
  BYTE blackWhite[] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
  ASSERT_EQ(render->ImageProcessing(&devobj, reinterpret_cast<BYTE*>(bottom.data()), &header, blackWhite, 1,
                                    &band, &result),
            S_OK);
  call(92);

  std::string expected =
      "SIZE 40 mm,30 mm\r\nGAP 3 mm,0 mm\r\nDIRECTION 0\r\nDENSITY 10\r\nSPEED 5\r\nCLS\r\n"
      "BITMAP 0,0,40,240,0,";
  expected += std::string(40, '\x00') + std::string(40 * 238, '\xFF') + '\x7F' + std::string(39, '\xFF');
  expected += "\r\nPRINT 1,2\r\n";
  EXPECT_EQ(helper.spooled, expected);

  EXPECT_EQ(render->DisablePDEV(&devobj), S_OK);
  EXPECT_EQ(render->DisableDriver(), S_OK);
  EXPECT_EQ(helper.references, 1u) << "DisableDriver lets the helper go";
  render->Release();
  EXPECT_EQ(helper.references, 1u);
}

// Unidrv asks every plug-in for its private DEVMODE section; only S_OK and E_FAIL are documented.
TEST_F(DriverPlugIns, BothKeepTheirPrivateDevmodeSection) {
  struct Plug {
    const wchar_t* file;
    GUID clsid, iid;
  };
  for (const Plug& p : {Plug{L"LABELCORE.dll", oem::kClsidRender, oem::kIidPrintOemUni},
                        Plug{L"LABELUI.dll", oem::kClsidUi, oem::kIidPrintOemUi}}) {
    SCOPED_TRACE(p.file);
    PlugIn plugIn(OwnFamily() + p.file);
    ASSERT_TRUE(plugIn.Loaded());
    IClassFactory* factory = nullptr;
    ASSERT_EQ(plugIn.GetClassObject()(p.clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    void* object = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, p.iid, &object), S_OK);
    factory->Release();
    const bool render = p.iid == oem::kIidPrintOemUni;
    auto getInfo = [&](DWORD mode, DWORD* value) {
      DWORD needed = 0;
      return render ? static_cast<oem::IPrintOemUni*>(object)->GetInfo(mode, value, sizeof(*value), &needed)
                    : static_cast<oem::IPrintOemUI*>(object)->GetInfo(mode, value, sizeof(*value), &needed);
    };
    auto devMode = [&](DWORD mode, oem::DmParam* param) {
      return render ? static_cast<oem::IPrintOemUni*>(object)->DevMode(mode, param)
                    : static_cast<oem::IPrintOemUI*>(object)->DevMode(mode, param);
    };
    DWORD signature = 0;
    ASSERT_EQ(getInfo(1, &signature), S_OK);

    DWORD foreign[4] = {16, 0x58585858, 0x00020000, 7};  // another plug-in's section
    struct Case {
      const char* name;
      DWORD mode;
      void* in;
      DWORD outSize;
      HRESULT expected;
    };
    for (const Case& c : {Case{"size", 1, nullptr, 0, S_OK}, Case{"default", 2, nullptr, 16, S_OK},
                          Case{"convert", 3, foreign, 16, S_OK}, Case{"merge", 4, foreign, 64, S_OK},
                          Case{"merge without input", 4, nullptr, 16, E_FAIL},
                          Case{"default into a short buffer", 2, nullptr, 8, E_FAIL},
                          Case{"unknown mode", 9, nullptr, 16, E_FAIL}}) {
      SCOPED_TRACE(c.name);
      DWORD out[4] = {0xAA, 0xAA, 0xAA, 0xAA};
      oem::DmParam param{sizeof(oem::DmParam)};
      param.pOEMDMIn = c.in;
      param.pOEMDMOut = c.mode == 1 ? nullptr : out;
      param.cbBufSize = c.outSize;
      ASSERT_EQ(devMode(c.mode, &param), c.expected);
      if (c.mode == 1) EXPECT_EQ(param.cbBufSize, 16u);
      if (c.expected != S_OK || c.mode == 1) continue;
      EXPECT_EQ(out[0], 16u) << "the header's size";
      EXPECT_EQ(out[1], signature);
      EXPECT_EQ(out[2], 0x00010000u);
      EXPECT_EQ(out[3], 0u);
    }
    EXPECT_EQ(devMode(1, nullptr), E_FAIL);
    static_cast<IUnknown*>(object)->Release();
  }
}

}  // namespace
