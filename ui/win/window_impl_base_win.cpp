#include "ui/win/window_impl_base_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "ui/edit.h"
#include "ui/gif_anim.h"
#include "ui/startup_trace.h"
#include "ui/utf.h"
#include "ui/win/display_scale_win.h"
#include "ui/win/gdiplus_graphics_win.h"
#include "ui/win/native_edit_win.h"

namespace ui {
namespace {

constexpr UINT_PTR kAnimationTimer = 0x4C44;
constexpr UINT kAnimationTickMs = 80;
constexpr UINT_PTR kFrameTimer = 0x4C46;
constexpr UINT kFrameTickMs = 15;
// Timers come after paints: this one runs what the first frame does not show, once it is painted.
constexpr UINT_PTR kAfterFirstFrameTimer = 0x4C47;

Rect ClientRect(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// The rectangles of the window's update region; none when it cannot be read (the paint's bounds
// serve then).
std::vector<Rect> UpdateRegionRects(HWND hwnd) {
  std::vector<Rect> rects;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (region == nullptr) return rects;
  if (GetUpdateRgn(hwnd, region, FALSE) > NULLREGION) {
    std::vector<BYTE> data(GetRegionData(region, 0, nullptr));
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    if (data.size() >= sizeof(RGNDATAHEADER) &&
        GetRegionData(region, static_cast<DWORD>(data.size()), header) == data.size()) {
      const auto* parts = reinterpret_cast<const RECT*>(header->Buffer);
      for (DWORD i = 0; i < header->rdh.nCount; ++i)
        rects.push_back({parts[i].left, parts[i].top, parts[i].right, parts[i].bottom});
    }
  }
  DeleteObject(region);
  return rects;
}

}  // namespace

WindowImplBase::WindowImplBase() : images_(Resources::Instance().Archive()) {}

WindowImplBase::~WindowImplBase() {
  if (hwnd_ != nullptr) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

std::wstring WindowImplBase::LayoutErrorText(const std::string& layoutName) {
  return L"\u52a0\u8f7d\u8d44\u6e90\u6587\u4ef6\u5931\u8d25\uff1a" + Utf8ToWide(layoutName);  // 加载资源文件失败：
}

bool WindowImplBase::RegisterWindowClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), GetWindowClassName(), &wc)) return true;
  wc.style = GetClassStyle();
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = GetWindowClassName();
  return RegisterClassExW(&wc) != 0;
}

HWND WindowImplBase::Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y, int cx,
                            int cy) {
  if (!RegisterWindowClass()) return nullptr;
  if (!CanMaximize()) style &= ~WS_MAXIMIZEBOX;
  HWND hwnd = CreateWindowExW(exStyle, GetWindowClassName(), title, style, x, y, cx, cy, parent, nullptr,
                              GetModuleHandleW(nullptr), this);
  // A window that failed after WM_NCCREATE has had its WM_NCDESTROY without OnFinalMessage, so this
  // object is still whole and still the caller's.
  created_ = hwnd != nullptr;
  return hwnd;
}

