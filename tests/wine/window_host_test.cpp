// The Win32 host around a window model, on real windows: the main window cannot be maximised, the
// wheel and the cursor reach the model, a modal popup gives its owner back before it goes, a window
// whose creation fails stays its creator's, the log's rich edit writes where it should, and parts
// of a page that change together are painted as a paint of the whole window would paint them.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <commdlg.h>  // FR_DOWN
#include <richedit.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/windows_win.h"
#include "context/ui_messages.h"
#include "tests/wine/real_skin.h"
#include "ui/container.h"
#include "ui/list.h"

namespace {

using NativeHost = RealSkinSuite;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

POINT ScreenCentre(HWND hwnd, const ui::Rect& rect) {
  POINT pt{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(hwnd, &pt);
  return pt;
}

HWND CreateMainWindow(CMainWnd& window) {
  return window.Create(nullptr, L"printer driver", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0, 560, 400);
}

TEST_F(NativeHost, MainWindowCannotBeMaximisedAndAForcedMaximiseFitsTheWorkArea) {
  CMainWnd window;
  HWND hwnd = CreateMainWindow(window);
  ASSERT_NE(hwnd, nullptr);
  Pump();
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX, 0);

  // Win+Up and the system menu send the command; a double click on the caption area is the other way.
  SendMessageW(hwnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  EXPECT_FALSE(IsZoomed(hwnd));
  RECT frame{};
  GetWindowRect(hwnd, &frame);
  const LPARAM inCaption = MAKELPARAM(frame.left + 100, frame.top + 45);
  ASSERT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, inCaption), HTCAPTION);
  SendMessageW(hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, inCaption);
  EXPECT_FALSE(IsZoomed(hwnd));
  RECT now{};
  GetWindowRect(hwnd, &now);
  EXPECT_TRUE(EqualRect(&now, &frame));

  MINMAXINFO info{};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(info.ptMaxSize.x, work.right - work.left);
  EXPECT_EQ(info.ptMaxSize.y, work.bottom - work.top);
  EXPECT_EQ(info.ptMinTrackSize.x, 560);
  EXPECT_EQ(info.ptMinTrackSize.y, 400);
  DestroyWindow(hwnd);
  Pump();
}

TEST_F(NativeHost, WheelOverALongListScrollsItAtTheScreenPoint) {
  CMainWnd window;
  HWND hwnd = CreateMainWindow(window);
  ASSERT_NE(hwnd, nullptr);
  // Far from the screen's origin, so screen coordinates taken as client ones miss the window.
  SetWindowPos(hwnd, nullptr, 600, 550, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  window.Model().Find<ui::TabLayout>(L"tab_switch")->SelectItem(2);
  window.Model().Find<ui::TabLayout>(L"tab_switch_delete")->SelectItem(0);
  auto* list = window.Model().Find<ui::List>(L"listex_delete_printer");
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 40; ++i) {
    auto row = std::make_unique<ui::ListTextElement>();
    row->SetColumnText(0, L"Label printer " + std::to_wstring(i));
    list->AddRow(std::move(row))->SetAttribute("height", "30");
  }
  // Let the page finish sliding in: until then its rows lie to the right of where they stop.
  for (int i = 0; i < 200 && window.Model().IsAnimating(); ++i) {
    Pump();
    Sleep(10);
  }
  UpdateWindow(hwnd);
  ASSERT_FALSE(window.Model().IsAnimating());
  ASSERT_GT(list->ScrollRange(), 0);

  const POINT over = ScreenCentre(hwnd, list->GetRect());
  SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(over.x, over.y));
  EXPECT_EQ(list->ScrollPos(), 30);  // one notch towards the user: 30 pixels down
  SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(over.x, over.y));
  EXPECT_EQ(list->ScrollPos(), 0);

  // Over the window but not over the list: nothing scrolls.
  const POINT beside = ScreenCentre(hwnd, window.Model().FindControl(L"title_lb")->GetRect());
  SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(beside.x, beside.y));
  EXPECT_EQ(list->ScrollPos(), 0);
  DestroyWindow(hwnd);
  Pump();
}

TEST_F(NativeHost, HandCursorOverOptionsArrowElsewhere) {
  CMainWnd window;
  HWND hwnd = CreateMainWindow(window);
  ASSERT_NE(hwnd, nullptr);
  UpdateWindow(hwnd);
  const struct {
    const wchar_t* control;
    const wchar_t* cursor;
  } cases[] = {{L"option_install", IDC_HAND}, {L"title_lb", IDC_ARROW}, {L"option_delete", IDC_HAND}};
  for (const auto& c : cases) {
    const POINT pt = ScreenCentre(hwnd, window.Model().FindControl(c.control)->GetRect());
    SetCursorPos(pt.x, pt.y);
    SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, c.cursor))
        << std::string(c.control, c.control + wcslen(c.control));
  }
  DestroyWindow(hwnd);
  Pump();
}

