// The main window's initialisation, message table, language switch and routing, on the package's
// real layouts with the messages dispatched synchronously back into the window as SendMessageW does.
#include "app/main_window.h"

#include <gtest/gtest.h>

#include "app/localisation.h"
#include "app/popups.h"
#include "tests/app/main_window_doubles.h"
#include "context/live_workers.h"
#include "context/system_error.h"
#include "context/ui_messages.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/test_paths.h"
#include "ui/container.h"
#include "ui/edit.h"
#include "ui/gif_anim.h"
#include "ui/label.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(resources.AttachArchive(skin.data(), skin.size()));
    ASSERT_TRUE(resources.LoadResourceMap("res.xml"));
    RegisterLanguages(context);
    ASSERT_TRUE(model.Load("XML_MAIN"));
    model.SetClientSize({700, 500});
    sender.target = &controller;
    controller.Initialise(&windowHandle);
    model.Layout();
  }
  void TearDown() override { SetErrorTextLanguage(1033); }

  ui::Control* Find(const wchar_t* name) { return model.FindControl(name); }
  void Send(uint32_t message, uintptr_t wParam, const UiNotice* notice = nullptr) {
    controller.OnUiMessage(message, wParam, reinterpret_cast<intptr_t>(notice));
  }
  ui::Notification Click(const wchar_t* name) {
    ui::Notification n;
    n.type = L"click";
    n.sender = Find(name);
    EXPECT_NE(n.sender, nullptr) << "no control " << std::wstring(name).size();
    if (n.sender != nullptr) n.virtualWnd = n.sender->EffectiveVirtualWnd();
    return n;
  }

  std::vector<uint8_t> skin = PackedSkin();
  ui::Resources resources;
  ui::WindowModel model{resources};
  FakeSystemInfo system;
  FakeFileSystem files{system};
  DispatchingSender sender;
  FakeThreadStarter threads;
  FakeUserDialogs dialogs;
  Platform platform{system, files, sender, threads, dialogs};
  CAppContext context{platform};
  FakeMainWindowHost host;
  MainWindowController controller{model, context, host};
  int windowHandle = 0;
};

TEST_F(MainWindowTest, InitialisationShowsTheEnglishIndexPage) {
  EXPECT_EQ(host.nativeTitle, L"Label Printer Driver Wizard  V1.0.01");
  EXPECT_EQ(Find(L"title_lb")->Text(), host.nativeTitle);
  EXPECT_EQ(context.m_hMainWnd, &windowHandle);
  EXPECT_EQ(context.m_mainTab, Find(L"tab_switch"));
  EXPECT_EQ(context.m_installTab, Find(L"tab_switch_install"));
  EXPECT_EQ(context.m_deleteTab, Find(L"tab_switch_delete"));
  EXPECT_EQ(dynamic_cast<ui::TabLayout*>(Find(L"tab_switch"))->CurrentIndex(), 0);
  EXPECT_FALSE(Find(L"hor_btn_h1")->IsVisible());
  EXPECT_TRUE(Find(L"hor_btn_h2")->IsVisible());
  EXPECT_FALSE(Find(L"btn_setup_previous")->IsVisible());
  EXPECT_TRUE(Find(L"btn_setup_next")->IsVisible());
  EXPECT_TRUE(Find(L"btn_setup_next")->IsEnabled());
  EXPECT_EQ(context.m_driverNameFilters, std::vector<std::wstring>{L"LABEL"});
  EXPECT_EQ(context.m_actionChoice, 1);
  EXPECT_EQ(context.m_curLangId, 1033);
  EXPECT_EQ(model.Fonts().Default().size, 14);
  EXPECT_EQ(dynamic_cast<ui::Label*>(Find(L"title_lb"))->FontId(), 3);
  EXPECT_EQ(Find(L"btn_setup_next")->DisplayText(), L"Next");
}

