// The real executable's skin package, read the way start-up reads it, and the package helpers
// against Wine's file system.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/skin_package.h"
#include "context/package_files.h"
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

TEST(RealExecutableRun, StartsAndEndsWithExitCodeZero) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = std::wstring(L"\"") + LDW_EXE_PATH + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1234;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
