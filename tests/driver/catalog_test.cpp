// The catalogue writer's hashes: SHA-1 itself, the Authenticode hash of a PE image (what the system
// computes for a DLL), and that each member is listed under its tag.
#include "driver/catalog/catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "driver/catalog/sha1.h"

namespace catalog {
namespace {

std::string Sha1Hex(const std::string& text) { return HexTag(FlatDigest(Bytes(text.begin(), text.end()))); }

// The smallest file the PE reader accepts: headers only, magic 0x10B (PE32) or 0x20B (PE32+).
Bytes PeImage(uint16_t magic) {
  Bytes file(512, 0x11);
  file[0] = 'M', file[1] = 'Z';
  file[0x3C] = 0x80, file[0x3D] = file[0x3E] = file[0x3F] = 0;
  std::copy_n("PE\0\0", 4, file.begin() + 0x80);
  file[0x98] = static_cast<uint8_t>(magic), file[0x99] = static_cast<uint8_t>(magic >> 8);
  const size_t entry = 0x98 + (magic == 0x10B ? 128 : 144);
  std::fill_n(file.begin() + entry, 8, 0);  // no certificate table
  return file;
}

bool Contains(const Bytes& haystack, const Bytes& needle) {
  return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

Bytes Utf16Z(const std::string& text) {
  Bytes out;
  for (char c : text) out.insert(out.end(), {static_cast<uint8_t>(c), 0});
  out.insert(out.end(), {0, 0});
  return out;
}

TEST(Sha1, KnownAnswersAcrossTheBlockBoundary) {
  EXPECT_EQ(Sha1Hex(""), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709");
  EXPECT_EQ(Sha1Hex("abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D");
  EXPECT_EQ(Sha1Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "84983E441C3BD26EBAAE4AA1F95129E5E54670F1");
  EXPECT_EQ(Sha1Hex(std::string(1000, 'a')), "291E9A6C66994949B57BA5E650361E98FC36B1BA");
}

TEST(PeImageDigest, SkipsTheChecksumAndCertificateEntryOfBothKinds) {
  for (uint16_t magic : {uint16_t{0x10B}, uint16_t{0x20B}}) {
    const Bytes image = PeImage(magic);
    const auto digest = PeImageDigest(image);
    ASSERT_TRUE(digest) << magic;
    Bytes changed = image;
    changed[0x98 + 64] ^= 0xFF;  // checksum
    EXPECT_EQ(PeImageDigest(changed), digest);
    changed[0x98 + (magic == 0x10B ? 128 : 144) + 4] = 0;  // size of an absent table stays absent
    EXPECT_EQ(PeImageDigest(changed), digest);
    changed[0x98 + 60] ^= 0xFF;  // an ordinary header byte
    EXPECT_NE(PeImageDigest(changed), digest);
    EXPECT_NE(*digest, FlatDigest(image));
  }
  EXPECT_FALSE(PeImageDigest(Bytes{'M', 'Z'}));
  Bytes notPe = PeImage(0x20B);
  notPe[0x81] = 'X';
  EXPECT_FALSE(PeImageDigest(notPe));
  notPe = PeImage(0x20B);
  notPe[0x3C] = 0xFF, notPe[0x3F] = 0x7F;  // header offset far past the end
  EXPECT_FALSE(PeImageDigest(notPe));
}

TEST(BuildCatalog, ListsEachMemberUnderItsTagAndName) {
  const Bytes text{'[', 'V', ']'};
  const Bytes image = PeImage(0x20B);
  const Bytes cat =
      BuildCatalog({{"Ombrevia.inf", text}, {"LABELCORE.dll", image}}, "261209000000Z", "2:10.0");
  ASSERT_GT(cat.size(), 4u);
  EXPECT_EQ(cat[0], 0x30);
  EXPECT_EQ(size_t{cat[2]} << 8 | cat[3], cat.size() - 4);  // one long-form length covers the rest
  EXPECT_TRUE(Contains(cat, Utf16Z(HexTag(FlatDigest(text)))));
  EXPECT_TRUE(Contains(cat, Utf16Z(HexTag(*PeImageDigest(image)))));
  EXPECT_FALSE(Contains(cat, Utf16Z(HexTag(FlatDigest(image)))));
  EXPECT_TRUE(Contains(cat, Utf16Z("LABELCORE.dll")));
  EXPECT_TRUE(Contains(cat, Utf16Z("2:10.0")));
}

}  // namespace
}  // namespace catalog
