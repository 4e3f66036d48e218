#include "ui/markup.h"

#include <rapidxml.hpp>

#include <vector>

#include "ui/utf.h"

namespace ui {
namespace {

std::string_view SkipBomAndBlanks(std::string_view text) {
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n')) {
    text.remove_prefix(1);
  }
  return text;
}

size_t SkipPast(std::string_view text, size_t from, std::string_view terminator) {
  const size_t at = text.find(terminator, from);
  return at == std::string_view::npos ? text.size() : at + terminator.size();
}

// rapidxml recurses once per element level; measure the nesting first so hostile input cannot
// exhaust the stack. Quotes inside tags and comments, CDATA, declarations are honoured.
int NestingDepth(std::string_view text) {
  int depth = 0, deepest = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '<') {
      ++i;
      continue;
    }
    const std::string_view rest = text.substr(i);
    if (rest.substr(0, 4) == "<!--") {
      i = SkipPast(text, i + 4, "-->");
    } else if (rest.substr(0, 9) == "<![CDATA[") {
      i = SkipPast(text, i + 9, "]]>");
    } else if (rest.substr(0, 2) == "<?") {
      i = SkipPast(text, i + 2, "?>");
    } else if (rest.substr(0, 2) == "<!" || rest.substr(0, 2) == "</") {
      if (rest[1] == '/') --depth;
      i = SkipPast(text, i + 2, ">");
    } else {
      char quote = 0;
      size_t j = i + 1;
      for (; j < text.size(); ++j) {
        const char c = text[j];
        if (quote != 0) {
          if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
          quote = c;
        } else if (c == '>') {
          break;
        }
      }
      const bool selfClosing = j < text.size() && text[j - 1] == '/';
      if (!selfClosing && ++depth > deepest) deepest = depth;
      i = j + 1;
    }
  }
  return deepest;
}

MarkupNode Convert(const rapidxml::xml_node<char>& source) {
  MarkupNode node;
  node.name.assign(source.name(), source.name_size());
  for (auto* attribute = source.first_attribute(); attribute != nullptr; attribute = attribute->next_attribute()) {
    node.attributes.emplace_back(std::string(attribute->name(), attribute->name_size()),
                                 std::string(attribute->value(), attribute->value_size()));
  }
  for (auto* child = source.first_node(); child != nullptr; child = child->next_sibling()) {
    if (child->type() == rapidxml::node_element) node.children.push_back(Convert(*child));
  }
  return node;
}

}  // namespace

const std::string* MarkupNode::Attribute(std::string_view attributeName) const {
  for (const auto& [key, value] : attributes) {
    if (EqualsIgnoreCase(key, attributeName)) return &value;
  }
  return nullptr;
}

std::string MarkupNode::AttributeOr(std::string_view attributeName, std::string_view fallback) const {
  const std::string* value = Attribute(attributeName);
  return value != nullptr ? *value : std::string(fallback);
}

bool MarkupNode::NameIs(std::string_view elementName) const { return EqualsIgnoreCase(name, elementName); }

std::optional<MarkupNode> ParseMarkup(std::string_view utf8) {
  const std::string_view text = SkipBomAndBlanks(utf8);
  if (NestingDepth(text) > kMaxMarkupDepth) return std::nullopt;
  std::vector<char> buffer(text.begin(), text.end());
  buffer.push_back('\0');
  rapidxml::xml_document<char> document;
  try {
    document.parse<rapidxml::parse_no_data_nodes | rapidxml::parse_validate_closing_tags>(buffer.data());
  } catch (const rapidxml::parse_error&) {
    return std::nullopt;
  }
  const auto* root = document.first_node();
  while (root != nullptr && root->type() != rapidxml::node_element) root = root->next_sibling();
  if (root == nullptr) return std::nullopt;
  return Convert(*root);
}

}  // namespace ui
