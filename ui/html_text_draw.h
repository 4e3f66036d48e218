// Drawing a text with inline markup (html_text.h): runs laid out left to right, each measured and
// drawn with its own font and colour, aligned as a whole inside the rectangle and clipped to it.
#pragma once

#include <functional>
#include <string_view>

#include "ui/font_table.h"
#include "ui/geometry.h"
#include "ui/graphics.h"

namespace ui {

class WindowModel;

// The font for <f id>, already at the display scale.
using HtmlFontById = std::function<FontSpec(int id)>;

// base gives the font and colour of unmarked text and the alignment; bold, italic and underline
// add to the run's font. Single-line text turns <n> into a space; otherwise <n> starts a line.
// Runs that would start beyond the right edge are not drawn.
void DrawHtmlText(Graphics& graphics, const TextMetrics& metrics, const HtmlFontById& fontById,
                  std::wstring_view markup, const Rect& rect, const TextStyle& base);

// The same with the window's measurer and fonts.
void DrawHtmlText(Graphics& graphics, const WindowModel& window, std::wstring_view markup, const Rect& rect,
                  const TextStyle& base);

}  // namespace ui
