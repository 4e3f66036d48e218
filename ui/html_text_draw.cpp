#include "ui/html_text_draw.h"

#include <algorithm>
#include <vector>

#include "ui/html_text.h"
#include "ui/window_model.h"

namespace ui {
namespace {

// Each run is one unwrapped fragment, centred on its line so mixed sizes share a middle.
constexpr unsigned kRunFormat = kTextLeft | kTextVCenter | kTextSingleLine;

struct Piece {
  std::wstring_view text;
  TextStyle style;
  int width = 0;
};

struct Line {
  std::vector<Piece> pieces;
  int width = 0;
  int height = 0;
};

FontSpec FontOf(const HtmlRunStyle& style, const FontSpec& base, const HtmlFontById& fontById) {
  FontSpec font = style.font && fontById ? fontById(*style.font) : base;
  font.bold = font.bold || style.bold;
  font.italic = font.italic || style.italic;
  font.underline = font.underline || style.underline;
  return font;
}

std::vector<Line> LayOut(const std::vector<HtmlRun>& runs, const TextMetrics& metrics,
                         const HtmlFontById& fontById, const TextStyle& base) {
  const bool singleLine = (base.format & kTextSingleLine) != 0;
  std::vector<Line> lines(1);
  for (const HtmlRun& run : runs) {
    if (run.lineBreak && !singleLine) {
      lines.emplace_back();
      continue;
    }
    Piece piece;
    piece.text = run.lineBreak ? std::wstring_view(L" ") : std::wstring_view(run.text);
    piece.style = {FontOf(run.style, base.font, fontById), run.style.color.value_or(base.color), kRunFormat};
    const Size size = metrics.MeasureText(piece.text, piece.style.font);
    piece.width = size.cx;
    Line& line = lines.back();
    line.pieces.push_back(piece);
    line.width += size.cx;
    line.height = std::max(line.height, size.cy);
  }
  // An empty line between breaks still takes the height of a line of the base font.
  for (Line& line : lines) {
    if (line.pieces.empty()) line.height = metrics.MeasureText(L" ", base.font).cy;
  }
  return lines;
}

int FirstTop(const std::vector<Line>& lines, const Rect& rect, unsigned format) {
  int total = 0;
  for (const Line& line : lines) total += line.height;
  if (format & kTextVCenter) return rect.top + (rect.Height() - total) / 2;
  if (format & kTextBottom) return rect.bottom - total;
  return rect.top;
}

int LineLeft(const Line& line, const Rect& rect, unsigned format) {
  if (format & kTextCenter) return rect.left + (rect.Width() - line.width) / 2;
  if (format & kTextRight) return rect.right - line.width;
  return rect.left;
}

class WindowMetrics : public TextMetrics {
 public:
  explicit WindowMetrics(const WindowModel& window) : window_(window) {}
  Size MeasureText(std::wstring_view text, const FontSpec& font) const override {
    return window_.MeasureText(text, font);
  }

 private:
  const WindowModel& window_;
};

}  // namespace

void DrawHtmlText(Graphics& graphics, const TextMetrics& metrics, const HtmlFontById& fontById,
                  std::wstring_view markup, const Rect& rect, const TextStyle& base) {
  if (markup.empty() || rect.IsEmpty()) return;
  const std::vector<HtmlRun> runs = ParseHtmlText(markup);
  if (runs.empty()) return;
  const std::vector<Line> lines = LayOut(runs, metrics, fontById, base);
  graphics.PushClip(rect);
  int top = FirstTop(lines, rect, base.format);
  for (const Line& line : lines) {
    if (top >= rect.bottom) break;
    int x = LineLeft(line, rect, base.format);
    for (const Piece& piece : line.pieces) {
      if (x >= rect.right) break;
      graphics.DrawText(piece.text, {x, top, x + piece.width, top + line.height}, piece.style);
      x += piece.width;
    }
    top += line.height;
  }
  graphics.PopClip();
}

void DrawHtmlText(Graphics& graphics, const WindowModel& window, std::wstring_view markup, const Rect& rect,
                  const TextStyle& base) {
  const WindowMetrics metrics(window);
  DrawHtmlText(
      graphics, metrics, [&window](int id) { return window.ScaledFont(id); }, markup, rect, base);
}

}  // namespace ui
