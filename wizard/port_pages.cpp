// Install pages 5 and 6: the spooler's ports filtered by kind with their add, delete and configure
// buttons, and the network address with the name of the port to create.
#include "wizard/port_pages.h"

#include <cwctype>

#include "app/localisation.h"
#include "context/app_context.h"
#include "context/system_error.h"
#include "context/text_util.h"
#include "printsys/print_system.h"
#include "printsys/spooler_queries.h"
#include "ui/edit.h"
#include "ui/list.h"
#include "wizard/list_rows.h"

namespace {

const wchar_t kPortRow[] = L"listex_install_port_item";
const wchar_t kPortGroup[] = L"listex_install_driver_port_group";

// A decimal number at the start of the text as the C library reads one; false without a digit.
bool LeadingNumber(const std::wstring& text, long& value) {
  size_t at = 0;
  while (at < text.size() && std::iswspace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) negative = text[at++] == L'-';
  if (at >= text.size() || !std::iswdigit(text[at])) return false;
  value = 0;
  for (; at < text.size() && std::iswdigit(text[at]); ++at) {
    value = std::min(value * 10 + (text[at] - L'0'), 100000L);  // anything past 255 is out anyway
  }
  if (negative) value = -value;
  return true;
}

// The kind's own ports: serial and parallel by the name, every other kind takes every port.
bool PortFitsKind(int32_t kind, const std::wstring& name) {
  if (kind == kPortCom) return ContainsExact(name, L"COM");
  if (kind == kPortLpt) return ContainsExact(name, L"LPT");
  return true;
}

const wchar_t* DefaultPortOf(int32_t kind) { return kind == kPortLpt ? L"LPT1:" : L"COM1:"; }

}  // namespace

bool IsValidIPv4(const std::wstring& text) {
  const std::vector<std::wstring> parts = SplitText(text, L'.');
  for (const std::wstring& part : parts) {
    long value = 0;
    if (!LeadingNumber(part, value) || value < 0 || value > 255) return false;
  }
  return parts.size() == 4;
}

void CAppContext::FillPortList() {
  SetNextButton(false, true, L"");
  ui::List* list = EmptiedList(m_installTab, L"listex_install_driver_port");
  if (list == nullptr) return;
  std::vector<SpoolerEntry> ports;
  ListPorts(ports);
  for (const SpoolerEntry& port : ports) {
    const std::wstring& name = port.first;
    if (!PortFitsKind(m_portKind, name)) continue;
    ui::Control* row = AddTemplateRow(*list, "listitemex.xml", kPortRow, kPortGroup);
    if (row == nullptr) return;
    SetRowColumn(*row, 1, name);
    SetRowColumn(*row, 2, port.third);
    SetRowColumn(*row, 3, port.second);
    row->SetUserData(name);
    const bool chosen = m_portName.empty() ? name == DefaultPortOf(m_portKind) : name == m_portName;
    if (!chosen) continue;
    list->SelectRow(list->RowIndex(row));
    m_portName = name;
    SetNextButton(true, true, L"");
  }
}

void CAppContext::AddPortByPopup() {
  m_platform.dialogs.OpenAddPortPopup(m_hMainWnd);
  FillPortList();
}

void CAppContext::DeleteSelectedPort() {
  if (ShowTipBox(GetTextWith(L"tip.isdeleteport", m_portName), kBoxOkCancel | kBoxIconInformation) != kAnswerOk) {
    return;
  }
  if (DefaultPrintSystem().spooler.RemovePort(m_hMainWnd, m_portName)) {
    m_portName.clear();
    FillPortList();
    return;
  }
  const std::wstring reason = FormatSystemError(m_platform.system, m_platform.system.LastError());
  ShowTipBox(GetTextWith(L"tip.deletefailreason", reason), kBoxIconInformation);
}

void CAppContext::ConfigureSelectedPort() {
  DefaultPrintSystem().spooler.ConfigurePortThroughMonitor(m_hMainWnd, m_portName);
}

void CAppContext::ShowLanPage() {
  ui::Control* address = InstallControl(L"edit_install_lan_ip");
  ui::Control* portName = InstallControl(L"edit_install_lan_portName");
  if (address == nullptr || portName == nullptr) return;
  if (m_lanAddress.empty()) {
    m_lanAddress = kProposedLanAddress;
    m_portName = ProposeLanPortName([](const std::wstring& name) { return PortExists(name); });
  }
  address->SetText(m_lanAddress);
  portName->SetText(m_portName);
}

bool CAppContext::ValidateLanPort() {
  auto* address = dynamic_cast<ui::Edit*>(InstallControl(L"edit_install_lan_ip"));
  auto* portName = dynamic_cast<ui::Edit*>(InstallControl(L"edit_install_lan_portName"));
  ui::Control* result = InstallControl(L"label_show_lanPort_info");
  if (address == nullptr || portName == nullptr) return false;
  const auto refuse = [&](const wchar_t* key, ui::Edit* edit) {
    if (result != nullptr) result->SetText(GetText(key));
    edit->Focus();
    return false;
  };
  if (!IsValidIPv4(address->Text())) return refuse(L"tip.lan.ipinvalid", address);
  if (PortExists(portName->Text())) return refuse(L"tip.lan.porttaken", portName);
  if (result != nullptr) result->SetText(L"");
  return true;
}
