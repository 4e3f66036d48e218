#include "ui/win/native_edit_win.h"

#include <richedit.h>

#include <string>

#include "ui/win/system_library_win.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr UINT_PTR kEditId = 0x4C45;

bool LoadRichEditLibrary() {
  static const bool loaded = LoadSystemLibrary(L"msftedit.dll") != nullptr;
  return loaded;
}

// Text and padding come from the control; the native window owns caret, selection and input.
class NativeEditView final : public NativeView {
 public:
  NativeEditView(HWND window, Edit& edit, bool rich, AccessibleAnswer accessible)
      : window_(window), edit_(edit), rich_(rich), accessible_(std::move(accessible)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    nativeProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeEditView::KeyProc)));
  }
  ~NativeEditView() override {
    DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
  }

  void SetScale(int percent, const FontSpec& scaledFont) override {
    scale_ = percent;
    // A rich edit keeps its own font: its lines carry their sizes in points, which already
    // follow the system's DPI, and WM_SETFONT would reformat every line written so far.
    if (rich_ || (font_ != nullptr && scaledFont == fontSpec_)) return;
    HFONT font =
        CreateFontW(-scaledFont.size, 0, 0, 0, scaledFont.bold ? FW_BOLD : FW_NORMAL, scaledFont.italic,
                    scaledFont.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH, scaledFont.face.c_str());
    if (font == nullptr) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // A new font brings the edit's own margins back; the padding is the skinned box's.
    SendMessageW(window_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
    fontSpec_ = scaledFont;
    lineHeight_ = LineHeight();
  }
  void SetBounds(const Rect& rect, bool visible) override {
    Rect place = rect;
    if (rich_) {
      // Leave the control's own border visible around the native window.
      const int inset = std::max(1, 2 * scale_ / 100);
      place = {rect.left + inset, rect.top + inset, std::max(rect.left + inset, rect.right - inset),
               std::max(rect.top + inset, rect.bottom - inset)};
    } else {
      // The text area already leaves the skinned box's padding; the edit is one line high in its
      // middle, so the text sits where a drawn label's would, at every display scale.
      if (lineHeight_ > 0) place = CentredLine(rect, lineHeight_);
    }
    const bool shown = visible && !rect.IsEmpty();
    // Every layout pass calls this for every edit; most of them stay where they were.
    if (placed_ && place == place_ && shown == shown_) return;
    SetWindowPos(window_, nullptr, place.left, place.top, place.Width(), place.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    placed_ = true;
    place_ = place;
    shown_ = shown;
  }
  void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }
  void SetText(const std::wstring& text) override {
    const ViewChanges quiet(this);
    updating_ = true;
    SetWindowTextW(window_, text.c_str());
    updating_ = false;
    hasFormat_ = false;  // the model starts over in the default format too
  }
  void Focus() override { SetFocus(window_); }
  void SetSelection(size_t start, size_t end) override {
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }

  // The format applies at the end, where the next text is appended, never at a selection the user
  // made by clicking into the box.
  void SetSelectionFormat(const CharFormat& format) override {
    format_ = format;
    hasFormat_ = true;
    const ViewChanges quiet(this);
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    ApplyFormat();
  }
  void AppendText(const std::wstring& text) override {
    const ViewChanges quiet(this);
    updating_ = true;
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    if (hasFormat_) ApplyFormat();  // moving the caret may have taken the format of other text
    SendMessageW(window_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    updating_ = false;
  }
  void ScrollLinesDown(int lines) override {
    const ViewChanges quiet(this);
    SendMessageW(window_, EM_LINESCROLL, 0, lines);
  }

  // A rich edit scrolls and repaints itself at once for every change (Wine's takes 5 to 30 ms a
  // call once the log scrolls); with drawing off during the changes, the next frame shows them.
  // A hidden window stays as it is: turning drawing on would make it visible.
  void BeginChanges() override {
    if (changes_++ > 0 || !rich_) return;
    quiet_ = (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!quiet_) return;
    scrollBefore_ = ScrollBar();
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  void EndChanges() override {
    if (--changes_ > 0 || !quiet_) return;
    quiet_ = false;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    // The frame holds the scroll bar, whose repaint costs more than the text's: only when it moved.
    const SCROLLINFO after = ScrollBar();
    const bool moved = after.nMin != scrollBefore_.nMin || after.nMax != scrollBefore_.nMax ||
                       after.nPage != scrollBefore_.nPage || after.nPos != scrollBefore_.nPos;
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | (moved ? RDW_FRAME : 0));
  }

  // The keys that leave the edit go to the window as if it had the focus: Tab, Escape, and Enter
  // where it would add no line (a plain edit, a read-only log). The focus it takes is the model's.
  static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<NativeEditView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
      case WM_KEYDOWN:
        if (view->LeavesEdit(wParam)) {
          SendMessageW(GetParent(window), WM_KEYDOWN, wParam, lParam);
          return 0;
        }
        break;
      case WM_CHAR:
        if (view->LeavesEdit(wParam)) return 0;  // no tab character, no beep
        break;
      case WM_SETFOCUS:
        if (WindowModel* model = view->edit_.Manager()) model->SetFocus(&view->edit_);
        break;
      case WM_GETOBJECT:
        if (view->accessible_) {
          if (const LRESULT object = view->accessible_(wParam, lParam)) return object;
        }
        break;
      default:
        break;
    }
    return CallWindowProcW(view->nativeProc_, window, message, wParam, lParam);
  }

  void OnChange() {
    if (updating_) return;
    const int length = GetWindowTextLengthW(window_);
    std::wstring text(length + 1, L'\0');
    GetWindowTextW(window_, text.data(), length + 1);
    text.resize(length);
    edit_.OnNativeTextChanged(text);
  }

 private:
  // The height of a line of the edit's font, in pixels.
  int LineHeight() const {
    HDC dc = GetDC(window_);
    if (dc == nullptr) return fontSpec_.size;
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
    SelectObject(dc, old);
    ReleaseDC(window_, dc);
    return measured ? metrics.tmHeight : fontSpec_.size;
  }

  void ApplyFormat() {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);  // 116 bytes: the extended record
    cf.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    cf.yHeight = format_.heightTwips;
    const Color c = format_.color;
    cf.crTextColor = RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    if (format_.bold) cf.dwEffects |= CFE_BOLD;
    if (format_.italic) cf.dwEffects |= CFE_ITALIC;
    if (format_.underline) cf.dwEffects |= CFE_UNDERLINE;
    lstrcpynW(cf.szFaceName, format_.face.c_str(), LF_FACESIZE);
    SendMessageW(window_, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&cf));
  }

  SCROLLINFO ScrollBar() const {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(window_, SB_VERT, &info)) info.nMax = -1;  // none yet
    return info;
  }

  // The character codes of these keys are their virtual-key codes.
  bool LeavesEdit(WPARAM key) const {
    return key == VK_TAB || key == VK_ESCAPE || (key == VK_RETURN && (!rich_ || edit_.IsReadOnly()));
  }

  HWND window_;
  WNDPROC nativeProc_ = nullptr;
  Edit& edit_;
  bool rich_;
  AccessibleAnswer accessible_;
  int scale_ = 100;
  HFONT font_ = nullptr;  // plain edits: the control's font at the display scale
  int lineHeight_ = 0;    // of that font, in pixels
  bool placed_ = false;   // place_ and shown_ are where SetWindowPos put the window
  Rect place_;
  bool shown_ = false;
  FontSpec fontSpec_;
  CharFormat format_;
  bool hasFormat_ = false;
  bool updating_ = false;
  int changes_ = 0;     // open BeginChanges calls
  bool quiet_ = false;  // drawing is off until the last EndChanges
  SCROLLINFO scrollBefore_{};
};

}  // namespace

