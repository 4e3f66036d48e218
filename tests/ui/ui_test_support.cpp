#include "tests/ui/ui_test_support.h"

#include <gtest/gtest.h>

#include "tests/support/zip_builder.h"
#include "ui/shared_layout_data.h"

std::unique_ptr<TestSkin> MakeSkin(const std::map<std::string, std::string>& files) {
  ui::SharedLayoutData::Instance().Clear();
  auto skin = std::make_unique<TestSkin>();
  std::vector<ZipBuilderEntry> entries;
  for (const auto& [name, content] : files) entries.push_back({name, Bytes(content)});
  if (entries.empty()) entries.push_back({"empty.txt", Bytes("")});
  skin->zip = BuildZip(entries);
  EXPECT_TRUE(skin->resources.AttachArchive(skin->zip.data(), skin->zip.size()));
  if (files.count("res.xml") != 0) {
    EXPECT_TRUE(skin->resources.LoadResourceMap("res.xml"));
  }
  return skin;
}

std::unique_ptr<TestSkin> LayoutMarkup(const std::string& markup, int width, int height) {
  auto skin = MakeSkin({{"main.xml", markup}});
  EXPECT_TRUE(skin->window.Load("main.xml")) << markup;
  skin->window.SetClientSize({width, height});
  skin->window.Layout();
  return skin;
}

ui::Rect RectOf(const ui::WindowModel& window, const std::wstring& name) {
  const ui::Control* control = window.FindControl(name);
  return control != nullptr ? control->GetRect() : ui::Rect{-1, -1, -1, -1};
}

std::string ToString(const ui::Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}
