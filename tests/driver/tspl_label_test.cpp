// The rendering plug-in's portable half: GPD callbacks and 1-bit bands in, TSPL bytes out.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/label_callbacks.h"
#include "driver/label_job.h"

namespace label {
namespace {

using namespace std::string_literals;

const std::string kDefaultHeader =
    "SIZE 50 mm,30 mm\r\nGAP 2 mm,0 mm\r\nDIRECTION 0\r\nDENSITY 8\r\nSPEED 4\r\nCLS\r\n";

// A band as Unidrv hands it to ImageProcessing: rows 4-byte aligned and top-down (although biHeight
// is positive), palette {black, white}, so a blank band is all 0xFF and a black dot a 0 bit.
std::vector<uint8_t> Dib(int width, int rows, bool black) {
  return std::vector<uint8_t>(((width + 31) / 32) * 4 * rows, black ? 0x00 : 0xFF);
}

// Paints dots [left, right) of rows [top, bottom) of such a band with the bit value ink.
void Paint(std::vector<uint8_t>& band, int width, int top, int bottom, int left, int right, bool ink) {
  const int stride = ((width + 31) / 32) * 4;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      uint8_t& byte = band[y * stride + x / 8];
      byte = ink ? byte | (0x80 >> (x % 8)) : byte & ~(0x80 >> (x % 8));
    }
  }
}

uint32_t MasterUnits(double mm) { return static_cast<uint32_t>(mm / 25.4 * kMasterUnitsPerInch + 0.5); }

class LabelJobTest : public ::testing::Test {
 protected:
  LabelJob job{[this](const void* data, size_t size) {
    spooled.append(static_cast<const char*>(data), size);
    return sinkWorks;
  }};
  std::string spooled;
  bool sinkWorks = true;

  bool Call(uint32_t id, std::vector<uint32_t> params = {}) {
    return job.Command(id, params.data(), params.size());
  }
  void StartLabel(double widthMm, double heightMm, uint32_t resolution) {
    ASSERT_TRUE(Call(kStartDoc));
    ASSERT_TRUE(Call(kPageSize, {MasterUnits(widthMm), MasterUnits(heightMm)}));
    ASSERT_TRUE(Call(resolution));
    ASSERT_TRUE(Call(kStartPage));
  }
};

TEST(LabelProgram, OneDotRowIsInvertedCroppedToItsRowAndPaddedWhite) {
  PageRaster page(12, 3);
  const uint8_t row[] = {0x80, 0x10};  // the first and the last dot
  page.PutBand(0, 1, 12, 1, row, 2);
  EXPECT_EQ(LabelProgram(LabelSettings(), page),
            kDefaultHeader + "BITMAP 0,1,2,1,0,\x7F\xEF\r\nPRINT 1,1\r\n");
}

TEST(LabelProgram, AllWhiteSendsNoBitmapAndAllBlackEveryByte) {
  EXPECT_EQ(LabelProgram(LabelSettings(), PageRaster(12, 3)), kDefaultHeader + "PRINT 1,1\r\n");

  PageRaster black(10, 2);
  const std::vector<uint8_t> rows(4, 0xFF);
  black.PutBand(0, 0, 16, 2, rows.data(), 2);
  EXPECT_EQ(LabelProgram(LabelSettings(), black),
            kDefaultHeader + "BITMAP 0,0,2,2,0,\x00\x3F\x00\x3F\r\n"s + "PRINT 1,1\r\n");
}

TEST(LabelProgram, BandsAtUnalignedOffsetsLandOnTheirDots) {
  PageRaster page(20, 2);
  const uint8_t dots[] = {0xC0};  // two dots
  page.PutBand(7, 1, 2, 1, dots, 1);
  page.PutBand(-1, 0, 2, 1, dots, 1);  // the first dot is left of the page
  EXPECT_EQ(page.Row(0)[0], 0x80);
  EXPECT_EQ(page.Row(1)[0], 0x01);
  EXPECT_EQ(page.Row(1)[1], 0x80);
}

