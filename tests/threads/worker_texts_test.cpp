// Workers read texts and the skin archive while the UI thread switches the language or clears the
// table on its way out. Real threads; the thread-sanitizer build runs these too.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/localisation.h"
#include "context/live_workers.h"
#include "context/package_files.h"
#include "context/text_util.h"
#include "tests/fakes/fake_platform.h"
#include "tests/test_paths.h"
#include "ui/resources.h"

namespace {

const char* const kLanguageFiles[] = {"lan_en.xml", "lan_cn.xml", "lan_th.xml", "lan_ko.xml"};

// What a key reads as in each language file, looked up in tables of their own.
std::set<std::wstring> ValuesOf(const ui::Resources& resources, const wchar_t* key,
                                const std::wstring& argument) {
  std::set<std::wstring> values;
  for (const char* file : kLanguageFiles) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(resources.ReadFile(file, bytes));
    ui::TextTable table;
    EXPECT_TRUE(table.LoadLanguage({reinterpret_cast<const char*>(bytes.data()), bytes.size()}));
    values.insert(FormatText(table.Get(key), argument));
  }
  return values;
}

// A window's callback that answers one key, as a reload asks it.
class Answering : public ui::TextCallback {
 public:
  bool ProvideText(const std::wstring& key, std::wstring& text) override {
    if (key != L"tip.close") return false;
    text = L"closed";
    return true;
  }
};

class WorkerTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(resources().AttachArchive(skin_.data(), skin_.size()));
    ASSERT_TRUE(resources().LoadLanguage("lan_en.xml"));
  }
  void TearDown() override { resources().Shutdown(); }
  static ui::Resources& resources() { return ui::Resources::Instance(); }

  // Runs body on a few worker threads until the UI-thread steps are done; each worker counts the
  // readings it found wrong.
  int RunWorkersDuring(const std::function<bool()>& workerRead, const std::function<void()>& uiSteps) {
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::atomic<int> reads{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 3; ++i) {
      workers.emplace_back(TrackWorker([&] {
        while (!done.load() || reads.load() < 50) {
          if (!workerRead()) ++wrong;
          ++reads;
        }
      }));
    }
    uiSteps();
    done = true;
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(LiveWorkerCount(), 0);
    return wrong.load();
  }

  std::vector<uint8_t> skin_ = PackedSkin();
};

TEST_F(WorkerTexts, ALanguageSwitchNeverShowsAWorkerAHalfRewrittenTable) {
  const std::set<std::wstring> next = ValuesOf(resources(), L"main.btn.next", L"");
  const std::set<std::wstring> failed = ValuesOf(resources(), L"tip.deletefail", L"LABEL");
  ASSERT_EQ(next.size(), 4u);  // the test means something only if the languages differ
  std::set<std::wstring> close = ValuesOf(resources(), L"tip.close", L"");
  close.insert(L"closed");

  const int wrong = RunWorkersDuring(
      [&] {
        return next.count(GetText(L"main.btn.next")) == 1 &&
               failed.count(GetTextWith(L"tip.deletefail", L"LABEL")) == 1 &&
               close.count(GetText(L"tip.close")) == 1;
      },
      [&] {
        Answering callback;
        for (int round = 0; round < 40; ++round) {
          ASSERT_TRUE(resources().LoadLanguage(kLanguageFiles[round % 4]));
          if (round % 5 == 0) resources().Texts().Reload(&callback);
        }
      });
  EXPECT_EQ(wrong, 0);
}

TEST_F(WorkerTexts, ClearingTheTableOnTheWayOutLeavesReadersAValueOrTheKey) {
  const std::set<std::wstring> next = ValuesOf(resources(), L"main.btn.next", L"");
  const int wrong = RunWorkersDuring(
      [&] {
        const std::wstring text = GetText(L"main.btn.next");
        return text == L"main.btn.next" || next.count(text) == 1;
      },
      [&] {
        for (int round = 0; round < 40; ++round) {
          resources().Texts().Clear();
          ASSERT_TRUE(resources().LoadLanguage(kLanguageFiles[round % 4]));
        }
      });
  EXPECT_EQ(wrong, 0);
}

TEST_F(WorkerTexts, ExtractingADriverFileWhileTheUiThreadReadsTheArchive) {
  std::vector<uint8_t> expected;
  ASSERT_TRUE(resources().ReadFile("driver/label/Driver32/Ombrevia.inf", expected));
  const int wrong = RunWorkersDuring(
      [&] {
        FakePlatform fake;  // each worker writes to its own disk
        fake.files.folders.insert("C:\\out");
        std::vector<wchar_t> dependents;
        return ExtractSkinFile(resources().Archive(), fake.files, fake.system,
                               L"driver\\label\\Driver32\\Ombrevia.inf", L"C:\\out\\", dependents) &&
               fake.files.files[L"C:\\out\\Ombrevia.inf"] == expected;
      },
      [&] {
        for (int round = 0; round < 20; ++round)
          ASSERT_TRUE(resources().LoadLanguage(kLanguageFiles[round % 4]));
      });
  EXPECT_EQ(wrong, 0);
}

}  // namespace
