// The fonts a window's layouts declare, by id, and the window's default font.
#pragma once

#include <map>
#include <string>

namespace ui {

struct FontSpec {
  int id = -1;  // the layout's id; -1 for the default font
  std::wstring face;
  int size = 12;  // pixel height as written in the layout, before the display scale
  bool bold = false;
  bool underline = false;
  bool italic = false;
  bool operator==(const FontSpec& o) const {
    return id == o.id && face == o.face && size == o.size && bold == o.bold && underline == o.underline &&
           italic == o.italic;
  }
};

class FontTable {
 public:
  // A later Font with an id already present replaces it.
  void Add(const FontSpec& font, bool makeDefault);
  void SetDefault(const FontSpec& font);

  // The font of that id; an unknown id, or -1, gives the default font.
  const FontSpec& Get(int id) const;
  // Null for an id the table does not hold.
  const FontSpec* Find(int id) const;
  const FontSpec& Default() const { return default_; }
  bool Has(int id) const { return fonts_.count(id) != 0; }
  size_t Count() const { return fonts_.size(); }

 private:
  std::map<int, FontSpec> fonts_;
  FontSpec default_{-1, L"\u5b8b\u4f53", 12};  // 宋体 12, what an unstyled window gets
};

}  // namespace ui
