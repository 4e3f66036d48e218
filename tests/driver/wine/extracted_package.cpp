#include "tests/driver/wine/extracted_package.h"

#include "context/driver_model.h"
#include "context/package_files.h"

const std::wstring& ExtractedPackageSuite::Root() {
  static std::wstring root;
  if (root.empty()) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // One folder per process: ctest runs the cases of a suite in parallel processes.
    root = std::wstring(temp) + L"ldw_driver_package_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  }
  return root;
}

void ExtractedPackageSuite::SetUpTestSuite() {
  RealSkinSuite::SetUpTestSuite();
  Platform& platform = DefaultPlatform();
  const DriverModelInfo model = MakeInfDriverModel();
  std::vector<wchar_t> names;
  for (const auto& [folder, files] :
       {std::pair{L"Driver32\\", &model.files32}, std::pair{L"Driver64\\", &model.files64}}) {
    const std::wstring destination = Root() + folder;
    ASSERT_EQ(MakeDirectoryTree(platform.files, destination), 1);
    for (const std::wstring& file : *files) {
      ASSERT_TRUE(ExtractSkinFile(ui::Resources::Instance().Archive(), platform.files, platform.system, file,
                                  destination, names));
    }
  }
  for (const std::wstring& file : model.rootFiles) {
    ASSERT_TRUE(ExtractSkinFile(ui::Resources::Instance().Archive(), platform.files, platform.system, file,
                                Root(), names));
  }
}
