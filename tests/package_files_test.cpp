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

namespace {

std::vector<uint8_t> Utf16(const std::string& text) {
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (char c : text) bytes.insert(bytes.end(), {static_cast<uint8_t>(c), 0});
  return bytes;
}

// What the installer reads from its own package: the INF's DriverVer as the spooler packs it
// (four 16-bit parts), and whether the Unidrv core files are the build's test stand-ins.
TEST(PackageFacts, DriverVersionAndTestBuild) {
  const std::string inf = "[Version]\r\nSignature=\"$Windows NT$\"\r\n";
  const std::pair<std::vector<uint8_t>, uint64_t> versions[] = {
      {Bytes(inf + "DriverVer=12/09/2026,1.2.3.4\r\n"), 0x0001000200030004},
      {Bytes(inf + "driverver = 01/02/2027, 10.0.65535.7 ; comment\r\n"), 0x000A0000FFFF0007},
      {Utf16(inf + "DriverVer=12/09/2026,2.0.0.0\r\n"), 0x0002000000000000},
      {Bytes(inf + "; DriverVer=12/09/2026,9.9.9.9\r\n"), 0},  // a comment, not the entry
      {Bytes(inf + "DriverVer=12/09/2026\r\n"), 0},            // a date without a version
      {Bytes(inf), 0},
  };
  for (const auto& [bytes, version] : versions) {
    const std::vector<uint8_t> zip = BuildZip({{"driver/label/Driver64/Ombrevia.inf", bytes}});
    ui::ZipArchive archive;
    ASSERT_TRUE(archive.Attach(zip.data(), zip.size()));
    EXPECT_EQ(PackageDriverVersion(archive, L"driver\\label\\Driver64\\Ombrevia.INF"), version);
  }
  EXPECT_EQ(DriverVersionText(0x0001000200030004), L"1.2.3.4");

  const std::pair<std::vector<ZipBuilderEntry>, bool> builds[] = {
      {{{"driver/label/Driver32/UNIDRV.dll", Bytes("MZ genuine")},
        {"driver/label/Driver64/STDNAMES.GPD", Bytes("*% TEST STAND-IN for STDNAMES.GPD")}},
       true},
      {{{"driver/label/Driver64/UNIRES.dll",
         Utf16("MZ ... SpecialBuild TEST STAND-IN: not the Unidrv core file")}},
       true},
      {{{"driver/label/Driver64/UNIDRV.dll", Bytes("MZ genuine")},
        {"driver/label/Driver64/LABELUI.dll", Bytes("TEST STAND-IN")}},  // not a core file
       false},
      {{}, false},
  };
  for (const auto& [entries, test] : builds) {
    const std::vector<uint8_t> zip = BuildZip(entries);
    ui::ZipArchive archive;
    ASSERT_TRUE(entries.empty() || archive.Attach(zip.data(), zip.size()));
    EXPECT_EQ(PackageIsTestBuild(archive), test);
  }
  // The build's own package is a test build; its certificate has a SHA-1 name for certutil.
  const std::vector<uint8_t> skin = PackedSkin();
  ui::ZipArchive own;
  ASSERT_TRUE(own.Attach(skin.data(), skin.size()));
  EXPECT_TRUE(PackageIsTestBuild(own));
  EXPECT_NE(PackageDriverVersion(own, L"driver\\label\\Driver32\\Ombrevia.inf"), 0u);
  EXPECT_EQ(PackageCertificateHash(own, L"driver\\label\\qmvt.cer").find_first_not_of(L"0123456789abcdef"),
            std::wstring::npos);
  EXPECT_EQ(PackageCertificateHash(own, L"driver\\label\\qmvt.cer").size(), 40u);
}

}  // namespace
