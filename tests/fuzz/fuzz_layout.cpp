// A skin package of layouts, built into a window and laid out. The input holds files, each begun by
// a line "@@ name"; the first one is the window's layout. The seeds include packages whose Includes
// and styles multiply without end, so the fuzzer's time limit catches any work left unbounded.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/zip_builder.h"
#include "ui/resources.h"
#include "ui/shared_layout_data.h"
#include "ui/window_model.h"

namespace {

// The files of the input in order; text before the first "@@ " line is ignored.
std::vector<ZipBuilderEntry> SplitFiles(std::string_view input) {
  std::vector<ZipBuilderEntry> files;
  size_t at = input.rfind("@@ ", 0) == 0 ? 0 : input.find("\n@@ ");
  while (at != std::string_view::npos) {
    if (input[at] == '\n') ++at;
    const size_t nameEnd = input.find('\n', at);
    if (nameEnd == std::string_view::npos) break;
    const size_t next = input.find("\n@@ ", nameEnd);
    const std::string_view content =
        input.substr(nameEnd + 1, next == std::string_view::npos ? std::string_view::npos : next - nameEnd - 1);
    ZipBuilderEntry entry;
    entry.name = std::string(input.substr(at + 3, nameEnd - at - 3));
    entry.data.assign(content.begin(), content.end());
    entry.deflate = false;
    if (!entry.name.empty()) files.push_back(std::move(entry));
    at = next;
  }
  return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<ZipBuilderEntry> files = SplitFiles({reinterpret_cast<const char*>(data), size});
  if (files.empty()) return 0;
  const std::vector<uint8_t> zip = BuildZip(files);
  ui::SharedLayoutData::Instance().Clear();  // shared styles of one input must not reach the next
  ui::Resources resources;
  if (!resources.AttachArchive(zip.data(), zip.size())) return 0;
  resources.LoadResourceMap("res.xml");
  ui::WindowModel window(resources);
  if (window.Load(files.front().name)) {
    window.SetClientSize({700, 500});
    window.Layout();
  }
  ui::SharedLayoutData::Instance().Clear();
  return 0;
}
