#include "ui/zip_archive.h"

#include <gtest/gtest.h>

#include "tests/support/zip_builder.h"
#include "tests/test_paths.h"

namespace {

using ui::ZipArchive;
using ui::ZipResult;

std::vector<uint8_t> Repeated(size_t size) {
  std::vector<uint8_t> data(size);
  for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>((i * 7) ^ (i >> 9));
  return data;
}

TEST(ZipArchive, ReadsThePackedSkinPackage) {
  const std::vector<uint8_t> skin = PackedSkin();
  ZipArchive archive;
  ASSERT_TRUE(archive.Attach(skin.data(), skin.size()));
  const ui::ZipEntry* folder = archive.Find("driver/label/Driver32/");
  ASSERT_NE(folder, nullptr);
  EXPECT_TRUE(folder->IsFolder());
  bool sawDeflated = false;
  for (const ui::ZipEntry& entry : archive.Entries()) {
    EXPECT_EQ(entry.name.find('\\'), std::string::npos) << entry.name;
    sawDeflated |= entry.method == 8;
  }
  EXPECT_TRUE(sawDeflated);
  std::vector<uint8_t> resMap;
  ASSERT_TRUE(archive.ReadEntry("res.xml", resMap));
  EXPECT_EQ(resMap, ReadFileBytes(SkinFolder() + "/res.xml"));
}

TEST(ZipArchive, FindsNamesIgnoringCaseFirstEntryWins) {
  const auto zip = BuildZip({{"Driver/LABELUI.dll", Bytes("first")}, {"driver/labelui.DLL", Bytes("second")}});
  ZipArchive archive;
  ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));
  std::vector<uint8_t> out;
  ASSERT_TRUE(archive.ReadEntry("DRIVER/labelui.dll", out));
  EXPECT_EQ(out, Bytes("first"));
  EXPECT_EQ(archive.Find("driver/labelui.dl"), nullptr);
}

TEST(ZipArchive, StoredAndDeflatedEntriesRoundTrip) {
  const auto data = Repeated(200000);
  ZipBuilderEntry stored{"stored.bin", data, false};
  const auto zip = BuildZip({stored, {"deflated.bin", data}, {"empty.txt", {}}});
  ZipArchive archive;
  ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));
  for (const char* name : {"stored.bin", "deflated.bin"}) {
    std::vector<uint8_t> out;
    ASSERT_TRUE(archive.ReadEntry(name, out)) << name;
    EXPECT_EQ(out, data) << name;
  }
  std::vector<uint8_t> empty;
  EXPECT_TRUE(archive.ReadEntry("empty.txt", empty));
  EXPECT_TRUE(empty.empty());
}

TEST(ZipArchive, ShortBufferGivesMoreDataAndFullBufferOk) {
  const auto data = Repeated(5000);
  const auto zip = BuildZip({{"a.bin", data}, {"b.bin", data, false}});
  ZipArchive archive;
  ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));
  for (const char* name : {"a.bin", "b.bin"}) {
    std::vector<uint8_t> shortBuffer(100);
    EXPECT_EQ(archive.Extract(*archive.Find(name), shortBuffer.data(), shortBuffer.size()), ZipResult::kMoreData);
    EXPECT_TRUE(std::equal(shortBuffer.begin(), shortBuffer.end(), data.begin()));
    std::vector<uint8_t> larger(data.size() + 10);
    EXPECT_EQ(archive.Extract(*archive.Find(name), larger.data(), larger.size()), ZipResult::kOk);
  }
}

TEST(ZipArchive, RefusesEncryptedAndUnknownMethods) {
  ZipBuilderEntry encrypted{"secret.txt", Bytes("hidden")};
  encrypted.flags = 1;
  const auto zip = BuildZip({encrypted});
  ZipArchive archive;
  ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));
  std::vector<uint8_t> out(6);
  EXPECT_EQ(archive.Extract(*archive.Find("secret.txt"), out.data(), out.size()), ZipResult::kEncrypted);

  auto unknown = BuildZip({{"x.txt", Bytes("abc"), false}});
  unknown[8] = 12;  // local header method: bzip2
  const size_t directory = unknown.size() - 22 - 46 - 5;
  unknown[directory + 10] = 12;
  ASSERT_TRUE(archive.Attach(unknown.data(), unknown.size()));
  EXPECT_EQ(archive.Extract(*archive.Find("x.txt"), out.data(), 3), ZipResult::kUnsupported);
}

