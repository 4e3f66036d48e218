#include "ui/text_table.h"

#include "ui/markup.h"
#include "ui/utf.h"

namespace ui {

bool TextTable::LoadLanguage(std::string_view utf8) {
  const auto root = ParseMarkup(utf8);
  if (!root) return false;
  for (const MarkupNode& child : root->children) {
    const std::string* id = child.Attribute("id");
    const std::string* value = child.Attribute("value");
    if (!child.NameIs("Text") || id == nullptr || value == nullptr) continue;
    texts_[Utf8ToWide(*id)] = Utf8ToWide(*value);
  }
  return true;
}

const std::wstring* TextTable::Find(std::wstring_view key) const {
  const auto found = texts_.find(key);
  return found == texts_.end() ? nullptr : &found->second;
}

std::wstring TextTable::Get(const wchar_t* key, TextCallback* callback) const {
  if (key == nullptr) return {};
  if (const std::wstring* value = Find(key)) return *value;
  std::wstring provided;
  if (callback != nullptr && callback->ProvideText(key, provided)) return provided;
  return key;
}

void TextTable::Reload(TextCallback* callback) {
  if (callback == nullptr) return;
  for (auto& [key, value] : texts_) {
    std::wstring provided;
    if (callback->ProvideText(key, provided)) value = provided;
  }
}

}  // namespace ui
