// Any bytes as a layout, resource map or language file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/markup.h"
#include "ui/resource_map.h"
#include "ui/text_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ui::ParseMarkup(text);
  ui::ResourceMap map;
  map.Load(text);
  ui::TextTable table;
  table.LoadLanguage(text);
  return 0;
}
