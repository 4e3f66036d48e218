// Text rules of the port pages.
#pragma once

#include <string>

// Strict dotted decimal, as the port record takes it: four parts of digits only, each 0 to 255
// without leading zeros ("0" itself is fine), nothing before, between or after them.
bool IsValidIPv4(const std::wstring& text);
// A name the Standard TCP/IP port record takes (1 to 63 characters) and a printer's port list can
// hold (no comma: PRINTER_INFO_2 separates its ports with commas).
bool IsAcceptableLanPortName(const std::wstring& name);
// The address's existing Standard TCP/IP port, else a free name made from the address.
std::wstring ProposeLanPortFor(const std::wstring& address);

// The fixed address the network page proposes, and the free port name for it: the address itself,
// else "<address>_1", "<address>_2", ... (portTaken answers for one name).
constexpr wchar_t kProposedLanAddress[] = L"192.168.1.100";
template <typename PortTaken>
std::wstring ProposeLanPortName(const std::wstring& address, PortTaken portTaken) {
  std::wstring candidate = address;
  for (int n = 1; portTaken(candidate); ++n) candidate = address + L"_" + std::to_wstring(n);
  return candidate;
}
template <typename PortTaken>
std::wstring ProposeLanPortName(PortTaken portTaken) {
  return ProposeLanPortName(kProposedLanAddress, portTaken);
}
