// Turns layout markup into a control tree for a window: the root Window's attributes, its Font,
// Default and Style elements, Include elements, and every control element with its attributes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ui/control.h"
#include "ui/layout_budget.h"
#include "ui/markup.h"

namespace ui {

class Container;
class ControlRegistry;
class CreateControlCallback;
class Resources;
class WindowModel;

constexpr int kMaxIncludeDepth = 8;
// Repeated includes could multiply a small file into millions of controls; a layout past this fails.
constexpr int kMaxLayoutControls = 20000;

// The parsed markup of a layout: markup itself when the name begins with "<", else the archive
// file the resource map gives for the name (or the name as a path). Nothing when it is missing
// or malformed. bytesRead, when given, receives the size of the text parsed.
std::optional<MarkupNode> ReadLayout(const Resources& resources, std::string_view layoutName,
                                     size_t* bytesRead = nullptr);

class LayoutBuilder {
 public:
  LayoutBuilder(WindowModel& window, const ControlRegistry& registry, CreateControlCallback* callback)
      : window_(window), registry_(registry), callback_(callback) {}

  // From a root Window element: its attributes and resources go to the window, and its first
  // control element becomes the tree. A root that is itself a control is built as the tree.
  // Null when there is no control, an Include cannot be read, the tree grows past
  // kMaxLayoutControls or the work passes a LayoutBudget cap.
  std::unique_ptr<Control> Build(const MarkupNode& root, bool readWindowAttributes);

 private:
  std::unique_ptr<Control> BuildTree(const MarkupNode& root, bool readWindowAttributes);
  void ReadWindowAttributes(const MarkupNode& window);
  // Font, Default and Style elements; true when the element was one of them.
  bool ReadResource(const MarkupNode& node);
  std::unique_ptr<Control> BuildControl(const MarkupNode& node, int depth);
  // Builds node's control children into parent; false when an Include failed.
  bool BuildChildren(const MarkupNode& node, Container& parent, int depth);
  bool BuildInclude(const MarkupNode& include, Container& parent, int depth);

  WindowModel& window_;
  const ControlRegistry& registry_;
  CreateControlCallback* callback_;
  bool failed_ = false;
  int built_ = 0;
  LayoutBudget budget_;
};

}  // namespace ui
