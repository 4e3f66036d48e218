// Install pages 5 and 6: the spooler's ports filtered by kind with their add, delete and configure
// buttons, and the network address with the name of the port to create.
#include "wizard/port_pages.h"

#include <algorithm>
#include <optional>

#include "app/localisation.h"
#include "context/app_context.h"
#include "context/system_error.h"
#include "context/text_util.h"
#include "printsys/print_system.h"
#include "printsys/spooler_queries.h"
#include "printsys/tcpip_port.h"
#include "ui/edit.h"
#include "ui/list.h"
#include "wizard/list_rows.h"

namespace {

const wchar_t kPortRow[] = L"listex_install_port_item";
const wchar_t kPortGroup[] = L"listex_install_driver_port_group";

// One part of a dotted-decimal address: one to three digits and nothing else, 0 to 255, no
// leading zero but the lone "0" (010 reads as octal to some parsers and as ten to others).
bool IsAddressPart(const std::wstring& part) {
  if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == L'0')) return false;
  int value = 0;
  for (wchar_t c : part) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  return value <= 255;
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
  if (text.empty() || text.size() > kMaxTcpIpAddressLength || text.back() == L'.') return false;
  const std::vector<std::wstring> parts = SplitText(text, L'.');
  return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), IsAddressPart);
}

bool IsAcceptableLanPortName(const std::wstring& name) {
  return !name.empty() && name.size() <= kMaxTcpIpPortNameLength && name.find(L',') == std::wstring::npos;
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

// The port of the row selected in the list on screen: the choice kept from another kind or from the
// network page may name a port this list does not show.
std::wstring CAppContext::PortOfSelectedRow() const {
  auto* list = m_installTab != nullptr
                   ? dynamic_cast<ui::List*>(m_installTab->FindByName(L"listex_install_driver_port"))
                   : nullptr;
  const ui::Control* row = list != nullptr ? list->RowAt(list->SelectedIndex()) : nullptr;
  return row != nullptr ? row->UserData() : std::wstring();
}

void CAppContext::DeleteSelectedPort() {
  const std::wstring port = PortOfSelectedRow();
  if (port.empty()) return;
  if (ShowTipBox(GetTextWith(L"tip.isdeleteport", port), kBoxOkCancel | kBoxIconInformation) != kAnswerOk) {
    return;
  }
  if (DefaultPrintSystem().spooler.RemovePort(m_hMainWnd, port)) {
    m_portName.clear();
    FillPortList();
    return;
  }
  const std::wstring reason = FormatSystemError(m_platform.system, m_platform.system.LastError());
  ShowTipBox(GetTextWith(L"tip.deletefailreason", reason), kBoxIconInformation);
}

void CAppContext::ConfigureSelectedPort() {
  const std::wstring port = PortOfSelectedRow();
  if (!port.empty()) DefaultPrintSystem().spooler.ConfigurePortThroughMonitor(m_hMainWnd, port);
}

std::wstring ProposeLanPortFor(const std::wstring& address) {
  if (const std::optional<std::wstring> own = TcpIpPortForAddress(DefaultPrintSystem().spooler, address))
    return *own;
  return ProposeLanPortName(address, [](const std::wstring& name) { return PortExists(name); });
}

void CAppContext::ShowLanPage() {
  ui::Control* address = InstallControl(L"edit_install_lan_ip");
  ui::Control* portName = InstallControl(L"edit_install_lan_portName");
  if (address == nullptr || portName == nullptr) return;
  if (m_lanAddress.empty()) {
    m_lanAddress = kProposedLanAddress;
    m_portName = ProposeLanPortFor(m_lanAddress);
  }
  address->SetText(m_lanAddress);
  portName->SetText(m_portName);
}

bool CAppContext::ValidateLanPort() {
  auto* address = dynamic_cast<ui::Edit*>(InstallControl(L"edit_install_lan_ip"));
  auto* portName = dynamic_cast<ui::Edit*>(InstallControl(L"edit_install_lan_portName"));
  ui::Control* result = InstallControl(L"label_show_lanPort_info");
  if (address == nullptr || portName == nullptr) return false;
  const auto refuse = [&](const std::wstring& text, ui::Edit* edit) {
    if (result != nullptr) result->SetText(text);
    edit->Focus();
    return false;
  };
  if (!IsValidIPv4(address->Text())) return refuse(GetText(L"tip.lan.ipinvalid"), address);
  if (!IsAcceptableLanPortName(portName->Text())) return refuse(GetText(L"tip.portnameinvalid"), portName);
  // The address's own Standard TCP/IP port may serve again; any other port of that name is taken.
  const std::optional<std::wstring> own = TcpIpPortForAddress(DefaultPrintSystem().spooler, address->Text());
  const bool reused = own && LowerCopy(*own) == LowerCopy(portName->Text());
  if (!reused && PortExists(portName->Text())) return refuse(GetText(L"tip.lan.porttaken"), portName);
  if (result != nullptr) result->SetText(L"");
  return true;
}
