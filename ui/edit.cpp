#include "ui/edit.h"

#include "ui/window_model.h"

namespace ui {

Rect CentredLine(const Rect& textArea, int lineHeight) {
  const int top = textArea.top + (textArea.Height() - lineHeight) / 2;
  return {textArea.left, top, textArea.right, top + lineHeight};
}

void Edit::AttachView(std::unique_ptr<NativeView> view) {
  view_ = std::move(view);
  if (!view_) return;
  ShowContentInView();
  view_->SetEnabled(IsEnabled());
  SyncView();
}

void Edit::SyncView() {
  if (!view_) return;
  if (const WindowModel* window = Manager()) view_->SetScale(window->Scale(), window->ScaledFont(FontId()));
  view_->SetBounds(ViewRect(), IsVisibleInTree());
}

Rect Edit::ViewRect() const {
  if (Kind() == ControlKind::kRichEdit) return rect_;
  const Edges& p = TextPadding();
  Rect area = rect_.Deflated({Px(p.left), Px(p.top), Px(p.right), Px(p.bottom)});
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  return area;
}

void Edit::SetText(std::wstring text) {
  Label::SetText(std::move(text));
  if (view_) view_->SetText(Text());
}

void Edit::SetEnabled(bool enabled) {
  Label::SetEnabled(enabled);
  if (view_) view_->SetEnabled(enabled);
}

void Edit::SetManager(WindowModel* manager, Control* parent) {
  Label::SetManager(manager, parent);
  if (manager == nullptr && view_) view_->SetBounds(ViewRect(), false);
}

void Edit::Focus() {
  if (view_) view_->Focus();
}

void Edit::SetSelection(size_t start, size_t end) {
  if (view_) view_->SetSelection(start, end);
}

void Edit::OnNativeTextChanged(std::wstring text) {
  if (text == Text()) return;
  Label::SetText(std::move(text));
  Notify(L"textchanged");
}

bool Edit::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "maxchar") {
    maxChars_ = std::max(0, ParseInt(value, maxChars_));
  } else if (name == "readonly") {
    readOnly_ = ParseBool(value);
  } else if (name == "password") {
    password_ = ParseBool(value);
  } else {
    return Label::ApplyAttribute(name, value);
  }
  return true;
}

void Edit::PaintText(Graphics& graphics) {
  if (!view_) Label::PaintText(graphics);  // the native window draws its own text
}

void RichEdit::SetSelectionFormat(const CharFormat& format) {
  current_ = format;
  ViewChange change;
  change.kind = ViewChange::Kind::kFormat;
  change.format = format;
  ForView(std::move(change));
}

void RichEdit::AppendText(const std::wstring& text) {
  if (text.empty()) return;
  if (!runs_.empty() && runs_.back().format == current_) {
    runs_.back().text += text;
  } else {
    runs_.push_back({text, current_});
  }
  RebuildText();
  ViewChange change;
  change.kind = ViewChange::Kind::kText;
  change.text = text;
  ForView(std::move(change));
  // A finished line is news: assistive technology reads it as a live region's change.
  if (text.back() == L'\n' && Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kNewLine);
}

void RichEdit::SetText(std::wstring text) {
  runs_.clear();
  current_ = CharFormat{};
  if (!text.empty()) runs_.push_back({text, current_});
  RebuildText();
  forView_.clear();  // what they would have added is gone
  ViewChange change;
  change.kind = ViewChange::Kind::kReplace;
  change.text = Text();
  ForView(std::move(change));
}

void RichEdit::ScrollLineDown() {
  ++scrolledLines_;
  ForView(ViewChange{});  // a scroll
}

void RichEdit::ForView(ViewChange change) {
  if (!view_) return;
  forView_.push_back(std::move(change));
  if (Manager() != nullptr) {
    Manager()->StartAnimation(this);  // once until the next frame; at once when it draws none
  } else {
    ShowChangesInView();
  }
}

bool RichEdit::StepAnimation(int elapsedMs) {
  (void)elapsedMs;
  ShowChangesInView();
  return false;
}

void RichEdit::ShowChangesInView() {
  if (!view_ || forView_.empty()) return;
  // Text of one format goes in one piece and the scrolls last, all at once: the native window ends
  // as the changes one by one would leave it, with a few calls instead of several a line.
  const ViewChanges together(view_.get());
  const CharFormat* format = nullptr;
  std::wstring text;
  int scrolls = 0;
  for (const ViewChange& change : forView_) {
    switch (change.kind) {
      case ViewChange::Kind::kFormat:
        if (format != nullptr && change.format == *format) break;
        if (!text.empty()) view_->AppendText(text);
        text.clear();
        view_->SetSelectionFormat(*(format = &change.format));
        break;
      case ViewChange::Kind::kText:
        text += change.text;
        break;
      case ViewChange::Kind::kScroll:
        ++scrolls;
        break;
      case ViewChange::Kind::kReplace:  // always the first: it drops what came before it
        view_->SetText(change.text);
        format = nullptr;  // the view starts over in its default format
        break;
    }
  }
  if (!text.empty()) view_->AppendText(text);
  if (scrolls > 0) view_->ScrollLinesDown(scrolls);
  forView_.clear();
}

void RichEdit::ShowContentInView() {
  forView_.clear();  // the replay below shows them
  // Each run in its format, as appending them one by one would have shown them; the view starts
  // in the default format, as after SetText.
  view_->SetText(L"");
  CharFormat shown;
  for (const Run& run : runs_) {
    if (!(run.format == shown)) view_->SetSelectionFormat(shown = run.format);
    view_->AppendText(run.text);
  }
  if (!(current_ == shown)) view_->SetSelectionFormat(current_);
  if (scrolledLines_ > 0) view_->ScrollLinesDown(scrolledLines_);
}

void RichEdit::RebuildText() {
  std::wstring all;
  for (const Run& run : runs_) all += run.text;
  Label::SetText(std::move(all));
}

}  // namespace ui
