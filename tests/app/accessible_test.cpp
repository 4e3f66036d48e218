// What a screen reader is told about the main window on the package's real layouts: every seen
// control of the index page and of the first install page with its name in the current language,
// its role and its state, and the changes it hears of.
#include "ui/accessible.h"

#include <gtest/gtest.h>

#include "app/popups.h"
#include "context/system_error.h"
#include "context/ui_messages.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/support/wizard_window.h"
#include "ui/container.h"

namespace {

using ui::AccessibleRole;

class AccessibleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sender.target = &window.controller;
    ASSERT_TRUE(window.Open());
    window.model.Layout();
  }
  void TearDown() override {
    SetErrorTextLanguage(1033);
    ResetDefaultFakePrintSystem();
  }

  // The window's seen controls as "name|role|state" lines (the accessible name, not the layout's).
  std::vector<std::wstring> Seen() {
    window.model.Layout();
    std::vector<std::wstring> lines;
    for (ui::Control* control : ui::AccessibleChildren(window.model, nullptr)) {
      const ui::AccessibleInfo info = ui::Describe(window.model, *control);
      lines.push_back(info.name + L"|" + RoleName(info.role) + L"|" + StateNames(info.state));
    }
    return lines;
  }
  static std::wstring RoleName(AccessibleRole role) {
    switch (role) {
      case AccessibleRole::kPushButton:
        return L"button";
      case AccessibleRole::kRadioButton:
        return L"radio";
      case AccessibleRole::kCheckBox:
        return L"check box";
      case AccessibleRole::kList:
        return L"list";
      case AccessibleRole::kListItem:
        return L"list item";
      case AccessibleRole::kEditableText:
        return L"edit";
      case AccessibleRole::kStaticText:
        return L"text";
      case AccessibleRole::kAnimation:
        return L"animation";
    }
    return L"?";
  }
  static std::wstring StateNames(unsigned state) {
    std::wstring names;
    const std::pair<unsigned, const wchar_t*> all[] = {
        {ui::kAccessibleFocused, L"focused "},       {ui::kAccessibleFocusable, L"focusable "},
        {ui::kAccessibleChecked, L"checked "},       {ui::kAccessibleSelected, L"selected "},
        {ui::kAccessibleSelectable, L"selectable "}, {ui::kAccessibleUnavailable, L"disabled "},
        {ui::kAccessibleReadOnly, L"read-only "},    {ui::kAccessibleAnimated, L"animated "}};
    for (const auto& [bit, name] : all) {
      if (state & bit) names += name;
    }
    return names;
  }

  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  DispatchingSender sender;
  FakeThreadStarter threads;
  WizardWindow window{sender, threads};
};

// Every seen control of the index page and of install page 0, in English and in Korean: the text
// on screen (the caption buttons' tooltips), the role, and the state.
TEST_F(AccessibleTest, IndexAndKindPagesInEnglishAndKorean) {
  struct Language {
    uint16_t id;
    std::vector<std::wstring> index, kinds;
  };
  const std::wstring radio = L"|radio|focusable ", checkedRadio = L"|radio|focusable checked ";
  const std::wstring button = L"|button|focusable ";
  const Language languages[] = {
      {1033,
       {L"Label Printer Driver Wizard  V1.0.01|text|", L"Install printer driver" + checkedRadio,
        L"Remove printer driver" + radio, L"Next" + button, L"Cancel" + button, L"Language" + button,
        L"About" + button, L"Minimize" + button, L"Close" + button},
       {L"Label Printer Driver Wizard  V1.0.01|text|", L"Select how the printer is connected|text|",
        L"USB" + checkedRadio, L"Network" + radio, L"Bluetooth" + radio, L"LPT" + radio, L"COM" + radio,
        L"Custom port" + radio, L"Back" + button, L"Next" + button, L"Cancel" + button, L"Language" + button,
        L"About" + button, L"Minimize" + button, L"Close" + button}},
      {1042,
       {L"라벨 프린터 드라이버 마법사  V1.0.01|text|", L"프린터 드라이버 설치" + checkedRadio,
        L"프린터 드라이버 제거" + radio, L"다음" + button, L"취소" + button, L"언어" + button,
        L"정보" + button, L"최소화" + button, L"닫기" + button},
       {L"라벨 프린터 드라이버 마법사  V1.0.01|text|", L"프린터 연결 방식을 선택하십시오|text|",
        L"USB" + checkedRadio, L"네트워크" + radio, L"Bluetooth" + radio, L"LPT" + radio, L"COM" + radio,
        L"사용자 지정 포트" + radio, L"이전" + button, L"다음" + button, L"취소" + button, L"언어" + button,
        L"정보" + button, L"최소화" + button, L"닫기" + button}},
  };
  for (const Language& language : languages) {
    SCOPED_TRACE(language.id);
    window.Click(L"btn_setup_index");
    ASSERT_TRUE(SwitchLanguage(window.context, ui::Resources::Instance(), language.id, nullptr));
    EXPECT_EQ(Seen(), language.index);
    window.Click(L"btn_setup_next");
    EXPECT_EQ(Seen(), language.kinds);
  }
}

