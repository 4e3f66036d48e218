// The package's text files against the code that reads them and the rules Windows applies: the
// GPD's label sizes are what their names say, the INF copies the files the installer extracts, and
// the INF as packed carries the build's DriverVer, PnP lockdown and no section Windows ignores.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "context/driver_model.h"
#include "context/text_util.h"
#include "driver/label_callbacks.h"
#include "driver/label_job.h"
#include "tests/test_paths.h"
#include "ui/zip_archive.h"

namespace {

std::string PackageText(const std::string& name) {
  std::ifstream in(SkinFolder() + "/driver/label/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

label::LabelJob Job() {
  return label::LabelJob([](const void*, size_t) { return true; });
}

TEST(PackageData, GpdLabelSizesAreWhatTheirNamesSay) {
  const std::string gpd = PackageText("Ombrevia.gpd");
  const std::regex size(
      R"(\*Option: LABEL_(\d+)x(\d+)\s*\{\s*\*Name: "(\d+) x (\d+) mm"\s*\*PageDimensions: PAIR\((\d+), (\d+)\))");
  int seen = 0;
  for (auto it = std::sregex_iterator(gpd.begin(), gpd.end(), size); it != std::sregex_iterator();
       ++it, ++seen) {
    const std::smatch& m = *it;
    EXPECT_EQ(m[1], m[3]);
    EXPECT_EQ(m[2], m[4]);
    label::LabelJob job = Job();
    const uint32_t params[] = {static_cast<uint32_t>(std::stoul(m[5])),
                               static_cast<uint32_t>(std::stoul(m[6]))};
    ASSERT_TRUE(job.Command(label::kPageSize, params, 2));
    EXPECT_EQ(job.settings().widthTenthMm, std::stoi(m[1]) * 10) << m[0];
    EXPECT_EQ(job.settings().heightTenthMm, std::stoi(m[2]) * 10) << m[0];
  }
  EXPECT_GE(seen, 4);  // 40 x 30, 50 x 30, 60 x 40, 100 x 150 at least
  for (const char* name : {"LABEL_40x30", "LABEL_50x30", "LABEL_60x40", "LABEL_100x150", "CUSTOMSIZE"}) {
    EXPECT_NE(gpd.find(std::string("*Option: ") + name), std::string::npos) << name;
  }
}

TEST(PackageData, InfCopiesWhatEachFamilyCarries) {
  const std::string inf = PackageText("Ombrevia.inf");
  const size_t start = inf.find("[LABELFILES]");
  ASSERT_NE(start, std::string::npos);
  std::istringstream lines(inf.substr(start, inf.find('[', start + 1) - start));
  std::string line;
  std::getline(lines, line);
  const DriverModelInfo model = MakeInfDriverModel();
  int copied = 0;
  while (std::getline(lines, line)) {
    line.erase(line.find_last_not_of(" \r") + 1);
    if (line.empty()) continue;
    ++copied;
    for (const auto* family : {&model.files32, &model.files64}) {
      const bool carried = std::any_of(family->begin(), family->end(), [&](const std::wstring& path) {
        const std::wstring name = path.substr(path.rfind(L'\\') + 1);
        return LowerCopy(name) == LowerCopy(std::wstring(line.begin(), line.end()));
      });
      EXPECT_TRUE(carried) << line;
    }
  }
  EXPECT_EQ(copied, 4);
}

// The [Version] lines Windows 10 and 11 look for, in each family's INF as the exe carries it.
TEST(PackageData, PackedInfCarriesTheBuildsDriverVerAndLocksItsFiles) {
  const std::vector<uint8_t> skin = PackedSkin();
  ui::ZipArchive archive;
  ASSERT_TRUE(archive.Attach(skin.data(), skin.size()));
  for (const char* family : {"Driver32", "Driver64"}) {
    SCOPED_TRACE(family);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(archive.ReadEntry(std::string("driver/label/") + family + "/Ombrevia.inf", bytes));
    std::string inf(bytes.begin(), bytes.end());
    std::string version = inf.substr(inf.find("[Version]"));
    version = version.substr(0, version.find("\r\n[")) + "\r\n";
    EXPECT_NE(version.find("\r\nDriverVer=" LDW_TEST_DRIVER_DATE "," LDW_TEST_DRIVER_VERSION "\r\n"),
              std::string::npos)
        << version;
    EXPECT_NE(version.find("\r\nPnpLockdown=1\r\n"), std::string::npos) << version;
    // Unidrv finds the plug-ins through the INI's [OEMFiles]; in the INF the section would be unused.
    EXPECT_EQ(LowerCopy(std::wstring(inf.begin(), inf.end())).find(L"[oemfiles]"), std::wstring::npos);
    EXPECT_EQ(inf.find('@'), std::string::npos) << "every placeholder filled in";
  }
}

}  // namespace
