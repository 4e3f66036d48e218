// Pictures of what a user sees, drawn by GDI+ from the real package under Wine: the main window in
// four languages, every wizard page and both popups. Saved under the build folder to be looked at;
// each picture must also hold more than the background, and a window's back buffer (whose opaque
// fills skip GDI+) must draw it exactly as GDI+ alone does.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <memory>
#include <string>

#include "app/localisation.h"
#include "app/main_window.h"
#include "app/popups.h"
#include "app/windows_win.h"
#include "context/ui_messages.h"
#include "context/system_error.h"
#include "controls/chart_view.h"
#include "controls/custom_controls.h"
#include "ui/container.h"
#include "ui/png_decoder.h"
#include "tests/wine/real_skin.h"
#include "ui/win/back_buffer_win.h"
#include "ui/win/gdiplus_graphics_win.h"

namespace {

class PictureHost : public MainWindowHost {
 public:
  void SetNativeTitle(const std::wstring&) override {}
  void DestroyNative() override {}
  void Minimize() override {}
  void OpenAboutPopup() override {}
  void OpenLanguagePopup() override {}
  void RepaintAll() override {}
  LocalTime Now() const override { return {9, 30, 15, 250}; }
};

class LoopbackSender : public MessageSender {
 public:
  MainWindowController* target = nullptr;
  intptr_t Send(WindowHandle, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    if (target != nullptr) target->OnUiMessage(message, wParam, lParam);
    return 0;
  }
};

class WindowPictures : public RealSkinSuite {
 protected:
  void SetUp() override {
    RegisterLanguages(context);
    ASSERT_TRUE(model.Load("XML_MAIN"));
    sender.target = &controller;
    controller.Initialise(nullptr);
  }
  void TearDown() override { SetErrorTextLanguage(1033); }

  // Draws the laid-out model on a window's back buffer, as a window paints.
  void PaintOnBackBuffer(ui::WindowModel& window, ui::BackBuffer& buffer, int width, int height) {
    ASSERT_TRUE(buffer.Fit({width, height}));
    Gdiplus::Graphics g(buffer.Bitmap());
    g.SetClip(Gdiplus::Rect(0, 0, width, height));
    ui::GdiplusGraphics surface(g, images, &buffer.Pixels());
    surface.Clear(0xFFFFFFFF);
    window.Paint(surface, {0, 0, width, height});
  }

  // Draws the model at its layout size and saves it; true when anything but white was drawn.
  // With compare set the back buffer must draw the same pixels.
  bool Save(ui::WindowModel& window, const std::wstring& name, int width, int height, bool compare = true) {
    Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
    {
      Gdiplus::Graphics g(&bitmap);
      g.Clear(Gdiplus::Color(255, 255, 255, 255));
      ui::GdiplusGraphics surface(g, images);
      window.SetTextMetrics(&surface);
      window.SetClientSize({width, height});
      window.Layout();
      window.Paint(surface, {0, 0, width, height});
      ui::BackBuffer buffer;
      if (compare) PaintOnBackBuffer(window, buffer, width, height);
      window.SetTextMetrics(nullptr);
      int differing = 0;
      for (int y = 0; compare && y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          Gdiplus::Color c;
          bitmap.GetPixel(x, y, &c);
          differing += c.GetValue() != buffer.Pixels().bits[y * buffer.Pixels().stride + x];
        }
      }
      EXPECT_EQ(differing, 0) << "pixels the back buffer draws otherwise in " << std::string(name.begin(), name.end());
    }
    CreateDirectoryW(LDW_SCREENSHOT_DIR, nullptr);
    CLSID png;
    CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    const std::wstring path = std::wstring(LDW_SCREENSHOT_DIR) + L"\\" + name + L".png";
    EXPECT_EQ(bitmap.Save(path.c_str(), &png, nullptr), Gdiplus::Ok) << "saving " << name.size();
    int coloured = 0;
    for (int y = 0; y < height; y += 3) {
      for (int x = 0; x < width; x += 3) {
        Gdiplus::Color c;
        bitmap.GetPixel(x, y, &c);
        coloured += c.GetValue() != 0xFFFFFFFF;
      }
    }
    return coloured > 50;
  }

  ui::GdiplusSession session;
  ui::ImageCache images{ui::Resources::Instance().Archive()};
  LoopbackSender sender;
  Platform platform{DefaultPlatform().system, DefaultPlatform().files, sender, DefaultPlatform().threads,
                    DefaultPlatform().dialogs};
  CAppContext context{platform};
  PictureHost host;
  ui::WindowModel model;
  MainWindowController controller{model, context, host};
};

