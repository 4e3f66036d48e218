// Text entry controls drawn by native child windows: Edit and RichEdit. The tree keeps their text
// (and a rich edit's formatted runs) so it can be read and tested without a window; the host
// attaches a NativeView that mirrors it on screen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/label.h"

namespace ui {

// Character format of rich-edit text, in the units the native control takes.
struct CharFormat {
  Color color = 0xFF000000;
  int heightTwips = 0;  // 0: the control's default size
  std::wstring face;    // empty: the control's default face
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const CharFormat& o) const {
    return color == o.color && heightTwips == o.heightTwips && face == o.face && bold == o.bold &&
           italic == o.italic && underline == o.underline;
  }
};

// The host's native child window for an edit control.
class NativeView {
 public:
  virtual ~NativeView() = default;
  // Called after every layout pass: where the text goes (a plain edit's box less its text padding,
  // a rich edit's whole box) and whether it shows (it and all its ancestors visible).
  virtual void SetBounds(const Rect& rect, bool visible) = 0;
  // Called before every SetBounds: the display scale in percent and the control's font at it.
  virtual void SetScale(int percent, const FontSpec& scaledFont) { (void)percent, (void)scaledFont; }
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetText(const std::wstring& text) = 0;
  virtual void Focus() = 0;
  // Plain edits: the selected characters (start == end places the caret).
  virtual void SetSelection(size_t start, size_t end) { (void)start, (void)end; }
  // Rich edits only; plain edits ignore them.
  virtual void SetSelectionFormat(const CharFormat& format) { (void)format; }
  virtual void AppendText(const std::wstring& text) { (void)text; }
  virtual void ScrollLinesDown(int lines) { (void)lines; }
  // Changes between these two reach the screen together, at the next frame; pairs may nest.
  virtual void BeginChanges() {}
  virtual void EndChanges() {}
};

// While one lives, the view (if any) shows the changes made through it as one, at the next frame.
class ViewChanges {
 public:
  explicit ViewChanges(NativeView* view) : view_(view) {
    if (view_ != nullptr) view_->BeginChanges();
  }
  ~ViewChanges() {
    if (view_ != nullptr) view_->EndChanges();
  }
  ViewChanges(const ViewChanges&) = delete;
  ViewChanges& operator=(const ViewChanges&) = delete;

 private:
  NativeView* view_;
};

// One line of text of that height centred in the text area, as wide as the area: where a
// single-line native edit goes so that its text sits as a drawn label's would.
Rect CentredLine(const Rect& textArea, int lineHeight);

class Edit : public Label {
 public:
  explicit Edit(ControlKind kind = ControlKind::kEdit) : Label(kind) {}

  // The view shows what the control holds so far: a view may come long after the text.
  void AttachView(std::unique_ptr<NativeView> view);
  NativeView* View() const { return view_.get(); }
  // Pushes the scale, font, rectangle and visibility to the native view; runs after every layout.
  void SyncView();
  void SyncNativeWindow() override { SyncView(); }
  // What the native view is given: a plain edit's box less its text padding at the display scale,
  // like the skinned box draws its text; a rich edit's whole box.
  Rect ViewRect() const;

  void SetText(std::wstring text) override;
  void SetEnabled(bool enabled) override;
  // A removed edit hides its native window at once, though it may live on to the end of the
  // notification being dispatched.
  void SetManager(WindowModel* manager, Control* parent) override;
  void Focus();
  void SetSelection(size_t start, size_t end);
  // The native window's text changed under the user: keep it and send "textchanged".
  void OnNativeTextChanged(std::wstring text);

  int MaxChars() const { return maxChars_; }
  bool IsReadOnly() const { return readOnly_; }
  bool IsPassword() const { return password_; }

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintText(Graphics& graphics) override;
  bool TextDrawnNatively() const override { return view_ != nullptr; }
  virtual void ShowContentInView() { view_->SetText(Text()); }

  std::unique_ptr<NativeView> view_;
  int maxChars_ = 255;
  bool readOnly_ = false;
  bool password_ = false;
};

class RichEdit : public Edit {
 public:
  struct Run {
    std::wstring text;
    CharFormat format;
  };

  RichEdit() : Edit(ControlKind::kRichEdit) { maxChars_ = 1 << 20; }

  // The format for text appended at the end from now on (the selection is the insertion point).
  void SetSelectionFormat(const CharFormat& format);
  void AppendText(const std::wstring& text);
  // Replaces everything with one run in the default format.
  void SetText(std::wstring text) override;
  void ScrollLineDown();

  const std::vector<Run>& Runs() const { return runs_; }
  int ScrolledLines() const { return scrolledLines_; }

  // Formats, appended text and scrolls reach the native view of a window that draws frames at its
  // next frame, all of them as one change: a sender of many lines waits for no native repaint.
  // Elsewhere they reach it at once.
  bool ViewUpToDate() const { return forView_.empty(); }
  // Hands what waits for the next frame to the view now (no more lines are coming).
  void ShowChangesInView();
  bool StepAnimation(int elapsedMs) override;
  void FinishAnimation() override { ShowChangesInView(); }

 private:
  struct ViewChange {
    enum class Kind { kFormat, kText, kScroll, kReplace } kind = Kind::kScroll;
    CharFormat format;
    std::wstring text;
  };

  void ShowContentInView() override;
  void RebuildText();
  // Keeps a change for the view's next frame, or hands it on at once.
  void ForView(ViewChange change);

  std::vector<Run> runs_;
  CharFormat current_;
  int scrolledLines_ = 0;
  std::vector<ViewChange> forView_;  // made since the view's last frame
};

}  // namespace ui
