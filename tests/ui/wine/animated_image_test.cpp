// An animated image's decoded bitmap is shared by every control that shows the file: each draw
// must select its own frame, so a restarted spinner shows frame 0 again.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <vector>

#include "tests/wine/real_skin.h"
#include "ui/win/gdiplus_graphics_win.h"

namespace {

using AnimatedImage = RealSkinSuite;

// The pixels of one draw of the spinner's frame through a surface over that cache.
std::vector<uint32_t> DrawFrame(ui::ImageCache& images, int frame) {
  Gdiplus::Bitmap bitmap(40, 40, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics g(&bitmap);
    g.Clear(Gdiplus::Color(255, 255, 255, 255));
    ui::GdiplusGraphics surface(g, images);
    ui::ImageDraw draw;
    draw.path = "other/loading3.gif";
    draw.dest = {0, 0, 40, 40};
    draw.frame = frame;
    EXPECT_TRUE(surface.DrawImage(draw));
  }
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      Gdiplus::Color c;
      bitmap.GetPixel(x, y, &c);
      pixels.push_back(c.GetValue());
    }
  }
  return pixels;
}

TEST_F(AnimatedImage, FrameZeroIsSelectedAgainAfterALaterFrame) {
  ui::GdiplusSession session;
  ASSERT_TRUE(session.ok());
  {
    ui::ImageCache fresh(ui::Resources::Instance().Archive());
    ASSERT_GE(fresh.FrameDelays("other/loading3.gif").size(), 4u);
    const std::vector<uint32_t> first = DrawFrame(fresh, 0);

    ui::ImageCache shared(ui::Resources::Instance().Archive());
    const std::vector<uint32_t> third = DrawFrame(shared, 3);
    ASSERT_NE(third, first);  // the frames differ, or this proves nothing
    EXPECT_EQ(DrawFrame(shared, 0), first);
  }
}

}  // namespace
