// The skin package's XML files as a small owned tree. Parsing is done by rapidxml; this layer adds the
// forms the package uses (byte-order mark, blank lines before the declaration), a nesting limit, and
// element and attribute lookup that ignores ASCII case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

struct MarkupNode {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // UTF-8, entities resolved
  std::vector<MarkupNode> children;                             // elements only, in document order

  // The first attribute of that name, ignoring case; null when absent.
  const std::string* Attribute(std::string_view attributeName) const;
  std::string AttributeOr(std::string_view attributeName, std::string_view fallback) const;
  bool NameIs(std::string_view elementName) const;
};

constexpr int kMaxMarkupDepth = 256;

// The root element, or nothing when the text is not well-formed or nests deeper than kMaxMarkupDepth.
std::optional<MarkupNode> ParseMarkup(std::string_view utf8);

}  // namespace ui