void WindowImplBase::CenterWindow() {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  RECT area{};
  if (owner != nullptr && IsWindowVisible(owner)) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int w = window.right - window.left, h = window.bottom - window.top;
  const int x = area.left + (area.right - area.left - w) / 2;
  const int y = area.top + (area.bottom - area.top - h) / 2;
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT WindowImplBase::ShowModal() {
  HWND hwnd = hwnd_;
  HWND owner = GetWindow(hwnd, GW_OWNER);
  UINT result = IDCANCEL;
  modalResult_ = &result;  // the object may delete itself before the loop ends; the code lives here
  if (owner != nullptr) {
    modalOwner_ = owner;
    EnableWindow(owner, FALSE);
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  MSG msg{};
  while (IsWindow(hwnd) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
  // Normally the owner was enabled as this window closed; a quit message ends the loop with this
  // window still there (and this object maybe gone), so only locals are used here.
  if (owner != nullptr && IsWindow(owner)) {
    EnableWindow(owner, TRUE);
    SetFocus(owner);
  }
  return result;
}

void WindowImplBase::EndModal() {
  // Enabled before the popup is hidden, the owner is the window the system activates next; enabled
  // afterwards, another program's window may take the foreground.
  if (modalOwner_ == nullptr) return;
  EnableWindow(modalOwner_, TRUE);
  modalOwner_ = nullptr;
}

void WindowImplBase::Close(UINT code) {
  if (hwnd_ != nullptr) PostMessageW(hwnd_, WM_CLOSE, code, 0);
}

bool WindowImplBase::HandleNotification(const Notification&) { return false; }

void WindowImplBase::OnClick(const Notification& notification) {
  if (notification.sender == nullptr) return;
  const std::wstring& name = notification.sender->Name();
  if (name == L"closebtn") {
    Close(IDOK);
  } else if (name == L"minbtn") {
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == L"maxbtn") {
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == L"restorebtn") {
    SendMessageW(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

LRESULT WindowImplBase::OnSysCommand(WPARAM, LPARAM, bool& handled) {
  handled = false;
  return 0;
}

std::unique_ptr<Control> WindowImplBase::CreateControl(std::string_view) { return nullptr; }
bool WindowImplBase::ProvideText(const std::wstring&, std::wstring&) { return false; }

void WindowImplBase::Invalidate(const Rect& rect) {
  if (hwnd_ == nullptr) return;
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  InvalidateRect(hwnd_, rect.IsEmpty() ? nullptr : &r, FALSE);
}

void WindowImplBase::AccessibleChanged(Control* control, AccessibleEvent event) {
  if (accessible_ != nullptr) accessible_->Changed(control, event);
}

bool WindowImplBase::RequestAnimationFrames() {
  if (hwnd_ == nullptr || !IsWindowVisible(hwnd_)) return false;
  if (!framesRunning_) {
    framesRunning_ = SetTimer(hwnd_, kFrameTimer, kFrameTickMs, nullptr) != 0;
    lastFrameTick_ = GetTickCount();
  }
  return framesRunning_;
}

void WindowImplBase::OnFrameTimer() {
  const DWORD now = GetTickCount();
  const int elapsed = static_cast<int>(now - lastFrameTick_);
  lastFrameTick_ = now;
  if (!model_.AdvanceAnimations(elapsed)) {
    KillTimer(hwnd_, kFrameTimer);
    framesRunning_ = false;
  }
}

void WindowImplBase::SetDisplayScale(int percent) {
  images_.Clear();
  shadow_.Redraw();
  model_.SetScale(percent);
  StartAnimations();
  Invalidate({});
}

LRESULT CALLBACK WindowImplBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<WindowImplBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<WindowImplBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_DESTROY) {
    self->EndModal();  // destroyed without WM_CLOSE: late, but the owner must not stay disabled
    self->shadow_.Destroy();
    self->accessible_.reset();
  }
  if (message == WM_NCDESTROY) {
    const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    const bool created = self->created_;
    self->created_ = false;
    if (created) self->OnFinalMessage(hwnd);  // may delete self
    return result;
  }
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT WindowImplBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  const LRESULT custom = HandleCustomMessage(message, wParam, lParam, handled);
  if (handled) return custom;

  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_NCCALCSIZE:
      if (wParam) return 0;  // the whole window is client area: the layout draws its own caption
      break;
    case WM_NCPAINT:
      return 0;
    case WM_NCACTIVATE:
      if (!IsIconic(hwnd_)) return TRUE;
      break;
    case WM_NCHITTEST:
      return OnHitTest(lParam);
    case WM_GETMINMAXINFO:
      OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SIZE:
      backBuffer_.Release();
      model_.SetClientSize({LOWORD(lParam), HIWORD(lParam)});
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_MOUSEMOVE:
      if (!trackingMouse_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
        trackingMouse_ = TrackMouseEvent(&track);
        // As the mouse enters, Wine can lift the shadow over the window without a message to
        // either; put it back once per entry.
        shadow_.KeepBehind();
      }
      EnsureLayout();  // input can arrive before the first paint has laid the tree out
      model_.OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      UpdateTooltip({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSELEAVE:
      trackingMouse_ = false;
      model_.OnMouseLeave();
      return 0;
    case WM_ENABLE:
      // A modal popup disables this window: no tooltip of it may show meanwhile (one still
      // waiting for its delay would appear over the popup), and no control stays hot.
      // An empty text is what keeps a waiting tip from showing, under Wine as well.
      if (!wParam) {
        SetTooltipText(L"");
        model_.OnMouseLeave();
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd_);
      EnsureLayout();
      model_.OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd_) ReleaseCapture();
      EnsureLayout();
      model_.OnMouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel(wParam, lParam);
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_SETFOCUS:
      OnSetFocus();
      return 0;
    case WM_GETOBJECT:
      if (accessible_ != nullptr) {
        if (const LRESULT object = accessible_->GetObject(wParam, lParam)) return object;
      }
      break;
    case WM_SETCURSOR:
      if (OnSetCursor(wParam, lParam)) return TRUE;
      break;
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && !CanMaximize()) return 0;
      break;
    case WM_TIMER:
      if (wParam == kAnimationTimer) {
        OnAnimationTimer();
        return 0;
      }
      if (wParam == kFrameTimer) {
        OnFrameTimer();
        return 0;
      }
      if (wParam == kAfterFirstFrameTimer) {
        KillTimer(hwnd_, kAfterFirstFrameTimer);
        FinishAfterFirstFrame();
        return 0;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      shadow_.Follow();
      break;  // DefWindowProc still sends WM_SIZE and WM_MOVE
    case WM_SYSCOMMAND: {
      if ((wParam & 0xFFF0) == SC_MAXIMIZE && !CanMaximize()) return 0;
      bool sysHandled = false;
      const LRESULT result = OnSysCommand(wParam, lParam, sysHandled);
      if (sysHandled) return result;
      break;
    }
    case WM_COMMAND:
      if (OnNativeEditCommand(wParam, lParam)) return 0;
      break;
    case WM_CLOSE:
      if (modalResult_ != nullptr) *modalResult_ = static_cast<UINT>(wParam);
      modalResult_ = nullptr;
      EndModal();
      DestroyWindow(hwnd_);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT WindowImplBase::OnCreate() {
  // Native edit windows paint themselves; the back buffer must not cover them.
  SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | WS_CLIPCHILDREN);
  // Text is measured one way from the start, whether input or a paint lays the tree out first.
  measurer_ = std::make_unique<GdiplusTextMeasurer>();
  if (measurer_->ok()) model_.SetTextMetrics(measurer_.get());
  model_.SetHost(this);
  model_.SetNotificationHandler(this);
  model_.SetTextCallback(this);
  model_.OwnHandlers().On(L"click", [this](const Notification& n) { OnClick(n); });
  // The system's scale first: the layout's sizes, fonts and image names all follow it.
  model_.SetScale(ScalePercentForDpi(WindowDpi(hwnd_)));
  const std::string layout = GetSkinFile();
  if (!model_.Load(layout, this)) {
    MessageBoxW(nullptr, LayoutErrorText(layout).c_str(), L"Error", MB_OK);
    ExitProcess(1);
  }
  MarkStartup("layout");
  const Size size = model_.Attributes().size;
  if (size.cx > 0 && size.cy > 0) {
    SetWindowPos(hwnd_, nullptr, 0, 0, model_.Px(size.cx), model_.Px(size.cy), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const Rect client = ClientRect(hwnd_);
  model_.SetClientSize({client.Width(), client.Height()});
  accessible_ = std::make_unique<AccessibleWindow>(hwnd_, model_);
  InitWindow();
  SetUpKeyboard();
  AttachNativeEdits(true);
  SetTimer(hwnd_, kAfterFirstFrameTimer, 1, nullptr);
  MarkStartup("window");
  return 0;
}

void WindowImplBase::FinishAfterFirstFrame() {
  // What the first frame does not show, each about as costly as a part of that frame: the native
  // edits of hidden pages with their library, the tooltip, the animations' frames (their pages are
  // hidden at first), the shadow's image and layered window.
  AttachNativeEdits(false);
  CreateTooltip();
  StartAnimations();
  if (shadow_.Create(hwnd_, model_, images_)) shadow_.Follow();
  AfterFirstFrame();
}

void WindowImplBase::CreateTooltip() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                             0, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (tooltip_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.lpszText = const_cast<wchar_t*>(L"");
  GetClientRect(hwnd_, &tool.rect);
  tool.rect.right = tool.rect.bottom = 0x7FFF;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
}

void WindowImplBase::UpdateTooltip(Point point) {
  if (tooltip_ != nullptr) SetTooltipText(model_.TooltipAt(point));
}

void WindowImplBase::SetTooltipText(const std::wstring& text) {
  if (tooltip_ == nullptr || text == tooltipText_) return;
  tooltipText_ = text;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = hwnd_;
  tool.lpszText = const_cast<wchar_t*>(tooltipText_.c_str());
  SendMessageW(tooltip_, TTM_POP, 0, 0);
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_ACTIVATE, !tooltipText_.empty(), 0);
}

void WindowImplBase::EnsureLayout() {
  if (!model_.NeedsLayout()) return;
  model_.Layout();
  SyncNativeEdits();
}

void WindowImplBase::AttachNativeEdits(bool shownOnly) {
  model_.ForEachControl([this, shownOnly](Control& control) {
    auto* edit = dynamic_cast<Edit*>(&control);
    if (edit == nullptr || edit->View() != nullptr || (shownOnly && !edit->IsVisibleInTree())) return;
    // Asked for its accessible object, the native edit answers with its Edit's, which is named.
    edit->AttachView(CreateNativeEditView(hwnd_, *edit, [this, edit](WPARAM wParam, LPARAM objectId) -> LRESULT {
      return accessible_ != nullptr ? accessible_->GetObject(wParam, objectId, edit) : 0;
    }));
  });
}

void WindowImplBase::SyncNativeEdits() {
  model_.ForEachControl([](Control& control) {
    if (auto* edit = dynamic_cast<Edit*>(&control)) edit->SyncView();
  });
}

void WindowImplBase::OnPaint() {
  // Laid out before the paint begins: what the layout moves joins this paint's region instead of
  // asking for a second paint straight after.
  EnsureLayout();
  const std::vector<Rect> region = UpdateRegionRects(hwnd_);  // BeginPaint empties it
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const Rect client = ClientRect(hwnd_);
  if (!client.IsEmpty() && backBuffer_.Fit({client.Width(), client.Height()})) {
    const std::vector<Rect> parts =
        PaintParts(region, {ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom});
    {
      Gdiplus::Graphics buffer(backBuffer_.Bitmap());
      for (const Rect& part : parts) {
        buffer.SetClip(Gdiplus::Rect(part.left, part.top, part.Width(), part.Height()));
        GdiplusGraphics surface(buffer, images_, &backBuffer_.Pixels());
        surface.Clear(model_.Attributes().bkColor != 0 ? model_.Attributes().bkColor : 0xFFFFFFFF);
        model_.Paint(surface, part);
      }
    }
    for (const Rect& part : parts) backBuffer_.CopyTo(dc, part);
  }
  EndPaint(hwnd_, &ps);
  MarkStartup("frame");
}

LRESULT WindowImplBase::OnHitTest(LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ScreenToClient(hwnd_, &pt);
  const Rect client = ClientRect(hwnd_);
  const WindowAttributes& a = model_.Attributes();
  if (!IsZoomed(hwnd_)) {
    const Edges box{model_.Px(a.sizeBox.left), model_.Px(a.sizeBox.top), model_.Px(a.sizeBox.right),
                    model_.Px(a.sizeBox.bottom)};
    const bool left = pt.x < box.left, right = pt.x >= client.right - box.right;
    const bool top = pt.y < box.top, bottom = pt.y >= client.bottom - box.bottom;
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
  }
  // The caption area drags the window, except where a control takes clicks.
  const Rect caption{model_.Px(a.caption.left), model_.Px(a.caption.top),
                     a.caption.right > 0 ? client.right - model_.Px(a.caption.right) : client.right,
                     model_.Px(a.caption.bottom)};
  if (caption.Contains({pt.x, pt.y}) && model_.ClickTarget({pt.x, pt.y}) == nullptr) return HTCAPTION;
  return HTCLIENT;
}

void WindowImplBase::OnMinMaxInfo(MINMAXINFO* info) {
  const WindowAttributes& a = model_.Attributes();
  if (a.minInfo.cx > 0) info->ptMinTrackSize = {model_.Px(a.minInfo.cx), model_.Px(a.minInfo.cy)};
  if (a.maxInfo.cx > 0) info->ptMaxTrackSize = {model_.Px(a.maxInfo.cx), model_.Px(a.maxInfo.cy)};
  // Without a system frame the default maximised size (the monitor plus the frame) would overhang
  // the screen and hide the task bar: a maximised window covers the work area exactly.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    info->ptMaxPosition = {work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
    info->ptMaxSize = {work.right - work.left, work.bottom - work.top};
  }
}

void WindowImplBase::OnMouseWheel(WPARAM wParam, LPARAM lParam) {
  POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // the wheel reports screen coordinates
  ScreenToClient(hwnd_, &pt);
  EnsureLayout();
  if (model_.OnMouseWheel({pt.x, pt.y}, GET_WHEEL_DELTA_WPARAM(wParam))) {
    // Other rows now lie under the mouse.
    model_.OnMouseMove({pt.x, pt.y});
    UpdateTooltip({pt.x, pt.y});
  }
}

bool WindowImplBase::OnSetCursor(WPARAM wParam, LPARAM lParam) {
  // Only over our own client area; the borders keep their sizing cursors, child windows their own.
  if (reinterpret_cast<HWND>(wParam) != hwnd_ || LOWORD(lParam) != HTCLIENT) return false;
  POINT pt{};
  GetCursorPos(&pt);
  ScreenToClient(hwnd_, &pt);
  EnsureLayout();
  if (model_.CursorAt({pt.x, pt.y}) != Cursor::kHand) return false;
  SetCursor(LoadCursorW(nullptr, IDC_HAND));
  return true;
}

void WindowImplBase::StartAnimations() {
  bool any = false;
  model_.ForEachControl([&](Control& control) {
    auto* gif = dynamic_cast<GifAnim*>(&control);
    if (gif == nullptr) return;
    const ImageDraw draw = model_.ResolveImage(gif->Image(), gif->GetRect());
    const size_t frames = images_.FrameDelays(draw.path).size();
    gif->SetFrameCount(frames > 0 ? static_cast<int>(frames) : 1);
    any = true;
  });
  if (any) SetTimer(hwnd_, kAnimationTimer, kAnimationTickMs, nullptr);
}

void WindowImplBase::OnAnimationTimer() {
  model_.ForEachControl([](Control& control) {
    auto* gif = dynamic_cast<GifAnim*>(&control);
    if (gif != nullptr && gif->IsVisibleInTree() && gif->AdvanceFrame()) gif->Invalidate();
  });
}

}  // namespace ui
