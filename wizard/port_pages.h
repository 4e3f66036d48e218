// Text rules of the port pages.
#pragma once

#include <string>

// Four dot-separated parts, each read as a leading decimal number (white space and a sign allowed
// before it) in 0..255; a final dot adds no part, an empty part between two dots is invalid.
bool IsValidIPv4(const std::wstring& text);

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