BOOL CALLBACK FindPlainEdit(HWND child, LPARAM param) {
  wchar_t name[16] = {};
  GetClassNameW(child, name, 16);
  if (lstrcmpiW(name, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(param) = child;
  return FALSE;
}

LONG FontHeight(HWND edit) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// A move to a monitor of another scale: the window takes the suggested size and its layout, images
// and native edit fonts the new scale.
TEST_F(NativeHost, DpiChangeRescalesTheWindowAndItsEditFonts) {
  CMainWnd window;
  HWND hwnd = CreateMainWindow(window);
  ASSERT_NE(hwnd, nullptr);
  FinishFirstFrame();
  HWND edit = nullptr;
  EnumChildWindows(hwnd, FindPlainEdit, reinterpret_cast<LPARAM>(&edit));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(FontHeight(edit), -14);  // the layout's default font, 宋体 14

  RECT suggested{100, 80, 1150, 830};
  SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  UpdateWindow(hwnd);
  EXPECT_EQ(window.Model().Scale(), 150);
  RECT now{};
  GetWindowRect(hwnd, &now);
  EXPECT_TRUE(EqualRect(&now, &suggested));
  EXPECT_EQ(FontHeight(edit), -21);
  EXPECT_EQ(window.Model().FindControl(L"title_lb")->GetRect().Height(), 45);  // the 30-pixel caption bar
  DestroyWindow(hwnd);
  Pump();
}

// A plain window for the lifetime cases; optionally fails in WM_CREATE, as a window whose set-up
// goes wrong after WM_NCCREATE does.
class TestWindow : public ui::WindowImplBase {
 public:
  bool failCreate = false;
  int finalMessages = 0;
  HWND owner = nullptr;
  int ownerEnabledAtHide = -1;  // -1: not hidden yet

 protected:
  const wchar_t* GetWindowClassName() const override { return L"HostTestWindow"; }
  std::string GetSkinFile() override {
    return "<Window size=\"200,100\"><VerticalLayout bkcolor=\"#FF2a84d0\"/></Window>";
  }
  LRESULT HandleCustomMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
    handled = failCreate && message == WM_CREATE;
    if (handled) return -1;
    const bool hiding = (message == WM_SHOWWINDOW && !wParam) ||
                        (message == WM_WINDOWPOSCHANGING &&
                         (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW));
    if (hiding && owner != nullptr && ownerEnabledAtHide < 0)
      ownerEnabledAtHide = IsWindowEnabled(owner) ? 1 : 0;
    return 0;
  }
  void OnFinalMessage(HWND) override { ++finalMessages; }
};

TEST_F(NativeHost, ModalPopupEnablesItsOwnerBeforeItIsHidden) {
  TestWindow owner;
  HWND ownerHwnd = owner.Create(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 0);
  ASSERT_NE(ownerHwnd, nullptr);
  TestWindow popup;
  popup.owner = ownerHwnd;
  HWND popupHwnd = popup.Create(ownerHwnd, L"popup", WS_POPUP, 0, 0, 0, 0, 0);
  ASSERT_NE(popupHwnd, nullptr);
  PostMessageW(popupHwnd, WM_CLOSE, 7, 0);
  EXPECT_EQ(popup.ShowModal(), 7u);
  EXPECT_EQ(popup.ownerEnabledAtHide, 1) << "the owner was still disabled as the popup went";
  EXPECT_TRUE(IsWindowEnabled(ownerHwnd));
  EXPECT_EQ(popup.finalMessages, 1);
  DestroyWindow(ownerHwnd);
  Pump();
}

TEST_F(NativeHost, FailedCreationLeavesTheObjectToItsCreatorAndEndsTheMainRun) {
  TestWindow failing;
  failing.failCreate = true;
  EXPECT_EQ(failing.Create(nullptr, L"failing", WS_POPUP, 0, 0, 0, 0, 0), nullptr);
  EXPECT_EQ(failing.finalMessages, 0) << "a popup would have deleted itself here, then been deleted again";
  EXPECT_EQ(failing.GetHWND(), nullptr);

  // The start-up path: the failure is reported and the run ends at once instead of waiting in a
  // message loop without a window. A posted quit keeps a wrong loop from hanging the test.
  PostQuitMessage(0);
  DWORD reported = 0;
  EXPECT_EQ(RunMainWindow(failing, [&](unsigned long error) { reported = error ? error : 1; }),
            kExitNoMainWindow);
  EXPECT_NE(reported, 0u);
  Pump();
}

BOOL CALLBACK CollectRichEdit(HWND child, LPARAM param) {
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (lstrcmpiW(name, MSFTEDIT_CLASS) == 0 && GetWindowTextLengthW(child) > 0)
    *reinterpret_cast<HWND*>(param) = child;
  return TRUE;
}

COLORREF ColourOf(HWND edit, const wchar_t* text) {
  FINDTEXTW find{{0, -1}, text};
  const LRESULT at = SendMessageW(edit, EM_FINDTEXTW, FR_DOWN, reinterpret_cast<LPARAM>(&find));
  if (at < 0) return CLR_INVALID;
  SendMessageW(edit, EM_SETSEL, at, at + lstrlenW(text));
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  SendMessageW(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf.crTextColor;
}

TEST_F(NativeHost, LogLineColourGoesToTheNewLineAfterAClickAndTheLogHoldsMoreThanTheNativeLimit) {
  CMainWnd window;
  HWND hwnd = CreateMainWindow(window);
  ASSERT_NE(hwnd, nullptr);
  UiNotice line{L"first", false, false, true};
  SendMessageW(hwnd, UM_INSTALL_LOG, 0, reinterpret_cast<LPARAM>(&line));
  FinishFirstFrame();  // the native log comes after the first frame, with the line written before it
  HWND log = nullptr;
  EnumChildWindows(hwnd, CollectRichEdit, reinterpret_cast<LPARAM>(&log));
  ASSERT_NE(log, nullptr);
  EXPECT_EQ(SendMessageW(log, EM_GETLIMITTEXT, 0, 0), 1 << 20);

  SendMessageW(log, EM_SETSEL, 18, 18);  // the user clicks into "first"
  UiNotice alert{L"alert", true, false, true};
  SendMessageW(hwnd, UM_INSTALL_LOG, 0, reinterpret_cast<LPARAM>(&alert));
  const auto& model = *window.Model().Find<ui::RichEdit>(L"wordedit_installInfo");
  ShowLogLines(model);
  EXPECT_EQ(ColourOf(log, L"alert"), RGB(255, 0, 0));
  EXPECT_EQ(ColourOf(log, L"first"), RGB(0, 0, 255));

  std::wstring many;
  for (int i = 0; i < 450; ++i)
    many += std::wstring(98, L'x') + L"\r\n";  // short lines: wrapping stays cheap
  UiNotice longText{many, false, false, true};
  SendMessageW(hwnd, UM_INSTALL_LOG, 0, reinterpret_cast<LPARAM>(&longText));
  ShowLogLines(model);
  EXPECT_GT(GetWindowTextLengthW(log), 40000);
  DestroyWindow(hwnd);
  Pump();
}

// The client area's pixels as the window's surface holds them.
std::vector<uint32_t> ClientPixels(HWND hwnd) {
  RECT client{};
  GetClientRect(hwnd, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  HDC window = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(window);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<uint32_t> pixels;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    pixels.assign(first, first + static_cast<size_t>(client.right) * client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(hwnd, window);
  return pixels;
}

TEST_F(NativeHost, HeadingAndButtonRowChangedTogetherLookAsAWholeRepaintWouldShowThem) {
  CMainWnd window;
  HWND hwnd = CreateMainWindow(window);
  ASSERT_NE(hwnd, nullptr);
  window.Model().Find<ui::TabLayout>(L"tab_switch")->SelectItem(1);
  window.Model().Find<ui::TabLayout>(L"tab_switch_install")->SelectItem(9);
  SendMessageW(hwnd, UM_INSTALL_BUSY, 1, 0);
  SendMessageW(hwnd, UM_SHOW_STEP_BAR, 0, 0);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 500) {  // the first frame and the page's slide
    Pump();
    Sleep(1);
  }

  // The heading at the top and the finish row at the bottom: one update region of two strips.
  UiNotice ended;
  SendMessageW(hwnd, UM_INSTALL_BUSY, 0, reinterpret_cast<LPARAM>(&ended));
  SendMessageW(hwnd, UM_SHOW_FINISH_BAR, 1, 0);
  RECT pending{};
  ASSERT_TRUE(GetUpdateRect(hwnd, &pending, FALSE) || window.Model().NeedsLayout());
  UpdateWindow(hwnd);
  ASSERT_FALSE(GetUpdateRect(hwnd, &pending, FALSE)) << "what the layout moved was painted in the same paint";
  const std::vector<uint32_t> inParts = ClientPixels(hwnd);

  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
  const std::vector<uint32_t> whole = ClientPixels(hwnd);
  ASSERT_FALSE(whole.empty());
  size_t differing = 0;
  for (size_t i = 0; i < whole.size() && i < inParts.size(); ++i) differing += whole[i] != inParts[i];
  EXPECT_EQ(inParts.size(), whole.size());
  EXPECT_EQ(differing, 0u);
  DestroyWindow(hwnd);
  Pump();
}

}  // namespace
