#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "ui/png_decoder.h"

namespace {

void Put32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void AddChunk(std::string& png, const std::string& type, const std::string& body) {
  Put32(png, static_cast<uint32_t>(body.size()));
  const std::string typed = type + body;
  png += typed;
  Put32(png, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size())));
}

struct PngSpec {
  int width = 8, height = 10;
  int depth = 8, colour = 6, interlace = 0;
  std::string extraChunk;  // its type, added before the data
  int filterOverride = -1;   // a filter byte for every row instead of 0..4 in turn
  size_t dropBytes = 0;      // rows cut short before compression
};

// Few distinct values, so the Paeth predictor meets its ties.
std::vector<uint8_t> Samples(size_t count) {
  std::vector<uint8_t> samples(count);
  uint32_t state = 12345;
  for (uint8_t& sample : samples) {
    state = state * 1103515245 + 12345;
    sample = static_cast<uint8_t>(((state >> 16) & 3) * 85);
  }
  return samples;
}

// An image of Samples() whose rows use the five filters in turn, each applied as an encoder would.
std::string MakePng(const PngSpec& spec) {
  const size_t pixelBytes = spec.colour == 6 ? 4 : 3, rowBytes = spec.width * pixelBytes;
  const std::vector<uint8_t> samples = Samples(rowBytes * spec.height);
  std::string raw;
  for (int y = 0; y < spec.height; ++y) {
    const int filter = spec.filterOverride >= 0 ? spec.filterOverride : y % 5;
    raw += static_cast<char>(filter);
    for (size_t i = 0; i < rowBytes; ++i) {
      const int x = samples[y * rowBytes + i];
      const int left = i >= pixelBytes ? samples[y * rowBytes + i - pixelBytes] : 0;
      const int up = y > 0 ? samples[(y - 1) * rowBytes + i] : 0;
      const int upLeft = y > 0 && i >= pixelBytes ? samples[(y - 1) * rowBytes + i - pixelBytes] : 0;
      int predicted = 0;
      if (filter == 1) predicted = left;
      if (filter == 2) predicted = up;
      if (filter == 3) predicted = (left + up) / 2;
      if (filter == 4) {
        const int p = left + up - upLeft, a = std::abs(p - left), b = std::abs(p - up), c = std::abs(p - upLeft);
        predicted = a <= b && a <= c ? left : b <= c ? up : upLeft;
      }
      raw += static_cast<char>(x - predicted);
    }
  }
  raw.resize(raw.size() - spec.dropBytes);
  std::vector<Bytef> packed(compressBound(raw.size()));
  uLongf packedSize = packed.size();
  compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  Put32(header, spec.width);
  Put32(header, spec.height);
  header += {static_cast<char>(spec.depth), static_cast<char>(spec.colour), 0, 0, static_cast<char>(spec.interlace)};
  AddChunk(png, "IHDR", header);
  if (!spec.extraChunk.empty()) AddChunk(png, spec.extraChunk, std::string(4, '\0'));
  const std::string data(reinterpret_cast<const char*>(packed.data()), packedSize);
  AddChunk(png, "IDAT", data.substr(0, data.size() / 2));  // split: the data may span chunks
  AddChunk(png, "IDAT", data.substr(data.size() / 2));
  AddChunk(png, "IEND", "");
  return png;
}

bool Decode(const std::string& png, ui::DecodedImage& image) {
  return ui::DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), image);
}

TEST(PngDecoder, EveryFilterInRgbaAndRgb) {
  for (int colour : {6, 2}) {
    PngSpec spec;
    spec.colour = colour;
    spec.extraChunk = "tEXt";  // ancillary, skipped
    const size_t pixelBytes = colour == 6 ? 4 : 3;
    const std::vector<uint8_t> samples = Samples(80 * pixelBytes);
    ui::DecodedImage image;
    ASSERT_TRUE(Decode(MakePng(spec), image)) << colour;
    EXPECT_EQ(image.size.cx, 8);
    EXPECT_EQ(image.size.cy, 10);
    ASSERT_EQ(image.pixels.size(), 80u);
    for (size_t i = 0; i < 80; ++i) {
      const uint8_t* s = &samples[i * pixelBytes];
      const uint32_t alpha = colour == 6 ? s[3] : 0xFF;
      EXPECT_EQ(image.pixels[i], (alpha << 24) | (uint32_t{s[0]} << 16) | (uint32_t{s[1]} << 8) | s[2]) << colour << " " << i;
    }
  }
}

// What the system's decoder must do instead, and what is no whole PNG at all.
TEST(PngDecoder, RefusesOtherKindsAndDamage) {
  // Each kind is the default image with one field changed.
  const std::vector<std::pair<const char*, void (*)(PngSpec&)>> kinds = {
      {"interlaced", [](PngSpec& s) { s.interlace = 1; }},
      {"16-bit", [](PngSpec& s) { s.depth = 16; }},
      {"palette", [](PngSpec& s) { s.colour = 3; }},
      {"tRNS", [](PngSpec& s) { s.extraChunk = "tRNS"; }},
      {"gAMA", [](PngSpec& s) { s.extraChunk = "gAMA"; }},
      {"iCCP", [](PngSpec& s) { s.extraChunk = "iCCP"; }},
      {"sRGB", [](PngSpec& s) { s.extraChunk = "sRGB"; }},
      {"cHRM", [](PngSpec& s) { s.extraChunk = "cHRM"; }},
      {"sBIT", [](PngSpec& s) { s.extraChunk = "sBIT"; }},
      {"unknown critical chunk", [](PngSpec& s) { s.extraChunk = "ABCD"; }},
      {"unknown filter", [](PngSpec& s) { s.filterOverride = 5; }},
      {"short data", [](PngSpec& s) { s.dropBytes = 1; }},
      {"no width", [](PngSpec& s) { s.width = 0; }},
      {"too wide", [](PngSpec& s) { s.width = 5000; }},
  };
  for (const auto& [name, change] : kinds) {
    PngSpec spec;
    change(spec);
    ui::DecodedImage image;
    image.size = {7, 7};
    EXPECT_FALSE(Decode(MakePng(spec), image)) << name;
    EXPECT_TRUE(image.size.cx == 7 && image.pixels.empty()) << name << ": the image was changed";
  }

  const std::string whole = MakePng({});
  ui::DecodedImage image;
  for (size_t cut : {size_t{0}, size_t{7}, size_t{20}, whole.size() - 12, whole.size() - 1}) {
    EXPECT_FALSE(Decode(whole.substr(0, cut), image)) << cut;
  }
  std::string lying = whole;
  lying[8] = 0x7F;  // the header chunk's length runs past the end
  EXPECT_FALSE(Decode(lying, image));
  EXPECT_TRUE(image.pixels.empty());
}

}  // namespace
