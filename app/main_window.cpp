#include "app/main_window.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

#include "app/localisation.h"
#include "context/live_workers.h"
#include "context/system_error.h"
#include "context/text_util.h"
#include "context/ui_messages.h"
#include "ui/edit.h"
#include "ui/gif_anim.h"
#include "ui/label.h"
#include "ui/startup_trace.h"
#include "ui/utf.h"

namespace {

constexpr int kTitleFontSmall = 3;
constexpr int kTitleFontLarge = 22;
// The pages' headings: bold, two pixels above the language's text size.
constexpr int kHeadingFont = 20;
constexpr ui::Color kLogRed = 0xFFFF0000;
constexpr ui::Color kLogBlue = 0xFF0000FF;

bool SameName(const std::wstring& a, const wchar_t* b) { return LowerCopy(a) == LowerCopy(b); }

void Show(ui::Control* control, uintptr_t wParam) {
  if (control != nullptr) control->SetVisible(wParam == 1);
}

}  // namespace

CMainPage::CMainPage() {
  for (const wchar_t* type : {L"click", L"selectchanged", L"itemclick"}) On(type, [](const ui::Notification&) {});
}

MainWindowController::MainWindowController(ui::WindowModel& model, CAppContext& context, MainWindowHost& host)
    : model_(model), context_(context), host_(host) {}

void MainWindowController::FindControls() {
  title_ = model_.Find<ui::Label>(L"title_lb");
  tabSwitch_ = model_.FindControl(L"tab_switch");
  tabInstall_ = model_.FindControl(L"tab_switch_install");
  tabDelete_ = model_.FindControl(L"tab_switch_delete");
  backButton_ = model_.FindControl(L"btn_setup_previous");
  nextButton_ = model_.FindControl(L"btn_setup_next");
  deleteOption_ = model_.FindControl(L"option_delete");
  installLog_ = model_.Find<ui::RichEdit>(L"wordedit_installInfo");
  deleteLog_ = model_.Find<ui::RichEdit>(L"wordedit_deleteInfo_start");
  installBusy_ = model_.Find<ui::GifAnim>(L"ani_gif_install");
  deleteBusy_ = model_.Find<ui::GifAnim>(L"ani_gif_delete");
  installHeading_ = {model_.FindControl(L"label_install_heading"), L"tab.install.title.installing.name",
                     L"tab.install.title.installdone", L"tab.install.title.installfailed"};
  deleteHeading_ = {model_.FindControl(L"label_delete_heading"), L"tab.delete.title.deleting",
                    L"tab.delete.title.deletedone", L"tab.delete.title.deletefailed"};
  finishBar_ = model_.FindControl(L"hor_btn_h1");
  stepBar_ = model_.FindControl(L"hor_btn_h2");
  printerActions_[0] = model_.FindControl(L"btn_setup_preferences");
  printerActions_[1] = model_.FindControl(L"btn_setup_properties");
  printerActions_[2] = model_.FindControl(L"btn_setup_testpage");
  printerNameInfo_ = model_.FindControl(L"label_show_printername_info");
  adapterLine_ = model_.FindControl(L"hor_bluetooth_adapter");
  adapterText_ = model_.FindControl(L"label_bluetooth_adapter_info");
}

void MainWindowController::Initialise(WindowHandle handle) {
  // The language comes first so that no text is drawn in another one.
  const LanguageInfo language = context_.DetectLanguage();
  model_.GetResources().LoadLanguage(ui::WideToUtf8(language.file));
  ui::MarkStartup("language");
  SetErrorTextLanguage(language.langId);

  FindControls();
  model_.SetDefaultButton(nextButton_);  // Enter presses Next, as in a Windows wizard
  context_.m_hMainWnd = handle;
  SetTitle();
  context_.m_mainTab = tabSwitch_;
  context_.m_installTab = tabInstall_;
  context_.m_deleteTab = tabDelete_;
  OnUiMessage(UM_SHOW_FINISH_BAR, 0, 0);
  OnUiMessage(UM_SHOW_STEP_BAR, 1, 0);

  auto& filters = context_.m_driverNameFilters;
  if (std::find(filters.begin(), filters.end(), L"LABEL") == filters.end()) filters.push_back(L"LABEL");
  context_.m_actionChoice = 1;
  if (auto* option = dynamic_cast<ui::Option*>(deleteOption_)) {
    option->Selected(false, option->IsSelected());  // a notification only if the state changes
  }
  context_.ShowHomePage();
  ApplyLanguageFont();
}

