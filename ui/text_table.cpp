#include "ui/text_table.h"

#include "ui/markup.h"
#include "ui/utf.h"

namespace ui {

std::shared_ptr<const TextTable::Texts> TextTable::Snapshot() const {
  std::lock_guard<std::mutex> lock(swap_);
  return texts_;
}

void TextTable::Replace(std::shared_ptr<const Texts> texts) {
  std::lock_guard<std::mutex> lock(swap_);
  texts_ = std::move(texts);
}

bool TextTable::LoadLanguage(std::string_view utf8) {
  const auto root = ParseMarkup(utf8);
  if (!root) return false;
  std::lock_guard<std::mutex> lock(writer_);
  auto texts = std::make_shared<Texts>(*Snapshot());
  for (const MarkupNode& child : root->children) {
    const std::string* id = child.Attribute("id");
    const std::string* value = child.Attribute("value");
    if (!child.NameIs("Text") || id == nullptr || value == nullptr) continue;
    (*texts)[Utf8ToWide(*id)] = Utf8ToWide(*value);
  }
  Replace(std::move(texts));
  return true;
}

std::optional<std::wstring> TextTable::Find(std::wstring_view key) const {
  const std::shared_ptr<const Texts> texts = Snapshot();
  const auto found = texts->find(key);
  if (found == texts->end()) return std::nullopt;
  return found->second;
}

std::wstring TextTable::Get(const wchar_t* key, TextCallback* callback) const {
  if (key == nullptr) return {};
  if (std::optional<std::wstring> value = Find(key)) return std::move(*value);
  std::wstring provided;
  if (callback != nullptr && callback->ProvideText(key, provided)) return provided;
  return key;
}

void TextTable::Reload(TextCallback* callback) {
  if (callback == nullptr) return;
  std::lock_guard<std::mutex> lock(writer_);
  auto texts = std::make_shared<Texts>(*Snapshot());
  // The callback runs without the swap lock held, so it may look texts up itself.
  for (auto& [key, value] : *texts) {
    std::wstring provided;
    if (callback->ProvideText(key, provided)) value = provided;
  }
  Replace(std::move(texts));
}

void TextTable::Clear() {
  std::lock_guard<std::mutex> lock(writer_);
  Replace(std::make_shared<const Texts>());
}

}  // namespace ui