TEST_F(MainWindowTest, ButtonBarsAndNextButtonFollowTheirMessages) {
  UiNotice next{L"main.btn.startDelete", false, false, false};
  Send(UM_NEXT_BUTTON, 1, &next);
  ui::Control* button = Find(L"btn_setup_next");
  EXPECT_TRUE(button->IsVisible());
  EXPECT_FALSE(button->IsEnabled());
  EXPECT_EQ(button->DisplayText(), L"Start deleting");
  UiNotice keep{L"", false, false, true};
  Send(UM_NEXT_BUTTON, 0, &keep);
  EXPECT_FALSE(button->IsVisible());
  EXPECT_TRUE(button->IsEnabled());
  EXPECT_EQ(button->Text(), L"main.btn.startDelete");

  Send(UM_SHOW_FINISH_BAR, 1);
  EXPECT_TRUE(Find(L"hor_btn_h1")->IsVisible());
  Send(UM_SHOW_FINISH_BAR, 2);  // only 1 shows
  EXPECT_FALSE(Find(L"hor_btn_h1")->IsVisible());
  Send(UM_SHOW_PRINTER_ACTIONS, 1);
  for (const wchar_t* name : {L"btn_setup_preferences", L"btn_setup_properties", L"btn_setup_testpage"}) {
    EXPECT_TRUE(Find(name)->IsVisible());
  }
  Send(UM_PREVIOUS_BUTTON, 1, &keep);
  EXPECT_TRUE(Find(L"btn_setup_previous")->IsVisible());
}

TEST_F(MainWindowTest, LogLinesAreTimeStampedBlueOrRedAndClearEmpties) {
  auto* log = dynamic_cast<ui::RichEdit*>(Find(L"wordedit_installInfo"));
  ASSERT_NE(log, nullptr);
  context.PostInstallLog(L"Start installing", false, false);
  context.PostInstallLog(L"Installation failed", true, false);
  ASSERT_FALSE(log->Runs().empty());
  std::wstring all;
  for (const auto& run : log->Runs()) all += run.text;
  EXPECT_EQ(all, L"12:03:04.005 : Start installing\r\n12:03:04.005 : Installation failed\r\n");
  EXPECT_EQ(log->Runs().back().format.color, 0xFFFF0000u);
  EXPECT_EQ(log->Runs().back().format.heightTwips, 225);
  EXPECT_EQ(log->Runs().front().format.color, 0xFF0000FFu);
  EXPECT_EQ(log->ScrolledLines(), 4);

  context.PostInstallLog(L"ignored", false, true);
  std::wstring after;
  for (const auto& run : log->Runs()) after += run.text;
  EXPECT_EQ(after, L"");

  // The delete log is its own box.
  context.PostDeleteLog(L"Start deleting", false, false);
  EXPECT_FALSE(dynamic_cast<ui::RichEdit*>(Find(L"wordedit_deleteInfo_start"))->Runs().empty());
  EXPECT_EQ(MainWindowController::TimeStamp({1, 2, 3, 4}), L"01:02:03.004 : ");

  // Lines and headings in the page's face, growing with a language's larger text (Thai: 20 pixels).
  const struct {
    uint16_t langId;
    int twips, heading;
  } languages[] = {{1033, 225, 16}, {1054, 321, 22}};
  for (const auto& language : languages) {
    context.m_curLangId = language.langId;
    Send(UM_LANGUAGE_CHANGED, 0, nullptr);
    context.PostInstallLog(L"line", false, false);
    EXPECT_EQ(log->Runs().back().format.heightTwips, language.twips);
    EXPECT_EQ(log->Runs().back().format.face, kLayoutFace);
    EXPECT_EQ(model.ScaledFont(20).size, language.heading);
    EXPECT_TRUE(model.ScaledFont(20).bold);
  }
}

