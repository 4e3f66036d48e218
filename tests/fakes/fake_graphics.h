// A drawing surface that records every call, for checking what controls paint without a window.
// It also measures text (half the font size per character) so autocalcwidth can be tested.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "ui/graphics.h"

struct DrawCall {
  enum Kind { kFill, kFillRound, kBorder, kImage, kText, kPushClip, kPopClip };
  Kind kind = kFill;
  ui::Rect rect;
  ui::Color color = 0;
  int width = 0;
  ui::Size radius;
  std::wstring text;
  ui::TextStyle style;
  ui::ImageDraw image;
};

class FakeGraphics : public ui::Graphics, public ui::TextMetrics {
 public:
  std::vector<DrawCall> calls;
  std::set<std::string> missingImages;  // DrawImage answers false for these paths

  void FillRect(const ui::Rect& rect, ui::Color color) override;
  void FillRoundRect(const ui::Rect& rect, ui::Size radius, ui::Color color) override;
  void DrawBorder(const ui::Rect& rect, int width, ui::Color color, ui::Size radius) override;
  bool DrawImage(const ui::ImageDraw& image) override;
  void DrawText(std::wstring_view text, const ui::Rect& rect, const ui::TextStyle& style) override;
  void PushClip(const ui::Rect& rect) override;
  void PopClip() override;
  ui::Size MeasureText(std::wstring_view text, const ui::FontSpec& font) const override;

  // The text calls and the image calls, in drawing order.
  std::vector<DrawCall> Of(DrawCall::Kind kind) const;
  std::vector<std::wstring> Texts() const;
  std::vector<std::string> ImagePaths() const;
  // The first text call with exactly that text, or null.
  const DrawCall* FindText(const std::wstring& text) const;
  int ClipDepth() const { return depth_; }

 private:
  int depth_ = 0;
};
