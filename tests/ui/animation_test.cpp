// Fading buttons and sliding tab pages: stepped by hand through a host that draws frames, and
// jumping to their end in a window that draws none.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/fakes/fake_graphics.h"
#include "tests/ui/ui_test_support.h"
#include "ui/container.h"
#include "ui/label.h"

namespace {

class FrameHost : public ui::WindowHost {
 public:
  bool drawsFrames = true;
  int requests = 0;
  void Invalidate(const ui::Rect&) override {}
  bool RequestAnimationFrames() override {
    ++requests;
    return drawsFrames;
  }
};

const char kFadeMarkup[] = R"(<Window>
  <HorizontalLayout>
    <FadeButton name="fade" width="30" height="30" normalimage="n.png" hotimage="file='h.png' fade='200'"/>
    <Button name="plain" width="30" height="30" normalimage="n.png" hotimage="h.png"/>
  </HorizontalLayout></Window>)";

// The fade of the hot image the button draws, or -1 when it draws no hot image.
int HotImageFade(ui::WindowModel& window) {
  FakeGraphics graphics;
  window.Paint(graphics, {0, 0, 30, 30});
  for (const DrawCall& call : graphics.Of(DrawCall::kImage)) {
    if (call.image.path == "h.png") return call.image.fade;
  }
  return -1;
}

TEST(FadeButton, HotImageFadesInAndOutWithTheMouse) {
  auto skin = LayoutMarkup(kFadeMarkup, 100, 30);
  FrameHost host;
  skin->window.SetHost(&host);
  auto* fade = skin->window.Find<ui::FadeButton>(L"fade");
  ASSERT_NE(fade, nullptr);
  EXPECT_EQ(HotImageFade(skin->window), -1);

  skin->window.OnMouseMove({10, 10});
  EXPECT_TRUE(skin->window.IsAnimating());
  EXPECT_EQ(fade->HotOpacity(), 0);
  EXPECT_TRUE(skin->window.AdvanceAnimations(ui::FadeButton::kFadeMs / 2));
  const int half = fade->HotOpacity();
  EXPECT_GT(half, 100);
  EXPECT_LT(half, 155);
  // The layout's own fade scales with the animation's opacity.
  EXPECT_EQ(HotImageFade(skin->window), 200 * half / 255);
  EXPECT_FALSE(skin->window.AdvanceAnimations(ui::FadeButton::kFadeMs));
  EXPECT_EQ(fade->HotOpacity(), 255);
  EXPECT_EQ(HotImageFade(skin->window), 200);

  // Leaving half-way back turns round from where the fade stands.
  skin->window.OnMouseMove({50, 10});
  skin->window.AdvanceAnimations(ui::FadeButton::kFadeMs / 4);
  const int fading = fade->HotOpacity();
  EXPECT_LT(fading, 255);
  skin->window.OnMouseMove({10, 10});
  skin->window.AdvanceAnimations(1);
  EXPECT_GT(fade->HotOpacity(), fading);
  skin->window.OnMouseLeave();
  while (skin->window.AdvanceAnimations(16)) {
  }
  EXPECT_EQ(fade->HotOpacity(), 0);
  EXPECT_EQ(HotImageFade(skin->window), -1);
}

TEST(FadeButton, JumpsToItsEndWithoutFramesAndPressesWithoutFading) {
  auto skin = LayoutMarkup(kFadeMarkup, 100, 30);
  FrameHost host;
  host.drawsFrames = false;
  skin->window.SetHost(&host);
  auto* fade = skin->window.Find<ui::FadeButton>(L"fade");
  skin->window.OnMouseMove({10, 10});
  EXPECT_FALSE(skin->window.IsAnimating());
  EXPECT_EQ(fade->HotOpacity(), 255);

  skin->window.OnMouseDown({10, 10});
  FakeGraphics graphics;
  skin->window.Paint(graphics, {0, 0, 30, 30});
  ASSERT_FALSE(graphics.ImagePaths().empty());
  EXPECT_EQ(graphics.ImagePaths().front(), "h.png");  // pushed without a pushed image: hot at full
  EXPECT_EQ(graphics.Of(DrawCall::kImage).front().image.fade, 200);

  // A plain button never animates.
  skin->window.OnMouseUp({10, 10});
  host.requests = 0;
  skin->window.OnMouseMove({40, 10});
  EXPECT_EQ(host.requests, 1);  // only the fade button leaving
}