void MainWindowController::AfterFirstFrame() { context_.RefreshInstalledPrinters(); }

std::wstring MainWindowController::TitleText() const {
  return model_.GetResources().Texts().Get(L"mainTitle") + L"  " + kVersion;
}

void MainWindowController::SetTitle() {
  const std::wstring title = TitleText();
  host_.SetNativeTitle(title);
  if (title_ != nullptr) title_->SetText(title);
}

void MainWindowController::ApplyLanguageFont() {
  const int size = LanguageTextSize(context_);
  model_.SetDefaultFont(kLayoutFace, size, false, false, false);
  // A heading in the layouts' 16 pixels would be smaller than a larger language's page text.
  model_.Fonts().Add({kHeadingFont, kLayoutFace, size + 2, true, false, false}, false);
  if (title_ != nullptr) title_->SetFont(size == kBaseTextSize ? kTitleFontSmall : kTitleFontLarge);
}

std::wstring MainWindowController::TimeStamp(const LocalTime& t) {
  wchar_t text[32];
  std::swprintf(text, 32, L"%02d:%02d:%02d.%03d : ", t.hour, t.minute, t.second, t.millisecond);
  return text;
}

void MainWindowController::AppendLogLine(ui::RichEdit* log, const UiNotice& notice, int& alerts) {
  if (log == nullptr) return;
  if (notice.clear) {
    log->SetText(L"");
    alerts = 0;
    return;
  }
  if (notice.alert) ++alerts;
  log->SetSelectionFormat(PageTextFormat(context_, notice.alert ? kLogRed : kLogBlue));
  log->AppendText(TimeStamp(host_.Now()) + notice.text + L"\r\n");
  log->ScrollLineDown();
  log->ScrollLineDown();
}

void MainWindowController::SetBusy(ui::GifAnim* animation, bool run) {
  if (animation == nullptr) return;
  animation->SetVisible(run);
  if (run) {
    animation->Play();
  } else {
    animation->Stop();
  }
}

void MainWindowController::ShowRunHeading(const RunHeading& heading, bool running, bool failed) {
  if (heading.label == nullptr) return;
  heading.label->SetText(running ? heading.running : failed ? heading.failed : heading.done);
}

