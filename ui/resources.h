// Process-wide resources of the UI framework: the attached skin archive, its resource map and the
// text table. The UI thread sets them up and changes them; workers read texts and archive entries
// from their own threads. The text table is safe for that by itself; the archive is attached before
// any worker starts and detached only by Shutdown, which must not run while a worker may read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/resource_map.h"
#include "ui/text_table.h"
#include "ui/zip_archive.h"

namespace ui {

class Resources {
 public:
  static Resources& Instance();

  void SetInstanceHandle(void* instance) { instance_ = instance; }
  void* InstanceHandle() const { return instance_; }
  // In this program every resource comes from the archive; the folder is kept for the framework's
  // own bookkeeping and is never read from disk.
  void SetResourcePath(std::wstring path) { resourcePath_ = std::move(path); }
  const std::wstring& ResourcePath() const { return resourcePath_; }

  // Borrows the bytes; they must outlive the attachment (the executable's resource does).
  bool AttachArchive(const void* data, size_t size) { return archive_.Attach(data, size); }
  const ZipArchive& Archive() const { return archive_; }

  bool ReadFile(std::string_view path, std::vector<uint8_t>& out) const {
    return archive_.ReadEntry(path, out);
  }
  bool LoadResourceMap(std::string_view fileName);
  const ResourceMap& Map() const { return map_; }

  // A file name in the archive, or the markup itself when the text begins with "<".
  bool LoadLanguage(std::string_view fileNameOrMarkup);
  TextTable& Texts() { return texts_; }
  const TextTable& Texts() const { return texts_; }

  // Releases the map, the texts, the archive, the registered control classes and the shared
  // fonts and styles of the layouts. Only once no worker runs (see LiveWorkerCount).
  void Shutdown();

 private:
  void* instance_ = nullptr;
  std::wstring resourcePath_;
  ZipArchive archive_;
  ResourceMap map_;
  TextTable texts_;
};

}  // namespace ui