std::unique_ptr<NativeView> CreateNativeEditView(HWND parent, Edit& edit, AccessibleAnswer accessible) {
  const bool rich = edit.Kind() == ControlKind::kRichEdit;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL;
  if (rich) {
    if (!LoadRichEditLibrary()) return nullptr;
    style = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL;
  }
  if (edit.IsReadOnly()) style |= ES_READONLY;
  if (edit.IsPassword()) style |= ES_PASSWORD;
  HWND window = CreateWindowExW(0, rich ? MSFTEDIT_CLASS : L"EDIT", L"", style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(kEditId), GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  if (rich) {
    // The rich edit's own limit is 32,767 characters; the log may hold as many as the model allows.
    SendMessageW(window, EM_EXLIMITTEXT, 0, edit.MaxChars());
  } else {
    SendMessageW(window, EM_LIMITTEXT, edit.MaxChars(), 0);
  }
  return std::make_unique<NativeEditView>(window, edit, rich, std::move(accessible));
}

bool OnNativeEditCommand(WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(lParam);
  if (window == nullptr || LOWORD(wParam) != kEditId || HIWORD(wParam) != EN_CHANGE) return false;
  auto* view = reinterpret_cast<NativeEditView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (view != nullptr) view->OnChange();
  return view != nullptr;
}

}  // namespace ui
