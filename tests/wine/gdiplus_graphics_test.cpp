// The GDI+ drawing surface on Wine's GDI+: pixels of fills, borders, nine-slice images and text in
// the layouts' face "宋体" for every script the language files use.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/zip_builder.h"
#include "ui/win/gdiplus_graphics_win.h"

namespace {

using ui::Rect;

class GdiplusSurface : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session.ok()); }

  // A bitmap filled white, drawn on through the surface under test.
  struct Canvas {
    explicit Canvas(int w, int h, ui::ImageCache& images) : bitmap(w, h, PixelFormat32bppARGB), g(&bitmap), surface(g, images) {
      g.Clear(Gdiplus::Color(255, 255, 255, 255));
    }
    uint32_t At(int x, int y) {
      Gdiplus::Color c;
      bitmap.GetPixel(x, y, &c);
      return c.GetValue();
    }
    Gdiplus::Bitmap bitmap;
    Gdiplus::Graphics g;
    ui::GdiplusGraphics surface;
  };

  ui::GdiplusSession session;
  ui::ZipArchive archive;
  ui::ImageCache images{archive};
};

std::vector<uint8_t> EncodePng(Gdiplus::Bitmap& bitmap) {
  CLSID png;
  CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  bitmap.Save(stream, &png, nullptr);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  std::vector<uint8_t> bytes(stat.cbSize.LowPart);
  LARGE_INTEGER zero{};
  stream->Seek(zero, STREAM_SEEK_SET, nullptr);
  ULONG read = 0;
  stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
  stream->Release();
  return bytes;
}

TEST_F(GdiplusSurface, FillsAndBordersLandOnTheirPixels) {
  Canvas canvas(60, 60, images);
  canvas.surface.FillRect({10, 10, 20, 20}, 0xFFFF0000);
  EXPECT_EQ(canvas.At(10, 10), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(19, 19), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(20, 20), 0xFFFFFFFFu);
  canvas.surface.DrawBorder({30, 30, 50, 50}, 2, 0xFF0000FF, {});
  EXPECT_EQ(canvas.At(30, 40), 0xFF0000FFu);
  EXPECT_EQ(canvas.At(49, 40), 0xFF0000FFu);
  EXPECT_EQ(canvas.At(40, 40), 0xFFFFFFFFu);  // a frame, not a fill
  canvas.surface.FillRoundRect({0, 40, 20, 60}, {10, 10}, 0xFF00FF00);
  EXPECT_EQ(canvas.At(10, 50), 0xFF00FF00u);
  EXPECT_EQ(canvas.At(0, 40), 0xFFFFFFFFu);  // the rounded corner stays clear
}

// A rounded button: fill and frame with the same corner; no fill may show outside the frame at
// any of the four corners.
TEST_F(GdiplusSurface, RoundFrameCoversItsRoundFill) {
  Canvas canvas(60, 40, images);
  const Rect button{0, 0, 60, 40};
  canvas.surface.FillRoundRect(button, {10, 10}, 0xFF00FF00);
  canvas.surface.DrawBorder(button, 2, 0xFFFF0000, {10, 10});
  // Each corner's curves centre 5 pixels in from both edges; the frame's inner curve has radius
  // 3, so fill-coloured pixels farther out than 4 show past the frame.
  int leaks = 0;
  for (const int cx : {5, 55}) {
    for (const int cy : {5, 35}) {
      // The quarter of the box between the centre and the corner.
      for (int y = cy < 20 ? 0 : cy; y < (cy < 20 ? cy : 40); ++y) {
        for (int x = cx < 30 ? 0 : cx; x < (cx < 30 ? cx : 60); ++x) {
          const uint32_t c = canvas.At(x, y);
          const int green = (c >> 8) & 0xFF, red = (c >> 16) & 0xFF, blue = c & 0xFF;
          const double dx = cx - (x + 0.5), dy = cy - (y + 0.5);
          leaks += green > 128 && red < 128 && blue < 128 && dx * dx + dy * dy > 4.0 * 4.0;
        }
      }
    }
  }
  EXPECT_EQ(leaks, 0);
  EXPECT_EQ(canvas.At(30, 0), 0xFFFF0000u);  // the frame's straight edges
  EXPECT_EQ(canvas.At(59, 20), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(30, 20), 0xFF00FF00u);  // the fill inside
  EXPECT_EQ(canvas.At(0, 0), 0xFFFFFFFFu);    // outside the corner
}

