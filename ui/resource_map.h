// The package's resource map (res.xml): ids of images and layouts mapped to paths in the archive.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ui/markup.h"

namespace ui {

class ResourceMap {
 public:
  // Reads <Res> with <Image id path> and <Xml id path> children; element and attribute names ignore
  // case, other elements are skipped, an id given twice keeps its first path. False when the text
  // is not well-formed, in which case the map is left as it was.
  bool Load(std::string_view utf8);
  void Clear();

  std::optional<std::string> ImagePath(std::string_view id) const;
  std::optional<std::string> XmlPath(std::string_view id) const;

  // The archive path of a window's layout: a mapped Xml id gives its path, any other name is
  // taken as a path itself.
  std::string LayoutPath(std::string_view layoutName) const;

 private:
  std::map<std::string, std::string, std::less<>> images_;
  std::map<std::string, std::string, std::less<>> xmls_;
};

}  // namespace ui