TEST_F(LabelJobTest, FullLabelCarriesEveryChosenFeature) {
  StartLabel(40, 30, kResolution203);
  for (uint32_t id :
       {uint32_t{kDensity0 + 12}, uint32_t{kSpeed2 + 1}, uint32_t{kMediaMark3}, uint32_t{kDirectionTurned}}) {
    ASSERT_TRUE(Call(id));
  }
  ASSERT_TRUE(Call(kCopies, {2}));
  const std::vector<uint8_t> black = Dib(320, 240, true);
  ASSERT_TRUE(job.Band(black.data(), 320, 240, 1, nullptr, 0, 0));
  ASSERT_TRUE(Call(kEndPage));
  EXPECT_EQ(spooled,
            "SIZE 40 mm,30 mm\r\nBLINE 3 mm,0 mm\r\nDIRECTION 1\r\nDENSITY 12\r\nSPEED 3\r\nCLS\r\n"
            "BITMAP 0,0,40,240,0," +
                std::string(40 * 240, '\0') + "\r\nPRINT 1,2\r\n");
}

TEST_F(LabelJobTest, BandsPastThePageEdgeAreCut) {
  StartLabel(40, 30, kResolution203);  // 320 x 240 dots
  const std::vector<uint8_t> wide = Dib(352, 64, true);
  ASSERT_TRUE(job.Band(wide.data(), 352, 64, 1, nullptr, 0, 200));
  ASSERT_TRUE(Call(kEndPage));
  EXPECT_EQ(spooled,
            "SIZE 40 mm,30 mm\r\nGAP 2 mm,0 mm\r\nDIRECTION 0\r\nDENSITY 8\r\n"
            "SPEED 4\r\nCLS\r\nBITMAP 0,200,40,40,0," +
                std::string(40 * 40, '\0') + "\r\nPRINT 1,1\r\n");
}

// A 40 x 30 mm label at 203 dpi (320 x 240 dots) whose one band, 64 rows placed at row 100, has a
// black block in its top-left corner: 10 rows of 12 dots. The label's bitmap begins at row 100 with
// those 10 rows (a band read bottom-up would put them at row 154), each 1.5 bytes of 0 bits (TSPL
// prints a 0) and the rest white.
TEST_F(LabelJobTest, UnidrvBandsPrintTheirCornerBlockWhereItWasDrawn) {
  const std::string row = "\x00\x0F"s + std::string(38, '\xFF');
  std::string expected;
  for (int i = 0; i < 10; ++i) expected += row;
  const uint8_t blackWhite[] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};  // RGBQUAD {black, white}
  const uint8_t whiteBlack[] = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};  // a table that turns it round
  struct Case {
    const char* name;
    int32_t height;  // Unidrv's is positive; a negative one says top-down outright
    const uint8_t* colorTable;
    bool ink;  // the bit value of a black dot under that table
  };
  for (const Case& c : {Case{"Unidrv's band, no table", 64, nullptr, false},
                        Case{"{black, white} table", 64, blackWhite, false},
                        Case{"top-down said outright", -64, nullptr, false},
                        Case{"{white, black} table", 64, whiteBlack, true}}) {
    SCOPED_TRACE(c.name);
    spooled.clear();
    StartLabel(40, 30, kResolution203);
    std::vector<uint8_t> band(40 * 64, c.ink ? 0x00 : 0xFF);  // white
    Paint(band, 320, 0, 10, 0, 12, c.ink);
    ASSERT_TRUE(job.Band(band.data(), 320, c.height, 1, c.colorTable, 0, 100));
    ASSERT_TRUE(Call(kEndPage));
    EXPECT_EQ(spooled,
              "SIZE 40 mm,30 mm\r\nGAP 2 mm,0 mm\r\nDIRECTION 0\r\nDENSITY 8\r\nSPEED 4\r\nCLS\r\n"
              "BITMAP 0,100,40,10,0," +
                  expected + "\r\nPRINT 1,1\r\n");
  }
}

