// The table of visible texts, keyed by dotted text keys and filled from a language file.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// A window may supply texts itself; answering false leaves the table's behaviour in place.
class TextCallback {
 public:
  virtual ~TextCallback() = default;
  virtual bool ProvideText(const std::wstring& key, std::wstring& text) = 0;
};

// Workers read texts while the UI thread switches the language or shuts down: every change builds
// a new table and swaps it in, so a reader keeps the whole table it started with and never sees
// one half rewritten. Lookups are safe from any thread.
class TextTable {
 public:
  using Texts = std::map<std::wstring, std::wstring, std::less<>>;

  // Adds the <Text id value> entries of a language file, overwriting values of keys already
  // present and never removing a key. False, with the table untouched, for malformed text.
  bool LoadLanguage(std::string_view utf8);

  // A null key gives the empty text; a known key its value; an unknown key is offered to the
  // callback and otherwise comes back as the key itself.
  std::wstring Get(const wchar_t* key, TextCallback* callback = nullptr) const;
  std::optional<std::wstring> Find(std::wstring_view key) const;
  // The table as it is now; later changes leave the caller's copy as it was.
  std::shared_ptr<const Texts> Snapshot() const;

  // Asks the callback for every key and replaces the values it answers.
  void Reload(TextCallback* callback);

  size_t Size() const { return Snapshot()->size(); }
  void Clear();

 private:
  void Replace(std::shared_ptr<const Texts> texts);

  std::mutex writer_;        // one change at a time, from reading the old table to the swap
  mutable std::mutex swap_;  // guards texts_ itself, held only to copy or swap the pointer
  std::shared_ptr<const Texts> texts_ = std::make_shared<const Texts>();
};

}  // namespace ui