TEST_F(GdiplusSurface, NineSliceKeepsCornersAndClipsNest) {
  // A 9 x 9 source: red 3-pixel corners, blue everything else.
  Gdiplus::Bitmap source(9, 9, PixelFormat32bppARGB);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 9; ++x) {
      const bool corner = (x < 3 || x >= 6) && (y < 3 || y >= 6);
      source.SetPixel(x, y, corner ? Gdiplus::Color(255, 255, 0, 0) : Gdiplus::Color(255, 0, 0, 255));
    }
  }
  const auto zip = BuildZip({{"common/box.png", EncodePng(source), false}});
  ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));

  Canvas canvas(100, 60, images);
  ui::ImageDraw draw;
  draw.path = "COMMON/box.png";
  draw.corner = {3, 3, 3, 3};
  draw.dest = {0, 0, 90, 60};
  ASSERT_TRUE(canvas.surface.DrawImage(draw));
  EXPECT_EQ(canvas.At(1, 1), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(88, 58), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(45, 1), 0xFF0000FFu);  // the stretched top edge
  EXPECT_EQ(canvas.At(45, 30), 0xFF0000FFu);
  EXPECT_EQ(canvas.At(95, 30), 0xFFFFFFFFu);

  draw.path = "common/missing.png";
  EXPECT_FALSE(canvas.surface.DrawImage(draw));

  canvas.surface.PushClip({0, 0, 50, 50});
  canvas.surface.PushClip({40, 40, 100, 100});
  canvas.surface.FillRect({0, 0, 100, 60}, 0xFF00FF00);
  canvas.surface.PopClip();
  EXPECT_EQ(canvas.At(45, 45), 0xFF00FF00u);
  EXPECT_EQ(canvas.At(60, 45), 0xFF0000FFu);  // outside the inner clip: unchanged
  canvas.surface.FillRect({0, 0, 100, 60}, 0xFF000000);
  canvas.surface.PopClip();
  EXPECT_EQ(canvas.At(10, 10), 0xFF000000u);
  EXPECT_EQ(canvas.At(60, 55), 0xFF0000FFu);
}

// Renders one text and returns its pixels, for comparing glyphs.
std::vector<uint32_t> Render(ui::ImageCache& images, const std::wstring& text) {
  Gdiplus::Bitmap bitmap(200, 40, PixelFormat32bppARGB);
  Gdiplus::Graphics g(&bitmap);
  g.Clear(Gdiplus::Color(255, 255, 255, 255));
  ui::GdiplusGraphics surface(g, images);
  ui::TextStyle style;
  style.font.face = L"\u5b8b\u4f53";
  style.font.size = 20;
  surface.DrawText(text, {0, 0, 200, 40}, style);
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) {
      Gdiplus::Color c;
      bitmap.GetPixel(x, y, &c);
      pixels.push_back(c.GetValue());
    }
  }
  return pixels;
}

// A script without glyphs in the face draws the same box as an unassigned code point does.
TEST_F(GdiplusSurface, LayoutFaceHasGlyphsForEveryScript) {
  const auto box = Render(images, L"\uE000\uE000");
  const auto blank = Render(images, L" ");
  const struct {
    const char* script;
    std::wstring text;
  } samples[] = {{"Latin", L"Ab"}, {"Chinese", L"\u7b80\u4f53"}, {"Japanese", L"\u65e5\u672c"},
                 {"Korean", L"\ud55c\uad6d"}, {"Thai", L"\u0e20\u0e32"}};
  for (const auto& sample : samples) {
    const auto drawn = Render(images, sample.text);
    EXPECT_TRUE(drawn != blank) << sample.script << ": nothing drawn";
    EXPECT_TRUE(drawn != box) << sample.script << ": drawn as empty boxes";
  }

  // Kept for a person to look at: every language's own name in the layout face.
  Gdiplus::Bitmap sheet(640, 40, PixelFormat32bppARGB);
  Gdiplus::Graphics g(&sheet);
  g.Clear(Gdiplus::Color(255, 255, 255, 255));
  ui::GdiplusGraphics surface(g, images);
  ui::TextStyle style;
  style.font = {-1, L"\u5b8b\u4f53", 18};
  surface.DrawText(L"\u7b80\u4f53\u4e2d\u6587  English  Espa\u00f1ol  \u65e5\u672c\u8a9e  \ud55c\uad6d\uc5b4  "
                   L"Portugu\u00eas  \u0e20\u0e32\u0e29\u0e32\u0e44\u0e17\u0e22",
                   {8, 0, 640, 40}, style);
  CreateDirectoryW(LDW_SCREENSHOT_DIR, nullptr);
  const std::vector<uint8_t> png = EncodePng(sheet);
  HANDLE file = CreateFileW((std::wstring(LDW_SCREENSHOT_DIR) + L"\\fonts.png").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(written, png.size());
}

}  // namespace