void MainWindowController::OnUiMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const auto* notice = reinterpret_cast<const UiNotice*>(lParam);
  switch (message) {
    case UM_LANGUAGE_CHANGED:
      model_.GetResources().Texts().Reload(nullptr);
      ApplyLanguageFont();
      host_.RepaintAll();
      model_.MarkForLayout();
      model_.AccessibleChanged(nullptr, ui::AccessibleEvent::kReorder);  // every name is new
      SetTitle();
      break;
    case UM_DELETE_LOG:
      if (notice != nullptr) AppendLogLine(deleteLog_, *notice, deleteAlerts_);
      break;
    case UM_INSTALL_LOG:
      if (notice != nullptr) AppendLogLine(installLog_, *notice, installAlerts_);
      break;
    case UM_DELETE_BUSY:
      if (wParam == 0 && deleteLog_ != nullptr) deleteLog_->ShowChangesInView();  // with the run's end
      SetBusy(deleteBusy_, wParam == 1);
      ShowRunHeading(deleteHeading_, wParam == 1, deleteAlerts_ > 0 || (notice != nullptr && notice->alert));
      break;
    case UM_INSTALL_BUSY:
      if (wParam == 0 && installLog_ != nullptr) installLog_->ShowChangesInView();
      SetBusy(installBusy_, wParam == 1);
      ShowRunHeading(installHeading_, wParam == 1,
                     installAlerts_ > 0 || (notice != nullptr && notice->alert));
      break;
    case UM_SHOW_FINISH_BAR:
      Show(finishBar_, wParam);
      break;
    case UM_SHOW_STEP_BAR:
      Show(stepBar_, wParam);
      break;
    case UM_SHOW_PRINTER_ACTIONS:
      for (ui::Control* action : printerActions_) Show(action, wParam);
      break;
    case UM_PRINTER_NAME_STATUS:
      if (printerNameInfo_ != nullptr && notice != nullptr) {
        printerNameInfo_->SetAttribute("textcolor", notice->alert ? "ffff0000" : "ff0eed1e");
        printerNameInfo_->SetText(notice->text);
      }
      break;
    case UM_NEXT_BUTTON:
      if (nextButton_ != nullptr && notice != nullptr) {
        Show(nextButton_, wParam);
        nextButton_->SetEnabled(notice->enable);
        if (!notice->text.empty()) nextButton_->SetText(notice->text);
      }
      break;
    case UM_PREVIOUS_BUTTON:
      Show(backButton_, wParam);
      break;
    case UM_GO_NEXT_PAGE:
      context_.GoNext();
      break;
    case UM_BT_ADAPTER_STATUS:
      Show(adapterLine_, wParam);
      if (notice != nullptr && adapterText_ != nullptr) adapterText_->SetText(notice->text);
      break;
    default:
      break;
  }
}

bool MainWindowController::OnNotification(const ui::Notification& notification) {
  const std::wstring name = notification.sender != nullptr ? notification.sender->Name() : L"";
  if (notification.type == L"click") {
    if (name == L"closebtn") {
      if (ConfirmClose()) host_.DestroyNative();
      return true;
    }
    if (name == L"minbtn") {
      host_.Minimize();
      return true;
    }
    OnClick(notification);
  }
  context_.OnWizardNotify(notification);
  return false;  // on to the virtual window "mainpage" or the window's own table
}

void MainWindowController::OnClick(const ui::Notification& notification) {
  // The wizard may refill the list that holds the sender: the name is read first.
  const std::wstring name = notification.sender != nullptr ? notification.sender->Name() : L"";
  context_.OnWizardClick(notification.sender);
  if (SameName(name, L"btnAbout")) {
    host_.OpenAboutPopup();
  } else if (SameName(name, L"btnLan")) {
    host_.OpenLanguagePopup();
  } else if (SameName(name, L"option_install")) {
    context_.m_actionChoice = 1;
  } else if (SameName(name, L"option_delete")) {
    context_.m_actionChoice = 0;
  } else if (SameName(name, L"btn_setup_previous")) {
    context_.GoBack();
  } else if (SameName(name, L"btn_setup_next")) {
    context_.GoNext();
  } else if (SameName(name, L"btn_setup_index")) {
    context_.GoHome();
  } else if (SameName(name, L"btn_setup_cancel")) {
    if (ConfirmClose()) host_.DestroyNative();
  }
}

bool MainWindowController::ConfirmClose() {
  if (LiveWorkerCount() == 0) return true;
  // The workers cannot be stopped halfway: closing ends the process with them.
  ui::TextTable& texts = model_.GetResources().Texts();
  const bool removal = context_.m_mode == 2;
  const wchar_t* question = removal ? L"tip.closewhileremoving" : L"tip.closewhileinstalling";
  if (context_.ShowTipBox(texts.Get(question), kBoxOkCancel | kBoxIconInformation) != kAnswerOk) return false;
  UiNotice stopped;
  stopped.text = texts.Get(removal ? L"tip.removalstopped" : L"tip.installstopped");
  stopped.alert = true;
  if (removal) {
    AppendLogLine(deleteLog_, stopped, deleteAlerts_);
  } else {
    AppendLogLine(installLog_, stopped, installAlerts_);
  }
  return true;
}
