// An animated image (GifAnim). The host decodes the frames and drives the timer; the tree keeps
// which frame shows and whether the animation runs.
#pragma once

#include "ui/control.h"

namespace ui {

class GifAnim : public Control {
 public:
  GifAnim() : Control(ControlKind::kGifAnim) {}

  const ImageDesc& Image() const { return bkImage_; }
  // autoplay (the default) runs the animation from the start; the host moves only the frames of
  // images that are shown, so it plays whenever it is on screen.
  bool AutoPlay() const { return autoPlay_; }
  bool IsPlaying() const { return playing_; }
  // Starts a stopped animation from the first frame; a running one goes on.
  void Play();
  // Stops and returns to the first frame.
  void Stop();

  // The host sets the frame count once it has decoded the image.
  void SetFrameCount(int count);
  int FrameCount() const { return frameCount_; }
  int CurrentFrame() const { return frame_; }
  // Moves to the next frame, wrapping; false (nothing changes) when stopped or single-framed.
  bool AdvanceFrame();

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintBackground(Graphics& graphics) override;

 private:
  bool autoPlay_ = true;
  bool playing_ = true;
  int frameCount_ = 1;
  int frame_ = 0;
};

}  // namespace ui
