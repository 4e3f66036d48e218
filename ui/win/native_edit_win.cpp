#include "ui/win/native_edit_win.h"

#include <richedit.h>

#include <string>

namespace ui {
namespace {

constexpr UINT_PTR kEditId = 0x4C45;

bool LoadRichEditLibrary() {
  static const bool loaded = LoadLibraryW(L"msftedit.dll") != nullptr;
  return loaded;
}

// Text and padding come from the control; the native window owns caret, selection and input.
class NativeEditView final : public NativeView {
 public:
  NativeEditView(HWND window, Edit& edit, int scale) : window_(window), edit_(edit), scale_(scale) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
  ~NativeEditView() override { DestroyWindow(window_); }

  void SetBounds(const Rect& rect, bool visible) override {
    // Leave the control's own border visible around the native window.
    const int inset = std::max(1, 2 * scale_ / 100);
    const int width = std::max(0, rect.Width() - 2 * inset), height = std::max(0, rect.Height() - 2 * inset);
    SetWindowPos(window_, nullptr, rect.left + inset, rect.top + inset, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | (visible && !rect.IsEmpty() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  void SetEnabled(bool enabled) override { EnableWindow(window_, enabled); }
  void SetText(const std::wstring& text) override {
    updating_ = true;
    SetWindowTextW(window_, text.c_str());
    updating_ = false;
  }
  void Focus() override { SetFocus(window_); }
  void SetSelection(size_t start, size_t end) override {
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }

  void SetSelectionFormat(const CharFormat& format) override {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);  // 116 bytes: the extended record
    cf.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    cf.yHeight = format.heightTwips;
    const Color c = format.color;
    cf.crTextColor = RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    if (format.bold) cf.dwEffects |= CFE_BOLD;
    if (format.italic) cf.dwEffects |= CFE_ITALIC;
    if (format.underline) cf.dwEffects |= CFE_UNDERLINE;
    lstrcpynW(cf.szFaceName, format.face.c_str(), LF_FACESIZE);
    SendMessageW(window_, EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, reinterpret_cast<LPARAM>(&cf));
  }
  void AppendText(const std::wstring& text) override {
    updating_ = true;
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendMessageW(window_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    updating_ = false;
  }
  void ScrollLineDown() override { SendMessageW(window_, EM_SCROLL, SB_LINEDOWN, 0); }

  void OnChange() {
    if (updating_) return;
    const int length = GetWindowTextLengthW(window_);
    std::wstring text(length + 1, L'\0');
    GetWindowTextW(window_, text.data(), length + 1);
    text.resize(length);
    edit_.OnNativeTextChanged(text);
  }

 private:
  HWND window_;
  Edit& edit_;
  int scale_;
  bool updating_ = false;
};

}  // namespace

std::unique_ptr<NativeView> CreateNativeEditView(HWND parent, Edit& edit, int scalePercent) {
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
  if (!rich) SendMessageW(window, EM_LIMITTEXT, edit.MaxChars(), 0);
  return std::make_unique<NativeEditView>(window, edit, scalePercent);
}

bool OnNativeEditCommand(WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(lParam);
  if (window == nullptr || LOWORD(wParam) != kEditId || HIWORD(wParam) != EN_CHANGE) return false;
  auto* view = reinterpret_cast<NativeEditView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (view != nullptr) view->OnChange();
  return view != nullptr;
}

}  // namespace ui
