// Laying out and drawing marked-up text on the recording surface. FakeGraphics measures half the
// font size per character and the font size in height, so a 12-pixel character is 6 wide.
#include "ui/html_text_draw.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_graphics.h"

namespace {

ui::TextStyle Base(unsigned format = ui::kTextLeft | ui::kTextVCenter | ui::kTextSingleLine) {
  return {{-1, L"Base", 12, true}, 0xFF111111, format};  // bold, to see it kept or replaced
}

std::vector<DrawCall> Draw(FakeGraphics& g, std::wstring_view markup, const ui::Rect& rect,
                           const ui::TextStyle& base = Base()) {
  // Window fonts for <f id>: face "F<id>", 20 pixels.
  const auto fontById = [](int id) { return ui::FontSpec{id, L"F" + std::to_wstring(id), 20}; };
  ui::DrawHtmlText(g, g, fontById, markup, rect, base);
  EXPECT_EQ(g.ClipDepth(), 0) << "clip left pushed";
  return g.Of(DrawCall::kText);
}

TEST(HtmlTextDraw, RunsFollowEachOtherWithTheirOwnFontAndColour) {
  FakeGraphics g;
  const auto texts = Draw(g, L"ab<c #FF0000><i>cd</i></c><u>e", {10, 0, 200, 20});
  EXPECT_EQ(g.calls.front().rect, (ui::Rect{10, 0, 200, 20}));  // the clip
  ASSERT_EQ(g.Texts(), (std::vector<std::wstring>{L"ab", L"cd", L"e"}));
  EXPECT_EQ(texts[1].rect, (ui::Rect{22, 4, 34, 16}));
  EXPECT_EQ(texts[2].rect, (ui::Rect{34, 4, 40, 16}));
  EXPECT_EQ(texts[0].style.font, Base().font);
  EXPECT_TRUE(texts[1].style.font.bold && texts[1].style.font.italic && !texts[1].style.font.underline);
  EXPECT_TRUE(texts[2].style.font.underline && !texts[2].style.font.italic);
  EXPECT_EQ(texts[0].color, 0xFF111111u);
  EXPECT_EQ(texts[1].color, 0xFFFF0000u);
}

TEST(HtmlTextDraw, TheWholeTextIsAlignedAsOne) {
  const struct {
    unsigned format;
    int left, top;
  } cases[] = {{ui::kTextCenter | ui::kTextVCenter, 48, 4},
               {ui::kTextRight | ui::kTextVCenter, 86, 4},
               {ui::kTextLeft | ui::kTextBottom, 10, 8}};
  for (const auto& c : cases) {
    FakeGraphics g;
    const auto texts = Draw(g, L"ab<i>cd</i>", {10, 0, 110, 20}, Base(c.format | ui::kTextSingleLine));
    ASSERT_EQ(texts.size(), 2u) << c.format;
    EXPECT_EQ(texts[0].rect, (ui::Rect{c.left, c.top, c.left + 12, c.top + 12})) << c.format;
    EXPECT_EQ(texts[1].rect.left, c.left + 12) << c.format;
  }
}

TEST(HtmlTextDraw, BreaksAndTheRightEdge) {
  FakeGraphics single;  // a space on one line; runs starting past the edge are left out
  Draw(single, L"a<n>b<i>ccc</i><u>dd</u>", {0, 0, 36, 20});
  EXPECT_EQ(single.Texts(), (std::vector<std::wstring>{L"a", L" ", L"b", L"ccc"}));

  // Lines centred each on its own; an empty one keeps the base height; the tallest run sets a
  // line's height; a window font replaces the base font, bold and all.
  FakeGraphics multi;
  const auto lines =
      Draw(multi, L"a<n><n><f 1>bb</f>", {0, 0, 100, 100}, Base(ui::kTextCenter | ui::kTextTop));
  ASSERT_EQ(multi.Texts(), (std::vector<std::wstring>{L"a", L"bb"}));
  EXPECT_EQ(lines[0].rect, (ui::Rect{47, 0, 53, 12}));
  EXPECT_EQ(lines[1].rect, (ui::Rect{40, 24, 60, 44}));
  EXPECT_EQ(lines[1].style.font, (ui::FontSpec{1, L"F1", 20}));

  FakeGraphics shallow;  // the third line starts below the rectangle
  Draw(shallow, L"a<n><n>b", {0, 0, 100, 24}, Base(ui::kTextLeft | ui::kTextTop));
  EXPECT_EQ(shallow.Texts(), (std::vector<std::wstring>{L"a"}));

  FakeGraphics empty;  // no runs: not even a clip
  Draw(empty, L"<b></b>", {0, 0, 100, 24});
  EXPECT_TRUE(empty.calls.empty());
}

}  // namespace