// Each case lies in one field of the central directory; the reader must notice, never read beyond
// the buffer (ASan watches) and never report success.
TEST(ZipArchive, LyingDirectoryRecordsFailCleanly) {
  const auto data = Repeated(3000);
  struct Case {
    const char* what;
    ZipBuilderEntry entry;
  };
  std::vector<Case> cases;
  auto with = [&](const char* what, auto change) {
    ZipBuilderEntry entry{"f.bin", data};
    change(entry);
    cases.push_back({what, entry});
  };
  with("uncompressed size too large", [](ZipBuilderEntry& e) { e.claimedUncompressedSize = 3001; });
  with("uncompressed size too small", [](ZipBuilderEntry& e) { e.claimedUncompressedSize = 2999; });
  with("compressed size past the end", [](ZipBuilderEntry& e) { e.claimedCompressedSize = 0x7FFFFFFF; });
  with("compressed size cut short", [](ZipBuilderEntry& e) { e.claimedCompressedSize = 10; });
  with("wrong crc", [](ZipBuilderEntry& e) { e.claimedCrc = 0x12345678; });
  with("local header past the end", [](ZipBuilderEntry& e) { e.claimedLocalOffset = 0xFFFFFFF0; });
  with("local header at a wrong place", [](ZipBuilderEntry& e) { e.claimedLocalOffset = 7; });
  with("stored size mismatch", [](ZipBuilderEntry& e) {
    e.deflate = false;
    e.claimedCompressedSize = 2000;
  });
  for (const Case& c : cases) {
    const auto zip = BuildZip({c.entry});
    ZipArchive archive;
    ASSERT_TRUE(archive.Attach(zip.data(), zip.size())) << c.what;
    std::vector<uint8_t> out(c.entry.claimedUncompressedSize >= 0 ? c.entry.claimedUncompressedSize : 3000);
    EXPECT_NE(archive.Extract(*archive.Find("f.bin"), out.data(), out.size()), ZipResult::kOk) << c.what;
  }
}

TEST(ZipArchive, TruncatedOrCorruptArchivesAreRefusedOrFail) {
  const auto zip = BuildZip({{"a.txt", Bytes(std::string(4000, 'a'))}, {"b/", {}, false}});
  ZipArchive archive;
  for (size_t cut = 0; cut < zip.size(); cut += 7) {
    std::vector<uint8_t> truncated(zip.begin(), zip.begin() + cut);
    if (archive.Attach(truncated.data(), truncated.size())) {
      for (const auto& entry : archive.Entries()) {
        std::vector<uint8_t> out(entry.uncompressedSize);
        archive.Extract(entry, out.data(), out.size());
      }
    }
  }
  // A damaged deflate stream is reported as corrupt.
  auto damaged = zip;
  for (size_t i = 40; i < 60; ++i) damaged[i] ^= 0x5A;
  ASSERT_TRUE(archive.Attach(damaged.data(), damaged.size()));
  std::vector<uint8_t> out(4000);
  EXPECT_NE(archive.Extract(*archive.Find("a.txt"), out.data(), out.size()), ZipResult::kOk);

  const std::vector<uint8_t> notZip(100, 'x');
  EXPECT_FALSE(archive.Attach(notZip.data(), notZip.size()));
  EXPECT_FALSE(archive.IsOpen());
  EXPECT_FALSE(archive.Attach(nullptr, 0));
}

TEST(ZipArchive, DirectoryLargerThanTheArchiveIsRefused) {
  auto zip = BuildZip({{"a.txt", Bytes("abc")}});
  const size_t end = zip.size() - 22;
  zip[end + 10] = 0xFF;  // claim 65535 entries
  zip[end + 11] = 0xFF;
  ZipArchive archive;
  EXPECT_FALSE(archive.Attach(zip.data(), zip.size()));
  zip = BuildZip({{"a.txt", Bytes("abc")}});
  zip[end + 12] = 0xFF;  // directory size past the end record
  zip[end + 13] = 0xFF;
  EXPECT_FALSE(archive.Attach(zip.data(), zip.size()));
}

}  // namespace
