// The Win32 platform adapters against Wine's kernel, shell and message tables.
#include <windows.h>

#include <gtest/gtest.h>

#include "context/package_files.h"
#include "context/platform.h"
#include "context/system_error.h"

namespace {

TEST(Win32Platform, ThirtyTwoBitBuildRunsUnderWow64) {
#ifdef _WIN64
  GTEST_SKIP() << "the 64-bit build of the Wine tier is native, not under WOW64";
#endif
  EXPECT_TRUE(DefaultPlatform().system.IsWow64Process());
}

TEST(Win32Platform, SystemErrorTextIsEnglishByDefault) {
  ASSERT_EQ(ErrorTextLanguage(), 1033);
  const std::wstring text = FormatSystemError(5);
  EXPECT_NE(text.find(L"denied"), std::wstring::npos) << std::string(text.begin(), text.end());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_EQ(FormatSystemError(0xDEADBEEF), L"");
}

TEST(Win32Platform, MakeDirectoryTreeCreatesTheFallbackInstallFolder) {
  FileSystem& files = DefaultPlatform().files;
  RemoveDirectoryA("C:\\PrinterDriver\\Calvane");
  RemoveDirectoryA("C:\\PrinterDriver");
  ASSERT_EQ(GetFileAttributesA("C:\\PrinterDriver"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(MakeDirectoryTree(files, L"C:\\PrinterDriver\\Calvane\\"), 1);
  const DWORD attributes = GetFileAttributesA("C:\\PrinterDriver\\Calvane");
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(MakeDirectoryTree(files, L"C:\\PrinterDriver\\Calvane\\"), 1);
  EXPECT_TRUE(RemoveDirectoryA("C:\\PrinterDriver\\Calvane"));
  EXPECT_TRUE(RemoveDirectoryA("C:\\PrinterDriver"));
}

TEST(Win32Platform, MakeDirectoryTreeFailsOnADriveThatIsNotThere) {
  EXPECT_EQ(MakeDirectoryTree(DefaultPlatform().files, L"Q:\\nowhere\\deeper"), -1);
}

TEST(Win32Platform, InstallFolderIsUnderProgramFiles) {
  const std::wstring folder = InstallFolder(DefaultPlatform().system);
  EXPECT_NE(folder.find(L"Program Files"), std::wstring::npos);
  EXPECT_EQ(folder.substr(folder.size() - 23), L"\\PrinterDriver\\Calvane\\");
}

}  // namespace
