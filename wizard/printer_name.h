// Printer names: the free name the wizard proposes and the names the spooler can take.
#pragma once

#include <string>

// The model name if it is free, else "<model> (1)", "<model> (2)", ... (nameTaken answers for one).
template <typename NameTaken>
std::wstring ProposePrinterName(const std::wstring& modelName, NameTaken nameTaken) {
  std::wstring candidate = modelName;
  for (int n = 1; nameTaken(candidate); ++n) candidate = modelName + L" (" + std::to_wstring(n) + L")";
  return candidate;
}

// The longest name the name edit takes.
constexpr size_t kMaxPrinterNameLength = 220;

// False for a name a local printer cannot have: empty, too long, or holding a backslash or a comma
// (the spooler reads both as server and share separators) or a double quote (the printui command
// lines quote the name).
bool IsAcceptablePrinterName(const std::wstring& name);
