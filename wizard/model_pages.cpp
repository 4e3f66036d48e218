// Install pages 4, 7 and 8: the driver models, the printer's name and default flag, and the
// summary before the installation starts.
#include "app/localisation.h"
#include "context/app_context.h"
#include "context/text_util.h"
#include "printsys/spooler_queries.h"
#include "ui/label.h"
#include "ui/list.h"
#include "wizard/list_rows.h"
#include "wizard/printer_name.h"

namespace {

void SetTextAndTooltip(ui::Control* label, const std::wstring& text) {
  if (label == nullptr) return;
  label->SetText(text);
  label->SetTooltip(text);
}

}  // namespace

bool IsAcceptablePrinterName(const std::wstring& name) {
  return !name.empty() && name.size() <= kMaxPrinterNameLength && name.find_first_of(L"\\,\"") == std::wstring::npos;
}

void CAppContext::FillDriverModelList() {
  SetNextButton(false, true, L"");
  if (m_driverModels.empty()) return;
  ui::List* list = EmptiedList(m_installTab, L"listex_install_driver_moudel");
  if (list == nullptr) return;
  for (const DriverModelInfo& model : m_driverModels) {
    ui::Control* row = AddTemplateRow(*list, "listitemex.xml", L"listex_install_driver_item",
                                      L"listex_install_driver_moudel_group");
    if (row == nullptr) return;
    SetRowColumn(*row, 1, model.modelName);
    const bool installed = DriverInstalled(model.driverName);
    SetRowColumn(*row, 4,
                 GetText(installed ? L"tab.install.driver.installed" : L"tab.install.driver.notinstalled"));
    row->SetUserData(std::to_wstring(model.index));
    // The first model of the package's driver is chosen until the user chooses another.
    const bool chosen = m_driverIndex < 0 ? model.driverName == L"LABEL" : model.index == m_driverIndex;
    if (!chosen) continue;
    list->SelectRow(list->RowIndex(row));
    m_driverIndex = model.index;
    SetNextButton(true, true, L"");
  }
}

void CAppContext::ShowPrinterNamePage() {
  if (m_driverIndex < 0 || m_driverIndex >= static_cast<int32_t>(m_driverModels.size())) return;
  if (ui::Control* edit = InstallControl(L"edit_install_printer_name")) {
    m_printerName = ProposePrinterName(m_driverModels[m_driverIndex].modelName,
                                       [](const std::wstring& name) { return PrinterExists(name); });
    edit->SetText(m_printerName);
  }
  if (auto* option = dynamic_cast<ui::Option*>(InstallControl(L"option_selected_defaultPrinter"))) {
    if (m_setDefault < 0) m_setDefault = 1;
    option->Selected(m_setDefault == 1, true);
  }
}

bool CAppContext::CheckPrinterNameOnNext() {
  if (IsAcceptablePrinterName(m_printerName) && !PrinterExists(m_printerName)) return true;
  PostPrinterNameStatus(GetTextWith(L"tip.printername.refused", m_printerName), true);
  return false;
}

void CAppContext::ReportPrinterNameCheck() {
  const bool refused = !IsAcceptablePrinterName(m_printerName) || PrinterExists(m_printerName);
  PostPrinterNameStatus(
      GetTextWith(refused ? L"tip.printername.refused" : L"tip.printername.free", m_printerName), refused);
}

void CAppContext::ShowInstallSummary() {
  if (m_driverIndex < 0 || m_driverIndex >= static_cast<int32_t>(m_driverModels.size())) return;
  SetTextAndTooltip(InstallControl(L"label_ready_driverName"), m_driverModels[m_driverIndex].driverName);
  SetTextAndTooltip(InstallControl(L"label_ready_portName"), m_portName);
  SetTextAndTooltip(InstallControl(L"label_ready_printerName"), m_printerName);
  if (ui::Control* isDefault = InstallControl(L"label_ready_prinerDefault")) {
    isDefault->SetText(GetText(m_setDefault == 1 ? L"tip.yes" : L"tip.no"));
  }
}
