// Inline markup in drawn texts ("HTML text"): <b> <i> <u> <c #colour> <f id> <n> and four
// entities. Parsing only; html_text_draw.h lays the runs out and draws them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/attribute_values.h"

namespace ui {

// Open tags beyond this depth are ignored (their text still shows), so hostile input costs no more
// than its length.
constexpr size_t kMaxHtmlNesting = 32;

struct HtmlRunStyle {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  std::optional<Color> color;  // none: the base colour
  std::optional<int> font;     // a window font id; none: the base font
  bool operator==(const HtmlRunStyle& o) const {
    return bold == o.bold && italic == o.italic && underline == o.underline && color == o.color &&
           font == o.font;
  }
};

struct HtmlRun {
  std::wstring text;  // empty for a line break
  HtmlRunStyle style;
  bool lineBreak = false;
};

// Runs in text order; neighbours of one style are merged. Unknown or malformed tags and entities
// stay as literal text; a closer with nothing of its kind open is dropped.
std::vector<HtmlRun> ParseHtmlText(std::wstring_view markup);

}  // namespace ui