// What a screen reader hears as the wizard goes on: the focus, state changes of the options, the
// names of edits and lists from their captions, and one live news per log line.
TEST_F(AccessibleTest, FocusStatesCaptionsAndLogLinesAreHeard) {
  struct Heard : ui::WindowHost {
    std::vector<std::wstring> events;
    void Invalidate(const ui::Rect&) override {}
    void FocusChanged(ui::Control* focused) override { events.push_back(L"focus " + focused->Name()); }
    void AccessibleChanged(ui::Control* control, ui::AccessibleEvent event) override {
      const wchar_t* kinds[] = {L"name ", L"state ", L"value ", L"line ", L"reorder "};
      events.push_back(kinds[static_cast<int>(event)] + (control != nullptr ? control->Name() : L"window"));
    }
  } heard;
  window.model.SetHost(&heard);
  ui::WindowModel& model = window.model;
  const auto describe = [&](const wchar_t* name) { return ui::Describe(model, *window.Find(name)); };

  model.OnKeyDown(ui::Key::kTab);
  EXPECT_EQ(heard.events, std::vector<std::wstring>{L"focus option_install"});
  EXPECT_EQ(describe(L"option_install").state,
            ui::kAccessibleFocused | ui::kAccessibleFocusable | ui::kAccessibleChecked);
  heard.events.clear();
  model.OnKeyDown(ui::Key::kDown);
  EXPECT_EQ(heard.events, (std::vector<std::wstring>{L"focus option_delete", L"state option_install",
                                                     L"state option_delete"}));
  model.OnKeyDown(ui::Key::kUp);

  // A page change is one reorder once laid out; a disabled Next is said to be so.
  heard.events.clear();
  window.Click(L"btn_setup_next");
  model.Layout();
  EXPECT_EQ(std::count(heard.events.begin(), heard.events.end(), L"reorder window"), 1);
  UiNotice disabled{L"", false, false, false};
  window.controller.OnUiMessage(UM_NEXT_BUTTON, 1, reinterpret_cast<intptr_t>(&disabled));
  EXPECT_EQ(describe(L"btn_setup_next").state, ui::kAccessibleUnavailable);
  UiNotice enabled{L"", false, false, true};
  window.controller.OnUiMessage(UM_NEXT_BUTTON, 1, reinterpret_cast<intptr_t>(&enabled));

  // Edits and lists are named by the label before them; the chosen row is selected.
  window.Click(L"option_port_net");
  window.Click(L"btn_setup_next");
  model.Layout();
  const ui::AccessibleInfo models = describe(L"listex_install_driver_moudel");
  EXPECT_EQ(models.name, L"Select the printer model");
  EXPECT_EQ(models.role, AccessibleRole::kList);
  const std::vector<ui::Control*> rows =
      ui::AccessibleChildren(model, window.Find(L"listex_install_driver_moudel"));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(ui::AccessibleParent(*rows[0]), window.Find(L"listex_install_driver_moudel"));
  const ui::AccessibleInfo row = ui::Describe(model, *rows[0]);
  EXPECT_EQ(row.role, AccessibleRole::kListItem);
  EXPECT_EQ(row.name.substr(0, 5), L"LABEL");
  EXPECT_EQ(row.state, ui::kAccessibleFocusable | ui::kAccessibleSelected | ui::kAccessibleSelectable);
  window.Click(L"btn_setup_next");
  model.Layout();
  const ui::AccessibleInfo address = describe(L"edit_install_lan_ip");
  EXPECT_EQ(address.name, L"IP address:");
  EXPECT_EQ(address.role, AccessibleRole::kEditableText);
  EXPECT_EQ(address.value, L"192.168.1.100");
  // The delete pages' search buttons show only a picture: their tooltip names them.
  EXPECT_EQ(describe(L"btnsearch_printer").name, L"Search");
  EXPECT_EQ(describe(L"btnsearch_driver").name, L"Search");

  // Each log line is news once, whole; a cleared log is no news.
  heard.events.clear();
  for (const UiNotice& notice :
       {UiNotice{L"", false, true, true}, UiNotice{L"Copying driver files...", false, false, true},
        UiNotice{L"Failed", true, false, true}}) {
    window.controller.OnUiMessage(UM_INSTALL_LOG, 0, reinterpret_cast<intptr_t>(&notice));
  }
  EXPECT_TRUE(heard.events.empty());  // the log is on another page
  static_cast<ui::TabLayout*>(window.Find(L"tab_switch_install"))->SelectItem(9);
  heard.events.clear();
  for (const UiNotice& notice :
       {UiNotice{L"Copying driver files...", false, false, true}, UiNotice{L"Failed", true, false, true}}) {
    window.controller.OnUiMessage(UM_INSTALL_LOG, 0, reinterpret_cast<intptr_t>(&notice));
  }
  EXPECT_EQ(std::count(heard.events.begin(), heard.events.end(), L"line wordedit_installInfo"), 2);
  EXPECT_EQ(describe(L"wordedit_installInfo").description, L"12:03:04.005 : Failed");
  EXPECT_EQ(describe(L"wordedit_installInfo").name, L"Installing, please wait...");

  // A new language renames everything.
  heard.events.clear();
  SwitchLanguage(window.context, ui::Resources::Instance(), 1042, nullptr);
  EXPECT_EQ(heard.events, (std::vector<std::wstring>{L"reorder window", L"name title_lb"}));
}

}  // namespace
