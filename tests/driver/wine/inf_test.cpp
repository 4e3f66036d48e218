// The package's INF read by the system's own INF parser, as printui and the spooler read it.
// windows.h first: the headers after it need its types.
// clang-format off
#include <windows.h>
#include <setupapi.h>
// clang-format on

#include <gtest/gtest.h>

#include "tests/driver/wine/extracted_package.h"

namespace {

std::wstring Field(INFCONTEXT& line, DWORD index) {
  wchar_t text[256] = {};
  if (!SetupGetStringFieldW(&line, index, text, 256, nullptr)) return L"<none>";
  return text;
}

// Every field of the first line of section with the key (the key itself is field 0).
std::vector<std::wstring> Line(HINF inf, const wchar_t* section, const wchar_t* key) {
  INFCONTEXT line;
  if (!SetupFindFirstLineW(inf, section, key, &line)) return {};
  std::vector<std::wstring> fields;
  for (DWORD i = 1, count = SetupGetFieldCount(&line); i <= count; ++i) fields.push_back(Field(line, i));
  return fields;
}

using Strings = std::vector<std::wstring>;
using DriverInf = ExtractedPackageSuite;

TEST_F(DriverInf, EachFamilyOpensAsAPrinterInfWithTheNamesTheInstallerUses) {
  for (const wchar_t* family : {L"Driver32\\", L"Driver64\\"}) {
    SCOPED_TRACE(family);
    UINT errorLine = 0;
    HINF inf = SetupOpenInfFileW((Root() + family + L"Ombrevia.INF").c_str(), L"Printer", INF_STYLE_WIN4,
                                 &errorLine);
    ASSERT_NE(inf, INVALID_HANDLE_VALUE) << "error " << GetLastError() << " at line " << errorLine;

    EXPECT_EQ(Line(inf, L"Version", L"CatalogFile"), Strings{L"printer.cat"});
    EXPECT_EQ(Line(inf, L"Version", L"Provider"), Strings{L"Calvane"});
    EXPECT_EQ(Line(inf, L"Version", L"DriverVer"),
              (Strings{L"" LDW_TEST_DRIVER_DATE, L"" LDW_TEST_DRIVER_VERSION}));
    EXPECT_EQ(Line(inf, L"Version", L"PnpLockdown"), Strings{L"1"});
    EXPECT_EQ(Line(inf, L"Manufacturer", L"LABEL"), (Strings{L"LABEL", L"NTx86", L"NTamd64"}));
    for (const wchar_t* models : {L"LABEL", L"LABEL.NTx86", L"LABEL.NTamd64"}) {
      const Strings model = Line(inf, models, L"LABEL");
      ASSERT_FALSE(model.empty()) << models;
      EXPECT_EQ(model[0], L"LABELDRV") << models;
    }
    EXPECT_EQ(Line(inf, L"LABELDRV", L"CopyFiles"), Strings{L"LABELFILES"});
    EXPECT_EQ(Line(inf, L"LABELDRV", L"DataFile"), Strings{L"Ombrevia.GPD"});
    EXPECT_EQ(Line(inf, L"LABELDRV", L"DataSection"), Strings{L"UNIDRV_DATA"});
    EXPECT_EQ(Line(inf, L"LABELDRV", L"Include"), Strings{L"NTPRINT.INF"});
    EXPECT_EQ(Line(inf, L"LABELDRV", L"Needs"), (Strings{L"UNIDRV.OEM", L"UNIDRV_DATA"}));

    INFCONTEXT line;
    Strings copied;
    for (BOOL more = SetupFindFirstLineW(inf, L"LABELFILES", nullptr, &line); more;
         more = SetupFindNextLine(&line, &line)) {
      copied.push_back(Field(line, 1));
    }
    EXPECT_EQ(copied, (Strings{L"LABELCORE.DLL", L"LABELUI.DLL", L"Ombrevia.GPD", L"Ombrevia.INI"}));
    INT directory = 0;
    ASSERT_TRUE(SetupFindFirstLineW(inf, L"DestinationDirs", L"DefaultDestDir", &line));
    ASSERT_TRUE(SetupGetIntField(&line, 1, &directory));
    EXPECT_EQ(directory, 66000);
    // Every copied file has a source disk, or the copy queue would ask for one.
    for (const std::wstring& file : copied)
      EXPECT_EQ(Line(inf, L"SourceDisksFiles", file.c_str()), Strings{L"1"}) << file;
    SetupCloseInfFile(inf);
  }
}

TEST_F(DriverInf, IniNamesBothPlugIns) {
  for (const wchar_t* family : {L"Driver32\\", L"Driver64\\"}) {
    const std::wstring ini = Root() + family + L"Ombrevia.ini";
    wchar_t value[64];
    GetPrivateProfileStringW(L"OEMFiles", L"OEMDriverFile1", L"", value, 64, ini.c_str());
    EXPECT_STREQ(value, L"LABELCORE.dll") << family;
    GetPrivateProfileStringW(L"OEMFiles", L"OEMConfigFile1", L"", value, 64, ini.c_str());
    EXPECT_STREQ(value, L"LABELUI.dll") << family;
  }
}

}  // namespace
