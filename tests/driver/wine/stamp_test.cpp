// The everyday build says in the exe's version resource, and in each stand-in's, that its driver
// package carries test stand-ins of the Unidrv core files.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "context/driver_model.h"
#include "context/package_files.h"
#include "tests/driver/wine/extracted_package.h"

namespace {

std::wstring VersionText(const std::wstring& file, const wchar_t* name) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
  if (size == 0) return L"<no version resource>";
  std::string data(size, '\0');
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return L"<unreadable>";
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return L"";
  return value;
}

using DriverPackageStamp = ExtractedPackageSuite;

TEST_F(DriverPackageStamp, TestBuildSaysSoInTheExeAndInEachStandIn) {
  EXPECT_NE(VersionText(LDW_EXE_PATH, L"SpecialBuild").find(L"TEST STAND-INS"), std::wstring::npos);
  EXPECT_EQ(VersionText(LDW_EXE_PATH, L"ProductVersion"), L"V1.0.01");
  const DriverModelInfo legacy = MakeLegacyDriverModel();
  for (const wchar_t* family : {L"Driver32\\", L"Driver64\\"}) {
    for (const wchar_t* standIn : {L"UNIDRV.dll", L"UNIDRVUI.dll", L"UNIRES.dll"}) {
      const std::wstring path = Root() + family + standIn;
      std::vector<wchar_t> names;
      Platform& platform = DefaultPlatform();
      ASSERT_TRUE(ExtractSkinFile(ui::Resources::Instance().Archive(), platform.files, platform.system,
                                  std::wstring(L"driver\\label\\") + family + standIn, Root() + family,
                                  names));
      EXPECT_NE(VersionText(path, L"FileDescription").find(L"TEST STAND-IN"), std::wstring::npos) << path;
    }
  }
  EXPECT_EQ(VersionText(OwnFamily() + L"LABELCORE.dll", L"SpecialBuild"), L"");
}

}  // namespace
