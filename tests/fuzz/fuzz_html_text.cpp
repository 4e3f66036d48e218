// Any text as a chart name with inline tags: parsing never grows the text (tags vanish or stay as
// written, entities shrink) and a text without tags or entities comes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/html_text.h"
#include "ui/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::wstring markup = ui::Utf8ToWide(std::string(reinterpret_cast<const char*>(data), size));
  size_t shown = 0;
  std::wstring joined;
  for (const ui::HtmlRun& run : ui::ParseHtmlText(markup)) {
    shown += run.text.size() + (run.lineBreak ? 1 : 0);
    joined += run.text;
  }
  if (shown > markup.size()) std::abort();
  if (markup.find_first_of(L"<&") == std::wstring::npos && joined != markup) std::abort();
  return 0;
}
