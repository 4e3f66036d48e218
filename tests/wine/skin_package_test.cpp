// The real executable's skin package, read the way start-up reads it, and the package helpers
// against Wine's file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/skin_package.h"
#include "context/package_files.h"
#include "tests/support/zip_builder.h"
#include "tests/wine/process_window.h"
#include "ui/resources.h"

namespace {

class RealExecutable : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExW(LDW_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << "error " << GetLastError();
  }
  void TearDown() override {
    resources.Shutdown();
    if (module != nullptr) FreeLibrary(module);
  }
  HMODULE module = nullptr;
  ui::Resources resources;
};

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

TEST_F(RealExecutable, ResourceIsStoredOnceUnderChineseSimplified) {
  HRSRC info = FindResourceExW(module, L"ZIPRES", MAKEINTRESOURCEW(129), MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), 2052);
  EXPECT_GT(SizeofResource(module, info), 1000u);
}

TEST_F(RealExecutable, SkinPackageIsFoundLoadedAndAttached) {
  ASSERT_TRUE(AttachSkinPackage(module, resources));
  EXPECT_TRUE(resources.Archive().IsOpen());
  EXPECT_EQ(resources.Map().XmlPath("XML_MAIN").value_or(""), "main.xml");
  EXPECT_EQ(resources.Map().ImagePath("sysbtn_menu_hot").value_or(""), "sysbtn/btn_menu_highlight.png");
  EXPECT_TRUE(resources.LoadLanguage("lan_en.xml"));
  EXPECT_EQ(resources.Texts().Get(L"mainTitle"), L"Label Printer Driver Wizard");
  const std::wstring& path = resources.ResourcePath();
  ASSERT_GT(path.size(), 13u);
  EXPECT_EQ(path.substr(path.size() - 13), L"skin\\Calvane\\");
}

TEST_F(RealExecutable, ModuleWithoutThePackageAttachesNothing) {
  EXPECT_FALSE(AttachSkinPackage(GetModuleHandleW(nullptr), resources));
  EXPECT_FALSE(resources.Archive().IsOpen());
  EXPECT_FALSE(resources.Map().XmlPath("XML_MAIN"));
}

TEST_F(RealExecutable, ExtractSkinFileWritesAPackageFileIntoThePrefix) {
  ASSERT_TRUE(AttachSkinPackage(module, resources));
  const std::wstring folder = TempFolder(L"ldw_extract");
  const std::wstring target = folder + L"Ombrevia.inf";
  DeleteFileW(target.c_str());
  std::vector<wchar_t> dependents;
  Platform& platform = DefaultPlatform();
  ASSERT_TRUE(ExtractSkinFile(resources.Archive(), platform.files, platform.system,
                              L"driver\\label\\Driver32\\Ombrevia.inf", folder, dependents));
  std::vector<uint8_t> expected;
  ASSERT_TRUE(resources.ReadFile("driver/label/Driver32/Ombrevia.inf", expected));
  EXPECT_EQ(ReadWholeFile(target), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(std::wstring(dependents.begin(), dependents.end()), L"Ombrevia.inf");

  // Into a folder that does not exist: the system's reason is left for the caller.
  SetLastError(0);
  EXPECT_FALSE(ExtractSkinFile(resources.Archive(), platform.files, platform.system,
                               L"driver\\label\\Driver32\\Ombrevia.inf", folder + L"missing\\", dependents));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  DeleteFileW(target.c_str());
  RemoveDirectoryW(folder.c_str());
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

TEST(RealExecutableRun, ShowsTheEnglishMainWindowAndEndsWithZeroOnClose) {
  RunningProgram program(LDW_EXE_PATH);
  ASSERT_TRUE(program.started);
  HWND window = program.WaitForWindow(L"MainWnd", nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), L"Label Printer Driver Wizard  V1.0.01");
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 700);
  EXPECT_EQ(rect.bottom - rect.top, 500);
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // what Alt+F4 sends
  EXPECT_EQ(program.ExitCode(), 0u);
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM point = MAKELPARAM(x, y);
  PostMessageW(window, WM_MOUSEMOVE, 0, point);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(window, WM_LBUTTONUP, 0, point);
}

