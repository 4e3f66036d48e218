#include "tests/support/zip_builder.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>

#include "ui/zip_archive.h"

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::vector<uint8_t> RawDeflate(const std::vector<uint8_t>& data) {
  z_stream stream{};
  deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::vector<uint8_t> out(deflateBound(&stream, data.size()) + 16);
  stream.next_in = const_cast<Bytef*>(data.data());
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

}  // namespace

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> BuildZip(const std::vector<ZipBuilderEntry>& entries) {
  std::vector<uint8_t> out, directory;
  for (const ZipBuilderEntry& entry : entries) {
    const std::vector<uint8_t> stored = entry.deflate ? RawDeflate(entry.data) : entry.data;
    const uint32_t crc = crc32(0, entry.data.data(), static_cast<uInt>(entry.data.size()));
    const uint32_t offset = static_cast<uint32_t>(out.size());
    const uint16_t method = entry.deflate ? 8 : 0;

    Put32(out, 0x04034b50);
    Put16(out, 20);
    Put16(out, entry.flags);
    Put16(out, method);
    Put32(out, 0);  // time and date
    Put32(out, crc);
    Put32(out, static_cast<uint32_t>(stored.size()));
    Put32(out, static_cast<uint32_t>(entry.data.size()));
    Put16(out, static_cast<uint32_t>(entry.name.size()));
    Put16(out, 0);
    out.insert(out.end(), entry.name.begin(), entry.name.end());
    out.insert(out.end(), stored.begin(), stored.end());

    auto claim = [](int64_t claimed, uint32_t real) { return claimed >= 0 ? static_cast<uint32_t>(claimed) : real; };
    Put32(directory, 0x02014b50);
    Put16(directory, 20);
    Put16(directory, 20);
    Put16(directory, entry.flags);
    Put16(directory, method);
    Put32(directory, 0);
    Put32(directory, claim(entry.claimedCrc, crc));
    Put32(directory, claim(entry.claimedCompressedSize, static_cast<uint32_t>(stored.size())));
    Put32(directory, claim(entry.claimedUncompressedSize, static_cast<uint32_t>(entry.data.size())));
    Put16(directory, static_cast<uint32_t>(entry.name.size()));
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put16(directory, 0);
    Put32(directory, 0);
    Put32(directory, claim(entry.claimedLocalOffset, offset));
    directory.insert(directory.end(), entry.name.begin(), entry.name.end());
  }
  const uint32_t directoryOffset = static_cast<uint32_t>(out.size());
  out.insert(out.end(), directory.begin(), directory.end());
  Put32(out, 0x06054b50);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(directory.size()));
  Put32(out, directoryOffset);
  Put16(out, 0);
  return out;
}

std::vector<uint8_t> RepackZip(
    const ui::ZipArchive& archive,
    const std::function<void(const std::string& name, std::vector<uint8_t>& data)>& change) {
  std::vector<ZipBuilderEntry> entries;
  for (const ui::ZipEntry& entry : archive.Entries()) {
    ZipBuilderEntry copy;
    copy.name = entry.name;
    if (!entry.IsFolder()) archive.ReadEntry(entry.name, copy.data);
    change(copy.name, copy.data);
    entries.push_back(std::move(copy));
  }
  return BuildZip(entries);
}

std::vector<uint8_t> WithGenuineUnidrvFiles(const ui::ZipArchive& skin) {
  return RepackZip(skin, [](const std::string& name, std::vector<uint8_t>& data) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (const char* core : {"/unidrv.dll", "/unidrvui.dll", "/unires.dll", "/stdnames.gpd", "/unidrv.hlp"}) {
      const std::string suffix(core);
      if (lower.size() > suffix.size() &&
          lower.compare(lower.size() - suffix.size(), suffix.size(), suffix) == 0) {
        data = Bytes("MZ genuine Unidrv core file of Windows (" + name + ")");
      }
    }
  });
}

std::vector<uint8_t> WithGenuineUnidrvFiles(const std::vector<uint8_t>& skin) {
  ui::ZipArchive archive;
  if (!archive.Attach(skin.data(), skin.size())) return {};
  return WithGenuineUnidrvFiles(archive);
}
