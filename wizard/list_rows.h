// Rows of the wizard's lists, built from the package's row templates: a check mark option joined to
// the list's own group and text columns "label1", "label2", ... that show once they are set.
#pragma once

#include <string>
#include <string_view>

namespace ui {
class Control;
class List;
}  // namespace ui

// The list of that name under a page, emptied of its rows; null when the layout lacks it.
ui::List* EmptiedList(ui::Control* page, const wchar_t* name);
// A new row from the template at the end of the list, named and with its check mark in the group;
// null when the template cannot be built.
ui::Control* AddTemplateRow(ui::List& list, std::string_view templateName, const std::wstring& rowName,
                            const std::wstring& group);
// Column n of a row: text and tooltip of "label<n>", which then shows.
void SetRowColumn(ui::Control& row, int column, const std::wstring& text);
// The row's position in its list, or -1.
int RowIndexInList(const ui::Control* row);
