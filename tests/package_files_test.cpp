#include "context/package_files.h"

#include <gtest/gtest.h>

#include "context/driver_model.h"
#include "tests/fakes/fake_platform.h"
#include "tests/support/zip_builder.h"
#include "tests/test_paths.h"

namespace {

std::wstring Chars(const std::vector<wchar_t>& list) { return {list.begin(), list.end()}; }

class ExtractSkinFileTest : public ::testing::Test {
 protected:
  void Attach(const std::vector<ZipBuilderEntry>& entries) {
    zip = BuildZip(entries);
    ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));
  }
  bool Extract(const std::wstring& source) {
    return ExtractSkinFile(archive, fake.files, fake.system, source, L"C:\\out\\", dependents);
  }

  FakePlatform fake;
  std::vector<uint8_t> zip;
  ui::ZipArchive archive;
  std::vector<wchar_t> dependents;
  void SetUp() override { fake.files.folders.insert("C:\\out"); }
};

TEST_F(ExtractSkinFileTest, WritesTheEntryUnderItsFileNameIgnoringCase) {
  Attach({{"driver/label/Driver64/LABELUI.dll", Bytes("plug-in bytes")}});
  ASSERT_TRUE(Extract(L"driver\\label\\Driver64\\LABELUI.DLL"));
  EXPECT_EQ(fake.files.files.at(L"C:\\out\\LABELUI.DLL"), Bytes("plug-in bytes"));
  EXPECT_EQ(Chars(dependents), L"LABELUI.DLL");
}

TEST_F(ExtractSkinFileTest, ReplacesAnExistingFile) {
  Attach({{"a/new.txt", Bytes("new")}});
  fake.files.files[L"C:\\out\\new.txt"] = Bytes("old and longer");
  ASSERT_TRUE(Extract(L"a\\new.txt"));
  EXPECT_EQ(fake.files.files.at(L"C:\\out\\new.txt"), Bytes("new"));
}

TEST_F(ExtractSkinFileTest, SourceWithoutBackslashIsRefusedAndWritesNothing) {
  Attach({{"res.xml", Bytes("<Res/>")}});
  EXPECT_FALSE(Extract(L"res.xml"));
  EXPECT_FALSE(Extract(L"a/res.xml"));
  EXPECT_TRUE(fake.files.files.empty());
  EXPECT_TRUE(dependents.empty());
}

TEST_F(ExtractSkinFileTest, SizeLimitIsFourMiBInclusive) {
  Attach({{"d/exact.bin", std::vector<uint8_t>(kMaxExtractedFileSize, 'x')},
          {"d/over.bin", std::vector<uint8_t>(kMaxExtractedFileSize + 1, 'y')}});
  EXPECT_TRUE(Extract(L"d\\exact.bin"));
  EXPECT_EQ(fake.files.files.at(L"C:\\out\\exact.bin").size(), kMaxExtractedFileSize);
  EXPECT_FALSE(Extract(L"d\\over.bin"));
  EXPECT_EQ(fake.files.files.count(L"C:\\out\\over.bin"), 0u);
  EXPECT_EQ(fake.system.lastError, 223u);
}

TEST_F(ExtractSkinFileTest, FailuresStillAppendTheNameAndSetAReason) {
  Attach({{"d/empty.bin", {}}, {"d/ok.bin", Bytes("x")}});
  EXPECT_FALSE(Extract(L"d\\missing.bin"));
  EXPECT_EQ(fake.system.lastError, 2u);
  EXPECT_FALSE(Extract(L"d\\empty.bin"));
  fake.files.unwritableFiles.insert(L"C:\\out\\ok.bin");
  EXPECT_FALSE(Extract(L"d\\ok.bin"));
  EXPECT_EQ(fake.system.lastError, 5u);
  EXPECT_EQ(Chars(dependents), L"missing.binempty.binok.bin");

  ui::ZipArchive closed;
  std::vector<wchar_t> names;
  EXPECT_FALSE(ExtractSkinFile(closed, fake.files, fake.system, L"d\\ok.bin", L"C:\\out\\", names));
  EXPECT_EQ(Chars(names), L"ok.bin");
}

