#include "tests/fakes/fake_graphics.h"

void FakeGraphics::FillRect(const ui::Rect& rect, ui::Color color) {
  DrawCall call;
  call.kind = DrawCall::kFill;
  call.rect = rect;
  call.color = color;
  calls.push_back(call);
}

void FakeGraphics::FillRoundRect(const ui::Rect& rect, ui::Size radius, ui::Color color) {
  DrawCall call;
  call.kind = DrawCall::kFillRound;
  call.rect = rect;
  call.radius = radius;
  call.color = color;
  calls.push_back(call);
}

void FakeGraphics::DrawBorder(const ui::Rect& rect, int width, ui::Color color, ui::Size radius) {
  DrawCall call;
  call.kind = DrawCall::kBorder;
  call.rect = rect;
  call.width = width;
  call.color = color;
  call.radius = radius;
  calls.push_back(call);
}

bool FakeGraphics::DrawImage(const ui::ImageDraw& image) {
  if (missingImages.count(image.path) != 0) return false;
  DrawCall call;
  call.kind = DrawCall::kImage;
  call.rect = image.dest;
  call.image = image;
  calls.push_back(call);
  return true;
}

void FakeGraphics::DrawText(std::wstring_view text, const ui::Rect& rect, const ui::TextStyle& style) {
  DrawCall call;
  call.kind = DrawCall::kText;
  call.rect = rect;
  call.text = std::wstring(text);
  call.style = style;
  call.color = style.color;
  calls.push_back(call);
}

void FakeGraphics::PushClip(const ui::Rect& rect) {
  DrawCall call;
  call.kind = DrawCall::kPushClip;
  call.rect = rect;
  calls.push_back(call);
  ++depth_;
}

void FakeGraphics::PopClip() {
  DrawCall call;
  call.kind = DrawCall::kPopClip;
  calls.push_back(call);
  --depth_;
}

ui::Size FakeGraphics::MeasureText(std::wstring_view text, const ui::FontSpec& font) const {
  return {static_cast<int>(text.size()) * font.size / 2, font.size};
}

std::vector<DrawCall> FakeGraphics::Of(DrawCall::Kind kind) const {
  std::vector<DrawCall> found;
  for (const DrawCall& call : calls) {
    if (call.kind == kind) found.push_back(call);
  }
  return found;
}

std::vector<std::wstring> FakeGraphics::Texts() const {
  std::vector<std::wstring> texts;
  for (const DrawCall& call : Of(DrawCall::kText)) texts.push_back(call.text);
  return texts;
}

std::vector<std::string> FakeGraphics::ImagePaths() const {
  std::vector<std::string> paths;
  for (const DrawCall& call : Of(DrawCall::kImage)) paths.push_back(call.image.path);
  return paths;
}

const DrawCall* FakeGraphics::FindText(const std::wstring& text) const {
  for (const DrawCall& call : calls) {
    if (call.kind == DrawCall::kText && call.text == text) return &call;
  }
  return nullptr;
}
