#include "context/safe_paths.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"

namespace {

const wchar_t kBase[] = L"C:\\Program Files";
const wchar_t kPackage[] = L"C:\\Program Files\\PrinterDriver\\Calvane\\";

struct TreeCase {
  const char* name;
  std::function<void(FakeFileSystem&)> arrange;
  FolderRefusal refusal;
  const wchar_t* refusedAt;
  uint32_t error;
  std::vector<std::string> made;  // private folders made, in order
};

// What a standard user can have left on the way, and what the program makes of it.
TEST(MakePrivateFolderTree, MakesOrTrustsEachFolderBelowTheBaseAndRefusesTheRest) {
  const TreeCase cases[] = {
      {"fresh",
       [](FakeFileSystem&) {},
       FolderRefusal::kNone,
       L"",
       0,
       {"C:\\Program Files\\PrinterDriver", "C:\\Program Files\\PrinterDriver\\Calvane"}},
      {"there and the administrators'",
       [](FakeFileSystem& f) { f.folders.insert("C:\\Program Files\\PrinterDriver"); },
       FolderRefusal::kNone,
       L"",
       0,
       {"C:\\Program Files\\PrinterDriver\\Calvane"}},
      {"a junction on the way",
       [](FakeFileSystem& f) { f.links.insert(L"C:\\Program Files\\PrinterDriver"); },
       FolderRefusal::kLink,
       L"C:\\Program Files\\PrinterDriver",
       0,
       {}},
      {"a link as the last folder",
       [](FakeFileSystem& f) { f.links.insert(L"C:\\Program Files\\PrinterDriver\\Calvane"); },
       FolderRefusal::kLink,
       L"C:\\Program Files\\PrinterDriver\\Calvane",
       0,
       {"C:\\Program Files\\PrinterDriver"}},
      {"a user's folder",
       [](FakeFileSystem& f) {
         f.folders.insert("C:\\Program Files\\PrinterDriver");
         f.userOwnedFolders.insert("C:\\Program Files\\PrinterDriver");
       },
       FolderRefusal::kForeignOwner,
       L"C:\\Program Files\\PrinterDriver",
       0,
       {}},
      {"a file in the way",
       [](FakeFileSystem& f) { f.files[L"C:\\Program Files\\PrinterDriver"] = {1}; },
       FolderRefusal::kCannotMake,
       L"C:\\Program Files\\PrinterDriver",
       183,
       {}},
      {"cannot be made",
       [](FakeFileSystem& f) { f.uncreatableFolders.insert("C:\\Program Files\\PrinterDriver\\Calvane"); },
       FolderRefusal::kCannotMake,
       L"C:\\Program Files\\PrinterDriver\\Calvane",
       5,
       {"C:\\Program Files\\PrinterDriver"}},
  };
  for (const TreeCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystemInfo system;
    FakeFileSystem files{system};
    files.folders.insert("C:\\Program Files");
    files.userOwnedFolders.insert("C:\\Program Files");  // the base is trusted as given, not examined
    c.arrange(files);
    const FolderCheck check = MakePrivateFolderTree(files, system, kBase, kPackage);
    EXPECT_EQ(check.refusal, c.refusal);
    EXPECT_EQ(check.path, c.refusedAt);
    EXPECT_EQ(check.error, c.error);
    EXPECT_EQ(files.createdFolders, c.made);
    EXPECT_EQ(files.privateFolders, std::set<std::string>(c.made.begin(), c.made.end()));
  }
}

TEST(FirstLinkOnPath, NamesTheFirstLinkFromTheDriveOrShareDown) {
  FakeSystemInfo system;
  FakeFileSystem files{system};
  files.folders = {"C:\\logs", "C:\\logs\\deep", "\\\\server\\share\\logs"};
  files.links = {L"C:\\logs\\label.log", L"C:\\logs\\deep\\inner", L"C:\\junction",
                 L"\\\\server\\share\\logs\\a.log"};
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\logs\\label.log", L"C:\\logs\\label.log"},             // the file itself is a link
      {L"C:\\logs\\deep\\inner\\x.log", L"C:\\logs\\deep\\inner"},  // a folder on the way
      {L"C:\\junction\\x.log", L"C:\\junction"},
      {L"C:\\logs\\plain.log", L""},           // nothing there yet: no link
      {L"C:\\missing\\junction\\x.log", L""},  // nothing below a missing folder exists
      {L"\\\\server\\share\\logs\\a.log", L"\\\\server\\share\\logs\\a.log"},
      {L"\\\\server\\share", L""},
  };
  for (const auto& [path, link] : cases) EXPECT_EQ(FirstLinkOnPath(files, path), link) << path;
}

}  // namespace
