// Delete pages 0 and 1: the installed printers and drivers, filtered to this program's own driver
// unless "show all" is marked, and the user's marks kept in the two selection sets.
#include <optional>

#include "app/localisation.h"
#include "context/app_context.h"
#include "context/text_util.h"
#include "printsys/spooler_queries.h"
#include "removal/removal_selection.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/notification.h"
#include "wizard/list_rows.h"

namespace {

const wchar_t kPrinterRow[] = L"listex_delete_printer_item";
const wchar_t kDriverRow[] = L"listex_delete_driver_item";
const wchar_t kPrinterSearch[] = L"edit_find_deletePrinter";
const wchar_t kShowAllPrinters[] = L"option_showAll_deletePrinter";
const wchar_t kShowAllDrivers[] = L"option_showAll_deleteDriver";
// A row's user data between a click on its check box and the row click that follows it.
const wchar_t kCheckBoxClicked[] = L"1";
const wchar_t kNoCheckBoxClick[] = L"0";

bool Named(const ui::Control& control, const wchar_t* name) {
  return LowerCopy(control.Name()) == LowerCopy(name);
}

// The spooler treats driver names without regard to case; a name that is merely part of an own
// name (LAB, or an empty one) belongs to some other driver.
bool IsOwnDriver(const std::vector<std::wstring>& ownNames, const std::wstring& driverName) {
  const std::wstring lower = LowerCopy(driverName);
  for (const std::wstring& own : ownNames) {
    if (LowerCopy(own) == lower) return true;
  }
  return false;
}

// A connection is marked as one: removing it ends the connection, the server keeps its queue.
std::wstring PrinterRowText(const std::wstring& name) {
  return IsPrinterConnection(name) ? GetTextWith(L"tab.delete.connection", name) : name;
}

// The printer a row shows, by the text it shows.
std::wstring PrinterOfRow(const std::vector<SpoolerEntry>& installed, const std::wstring& text) {
  for (const SpoolerEntry& printer : installed) {
    if (PrinterRowText(printer.first) == text) return printer.first;
  }
  return text;
}

// A negative flag is unset and counts as 0. Unless the option itself was clicked, it is made to
// show the flag: the lists start filtered whatever the layout marks.
bool ShowAll(int32_t& flag, ui::Control* option, bool fromOption) {
  if (flag < 0) flag = 0;
  auto* box = dynamic_cast<ui::Option*>(option);
  if (!fromOption && box != nullptr && box->IsSelected() != (flag == 1)) box->Selected(flag == 1, false);
  return flag == 1;
}

// A text row made in code: check box, the name in column 1, no check-box click pending.
void AddNameRow(ui::List& list, const wchar_t* rowName, const std::wstring& name, bool marked) {
  auto* row = static_cast<ui::ListTextElement*>(list.AddRow(std::make_unique<ui::ListTextElement>()));
  row->SetAttribute("style", "listex_item_style");  // once in the list: styles belong to the window
  row->SetFixedHeight(30);
  row->SetName(rowName);
  row->SetColumnText(1, name);
  row->SetUserData(kNoCheckBoxClick);
  row->SetChecked(marked);
}

// A check-box click flips the mark itself and is followed by a row click, which must not flip it
// back; a plain row click flips it. The new mark, or none when the selection stays.
std::optional<bool> MarkAfter(const ui::Notification& notification, ui::ListTextElement& row) {
  if (notification.type == L"listitemchecked") {
    row.SetUserData(kCheckBoxClicked);
    if (notification.lParam == 0 || notification.lParam == 1) return notification.lParam == 1;
    return std::nullopt;
  }
  if (notification.type != L"itemclick") return std::nullopt;
  const bool followsCheckBox = row.UserData() == kCheckBoxClicked;
  row.SetUserData(kNoCheckBoxClick);
  if (followsCheckBox) return std::nullopt;
  row.SetChecked(!row.IsChecked());
  return row.IsChecked();
}

}  // namespace

void CAppContext::FillPrinterRemovalList(bool fromOption) {
  if (m_deleteTab == nullptr) return;
  const bool showAll = ShowAll(m_showAllPrinters, m_deleteTab->FindByName(kShowAllPrinters), fromOption);
  ListInstalledPrinters(m_installedPrinters);
  ui::List* list = EmptiedList(m_deleteTab, L"listex_delete_printer");
  if (list == nullptr) return;
  for (const SpoolerEntry& printer : m_installedPrinters) {
    const std::wstring& driver = printer.second;
    if (!showAll && !IsOwnDriver(m_driverNameFilters, driver)) continue;
    // The search text is matched against the driver, not the printer's own name.
    if (!m_printerSearchText.empty() && !ContainsIgnoreCase(driver, m_printerSearchText)) continue;
    AddNameRow(*list, kPrinterRow, PrinterRowText(printer.first),
               IsSelected(m_selectedPrinters, printer.first));
  }
}

void CAppContext::FillDriverRemovalList(bool fromOption) {
  if (m_deleteTab == nullptr) return;
  ListInstalledDrivers(m_installedDrivers);
  const bool showAll = ShowAll(m_showAllDrivers, m_deleteTab->FindByName(kShowAllDrivers), fromOption);
  ui::List* list = EmptiedList(m_deleteTab, L"listex_delete_driver");
  if (list == nullptr) return;
  for (const SpoolerEntry& driver : m_installedDrivers) {
    const std::wstring& name = driver.second;
    if (!showAll && !IsOwnDriver(m_driverNameFilters, name)) continue;
    AddNameRow(*list, kDriverRow, name, m_selectedDrivers.count(name) != 0);
  }
}

bool CAppContext::OnRemovalNotify(const ui::Notification& notification) {
  ui::Control* sender = notification.sender;
  if (sender == nullptr) return false;
  const bool printerRow = Named(*sender, kPrinterRow);
  if (printerRow || Named(*sender, kDriverRow)) {
    auto* row = dynamic_cast<ui::ListTextElement*>(sender);
    const std::optional<bool> marked = row != nullptr ? MarkAfter(notification, *row) : std::nullopt;
    if (!marked) return true;
    const std::wstring name =
        printerRow ? PrinterOfRow(m_installedPrinters, row->ColumnText(1)) : row->ColumnText(1);
    if (printerRow && *marked) {
      Select(m_selectedPrinters, name);
    } else if (printerRow) {
      Deselect(m_selectedPrinters, name);
    } else if (*marked) {
      m_selectedDrivers[name] = name;
    } else {
      m_selectedDrivers.erase(name);
    }
    return true;
  }
  if (Named(*sender, kPrinterSearch)) {
    if (notification.type == L"textchanged") {
      m_printerSearchText = sender->Text();
      FillPrinterRemovalList(false);
    }
    return true;
  }
  return false;
}

bool CAppContext::OnRemovalClick(ui::Control* control) {
  if (control == nullptr) return false;
  const bool printers = Named(*control, kShowAllPrinters);
  if (!printers && !Named(*control, kShowAllDrivers)) return false;
  // The click arrives before the option flips: its new state is the opposite of the one it shows.
  const auto* option = dynamic_cast<const ui::Option*>(control);
  const int32_t showAll = option != nullptr && !option->IsSelected() ? 1 : 0;
  if (printers) {
    m_showAllPrinters = showAll;
    FillPrinterRemovalList(true);
  } else {
    m_showAllDrivers = showAll;
    FillDriverRemovalList(true);
  }
  return true;
}