TEST_F(MainWindowTest, StatusLinesAndBusyAnimations) {
  context.PostPrinterNameStatus(L"taken", true);
  ui::Control* info = Find(L"label_show_printername_info");
  EXPECT_EQ(*info->Attribute("textcolor"), "ffff0000");
  EXPECT_EQ(info->Text(), L"taken");
  context.PostPrinterNameStatus(L"free", false);
  EXPECT_EQ(*info->Attribute("textcolor"), "ff0eed1e");

  context.PostBtAdapterStatus(true, L"tip.btadapter.on");
  EXPECT_TRUE(Find(L"hor_bluetooth_adapter")->IsVisible());
  EXPECT_EQ(Find(L"label_bluetooth_adapter_info")->DisplayText(), L"Bluetooth adapter: ON");
  context.PostBtAdapterStatus(false, L"");
  EXPECT_FALSE(Find(L"hor_bluetooth_adapter")->IsVisible());
  EXPECT_EQ(Find(L"label_bluetooth_adapter_info")->Text(), L"tip.btadapter.on");

  // In a window that draws frames the log's native view takes lines at a frame; the run's end
  // hands over what waits, so the last line shows with the finish row.
  class Frames : public ui::WindowHost {
    void Invalidate(const ui::Rect&) override {}
    bool RequestAnimationFrames() override { return true; }
  } frames;
  model.SetHost(&frames);
  class Lines : public ui::NativeView {
   public:
    std::wstring text;
    void SetBounds(const ui::Rect&, bool) override {}
    void SetEnabled(bool) override {}
    void SetText(const std::wstring& t) override { text = t; }
    void Focus() override {}
    void AppendText(const std::wstring& t) override { text += t; }
  };
  auto* log = model.Find<ui::RichEdit>(L"wordedit_installInfo");
  auto lines = std::make_unique<Lines>();
  const Lines& view = *lines;
  log->AttachView(std::move(lines));

  auto* busy = dynamic_cast<ui::GifAnim*>(Find(L"ani_gif_install"));
  ASSERT_NE(busy, nullptr);
  busy->SetFrameCount(12);
  Send(UM_INSTALL_BUSY, 1);
  EXPECT_TRUE(busy->IsVisible());
  EXPECT_TRUE(busy->IsPlaying());
  busy->AdvanceFrame();
  context.PostInstallLog(L"last", false, false);
  EXPECT_EQ(view.text, L"");
  Send(UM_INSTALL_BUSY, 0);
  EXPECT_EQ(view.text, L"12:03:04.005 : last\r\n");
  EXPECT_FALSE(busy->IsVisible());
  EXPECT_FALSE(busy->IsPlaying());
  EXPECT_EQ(busy->CurrentFrame(), 0);
  model.SetHost(nullptr);
}

TEST_F(MainWindowTest, LanguageSwitchReappliesTextsFontsAndTitle) {
  ASSERT_TRUE(SwitchLanguage(context, resources, 1042, nullptr));
  EXPECT_EQ(context.m_curLangId, 1042);
  EXPECT_EQ(ErrorTextLanguage(), 1042);
  EXPECT_EQ(model.Fonts().Default().size, 18);
  EXPECT_EQ(dynamic_cast<ui::Label*>(Find(L"title_lb"))->FontId(), 22);
  EXPECT_EQ(host.nativeTitle, resources.Texts().Get(L"mainTitle") + L"  V1.0.01");
  EXPECT_NE(host.nativeTitle.find(L"\ub77c\ubca8"), std::wstring::npos);  // 라벨
  EXPECT_GE(host.repaints, 1);
  EXPECT_EQ(sender.sent.back().message, UM_LANGUAGE_CHANGED);

  ASSERT_TRUE(SwitchLanguage(context, resources, 1054, nullptr));
  EXPECT_EQ(model.Fonts().Default().size, 20);
  ASSERT_TRUE(SwitchLanguage(context, resources, 1033, nullptr));
  EXPECT_EQ(model.Fonts().Default().size, 14);
  EXPECT_EQ(dynamic_cast<ui::Label*>(Find(L"title_lb"))->FontId(), 3);
  EXPECT_EQ(host.nativeTitle, L"Label Printer Driver Wizard  V1.0.01");
  EXPECT_FALSE(SwitchLanguage(context, resources, 0x0404, nullptr));
  EXPECT_EQ(context.m_curLangId, 1033);
}

