#include "context/text_util.h"

#include <gtest/gtest.h>

#include "ui/utf.h"

namespace {

TEST(SplitText, KeepsInnerEmptyPiecesButNoTrailingOne) {
  using V = std::vector<std::wstring>;
  EXPECT_EQ(SplitText(L"a_b_c", L'_'), (V{L"a", L"b", L"c"}));
  EXPECT_EQ(SplitText(L"a__b", L'_'), (V{L"a", L"", L"b"}));
  EXPECT_EQ(SplitText(L"_a", L'_'), (V{L"", L"a"}));
  EXPECT_EQ(SplitText(L"a_", L'_'), (V{L"a"}));
  EXPECT_EQ(SplitText(L"", L'_'), V{});
  EXPECT_EQ(SplitText(L"abc", L'_'), (V{L"abc"}));
}

TEST(TextHelpers, CaseRulesAndPlaceholder) {
  EXPECT_TRUE(ContainsIgnoreCase(L"My LABEL printer", L"label"));
  EXPECT_FALSE(ContainsIgnoreCase(L"My printer", L"label"));
  EXPECT_TRUE(ContainsExact(L"LABEL", L"ABE"));
  EXPECT_FALSE(ContainsExact(L"LABEL", L"abe"));
  EXPECT_EQ(LowerCopy(L"ABC-xyz"), L"abc-xyz");
  EXPECT_EQ(FormatText(L"Delete: %s failed", L"LABEL"), L"Delete: LABEL failed");
  EXPECT_EQ(FormatText(L"code is:%s ", L"5917"), L"code is:5917 ");
  EXPECT_EQ(FormatText(L"no placeholder", L"x"), L"no placeholder");
  EXPECT_EQ(FormatText(L"%s", L"%s%s"), L"%s%s");  // the argument is not scanned again
}

TEST(Utf, RoundTripsAndReplacesInvalidBytes) {
  const std::string text = "ภาษาไทย 한국어 简体中文 \xF0\x9F\x96\xA8";
  EXPECT_EQ(ui::WideToUtf8(ui::Utf8ToWide(text)), text);
  EXPECT_EQ(ui::Utf8ToWide("a\xFF" "b"), L"a\uFFFDb");
  EXPECT_EQ(ui::Utf8ToWide("\xE4\xB8"), L"\uFFFD\uFFFD");
  EXPECT_EQ(ui::Utf8ToWide("\xC0\x80"), L"\uFFFD\uFFFD");  // overlong
}

}  // namespace
