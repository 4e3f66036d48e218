#include "ui/font_table.h"

namespace ui {

void FontTable::Add(const FontSpec& font, bool makeDefault) {
  fonts_[font.id] = font;
  if (makeDefault) SetDefault(font);
}

void FontTable::SetDefault(const FontSpec& font) {
  default_ = font;
  default_.id = -1;
}

const FontSpec& FontTable::Get(int id) const {
  const auto found = fonts_.find(id);
  return found == fonts_.end() ? default_ : found->second;
}

const FontSpec* FontTable::Find(int id) const {
  const auto found = fonts_.find(id);
  return found == fonts_.end() ? nullptr : &found->second;
}

}  // namespace ui
