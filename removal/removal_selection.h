// The delete pages' printer selection: whole names, compared exactly, so that Label and Label 2 are
// two printers whatever is marked or unmarked.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

inline bool IsSelected(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Appends the name unless it is there already.
inline void Select(std::vector<std::wstring>& names, const std::wstring& name) {
  if (!IsSelected(names, name)) names.push_back(name);
}

inline void Deselect(std::vector<std::wstring>& names, const std::wstring& name) {
  names.erase(std::remove(names.begin(), names.end(), name), names.end());
}
