// Parsing inline markup into styled runs, and keeping whatever is not markup as the user wrote it.
#include "ui/html_text.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Runs as "[flags]text" joined by "|": b, i, u, c=AARRGGBB, f=id; a line break is "^".
std::wstring Describe(const std::vector<ui::HtmlRun>& runs) {
  std::wstring out;
  for (const ui::HtmlRun& run : runs) {
    if (!out.empty()) out += L'|';
    if (run.lineBreak) {
      out += L'^';
      continue;
    }
    wchar_t color[12] = L"";
    if (run.style.color) std::swprintf(color, 12, L"c=%08X", *run.style.color);
    std::wstring flags = std::wstring(run.style.bold ? L"b" : L"") + (run.style.italic ? L"i" : L"") +
                         (run.style.underline ? L"u" : L"") + color;
    if (run.style.font) flags += L"f=" + std::to_wstring(*run.style.font);
    if (!flags.empty()) out += L'[' + flags + L']';
    out += run.text;
  }
  return out;
}

TEST(HtmlText, RunsFromTagsAndLiterals) {
  const struct {
    const wchar_t* markup;
    const wchar_t* runs;
  } cases[] = {
      {L"<b>bold</b> rest", L"[b]bold| rest"},
      {L"<B><i>x</b>y</I>z", L"[bi]x|[i]y|z"},  // </b> ends the bold under the italic
      {L"<c #FF0000>r<c #80aabbcc>g</c>r</c>", L"[c=FFFF0000]r|[c=80AABBCC]g|[c=FFFF0000]r"},
      {L"<c  #123456 >spaced", L"[c=FF123456]spaced"},
      {L"<f 1><u>x<f 3>y</f></u></f>", L"[uf=1]x|[uf=3]y"},
      {L"<b>a<n>b", L"[b]a|^|[b]b"},
      {L"x</b></c>y<i></i>", L"xy"},  // stray closers and empty tags leave nothing
      // Not markup: drawn as written.
      {L"a < b > c <x>y<x <b >", L"a < b > c <x>y<x <b >"},
      {L"</n></><n <c zz>t</c>", L"</n></><n <c zz>t"},
      {L"<c #12345><c #1234567><c #GG0000><c FF0000><c#FF0000><c #FF0000 x>",
       L"<c #12345><c #1234567><c #GG0000><c FF0000><c#FF0000><c #FF0000 x>"},
      {L"<f><f x><f -1><f 1234567>", L"<f><f x><f -1><f 1234567>"},
      {L"<<b>x", L"<|[b]x"},
      {L"&lt;b&gt; &amp;lt; &quot;", L"<b> &lt; \""},  // decoded brackets are never tags
      {L"&nbsp;&&lt", L"&nbsp;&&lt"},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(ui::ParseHtmlText(c.markup)), c.runs) << c.markup;
}

TEST(HtmlText, NestingBeyondTheLimitIsIgnoredAndStillBalances) {
  std::wstring open, close;
  for (size_t i = 0; i < ui::kMaxHtmlNesting + 8; ++i) open += L"<b>", close += L"</b>";
  EXPECT_EQ(Describe(ui::ParseHtmlText(open + L"x" + close + L"y")), L"[b]x|y");

  // The closer of an ignored colour must not end the last colour that took effect.
  std::wstring colours;
  for (size_t i = 1; i <= ui::kMaxHtmlNesting; ++i) colours += L"<c #0000" + std::to_wstring(10 + i) + L">";
  EXPECT_EQ(Describe(ui::ParseHtmlText(colours + L"<c #FFFFFF>x</c>y</c>z")),
            L"[c=FF000042]xy|[c=FF000041]z");
}

}  // namespace
