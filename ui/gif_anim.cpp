#include "ui/gif_anim.h"

#include "ui/graphics.h"
#include "ui/window_model.h"

namespace ui {

void GifAnim::Play() {
  if (playing_) return;
  playing_ = true;
  frame_ = 0;
  Invalidate();
  if (Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kStateChange);
}

void GifAnim::Stop() {
  const bool was = playing_;
  playing_ = false;
  frame_ = 0;
  Invalidate();
  if (was && Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kStateChange);
}

void GifAnim::SetFrameCount(int count) {
  frameCount_ = std::max(1, count);
  if (frame_ >= frameCount_) frame_ = 0;
}

bool GifAnim::AdvanceFrame() {
  if (!playing_ || frameCount_ <= 1) return false;
  frame_ = (frame_ + 1) % frameCount_;
  Invalidate();
  return true;
}

bool GifAnim::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "autoplay") {
    autoPlay_ = ParseBool(value);
    if (autoPlay_) {
      Play();
    } else {
      Stop();
    }
    return true;
  }
  return Control::ApplyAttribute(name, value);
}

void GifAnim::PaintBackground(Graphics& graphics) {
  if (bkColor_ != 0) graphics.FillRect(rect_, bkColor_);
  if (bkImage_.IsEmpty() || Manager() == nullptr) return;
  ImageDraw draw = Manager()->ResolveImage(bkImage_, rect_);
  draw.frame = frame_;  // always named: the image's bitmap is shared and keeps the last frame chosen
  graphics.DrawImage(draw);
}

}  // namespace ui