TEST_F(WindowPictures, MainWindowInFourLanguages) {
  const struct {
    uint16_t langId;
    const wchar_t* name;
  } languages[] = {{1033, L"main_en"}, {2052, L"main_cn"}, {1042, L"main_ko"}, {1054, L"main_th"}};
  for (const auto& language : languages) {
    ASSERT_TRUE(SwitchLanguage(context, ui::Resources::Instance(), language.langId, nullptr));
    EXPECT_TRUE(Save(model, language.name, 700, 500)) << language.langId;
  }
}

TEST_F(WindowPictures, EveryInstallAndDeletePage) {
  auto* outer = dynamic_cast<ui::TabLayout*>(model.FindControl(L"tab_switch"));
  auto* install = dynamic_cast<ui::TabLayout*>(model.FindControl(L"tab_switch_install"));
  auto* remove = dynamic_cast<ui::TabLayout*>(model.FindControl(L"tab_switch_delete"));
  ASSERT_TRUE(outer && install && remove);
  outer->SelectItem(1);
  for (int page = 0; page < install->Count(); ++page) {
    install->SelectItem(page);
    EXPECT_TRUE(Save(model, L"install_page_" + std::to_wstring(page), 700, 500)) << page;
  }
  outer->SelectItem(2);
  for (int page = 0; page < remove->Count(); ++page) {
    remove->SelectItem(page);
    EXPECT_TRUE(Save(model, L"delete_page_" + std::to_wstring(page), 700, 500)) << page;
  }
}

// Every page as a user of English, Chinese, Thai and Spanish reads it, at 100 % and 150 %
// (page_<tab>_<page>_<language>_<scale>.png), with the texts a run leaves on page 9 and delete page 3.
TEST_F(WindowPictures, EveryPageInFourLanguagesAtTwoScales) {
  auto* outer = dynamic_cast<ui::TabLayout*>(model.FindControl(L"tab_switch"));
  auto* install = dynamic_cast<ui::TabLayout*>(model.FindControl(L"tab_switch_install"));
  auto* remove = dynamic_cast<ui::TabLayout*>(model.FindControl(L"tab_switch_delete"));
  ASSERT_TRUE(outer && install && remove);
  const std::pair<uint16_t, const wchar_t*> languages[] = {
      {1033, L"en"}, {2052, L"cn"}, {1054, L"th"}, {1034, L"es"}};
  for (const auto& [langId, language] : languages) {
    ASSERT_TRUE(SwitchLanguage(context, ui::Resources::Instance(), langId, nullptr));
    controller.OnUiMessage(UM_LANGUAGE_CHANGED, 0, 0);
    context.PostPrinterNameStatus(GetTextWith(L"tip.printername.refused", L"LABEL"), true);
    if (ui::Control* line = model.FindControl(L"label_show_lanPort_info"))
      line->SetText(GetText(L"tip.lan.ipinvalid"));
    const UiNotice failed{L"", true, false, true};
    controller.OnUiMessage(UM_INSTALL_BUSY, 0, reinterpret_cast<intptr_t>(&failed));
    controller.OnUiMessage(UM_DELETE_BUSY, 0, 0);
    for (const int scale : {100, 150}) {
      model.SetScale(scale);
      const std::wstring suffix = std::wstring(L"_") + language + L"_" + std::to_wstring(scale);
      const int width = 700 * scale / 100, height = 500 * scale / 100;
      outer->SelectItem(1);
      for (int page = 0; page < install->Count(); ++page) {
        install->SelectItem(page);
        EXPECT_TRUE(Save(model, L"page_install_" + std::to_wstring(page) + suffix, width, height, false));
      }
      outer->SelectItem(2);
      for (int page = 0; page < remove->Count(); ++page) {
        remove->SelectItem(page);
        EXPECT_TRUE(Save(model, L"page_delete_" + std::to_wstring(page) + suffix, width, height, false));
      }
    }
    model.SetScale(100);
  }
}

TEST_F(WindowPictures, AboutAndLanguagePopups) {
  ui::WindowModel about;
  ASSERT_TRUE(about.Load("pop_about.xml"));
  InitAboutPopup(about);
  EXPECT_TRUE(Save(about, L"pop_about", 430, 150));
  ui::WindowModel language;
  ASSERT_TRUE(language.Load("pop_language.xml"));
  FillLanguageList(language, context.m_languages, context.m_curLangId);
  EXPECT_TRUE(Save(language, L"pop_language", 500, 400));
}