TEST(FadeButton, DestroyedWhileFadingLeavesNothingBehind) {
  auto skin = LayoutMarkup(kFadeMarkup, 100, 30);
  FrameHost host;
  skin->window.SetHost(&host);
  skin->window.OnMouseMove({10, 10});
  ASSERT_TRUE(skin->window.IsAnimating());
  auto* box = skin->window.Root()->AsContainer();
  ASSERT_NE(box, nullptr);
  box->RemoveAll();
  EXPECT_FALSE(skin->window.IsAnimating());
  EXPECT_FALSE(skin->window.AdvanceAnimations(16));
}

const char kTabMarkup[] = R"(<Window><%s name="tabs" inset="10,0,10,0" %s>
  <VerticalLayout name="p0"/><VerticalLayout name="p1"/><VerticalLayout name="p2"/>
  </%s></Window>)";

std::string TabMarkup(const char* tag, const char* extra = "") {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, kTabMarkup, tag, extra, tag);
  return buffer;
}

// The page's left (or top) edge at each step of a slide, until it settles.
std::vector<int> SlidePath(TestSkin& skin, const wchar_t* page, bool vertical) {
  std::vector<int> path;
  for (int guard = 0; guard < 100; ++guard) {
    skin.window.LayoutIfNeeded();
    const ui::Rect r = RectOf(skin.window, page);
    path.push_back(vertical ? r.top : r.left);
    if (!skin.window.AdvanceAnimations(40)) break;
  }
  skin.window.LayoutIfNeeded();
  const ui::Rect r = RectOf(skin.window, page);
  path.push_back(vertical ? r.top : r.left);
  return path;
}

TEST(AnimationTabLayout, NewPageSlidesInFromTheSideOfItsIndex) {
  auto skin = LayoutMarkup(TabMarkup("AnimationTabLayout"), 120, 50);
  FrameHost host;
  skin->window.SetHost(&host);
  auto* tabs = skin->window.Find<ui::TabLayout>(L"tabs");
  ASSERT_TRUE(tabs->IsAnimated());

  ASSERT_TRUE(tabs->SelectItem(2));
  std::vector<int> forward = SlidePath(*skin, L"p2", false);
  ASSERT_GE(forward.size(), 4u);
  EXPECT_EQ(forward.front(), 10 + 100);  // starts one page width to the right
  for (size_t i = 1; i < forward.size(); ++i) EXPECT_LE(forward[i], forward[i - 1]);
  EXPECT_EQ(forward.back(), 10);
  EXPECT_EQ(ToString(RectOf(skin->window, L"p2")), "10,0,110,50");
  EXPECT_FALSE(tabs->IsSliding());

  ASSERT_TRUE(tabs->SelectItem(0));
  std::vector<int> back = SlidePath(*skin, L"p0", false);
  EXPECT_EQ(back.front(), 10 - 100);  // from the left
  EXPECT_EQ(back.back(), 10);

  // Selecting the page already shown does not move it.
  ASSERT_TRUE(tabs->SelectItem(0));
  EXPECT_FALSE(tabs->IsSliding());
}

TEST(AnimationTabLayout, SlidesVerticallyWhenAskedAndOnlyWhenAnimated) {
  auto skin = LayoutMarkup(TabMarkup("AnimationTabLayout", "animation_direction=\"vertical\""), 120, 50);
  FrameHost host;
  skin->window.SetHost(&host);
  skin->window.Find<ui::TabLayout>(L"tabs")->SelectItem(1);
  std::vector<int> path = SlidePath(*skin, L"p1", true);
  EXPECT_EQ(path.front(), 50);
  EXPECT_EQ(path.back(), 0);

  auto plain = LayoutMarkup(TabMarkup("TabLayout"), 120, 50);
  plain->window.SetHost(&host);
  auto* tabs = plain->window.Find<ui::TabLayout>(L"tabs");
  EXPECT_FALSE(tabs->IsAnimated());
  tabs->SelectItem(1);
  EXPECT_FALSE(tabs->IsSliding());
  plain->window.LayoutIfNeeded();
  EXPECT_EQ(ToString(RectOf(plain->window, L"p1")), "10,0,110,50");

  // An off-screen window (no frames drawn) shows the new page in place at once.
  auto offscreen = LayoutMarkup(TabMarkup("AnimationTabLayout"), 120, 50);
  offscreen->window.Find<ui::TabLayout>(L"tabs")->SelectItem(2);
  offscreen->window.LayoutIfNeeded();
  EXPECT_EQ(ToString(RectOf(offscreen->window, L"p2")), "10,0,110,50");
}

}  // namespace