// The ways out a user has: the close button, Cancel, and Alt+F4 (which, in a popup, closes only the
// popup: the main window is usable again and closes with its own Alt+F4).
TEST(RealExecutableRun, CloseButtonCancelAndAltF4InAPopupEndWithZero) {
  const struct {
    const char* how;
    int x, y;
    const wchar_t* popupClass;
  } ways[] = {{"close button", 681, 15, nullptr},
              {"Cancel", 615, 477, nullptr},
              {"Alt+F4 in the About popup", 617, 15, L"PopAbout"},
              {"Alt+F4 in the language popup", 585, 15, L"PopAbout"}};
  for (const auto& way : ways) {
    RunningProgram program(LDW_EXE_PATH);
    ASSERT_TRUE(program.started) << way.how;
    HWND window = program.WaitForWindow(L"MainWnd", nullptr);
    ASSERT_NE(window, nullptr) << way.how;
    ClickAt(window, way.x, way.y);
    if (way.popupClass != nullptr) {
      HWND popup = program.WaitForWindow(way.popupClass, nullptr);
      ASSERT_NE(popup, nullptr) << way.how;
      // The popup shows as it is created, a moment before its modal loop disables the owner.
      for (int wait = 0; wait < 40 && IsWindowEnabled(window); ++wait) Sleep(50);
      EXPECT_FALSE(IsWindowEnabled(window)) << way.how << ": the popup is modal";
      PostMessageW(popup, WM_SYSCOMMAND, SC_CLOSE, 0);
      // Wine waits up to two seconds for the X server to withdraw a hidden window before it goes on.
      for (int wait = 0; wait < 200 && IsWindow(popup); ++wait) Sleep(50);
      EXPECT_FALSE(IsWindow(popup)) << way.how << ": Alt+F4 closes the popup";
      EXPECT_TRUE(IsWindow(window)) << way.how << ": and leaves the program running";
      for (int wait = 0; wait < 40 && !IsWindowEnabled(window); ++wait) Sleep(50);
      EXPECT_TRUE(IsWindowEnabled(window)) << way.how;
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    EXPECT_EQ(program.ExitCode(), 0u) << way.how;
  }
}

// A package without main.xml: the framework's error box names the layout and the process ends with 1.
TEST(RealExecutableRun, MissingMainLayoutShowsTheErrorBoxAndExitsWithOne) {
  const std::wstring copy = TempFolder(L"ldw_nolayout") + L"LabelDriverWizard.exe";
  ASSERT_TRUE(CopyFileW(LDW_EXE_PATH, copy.c_str(), FALSE));
  const auto zip = BuildZip({{"res.xml", Bytes("<Res><Xml id=\"XML_MAIN\" path=\"main.xml\"/></Res>")}});
  HANDLE update = BeginUpdateResourceW(copy.c_str(), FALSE);
  ASSERT_NE(update, nullptr);
  ASSERT_TRUE(UpdateResourceW(update, L"ZIPRES", MAKEINTRESOURCEW(129), 2052, const_cast<uint8_t*>(zip.data()),
                              static_cast<DWORD>(zip.size())));
  ASSERT_TRUE(EndUpdateResourceW(update, FALSE));

  RunningProgram program(copy);
  ASSERT_TRUE(program.started);
  HWND box = program.WaitForWindow(L"#32770", L"Error");
  ASSERT_NE(box, nullptr);
  wchar_t text[256] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 256);
  EXPECT_EQ(std::wstring(text), L"\u52a0\u8f7d\u8d44\u6e90\u6587\u4ef6\u5931\u8d25\uff1aXML_MAIN");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.ExitCode(), 1u);
  DeleteFileW(copy.c_str());
}

}  // namespace