TEST_F(MainWindowTest, HomeRefreshesTheInstalledPrintersAndResetsTheBars) {
  FakeSpooler& spooler = DefaultFakePrintSystem().spooler;
  spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"C:\\x\\Ombrevia.inf");
  spooler.AddPrinterEntry(L"LABEL", L"LABEL", L"COM1:");
  // Start-up shows the index page without asking the spooler, and reads it after the first frame.
  controller.Initialise(&windowHandle);
  EXPECT_TRUE(context.m_installedPrinters.empty());
  controller.AfterFirstFrame();
  EXPECT_EQ(context.m_installedPrinters.size(), 1u);
  context.m_installedPrinters.clear();

  Send(UM_SHOW_FINISH_BAR, 1);
  Send(UM_SHOW_STEP_BAR, 0);
  controller.OnNotification(Click(L"btn_setup_index"));
  ASSERT_EQ(context.m_installedPrinters.size(), 1u);
  EXPECT_EQ(context.m_installedPrinters[0].first, L"LABEL");
  EXPECT_EQ(context.m_installedPrinters[0].second, L"LABEL");
  EXPECT_FALSE(Find(L"hor_btn_h1")->IsVisible());
  EXPECT_TRUE(Find(L"hor_btn_h2")->IsVisible());
  EXPECT_FALSE(Find(L"btn_setup_previous")->IsVisible());
  spooler.printers.clear();
  spooler.drivers.clear();
}

TEST_F(MainWindowTest, RoutingOfClicks) {
  EXPECT_TRUE(controller.OnNotification(Click(L"closebtn")));
  EXPECT_EQ(host.destroyed, 1);
  EXPECT_TRUE(controller.OnNotification(Click(L"minbtn")));
  EXPECT_EQ(host.minimised, 1);

  EXPECT_FALSE(controller.OnNotification(Click(L"btnAbout")));
  EXPECT_EQ(host.aboutOpened, 1);
  EXPECT_FALSE(controller.OnNotification(Click(L"btnLan")));
  EXPECT_EQ(host.languageOpened, 1);
  controller.OnNotification(Click(L"option_delete"));
  EXPECT_EQ(context.m_actionChoice, 0);
  controller.OnNotification(Click(L"option_install"));
  EXPECT_EQ(context.m_actionChoice, 1);
  controller.OnNotification(Click(L"btn_setup_cancel"));
  EXPECT_EQ(host.destroyed, 2);

  // The caption buttons name the virtual window "mainpage": its table takes them and does nothing.
  CMainPage mainPage;
  EXPECT_EQ(Click(L"btnAbout").virtualWnd, L"mainpage");
  EXPECT_TRUE(mainPage.Dispatch(Click(L"btnAbout")));
  ui::Notification text;
  text.type = L"textchanged";
  EXPECT_FALSE(mainPage.Dispatch(text));
}

