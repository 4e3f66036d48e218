// The table of visible texts, keyed by dotted text keys and filled from a language file.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace ui {

// A window may supply texts itself; answering false leaves the table's behaviour in place.
class TextCallback {
 public:
  virtual ~TextCallback() = default;
  virtual bool ProvideText(const std::wstring& key, std::wstring& text) = 0;
};

class TextTable {
 public:
  // Adds the <Text id value> entries of a language file, overwriting values of keys already
  // present and never removing a key. False, with the table untouched, for malformed text.
  bool LoadLanguage(std::string_view utf8);

  // A null key gives the empty text; a known key its value; an unknown key is offered to the
  // callback and otherwise comes back as the key itself.
  std::wstring Get(const wchar_t* key, TextCallback* callback = nullptr) const;
  const std::wstring* Find(std::wstring_view key) const;

  // Asks the callback for every key and replaces the values it answers.
  void Reload(TextCallback* callback);

  size_t Size() const { return texts_.size(); }
  void Clear() { texts_.clear(); }

 private:
  std::map<std::wstring, std::wstring, std::less<>> texts_;
};

}  // namespace ui
