// The real exe at the system's display scale: with the prefix's LogPixels at 120 and 144 the main
// window opens at 125 % and 150 % of its layout, drawn with the @125 and @150 images. The pictures
// are saved to be looked at. This suite runs alone: any process started meanwhile would see the
// changed DPI.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/process_window.h"

namespace {

// Wine reads the system DPI once per process from this value; a process started afterwards sees
// the new one. The old value (or its absence) comes back when this goes.
class LogPixelsOverride {
 public:
  explicit LogPixelsOverride(DWORD dpi) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    DWORD size = sizeof(old_);
    hadOld_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
              ERROR_SUCCESS;
    applied_ = RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi)) ==
               ERROR_SUCCESS;
  }
  ~LogPixelsOverride() {
    if (key_ == nullptr) return;
    if (hadOld_) {
      RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
    } else {
      RegDeleteValueW(key_, kValue);
    }
    RegCloseKey(key_);
  }
  bool Applied() const { return applied_; }

 private:
  static constexpr const wchar_t* kKey = L"Control Panel\\Desktop";
  static constexpr const wchar_t* kValue = L"LogPixels";
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadOld_ = false;
  bool applied_ = false;
};

// Waits until the window's caption bar shows its colour, so the picture is of a painted window.
bool WaitForPaint(HWND window) {
  HDC screen = GetDC(nullptr);
  bool painted = false;
  for (int i = 0; i < 300 && !painted; ++i) {
    RECT rect{};
    GetWindowRect(window, &rect);
    painted = GetPixel(screen, rect.left + 4, rect.top + 4) == RGB(0x2a, 0x84, 0xd0);
    if (!painted) Sleep(50);
  }
  ReleaseDC(nullptr, screen);
  Sleep(300);  // the rest of the first frame
  return painted;
}

// Saves the window as the screen shows it, as a PNG; false when it cannot. (The test display has no
// compositor, so the layered shadow around it would show black.)
bool SavePicture(HWND window, const std::wstring& name) {
  RECT r{};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  bool saved = false;
  {
    Gdiplus::Bitmap picture(bitmap, nullptr);
    CLSID png;
    CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    CreateDirectoryW(LDW_SCREENSHOT_DIR, nullptr);
    const std::wstring path = std::wstring(LDW_SCREENSHOT_DIR) + L"\\" + name + L".png";
    saved = picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

// Rectangles and pixels as they are on the screen: a thread that is not DPI-aware, or aware only
// of its process's (older) system DPI, may see another process's windows scaled to that DPI. Wine
// fixes the process's awareness at start, so the thread's is set.
bool SeeScreenPixels() {
  using SetContextFn = HANDLE(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
  return setContext != nullptr && setContext(reinterpret_cast<HANDLE>(-3)) != nullptr;  // per-monitor aware
}

class DisplayScale : public ::testing::Test {
 protected:
  void SetUp() override {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token_, &input, nullptr);
  }
  void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

TEST_F(DisplayScale, MainWindowOfTheRealExeFollowsTheSystemDpi) {
  const struct {
    DWORD dpi;
    LONG width, height;
    const wchar_t* picture;
  } cases[] = {{120, 875, 625, L"main_125"}, {144, 1050, 750, L"main_150"}};
  ASSERT_TRUE(SeeScreenPixels());
  for (const auto& c : cases) {
    LogPixelsOverride dpi(c.dpi);
    ASSERT_TRUE(dpi.Applied());
    RunningProgram program(LDW_EXE_PATH);
    ASSERT_TRUE(program.started);
    HWND window = program.WaitForWindow(L"MainWnd", nullptr);
    ASSERT_NE(window, nullptr) << c.dpi;
    EXPECT_TRUE(WaitForPaint(window)) << c.dpi;
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, c.width) << c.dpi;
    EXPECT_EQ(rect.bottom - rect.top, c.height) << c.dpi;
    EXPECT_TRUE(SavePicture(window, c.picture)) << c.dpi;
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.ExitCode(), 0u) << c.dpi;
  }
}

}  // namespace
