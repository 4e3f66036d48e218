#include "ui/attribute_values.h"

#include <gtest/gtest.h>

#include "ui/image_desc.h"

namespace {

TEST(AttributeValues, Colours) {
  const std::pair<const char*, std::optional<ui::Color>> cases[] = {
      {"#FF2a84d0", 0xFF2A84D0}, {"ffff0000", 0xFFFF0000},     {"0x050581", 0xFF050581},
      {"#c0c0c0", 0xFFC0C0C0},   {"#00000000", 0x00000000},    {"", std::nullopt},
      {"#GG0000", std::nullopt}, {"#123456789", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ui::ParseColor(text), expected) << text;
}

TEST(AttributeValues, NumbersRectanglesAndSizes) {
  EXPECT_EQ(ui::ParseInt(" -12px"), -12);
  EXPECT_EQ(ui::ParseInt("x", 7), 7);
  EXPECT_EQ(ui::ParseRect("1, 2,3 ,4"), (ui::Rect{1, 2, 3, 4}));
  EXPECT_EQ(ui::ParseEdges("20,0"), (ui::Edges{20, 0, 0, 0}));
  EXPECT_EQ(ui::ParseSize("700,500"), (ui::Size{700, 500}));
  EXPECT_TRUE(ui::ParseBool("TRUE"));
  EXPECT_FALSE(ui::ParseBool("1"));
  EXPECT_FALSE(ui::ParseFractions("1,0,1", 4));
  EXPECT_EQ(ui::ParseFractions("1,0,0.5,0", 4), (std::vector<double>{1, 0, 0.5, 0}));
}

TEST(AttributeValues, AttributeListsAsStylesWriteThem) {
  const auto pairs = ui::ParseAttributeList(
      R"( Height="16" normalimage="file='common/cb.png' source='0,0,17,17'"  textpadding='20,0,6,0' broken="x)");
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"height", "16"}));
  EXPECT_EQ(pairs[1].second, "file='common/cb.png' source='0,0,17,17'");
  EXPECT_EQ(pairs[2].second, "20,0,6,0");
  EXPECT_TRUE(ui::ParseAttributeList("no pairs here").empty());
}

TEST(ImageDesc, PlainPathsAndDescriptions) {
  EXPECT_EQ(ui::ParseImageDesc("common/button_normal.png").file, "common/button_normal.png");
  EXPECT_TRUE(ui::ParseImageDesc("").IsEmpty());
  const ui::ImageDesc d = ui::ParseImageDesc(
      "file='common/radio.png' source='17,0,34,17' corner='2,3,4,5' dest='0,0,17,17' fade='300'");
  EXPECT_EQ(d.file, "common/radio.png");
  EXPECT_EQ(d.source, (ui::Rect{17, 0, 34, 17}));
  EXPECT_EQ(d.corner, (ui::Edges{2, 3, 4, 5}));
  EXPECT_EQ(d.dest, (ui::Rect{0, 0, 17, 17}));
  EXPECT_EQ(d.fade, 255);
  EXPECT_EQ(ui::ParseImageDesc("res='sysbtn_menu_hot'").resId, "sysbtn_menu_hot");
}

TEST(ImageDesc, ScaledNames) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"common/button_normal.png", 100, "common/button_normal.png"},
      {"common/button_normal.png", 125, "common/button_normal@125.png"},
      {"main/shadow.png", 150, "main/shadow@150.png"},
      {"a.b.png", 125, "a@125.b@125.png"},  // every dot
      {"noextension", 150, "noextension"},
  };
  for (const auto& [name, scale, expected] : cases)
    EXPECT_EQ(ui::ScaledImageName(name, scale), expected) << name;
}

}  // namespace
