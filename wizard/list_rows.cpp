#include "wizard/list_rows.h"

#include "ui/label.h"
#include "ui/list.h"
#include "ui/window_model.h"

ui::List* EmptiedList(ui::Control* page, const wchar_t* name) {
  auto* list = page != nullptr ? dynamic_cast<ui::List*>(page->FindByName(name)) : nullptr;
  if (list != nullptr) list->RemoveAllRows();
  return list;
}

ui::Control* AddTemplateRow(ui::List& list, std::string_view templateName, const std::wstring& rowName,
                            const std::wstring& group) {
  if (list.Manager() == nullptr) return nullptr;
  std::unique_ptr<ui::Control> built = list.Manager()->BuildFromLayout(templateName);
  if (!built) return nullptr;
  ui::Control* row = list.AddRow(std::move(built));
  row->SetName(rowName);
  if (auto* check = dynamic_cast<ui::Option*>(row->FindByName(L"option_listext"))) check->SetGroup(group);
  return row;
}

void SetRowColumn(ui::Control& row, int column, const std::wstring& text) {
  ui::Control* label = row.FindByName(L"label" + std::to_wstring(column));
  if (label == nullptr) return;
  label->SetText(text);
  label->SetTooltip(text);
  label->SetVisible(true);
}

int RowIndexInList(const ui::Control* row) {
  const ui::List* list = row != nullptr ? ui::OwningList(*row) : nullptr;
  return list != nullptr ? list->RowIndex(row) : -1;
}
