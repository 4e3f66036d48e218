#include "context/app_context.h"

#include <gtest/gtest.h>

#include "app/localisation.h"
#include "context/system_error.h"
#include "context/ui_messages.h"
#include "tests/fakes/fake_platform.h"

namespace {

TEST(AppContext, StartsWithTheDocumentedSelections) {
  FakePlatform fake;
  CAppContext context(fake.platform);
  EXPECT_EQ(context.m_actionChoice, 1);
  EXPECT_EQ(context.m_mode, 0);
  EXPECT_EQ(context.m_step, 0);
  EXPECT_EQ(context.m_portKind, kPortNone);
  EXPECT_EQ(context.m_driverIndex, -1);
  EXPECT_EQ(context.m_btDeviceIndex, -1);
  EXPECT_EQ(context.m_usbPortIndex, -1);
  EXPECT_EQ(context.m_setDefault, -1);
  EXPECT_EQ(context.m_showAllPrinters, -1);
  EXPECT_EQ(context.m_showAllDrivers, -1);
  EXPECT_EQ(context.m_btPin, L"5917");
  EXPECT_EQ(context.m_curLangId, 0);
  EXPECT_EQ(context.m_hMainWnd, nullptr);
  EXPECT_TRUE(context.m_languages.empty());
  const std::vector<std::vector<int32_t>> sequences = {
      {0, 1, 2, 4, 7, 8, 9}, {0, 1, 3, 4, 7, 8, 9}, {0, 4, 6, 7, 8, 9}, {0, 4, 5, 7, 8, 9}};
  EXPECT_EQ(context.m_pageSequences, sequences);
}

TEST(AppContext, ClosesWorkerHandlesStillOpenAtExit) {
  FakePlatform fake;
  int a = 0, b = 0;
  {
    CAppContext context(fake.platform);
    context.m_installThread = &a;
    context.m_deleteThread = &b;
  }
  EXPECT_EQ(fake.system.closedHandles, (std::vector<SystemHandle>{&a, &b}));
}

TEST(AppContext, InstanceIsOneRecord) { EXPECT_EQ(&CAppContext::Instance(), &CAppContext::Instance()); }

struct VersionCase {
  bool fails;
  uint32_t major, minor;
  bool infVariant;
};

class DriverModelVariant : public ::testing::TestWithParam<VersionCase> {};

TEST_P(DriverModelVariant, FollowsTheReportedVersion) {
  FakePlatform fake;
  fake.system.versionQueryFails = GetParam().fails;
  fake.system.version = {GetParam().major, GetParam().minor};
  CAppContext context(fake.platform);
  EXPECT_EQ(context.IsWindows8OrNewer(), GetParam().infVariant);
  ASSERT_EQ(context.m_driverModels.size(), 1u);
  const DriverModelInfo& model = context.m_driverModels[0];
  EXPECT_EQ(model.index, 0);
  EXPECT_EQ(model.modelName, L"LABEL");
  EXPECT_EQ(model.driverName, L"LABEL");
  EXPECT_EQ(model.helpFile, L"UNIDRV.HLP");
  EXPECT_EQ(model.infName.empty(), !GetParam().infVariant);
  EXPECT_EQ(model.legacy32Files.empty(), GetParam().infVariant);
}

INSTANTIATE_TEST_SUITE_P(Versions, DriverModelVariant,
                         ::testing::Values(VersionCase{false, 5, 1, false}, VersionCase{false, 6, 1, false},
                                           VersionCase{false, 6, 2, true}, VersionCase{false, 6, 3, true},
                                           VersionCase{false, 10, 0, true}, VersionCase{true, 0, 0, true}));

TEST(DriverModel, LegacyVariantListsTheNineFilesPerFamily) {
  const DriverModelInfo model = MakeLegacyDriverModel();
  EXPECT_EQ(model.driverPath, L"UNIDRV.DLL");
  EXPECT_EQ(model.dataFile, L"Ombrevia.GPD");
  EXPECT_EQ(model.configFile, L"UNIDRVUI.DLL");
  const std::vector<std::wstring> files32 = {
      L"driver\\label\\Driver32\\LABELCORE.dll", L"driver\\label\\Driver32\\Ombrevia.gpd",
      L"driver\\label\\Driver32\\Ombrevia.ini",  L"driver\\label\\Driver32\\LABELUI.dll",
      L"driver\\label\\Driver32\\STDNAMES.GPD",  L"driver\\label\\Driver32\\UNIDRV.dll",
      L"driver\\label\\Driver32\\UNIDRV.HLP",    L"driver\\label\\Driver32\\UNIDRVUI.dll",
      L"driver\\label\\Driver32\\UNIRES.dll"};
  EXPECT_EQ(model.legacy32Files, files32);
  ASSERT_EQ(model.legacy64Files.size(), 9u);
  EXPECT_EQ(model.legacy64Files[3], L"driver\\label\\Driver64\\LABELUI.DLL");
  EXPECT_EQ(model.legacy64Files[8], L"driver\\label\\Driver64\\UNIRES.dll");
  EXPECT_TRUE(model.rootFiles.empty());
  EXPECT_TRUE(model.subFolders.empty());
}

TEST(DriverModel, InfVariantListsCertificateAndSixFilesPerFamily) {
  const DriverModelInfo model = MakeInfDriverModel();
  EXPECT_EQ(model.certificateName, L"qmvt.cer");
  EXPECT_EQ(model.infName, L"Ombrevia.INF");
  EXPECT_EQ(model.rootFiles, std::vector<std::wstring>{L"driver\\label\\qmvt.cer"});
  const std::vector<std::wstring> files64 = {
      L"driver\\label\\Driver64\\LABELCORE.dll", L"driver\\label\\Driver64\\Ombrevia.gpd",
      L"driver\\label\\Driver64\\Ombrevia.inf",  L"driver\\label\\Driver64\\Ombrevia.ini",
      L"driver\\label\\Driver64\\LABELUI.DLL",   L"driver\\label\\Driver64\\printer.cat"};
  EXPECT_EQ(model.files64, files64);
  ASSERT_EQ(model.files32.size(), 6u);
  EXPECT_EQ(model.files32[4], L"driver\\label\\Driver32\\LABELUI.dll");
  EXPECT_TRUE(model.filesIa64.empty());
  EXPECT_EQ(model.subFolders, (std::vector<std::wstring>{L"Driver64", L"Driver32"}));
  EXPECT_TRUE(model.driverPath.empty());
}

struct DetectionCase {
  uint16_t uiLanguage;
  uint16_t expected;
};

class LanguageDetection : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(LanguageDetection, MatchesTheWholeLangIdOrFallsBackToEnglish) {
  FakePlatform fake;
  fake.system.uiLanguage = GetParam().uiLanguage;
  CAppContext context(fake.platform);
  RegisterLanguages(context);
  const LanguageInfo chosen = context.DetectLanguage();
  EXPECT_EQ(chosen.langId, GetParam().expected);
  EXPECT_EQ(context.m_curLangId, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(LangIds, LanguageDetection,
                         ::testing::Values(DetectionCase{0x0804, 0x0804}, DetectionCase{0x0404, 1033},
                                           DetectionCase{0x0416, 1033}, DetectionCase{0x080A, 1033},
                                           DetectionCase{0x0C0A, 1033}, DetectionCase{0x0412, 0x0412},
                                           DetectionCase{0x041E, 0x041E}, DetectionCase{0x0816, 0x0816},
                                           DetectionCase{0, 1033}));

TEST(LanguageTable, HoldsTheSevenRecordsInLangIdOrder) {
  FakePlatform fake;
  CAppContext context(fake.platform);
  RegisterLanguages(context);
  std::vector<std::wstring> codes;
  for (const auto& [langId, language] : context.m_languages) codes.push_back(language.code);
  EXPECT_EQ(codes, (std::vector<std::wstring>{L"en", L"es", L"ja", L"ko", L"th", L"cn", L"pt"}));
  const LanguageInfo& korean = context.m_languages.at(1042);
  EXPECT_EQ(korean.index, L"4");
  EXPECT_EQ(korean.key, L"lan.ko");
  EXPECT_EQ(korean.file, L"lan_ko.xml");
  EXPECT_EQ(korean.fontSize, 18);
  EXPECT_EQ(context.m_languages.at(1054).fontSize, 20);
  EXPECT_EQ(context.m_languages.at(2052).fontSize, 14);
  EXPECT_EQ(context.LanguageOrEnglish(0x0404)->langId, 1033);
}

TEST(Notifications, SendEachLineSynchronouslyToTheMainWindow) {
  FakePlatform fake;
  CAppContext context(fake.platform);
  int window = 0;
  context.m_hMainWnd = &window;
  context.PostInstallLog(L"install", true, false);
  context.PostDeleteLog(L"", false, true);
  context.PostPrinterNameStatus(L"name", true);
  context.PostBtAdapterStatus(true, L"tip.btadapter.on");
  context.PostBtAdapterStatus(false, L"");

  const auto& sent = fake.messages.sent;
  ASSERT_EQ(sent.size(), 5u);
  for (const SentMessage& m : sent) EXPECT_EQ(m.window, &window);
  EXPECT_EQ(sent[0].message, UM_INSTALL_LOG);
  EXPECT_EQ(sent[0].notice.text, L"install");
  EXPECT_TRUE(sent[0].notice.alert);
  EXPECT_FALSE(sent[0].notice.clear);
  EXPECT_TRUE(sent[0].notice.enable);
  EXPECT_EQ(sent[1].message, UM_DELETE_LOG);
  EXPECT_TRUE(sent[1].notice.clear);
  EXPECT_EQ(sent[2].message, UM_PRINTER_NAME_STATUS);
  EXPECT_TRUE(sent[2].notice.alert);
  EXPECT_FALSE(sent[2].notice.clear);
  EXPECT_EQ(sent[3].message, UM_BT_ADAPTER_STATUS);
  EXPECT_EQ(sent[3].wParam, 1u);
  EXPECT_EQ(sent[3].notice.text, L"tip.btadapter.on");
  EXPECT_EQ(sent[4].wParam, 0u);
  EXPECT_FALSE(sent[4].hasNotice);  // the empty text travels as lParam 0
}

TEST(SystemError, UsesTheErrorTextLanguageAndDropsTheLineBreak) {
  FakeSystemInfo system;
  system.messages[{5, 1033}] = L"Access is denied.\r\n";
  system.messages[{5, 1042}] = L"\uC561\uC138\uC2A4\uAC00 \uAC70\uBD80\uB418\uC5C8\uC2B5\uB2C8\uB2E4.\r\n";
  EXPECT_EQ(ErrorTextLanguage(), 1033);
  EXPECT_EQ(FormatSystemError(system, 5), L"Access is denied.");
  SetErrorTextLanguage(1042);
  EXPECT_EQ(FormatSystemError(system, 5).back(), L'.');
  // No Thai message (Thai chosen on an English Windows): the system's own choice, never an empty reason.
  SetErrorTextLanguage(1054);
  EXPECT_EQ(FormatSystemError(system, 5), L"Access is denied.");
  EXPECT_EQ(FormatSystemError(system, 6), L"");  // no message in any language
  SetErrorTextLanguage(1033);
}

}  // namespace
