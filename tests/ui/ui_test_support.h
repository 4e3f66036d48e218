// A window model over a private skin archive built in memory, for the UI framework's tests.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/resources.h"
#include "ui/window_model.h"

struct TestSkin {
  std::vector<uint8_t> zip;  // outlives the attachment
  ui::Resources resources;
  ui::WindowModel window{resources};
};

// Files of the archive by path; "res.xml" among them is loaded as the resource map. Clears the
// process-wide shared styles and fonts so tests do not see each other's layouts.
std::unique_ptr<TestSkin> MakeSkin(const std::map<std::string, std::string>& files);

// A window loaded from markup and laid out at the size; fails the test when the markup does not load.
std::unique_ptr<TestSkin> LayoutMarkup(const std::string& markup, int width, int height);

// The rectangle of a named control; a rectangle of -1s when the name is missing.
ui::Rect RectOf(const ui::WindowModel& window, const std::wstring& name);
std::string ToString(const ui::Rect& rect);