// The package's images are decoded without the system's codecs: to the same pixels.
TEST_F(WindowPictures, EveryPackageImageDecodesToTheSystemsPixels) {
  const ui::ZipArchive& archive = ui::Resources::Instance().Archive();
  int compared = 0;
  for (const ui::ZipEntry& entry : archive.Entries()) {
    if (entry.name.size() < 4 || entry.name.compare(entry.name.size() - 4, 4, ".png") != 0) continue;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(archive.ReadEntry(entry.name, bytes)) << entry.name;
    ui::DecodedImage ours;
    ASSERT_TRUE(ui::DecodePng(bytes.data(), bytes.size(), ours)) << entry.name << " needs the system's decoder";
    IStream* stream = SHCreateMemStream(bytes.data(), static_cast<UINT>(bytes.size()));
    std::unique_ptr<Gdiplus::Bitmap> system(Gdiplus::Bitmap::FromStream(stream));
    ASSERT_TRUE(system && system->GetLastStatus() == Gdiplus::Ok) << entry.name;
    ASSERT_EQ(static_cast<int>(system->GetWidth()), ours.size.cx) << entry.name;
    ASSERT_EQ(static_cast<int>(system->GetHeight()), ours.size.cy) << entry.name;
    Gdiplus::BitmapData data{};
    Gdiplus::Rect all(0, 0, ours.size.cx, ours.size.cy);
    ASSERT_EQ(system->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data), Gdiplus::Ok);
    int differing = 0;
    for (int y = 0; y < ours.size.cy; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) + y * data.Stride);
      for (int x = 0; x < ours.size.cx; ++x) differing += row[x] != ours.pixels[y * ours.size.cx + x];
    }
    system->UnlockBits(&data);
    system.reset();
    stream->Release();
    EXPECT_EQ(differing, 0) << entry.name;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

// The chart control, no part of the package's layouts, drawn with inline-tag legend names.
TEST_F(WindowPictures, ChartWithTaggedLegendNames) {
  RegisterCustomControls();
  ui::WindowModel chart;
  ASSERT_TRUE(chart.Load(R"(<Window size="360,200"><Font id="5" name="宋体" size="16" bold="true"/>
      <VerticalLayout bkcolor="#FFFFFFFF" inset="10,10,10,10"><ChartView name="pie" showhtml="true" textcolor="#FF333333"/>
      </VerticalLayout></Window>)"));
  auto* pie = chart.Find<CChartViewUI>(L"pie");
  ASSERT_NE(pie, nullptr);
  pie->AddItem(L"<b>USB</b> printers", 3);
  pie->AddItem(L"<c #FF2a84d0>Network</c> <i>TCP/IP</i>", 2);
  pie->AddItem(L"<f 5>Bluetooth</f> &amp; COM", 1);
  EXPECT_TRUE(Save(chart, L"chart_html", 360, 200));
}

BOOL CALLBACK CollectRichEditTexts(HWND child, LPARAM list) {
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  if (lstrcmpiW(className, L"RICHEDIT50W") == 0) {
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(text);
  }
  return TRUE;
}

// The real main window: log lines land in its native rich edit.
TEST_F(WindowPictures, ProgressLogLinesReachTheNativeRichEdit) {
  CMainWnd window;
  HWND hwnd = window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW, 0, 0, 0, 560, 400);
  ASSERT_NE(hwnd, nullptr);
  wchar_t title[128] = {};
  GetWindowTextW(hwnd, title, 128);
  EXPECT_EQ(std::wstring(title), L"Label Printer Driver Wizard  V1.0.01");

  const UiNotice notice{L"Start installing", true, false, true};
  EXPECT_EQ(SendMessageW(hwnd, UM_INSTALL_LOG, 0, reinterpret_cast<LPARAM>(&notice)), 0);
  FinishFirstFrame();  // the native logs come after the first frame, with the line written before it
  std::vector<std::wstring> texts;
  EnumChildWindows(hwnd, CollectRichEditTexts, reinterpret_cast<LPARAM>(&texts));
  ASSERT_GE(texts.size(), 2u);  // at least the install and the delete log
  int withLine = 0;
  for (const std::wstring& text : texts) {
    if (text.find(L" : Start installing") == std::wstring::npos) continue;
    ++withLine;
    EXPECT_EQ(text.substr(2, 1), L":");  // starts with the time stamp
  }
  EXPECT_EQ(withLine, 1);
  DestroyWindow(hwnd);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

}  // namespace
