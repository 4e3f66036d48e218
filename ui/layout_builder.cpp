#include "ui/layout_builder.h"

#include "ui/container.h"
#include "ui/control_factory.h"
#include "ui/resources.h"
#include "ui/shared_layout_data.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {
namespace {

std::string_view AsText(const std::vector<uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::optional<MarkupNode> ReadLayout(const Resources& resources, std::string_view layoutName,
                                     size_t* bytesRead) {
  if (bytesRead != nullptr) *bytesRead = 0;
  if (!layoutName.empty() && layoutName.front() == '<') {
    if (bytesRead != nullptr) *bytesRead = layoutName.size();
    return ParseMarkup(layoutName);
  }
  std::vector<uint8_t> bytes;
  if (layoutName.empty() || !resources.ReadFile(resources.Map().LayoutPath(layoutName), bytes))
    return std::nullopt;
  if (bytesRead != nullptr) *bytesRead = bytes.size();
  return ParseMarkup(AsText(bytes));
}

std::unique_ptr<Control> LayoutBuilder::Build(const MarkupNode& root, bool readWindowAttributes) {
  failed_ = false;
  built_ = 0;
  budget_ = LayoutBudget{};
  // Style applications anywhere in the tree count against this build's budget.
  WindowModel::BudgetScope scope(window_, budget_);
  std::unique_ptr<Control> tree = BuildTree(root, readWindowAttributes);
  return failed_ || budget_.Exceeded() ? nullptr : std::move(tree);
}

std::unique_ptr<Control> LayoutBuilder::BuildTree(const MarkupNode& root, bool readWindowAttributes) {
  if (!root.NameIs("Window")) return BuildControl(root, 0);
  if (readWindowAttributes) ReadWindowAttributes(root);
  for (const MarkupNode& child : root.children) {
    if (!budget_.VisitElement()) return nullptr;
    ReadResource(child);
  }
  for (const MarkupNode& child : root.children) {
    if (child.NameIs("Font") || child.NameIs("Default") || child.NameIs("Style") || child.NameIs("Image"))
      continue;
    std::unique_ptr<Control> control = BuildControl(child, 0);
    if (failed_ || budget_.Exceeded()) return nullptr;
    if (control) return control;  // later top-level controls are not part of the tree
  }
  return nullptr;
}

void LayoutBuilder::ReadWindowAttributes(const MarkupNode& window) {
  WindowAttributes& a = window_.MutableAttributes();
  a = WindowAttributes{};
  for (const auto& [rawName, value] : window.attributes) {
    const std::string name = AsciiLowerCopy(rawName);
    a.all.emplace_back(name, value);
    if (name == "size") {
      a.size = ParseSize(value);
    } else if (name == "mininfo") {
      a.minInfo = ParseSize(value);
    } else if (name == "maxinfo") {
      a.maxInfo = ParseSize(value);
    } else if (name == "caption") {
      a.caption = ParseRect(value);
    } else if (name == "sizebox") {
      a.sizeBox = ParseEdges(value);
    } else if (name == "roundcorner") {
      a.roundCorner = ParseSize(value);
    } else if (name == "layered") {
      a.layered = ParseBool(value);
    } else if (name == "showshadow") {
      a.showShadow = ParseBool(value);
    } else if (name == "shadowimage") {
      a.shadowImage = ParseImageDesc(value);
    } else if (name == "shadowsize") {
      a.shadowSize = ParseInt(value);
    } else if (name == "shadowcorner") {
      a.shadowCorner = ParseEdges(value);
    } else if (name == "bkcolor") {
      a.bkColor = ParseColor(value).value_or(0);
    }
  }
}

bool LayoutBuilder::ReadResource(const MarkupNode& node) {
  SharedLayoutData& shared = SharedLayoutData::Instance();
  const bool isShared = ParseBool(node.AttributeOr("shared", ""));
  if (node.NameIs("Font")) {
    FontTable& table = isShared ? shared.fonts : window_.Fonts();
    FontSpec font;
    font.id = ParseInt(node.AttributeOr("id", ""), static_cast<int>(table.Count()));
    font.face = Utf8ToWide(node.AttributeOr("name", ""));
    font.size = ParseInt(node.AttributeOr("size", ""), 12);
    font.bold = ParseBool(node.AttributeOr("bold", ""));
    font.underline = ParseBool(node.AttributeOr("underline", ""));
    font.italic = ParseBool(node.AttributeOr("italic", ""));
    const bool makeDefault = ParseBool(node.AttributeOr("default", ""));
    table.Add(font, makeDefault);
    if (makeDefault && isShared) shared.hasDefaultFont = true;
    if (makeDefault) window_.SetDefaultFont(font.face, font.size, font.bold, font.underline, font.italic);
    return true;
  }
  const std::string* name = node.Attribute("name");
  const std::string* value = node.Attribute("value");
  if (node.NameIs("Default")) {
    if (name != nullptr && value != nullptr) {
      if (isShared) shared.defaults[AsciiLowerCopy(*name)] = *value;
      window_.AddDefault(*name, *value);
    }
    return true;
  }
  if (node.NameIs("Style")) {
    if (name != nullptr && value != nullptr) {
      if (isShared) shared.styles[*name] = *value;
      window_.AddStyle(*name, *value);
    }
    return true;
  }
  return false;
}

std::unique_ptr<Control> LayoutBuilder::BuildControl(const MarkupNode& node, int depth) {
  if (++built_ > kMaxLayoutControls || !budget_.VisitElement()) {
    failed_ = true;
    return nullptr;
  }
  std::unique_ptr<Control> control = CreateControlForTag(node.name, registry_, callback_);
  if (!control) return nullptr;            // unknown tags are skipped with their children
  control->SetManager(&window_, nullptr);  // styles and option groups need the window
  if (const std::string* defaults = window_.DefaultAttributes(node.name))
    control->ApplyAttributeList(*defaults);
  for (const auto& [name, value] : node.attributes) control->SetAttribute(name, value);
  if (budget_.Exceeded()) {  // its styles went past the budget
    failed_ = true;
    return nullptr;
  }
  if (Container* container = control->AsContainer()) {
    if (!BuildChildren(node, *container, depth)) failed_ = true;
  }
  return control;
}

bool LayoutBuilder::BuildChildren(const MarkupNode& node, Container& parent, int depth) {
  for (const MarkupNode& child : node.children) {
    // Controls count in BuildControl; Includes and resources here, each time they are visited.
    const bool include = child.NameIs("Include");
    if (!include && ReadResource(child)) {
      if (!budget_.VisitElement()) break;
      continue;
    }
    if (include) {
      if (!budget_.VisitElement()) break;
      if (!BuildInclude(child, parent, depth + 1)) return false;
      continue;
    }
    std::unique_ptr<Control> control = BuildControl(child, depth);
    if (failed_) return false;
    if (control) parent.Add(std::move(control));
  }
  if (budget_.Exceeded()) failed_ = true;
  return !failed_;
}

bool LayoutBuilder::BuildInclude(const MarkupNode& include, Container& parent, int depth) {
  if (depth > kMaxIncludeDepth) return false;
  const std::string* source = include.Attribute("source");
  if (source == nullptr) return false;
  size_t bytes = 0;
  const std::optional<MarkupNode> root = ReadLayout(window_.GetResources(), *source, &bytes);
  if (!budget_.ReadFile(bytes)) {
    failed_ = true;
    return false;
  }
  if (!root) return false;
  const int count = std::clamp(ParseInt(include.AttributeOr("count", "1"), 1), 1, 100);
  for (int i = 0; i < count; ++i) {
    if (!root->NameIs("Window")) {
      std::unique_ptr<Control> control = BuildControl(*root, depth);
      if (failed_) return false;
      if (control) parent.Add(std::move(control));
      continue;
    }
    // An included Window adds its resources and all its controls to the including container.
    if (!BuildChildren(*root, parent, depth)) return false;
  }
  return true;
}

}  // namespace ui
