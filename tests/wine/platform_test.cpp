// The Win32 platform adapters against Wine's kernel, shell and message tables.
#include "context/platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "context/package_files.h"
#include "context/safe_paths.h"
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
  EXPECT_EQ(text.substr(text.size() - 4), L" (5)");
  EXPECT_EQ(FormatSystemError(0xDEADBEEF), L"(0xDEADBEEF)");
  // A language without messages on the system (the invariant one): the system's own choice.
  SetErrorTextLanguage(0x007F);
  EXPECT_NE(FormatSystemError(5).find(L"denied"), std::wstring::npos);
  SetErrorTextLanguage(1033);
}

TEST(Win32Platform, MakeDirectoryTreeCreatesEachFolder) {
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

// The package folder's rules against the real adapter. Wine names the user as the owner of every
// file, whatever was set, so a folder already there is refused as someone else's: the refusal path
// (the host tier's cases take the trusted one).
TEST(Win32Platform, PrivateFolderTreeIsMadeAndAFolderThereIsExamined) {
  Platform& platform = DefaultPlatform();
  const std::wstring base = platform.system.ProgramFilesFolder();
  ASSERT_FALSE(base.empty());
  const std::wstring top = base + L"\\LdwPrivateTest", leaf = top + L"\\inner";
  RemoveDirectoryW(leaf.c_str());
  RemoveDirectoryW(top.c_str());
  const FolderCheck made = MakePrivateFolderTree(platform.files, platform.system, base, leaf + L"\\");
  EXPECT_EQ(made.refusal, FolderRefusal::kNone) << made.error;
  EXPECT_EQ(platform.files.Examine(leaf).kind, PathKind::kFolder);
  EXPECT_FALSE(platform.files.Examine(leaf).ownedByAdministrators);  // Wine: the user owns everything
  const FolderCheck again = MakePrivateFolderTree(platform.files, platform.system, base, leaf + L"\\");
  EXPECT_EQ(again.refusal, FolderRefusal::kForeignOwner);
  EXPECT_EQ(again.path, top);
  EXPECT_FALSE(platform.files.CreatePrivateFolder(leaf));  // something is there already
  EXPECT_EQ(platform.files.Examine(leaf + L"\\missing").kind, PathKind::kMissing);

  // A package file written twice: the second replaces the first.
  const std::wstring file = leaf + L"\\package.bin";
  const uint8_t first[] = {1, 2, 3}, second[] = {4};
  EXPECT_TRUE(platform.files.WriteWholeFile(file, first, sizeof(first)));
  EXPECT_TRUE(platform.files.WriteWholeFile(file, second, sizeof(second)));
  EXPECT_EQ(platform.files.Examine(file).kind, PathKind::kFile);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 1u);
  EXPECT_TRUE(DeleteFileW(file.c_str()));
  EXPECT_TRUE(RemoveDirectoryW(leaf.c_str()));
  EXPECT_TRUE(RemoveDirectoryW(top.c_str()));
}

TEST(Win32Platform, InstallFolderIsUnderProgramFiles) {
  const std::wstring folder = InstallFolder(DefaultPlatform().system);
  EXPECT_NE(folder.find(L"Program Files"), std::wstring::npos);
  EXPECT_EQ(folder.substr(folder.size() - 23), L"\\PrinterDriver\\Calvane\\");
}

}  // namespace