TEST_F(LabelJobTest, BothResolutionsAndACustomSizeGiveTheirDots) {
  struct Case {
    double widthMm, heightMm;
    uint32_t resolution;
    std::string size, bitmap;
  };
  for (const Case& c :
       std::vector<Case>{{40, 30, kResolution203, "SIZE 40 mm,30 mm", "BITMAP 0,0,40,240,0,"},
                         {40, 30, kResolution300, "SIZE 40 mm,30 mm", "BITMAP 0,0,59,354,0,"},
                         {100, 150, kResolution203, "SIZE 100 mm,150 mm", "BITMAP 0,0,100,1199,0,"},
                         {57.5, 20.3, kResolution300, "SIZE 57.5 mm,20.3 mm", "BITMAP 0,0,85,240,0,"}}) {
    spooled.clear();
    StartLabel(c.widthMm, c.heightMm, c.resolution);
    const std::vector<uint8_t> black = Dib(2000, 2000, true);
    ASSERT_TRUE(job.Band(black.data(), 2000, 2000, 1, nullptr, 0, 0));
    ASSERT_TRUE(Call(kEndPage));
    EXPECT_EQ(spooled.rfind(c.size + "\r\n", 0), 0u) << c.size;
    EXPECT_NE(spooled.find(c.bitmap), std::string::npos) << c.bitmap;
  }
}

TEST_F(LabelJobTest, FeatureValuesBecomeTheirCommands) {
  struct Case {
    uint32_t id;
    std::vector<uint32_t> params;
    std::string line;
  };
  for (const Case& c : std::vector<Case>{{kDensity0, {}, "DENSITY 0"},
                                         {kDensity15, {}, "DENSITY 15"},
                                         {kSpeed2, {}, "SPEED 2"},
                                         {kSpeed6, {}, "SPEED 6"},
                                         {kMediaGap3, {}, "GAP 3 mm,0 mm"},
                                         {kMediaMark3, {}, "BLINE 3 mm,0 mm"},
                                         {kMediaContinuous, {}, "GAP 0 mm,0 mm"},
                                         {kDirectionTurned, {}, "DIRECTION 1"},
                                         {kCopies, {7}, "PRINT 1,7"},
                                         {kCopies, {0}, "PRINT 1,1"},
                                         {kCopies, {100000}, "PRINT 1,999"},
                                         {kPageSize, {0, 0}, "SIZE 5 mm,5 mm"},
                                         {kPageSize, {0xFFFFFFFF, 0xFFFFFFFF}, "SIZE 108 mm,500 mm"}}) {
    spooled.clear();
    ASSERT_TRUE(Call(kStartDoc));
    ASSERT_TRUE(Call(c.id, c.params)) << c.line;
    ASSERT_TRUE(Call(kStartPage));
    ASSERT_TRUE(Call(kEndPage));
    EXPECT_NE(spooled.find(c.line + "\r\n"), std::string::npos) << c.line << " in " << spooled;
  }
}

TEST_F(LabelJobTest, RefusesWhatUnidrvWouldNeverSendAndReportsAFailedWrite) {
  EXPECT_FALSE(Call(77));
  EXPECT_FALSE(Call(kPageSize, {100}));
  EXPECT_FALSE(Call(kCopies));
  const std::vector<uint8_t> band = Dib(8, 1, true);
  EXPECT_FALSE(job.Band(band.data(), 8, 1, 1, nullptr, 0, 0));  // no page started
  EXPECT_TRUE(Call(kEndPage));                                  // nothing to print
  EXPECT_TRUE(spooled.empty());

  ASSERT_TRUE(Call(kStartPage));
  EXPECT_FALSE(job.Band(band.data(), 8, 1, 8, nullptr, 0, 0));
  EXPECT_FALSE(job.Band(band.data(), 0, 1, 1, nullptr, 0, 0));
  EXPECT_FALSE(job.Band(nullptr, 8, 1, 1, nullptr, 0, 0));
  sinkWorks = false;
  EXPECT_FALSE(Call(kEndPage));
}

TEST_F(LabelJobTest, StartDocForgetsTheLastJobsSettings) {
  ASSERT_TRUE(Call(kDensity15));
  ASSERT_TRUE(Call(kMediaContinuous));
  ASSERT_TRUE(Call(kStartDoc));
  EXPECT_EQ(job.settings().density, 8);
  EXPECT_EQ(job.settings().media, Media::kGap);
}

}  // namespace
}  // namespace label