TEST_F(ExtractSkinFileTest, CorruptEntryIsNotWritten) {
  ZipBuilderEntry entry{"d/bad.bin", std::vector<uint8_t>(1000, 'z')};
  entry.claimedCrc = 1;
  Attach({entry});
  EXPECT_FALSE(Extract(L"d\\bad.bin"));
  EXPECT_TRUE(fake.files.files.empty());
}

TEST_F(ExtractSkinFileTest, EveryPackageFileOfBothVariantsIsInThePackedSkin) {
  const std::vector<uint8_t> skin = PackedSkin();
  ASSERT_TRUE(archive.Attach(skin.data(), skin.size()));
  for (const DriverModelInfo& model : {MakeLegacyDriverModel(), MakeInfDriverModel()}) {
    for (const auto* list : {&model.legacy32Files, &model.legacy64Files, &model.rootFiles, &model.files32,
                             &model.files64}) {
      for (const std::wstring& file : *list) EXPECT_TRUE(Extract(file)) << std::string(file.begin(), file.end());
    }
  }
}

TEST(MakeDirectoryTree, CreatesEachMissingFolderInOrder) {
  FakePlatform fake;
  EXPECT_EQ(MakeDirectoryTree(fake.files, L"C:\\PrinterDriver\\Calvane\\"), 1);
  EXPECT_EQ(fake.files.createdFolders, (std::vector<std::string>{"C:\\PrinterDriver", "C:\\PrinterDriver\\Calvane"}));
  fake.files.createdFolders.clear();
  EXPECT_EQ(MakeDirectoryTree(fake.files, L"C:\\PrinterDriver\\Calvane\\"), 1);
  EXPECT_TRUE(fake.files.createdFolders.empty());
}

TEST(MakeDirectoryTree, RelativePartsStartFromTheCurrentFolder) {
  FakePlatform fake;
  fake.files.folders.insert("C:\\work");
  EXPECT_EQ(MakeDirectoryTree(fake.files, L".\\sub\\.\\leaf"), 1);
  EXPECT_EQ(fake.files.createdFolders, (std::vector<std::string>{"C:\\work\\sub", "C:\\work\\sub\\leaf"}));
}

TEST(MakeDirectoryTree, StopsAtTheFirstFailureKeepingWhatItMade) {
  FakePlatform fake;
  fake.files.uncreatableFolders.insert("D:\\a\\b");
  EXPECT_EQ(MakeDirectoryTree(fake.files, L"D:\\a\\b\\c"), -1);
  EXPECT_EQ(fake.files.createdFolders, (std::vector<std::string>{"D:\\a"}));

  fake.files.currentDirectoryFails = true;
  EXPECT_EQ(MakeDirectoryTree(fake.files, L"D:\\x"), -1);
  fake.files.currentDirectoryFails = false;
  EXPECT_EQ(MakeDirectoryTree(fake.files, L"\\\\\\"), -1);
  EXPECT_EQ(MakeDirectoryTree(fake.files, L""), -1);
  EXPECT_EQ(MakeDirectoryTree(fake.files, L"C:\\" + std::wstring(300, L'a')), -1);
  EXPECT_EQ(fake.files.createdFolders.size(), 1u);
}

TEST(InstallFolder, UnderProgramFilesOrNowhere) {
  FakeSystemInfo system;
  system.programFiles = L"C:\\Program Files";
  EXPECT_EQ(InstallFolder(system), L"C:\\Program Files\\PrinterDriver\\Calvane\\");
  system.programFiles.clear();
  EXPECT_EQ(InstallFolder(system), L"");  // never C:\PrinterDriver, which any user may make first
}

}  // namespace
