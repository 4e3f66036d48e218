// The seven shipped language files, read from the packed package as the program reads them.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/localisation.h"
#include "tests/fakes/fake_platform.h"
#include "tests/test_paths.h"
#include "ui/markup.h"
#include "ui/utf.h"
#include "ui/zip_archive.h"

namespace {

const char* const kFiles[] = {"lan_cn.xml", "lan_en.xml", "lan_es.xml", "lan_ja.xml",
                              "lan_ko.xml", "lan_pt.xml", "lan_th.xml"};

std::map<std::string, std::string> ReadLanguage(const ui::ZipArchive& archive, const std::string& file) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(archive.ReadEntry(file, bytes)) << file;
  const auto root = ui::ParseMarkup({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  EXPECT_TRUE(root) << file;
  std::map<std::string, std::string> texts;
  if (!root) return texts;
  for (const auto& child : root->children) {
    EXPECT_TRUE(child.NameIs("Text")) << file;
    const std::string id = child.AttributeOr("id", "");
    EXPECT_TRUE(texts.emplace(id, child.AttributeOr("value", "")).second) << file << " repeats " << id;
  }
  return texts;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

class LanguageFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(archive.Attach(skin.data(), skin.size())); }
  std::vector<uint8_t> skin = PackedSkin();
  ui::ZipArchive archive;
};

TEST_F(LanguageFiles, AllShareTheKeysAndPlaceholdersOfEnglish) {
  const auto english = ReadLanguage(archive, "lan_en.xml");
  EXPECT_EQ(english.size(), 189u);
  for (const char* file : kFiles) {
    const auto texts = ReadLanguage(archive, file);
    std::set<std::string> keys, englishKeys;
    for (const auto& [key, value] : texts) keys.insert(key);
    for (const auto& [key, value] : english) englishKeys.insert(key);
    EXPECT_EQ(keys, englishKeys) << file;
    for (const auto& [key, value] : texts) {
      const auto found = english.find(key);
      if (found == english.end()) continue;
      EXPECT_EQ(Count(value, "%s"), Count(found->second, "%s")) << file << " " << key;
      EXPECT_EQ(Count(value, "%"), Count(value, "%s")) << file << " " << key;
      // The command line's usage is printed line by line; a lost line break runs two switches together.
      EXPECT_EQ(Count(value, "\n"), Count(found->second, "\n")) << file << " " << key;
      EXPECT_FALSE(value.empty()) << file << " " << key;
    }
    EXPECT_EQ(texts.at("lan.cn"), "简体中文") << file;
    EXPECT_EQ(texts.at("lan.en"), "English") << file;
    EXPECT_EQ(texts.at("lan.es"), "Español") << file;
    EXPECT_EQ(texts.at("lan.ja"), "日本語") << file;
    EXPECT_EQ(texts.at("lan.ko"), "한국어") << file;
    EXPECT_EQ(texts.at("lan.pt"), "Português") << file;
    EXPECT_EQ(texts.at("lan.th"), "ภาษาไทย") << file;
  }
}

TEST_F(LanguageFiles, EnglishCarriesTheFixedTexts) {
  const auto en = ReadLanguage(archive, "lan_en.xml");
  const std::map<std::string, std::string> fixed = {
      {"tip.dlgtitle", "Printer Driver"},
      {"mainTitle", "Label Printer Driver Wizard"},
      {"main.btn.next", "Next"},
      {"main.btn.startDelete", "Start deleting"},
      {"tip.yes", "Yes"},
      {"tip.no", "No"},
      {"tip.pairbluetoothfailpinis", "Bluetooth pairing failed, please check whether the pairing code is:%s "},
      {"tip.readbluetoothserialport", "The read serial port is: %s"},
      {"tip.readdriverdirfail", "Failed to read the driver file directory: %s"},
      {"tip.copyfilefail", "Failed to copy the file: %s"},
      {"tip.installdriverfail", "Installation failed, error message: %s"},
      {"tip.installprinterfail", "Installation failed, error message: %s"},
      {"tip.startdelete", "Start deleting: %s"},
      {"tip.startdeleteprinter", "Start deleting the printer: %s"},
      {"tip.startdeletedriver", "Start deleting the driver: %s"},
      {"tip.startdeletepack", "Start deleting the package: %s"},
      {"tip.deletesuccess", "Delete: %s successfully"},
      {"tip.deletefail", "Delete: %s failed"},
      {"tip.failreason", "Reason for failure: %s"},
      {"tip.deletefailreason", "Reason for deletion failure: %s"},
      {"tip.isdeleteport", "Whether to delete the port: %s"},
      {"tip.btadapter.none", "Bluetooth adapter: Not found"},
      {"tip.btadapter.off", "Bluetooth adapter: OFF"},
      {"tip.btadapter.on", "Bluetooth adapter: ON"},
      {"lan.title", "Switch languages"},
  };
  for (const auto& [key, value] : fixed) EXPECT_EQ(en.at(key), value) << key;
}

// The install pages' checks once spoke Chinese to everybody: Chinese keeps exactly those texts, and
// every other language has its own text for them and for the page states added with them.
TEST_F(LanguageFiles, PageChecksAndRunStatesAreTranslatedEverywhere) {
  const std::map<std::string, std::string> chinese = {
      {"tip.lan.ipinvalid", "IP地址无效"},
      {"tip.lan.porttaken", "端口已存在，请重新输入"},
      {"tip.printername.refused", "*打印机名称:%s 不可以使用，请更换名称"},
      {"tip.printername.free", "打印机名称:%s 可以使用"},
  };
  const char* const otherKeys[] = {"tip.createdirfail",
                                   "tab.install.driver.installed",
                                   "tab.install.driver.notinstalled",
                                   "tab.install.title.installdone",
                                   "tab.install.title.installfailed",
                                   "tab.delete.title.deletedone",
                                   "tab.delete.title.deletefailed"};
  const auto cn = ReadLanguage(archive, "lan_cn.xml");
  for (const auto& [key, value] : chinese) EXPECT_EQ(cn.at(key), value) << key;
  for (const char* file : kFiles) {
    if (std::string(file) == "lan_cn.xml") continue;
    const auto texts = ReadLanguage(archive, file);
    for (const auto& [key, value] : chinese) EXPECT_NE(texts.at(key), value) << file << " " << key;
    for (const char* key : otherKeys) EXPECT_NE(texts.at(key), cn.at(key)) << file << " " << key;
  }
}

TEST_F(LanguageFiles, EveryRegisteredLanguageHasItsFileAndNameKey) {
  FakePlatform fake;
  CAppContext context(fake.platform);
  RegisterLanguages(context);
  ASSERT_EQ(context.m_languages.size(), 7u);
  const auto english = ReadLanguage(archive, "lan_en.xml");
  for (const auto& [langId, language] : context.m_languages) {
    EXPECT_NE(archive.Find(ui::WideToUtf8(language.file)), nullptr) << langId;
    EXPECT_EQ(english.count(ui::WideToUtf8(language.key)), 1u) << langId;
  }
}

}  // namespace