// Closing while a worker runs ends the run with the process: the user is asked first, and a run
// stopped leaves its red line in its own log. With no worker the window closes at once.
TEST_F(MainWindowTest, ClosingDuringARunAsksAndTheLogSaysItWasStopped) {
  const auto logText = [this](const wchar_t* name) {
    std::wstring all;
    for (const auto& run : dynamic_cast<ui::RichEdit*>(Find(name))->Runs()) all += run.text;
    return all;
  };
  threads.Start(TrackWorker([] {}));  // pending: it counts as running
  struct Case {
    int32_t mode;
    const wchar_t* closeWith;  // a button, or nothing for Alt+F4 and the taskbar (WM_CLOSE)
    const wchar_t* question;
    const wchar_t* log;
    const wchar_t* stopped;
  };
  const Case cases[] = {
      {1, L"closebtn", L"tip.closewhileinstalling", L"wordedit_installInfo", L"tip.installstopped"},
      {1, L"btn_setup_cancel", L"tip.closewhileinstalling", L"wordedit_installInfo", L"tip.installstopped"},
      {2, nullptr, L"tip.closewhileremoving", L"wordedit_deleteInfo_start", L"tip.removalstopped"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    context.m_mode = c.mode;
    const auto close = [&] {
      if (c.closeWith == nullptr) return controller.ConfirmClose() ? ++host.destroyed, true : false;
      controller.OnNotification(Click(c.closeWith));
      return true;
    };
    dialogs.boxes.clear();
    host.destroyed = 0;
    dialogs.answer = kAnswerCancel;
    close();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, resources.Texts().Get(c.question));
    EXPECT_EQ(dialogs.boxes[0].flags, kBoxOkCancel | kBoxIconInformation);
    EXPECT_EQ(host.destroyed, 0);
    EXPECT_EQ(logText(c.log), L"");

    dialogs.answer = kAnswerOk;
    close();
    EXPECT_EQ(host.destroyed, 1);
    EXPECT_EQ(logText(c.log), L"12:03:04.005 : " + resources.Texts().Get(c.stopped) + L"\r\n");
    EXPECT_EQ(dynamic_cast<ui::RichEdit*>(Find(c.log))->Runs().back().format.color, 0xFFFF0000u);
    context.PostInstallLog(L"", false, true);
    context.PostDeleteLog(L"", false, true);
  }
  EXPECT_EQ(threads.RunPending(), 1);
  dialogs.boxes.clear();
  EXPECT_TRUE(controller.ConfirmClose());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MainWindowTest, LanguagePopupListsTheLanguagesInLangIdOrder) {
  ui::WindowModel popup(resources);
  ASSERT_TRUE(popup.Load("pop_language.xml"));
  context.m_curLangId = 1041;
  FillLanguageList(popup, context.m_languages, context.m_curLangId);
  auto* list = dynamic_cast<ui::Container*>(popup.FindControl(L"verLanList"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 7);
  const std::vector<std::wstring> names = {L"English", L"Espa\u00f1ol", L"\u65e5\u672c\u8a9e", L"\ud55c\uad6d\uc5b4",
                                           L"\u0e20\u0e32\u0e29\u0e32\u0e44\u0e17\u0e22", L"\u7b80\u4f53\u4e2d\u6587",
                                           L"Portugu\u00eas"};
  const std::vector<std::wstring> ids = {L"1033", L"1034", L"1041", L"1042", L"1054", L"2052", L"2070"};
  for (int i = 0; i < 7; ++i) {
    auto* option = dynamic_cast<ui::Option*>(list->ItemAt(i));
    ASSERT_NE(option, nullptr);
    EXPECT_EQ(option->Name(), L"radiolan");
    EXPECT_EQ(option->DisplayText(), names[i]);
    EXPECT_EQ(option->UserData(), ids[i]);
    EXPECT_EQ(option->IsSelected(), ids[i] == L"1041") << i;
  }
  EXPECT_EQ(popup.OptionGroup(L"lanGroup").size(), 7u);
}

TEST_F(MainWindowTest, AboutPopupShowsTheFixedVersionAndDate) {
  ui::WindowModel about(resources);
  ASSERT_TRUE(about.Load("pop_about.xml"));
  InitAboutPopup(about);
  EXPECT_EQ(about.FindControl(L"app_version")->Text(), L"V1.0.01");
  EXPECT_EQ(about.FindControl(L"app_time")->Text(), L"Revised Date:          2024-07-24 11:52:16");
}

}  // namespace
