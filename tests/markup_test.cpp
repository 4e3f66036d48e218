#include "ui/markup.h"

#include <gtest/gtest.h>

#include "ui/resource_map.h"
#include "ui/text_table.h"

namespace {

TEST(Markup, AcceptsBomAndBlankLinesBeforeTheDeclaration) {
  for (const std::string prefix : {"", "\xEF\xBB\xBF", "\r\n\r\n", "\xEF\xBB\xBF\n"}) {
    const auto root = ui::ParseMarkup(prefix + "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Res a=\"1\"><x/></Res>");
    ASSERT_TRUE(root) << "prefix of " << prefix.size();
    EXPECT_EQ(root->name, "Res");
    EXPECT_EQ(root->children.size(), 1u);
  }
}

TEST(Markup, AttributesIgnoreCaseAndEntitiesAreResolved) {
  const auto root = ui::ParseMarkup("<Window SIZE=\"700,500\" text=\"a &amp; &quot;b&quot; &lt;c&gt;\"><!-- c --></Window>");
  ASSERT_TRUE(root);
  ASSERT_NE(root->Attribute("size"), nullptr);
  EXPECT_EQ(*root->Attribute("Size"), "700,500");
  EXPECT_EQ(root->AttributeOr("text", ""), "a & \"b\" <c>");
  EXPECT_EQ(root->Attribute("missing"), nullptr);
  EXPECT_TRUE(root->children.empty());
  EXPECT_TRUE(root->NameIs("WINDOW"));
}

TEST(Markup, MalformedTextGivesNothing) {
  for (const char* text : {"", "   ", "<Res>", "<Res></Other>", "<Res a=\"1></Res>", "no markup", "<Res><", "<?xml?>"}) {
    EXPECT_FALSE(ui::ParseMarkup(text)) << text;
  }
}

TEST(Markup, NestingIsLimited) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  EXPECT_FALSE(ui::ParseMarkup(deep));
  // Quotes and comments holding tag characters do not fool the depth count.
  std::string tricky;
  for (int i = 0; i < 5000; ++i) tricky += "<a x=\"/>\"><!-- </a> -->";
  EXPECT_FALSE(ui::ParseMarkup(tricky));
  std::string fine;
  for (int i = 0; i < 200; ++i) fine += "<a>";
  for (int i = 0; i < 200; ++i) fine += "</a>";
  EXPECT_TRUE(ui::ParseMarkup(fine));
}

TEST(ResourceMap, MapsIdsFirstPathWinsOtherElementsIgnored) {
  ui::ResourceMap map;
  ASSERT_TRUE(map.Load("<res><IMAGE ID=\"img\" Path=\"a.png\"/><xml id=\"XML_MAIN\" path=\"main.xml\"/>"
                       "<Xml id=\"XML_MAIN\" path=\"other.xml\"/><Font id=\"f\" path=\"x\"/><Xml id=\"nopath\"/></res>"));
  EXPECT_EQ(map.ImagePath("img"), "a.png");
  EXPECT_EQ(map.XmlPath("XML_MAIN"), "main.xml");
  EXPECT_FALSE(map.XmlPath("img"));
  EXPECT_FALSE(map.ImagePath("f"));
  EXPECT_FALSE(map.XmlPath("nopath"));
  EXPECT_EQ(map.LayoutPath("XML_MAIN"), "main.xml");
  EXPECT_EQ(map.LayoutPath("pop_about.xml"), "pop_about.xml");
  EXPECT_FALSE(map.Load("<res><Xml"));
  EXPECT_EQ(map.XmlPath("XML_MAIN"), "main.xml");
}

class PrefixCallback : public ui::TextCallback {
 public:
  bool ProvideText(const std::wstring& key, std::wstring& text) override {
    if (key.rfind(L"cb.", 0) != 0) return false;
    text = L"from callback";
    return true;
  }
};

TEST(TextTable, LoadsOverwritesNeverRemovesAndFallsBackToTheKey) {
  ui::TextTable table;
  ASSERT_TRUE(table.LoadLanguage("<Res><Text id=\"a\" value=\"A\"/><Text id=\"b\" value=\"B\"/><text ID=\"c\" VALUE=\"C\"/>"
                                 "<Text id=\"novalue\"/><Other id=\"o\" value=\"O\"/><Text id=\"cb.x\" value=\"X\"/></Res>"));
  EXPECT_EQ(table.Size(), 4u);
  ASSERT_TRUE(table.LoadLanguage("<Res><Text id=\"a\" value=\"Ä\"/></Res>"));
  EXPECT_EQ(table.Get(L"a"), L"\u00C4");
  EXPECT_EQ(table.Get(L"b"), L"B");
  EXPECT_EQ(table.Get(L"c"), L"C");
  EXPECT_EQ(table.Get(L"missing.key"), L"missing.key");
  EXPECT_EQ(table.Get(nullptr), L"");
  EXPECT_FALSE(table.LoadLanguage("<Res><Text id=\"a\" value=\"broken\"></Res>"));
  EXPECT_EQ(table.Get(L"a"), L"\u00C4");

  PrefixCallback callback;
  EXPECT_EQ(table.Get(L"cb.unknown", &callback), L"from callback");
  table.Reload(&callback);
  EXPECT_EQ(table.Get(L"cb.x"), L"from callback");
  EXPECT_EQ(table.Get(L"b"), L"B");
}

}  // namespace
