#include "ui/resource_map.h"

namespace ui {
namespace {

std::optional<std::string> Lookup(const std::map<std::string, std::string, std::less<>>& map, std::string_view id) {
  const auto found = map.find(id);
  if (found == map.end()) return std::nullopt;
  return found->second;
}

}  // namespace

bool ResourceMap::Load(std::string_view utf8) {
  const std::optional<MarkupNode> root = ParseMarkup(utf8);
  if (!root) return false;
  for (const MarkupNode& child : root->children) {
    auto* target = child.NameIs("Image") ? &images_ : child.NameIs("Xml") ? &xmls_ : nullptr;
    const std::string* id = child.Attribute("id");
    const std::string* path = child.Attribute("path");
    if (target != nullptr && id != nullptr && path != nullptr) target->emplace(*id, *path);
  }
  return true;
}

void ResourceMap::Clear() {
  images_.clear();
  xmls_.clear();
}

std::optional<std::string> ResourceMap::ImagePath(std::string_view id) const { return Lookup(images_, id); }
std::optional<std::string> ResourceMap::XmlPath(std::string_view id) const { return Lookup(xmls_, id); }

std::string ResourceMap::LayoutPath(std::string_view layoutName) const {
  return XmlPath(layoutName).value_or(std::string(layoutName));
}

}  // namespace ui
