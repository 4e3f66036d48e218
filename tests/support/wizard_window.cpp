#include "tests/support/wizard_window.h"

#include <gtest/gtest.h>

#include "app/localisation.h"
#include "tests/test_paths.h"
#include "ui/resources.h"

WizardWindow::WizardWindow(MessageSender& sender, ThreadStarter& threads)
    : system(DefaultFakePlatform().system),
      platform{system, files, sender, threads, dialogs},
      model(ui::Resources::Instance()) {}

bool WizardWindow::Open() {
  skin_ = PackedSkin();
  ui::Resources& resources = ui::Resources::Instance();
  if (!resources.AttachArchive(skin_.data(), skin_.size()) || !resources.LoadResourceMap("res.xml"))
    return false;
  RegisterLanguages(context);
  if (!model.Load("XML_MAIN")) return false;
  model.SetClientSize({700, 500});
  model.SetNotificationHandler(&handler);
  controller.Initialise(&nativeWindow_);
  return true;
}

bool WizardWindow::Shown(const wchar_t* name) const {
  const ui::Control* control = Find(name);
  return control != nullptr && control->IsVisibleInTree();
}

void WizardWindow::Click(const wchar_t* name) {
  ui::Control* control = Find(name);
  ASSERT_NE(control, nullptr);
  control->Activate();
}

std::vector<std::wstring> WizardWindow::RowNames(const wchar_t* list) const {
  std::vector<std::wstring> names;
  const ui::List* rows = List(list);
  for (int i = 0; rows != nullptr && i < rows->RowCount(); ++i) {
    if (auto* row = dynamic_cast<ui::ListTextElement*>(rows->RowAt(i))) names.push_back(row->ColumnText(1));
  }
  return names;
}

std::vector<std::wstring> WizardWindow::MarkedRowNames(const wchar_t* list) const {
  std::vector<std::wstring> names;
  for (const std::wstring& name : RowNames(list)) {
    if (Row(list, name)->IsChecked()) names.push_back(name);
  }
  return names;
}

ui::ListTextElement* WizardWindow::Row(const wchar_t* list, const std::wstring& name) const {
  const ui::List* rows = List(list);
  for (int i = 0; rows != nullptr && i < rows->RowCount(); ++i) {
    auto* row = dynamic_cast<ui::ListTextElement*>(rows->RowAt(i));
    if (row != nullptr && row->ColumnText(1) == name) return row;
  }
  return nullptr;
}

void WizardWindow::ClickRow(const wchar_t* list, const std::wstring& name) {
  ui::ListTextElement* row = Row(list, name);
  ASSERT_NE(row, nullptr) << "no row " << name.size();
  row->Activate();
}

void WizardWindow::ClickCheckBox(const wchar_t* list, const std::wstring& name) {
  model.Layout();  // the check box has a place only once the rows are laid out
  ui::ListTextElement* row = Row(list, name);
  ASSERT_NE(row, nullptr) << "no row " << name.size();
  const ui::Rect box = row->CheckBoxRect();
  ASSERT_FALSE(box.IsEmpty());
  row->ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
}
