#include "ui/resources.h"

#include "ui/control_factory.h"
#include "ui/shared_layout_data.h"

namespace ui {
namespace {

std::string_view AsText(const std::vector<uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

Resources& Resources::Instance() {
  static Resources resources;
  return resources;
}

bool Resources::LoadResourceMap(std::string_view fileName) {
  std::vector<uint8_t> bytes;
  return ReadFile(fileName, bytes) && map_.Load(AsText(bytes));
}

bool Resources::LoadLanguage(std::string_view fileNameOrMarkup) {
  if (!fileNameOrMarkup.empty() && fileNameOrMarkup.front() == '<') return texts_.LoadLanguage(fileNameOrMarkup);
  std::vector<uint8_t> bytes;
  return ReadFile(fileNameOrMarkup, bytes) && texts_.LoadLanguage(AsText(bytes));
}

void Resources::Shutdown() {
  ControlRegistry::Instance().Clear();
  SharedLayoutData::Instance().Clear();
  map_.Clear();
  texts_.Clear();
  archive_.Detach();
}

}  // namespace ui
