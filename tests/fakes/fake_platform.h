// In-memory stand-ins for the system services, with a setter for each failure the callers look at.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "context/platform.h"
#include "context/ui_messages.h"

class FakeSystemInfo : public SystemInfo {
 public:
  bool versionQueryFails = false;
  OsVersion version{10, 0};
  // The machine and this program's bitness on it: by default the shipped 32-bit exe under WOW64
  // on 64-bit Windows.
  bool wow64 = true;
  Machine machine = Machine::kX64;
  std::wstring windowsFolder = L"C:\\Windows";
  uint16_t uiLanguage = 1033;
  uint16_t systemLanguage = 1033;
  // (code, langId) -> text; a language with no entry is one whose pack the system lacks.
  std::map<std::pair<uint32_t, uint16_t>, std::wstring> messages;
  std::wstring programFiles = L"C:\\Program Files (x86)";
  uint32_t lastError = 0;
  std::vector<SystemHandle> closedHandles;

  bool QueryVersion(OsVersion& out) const override;
  bool IsWow64Process() const override { return wow64; }
  Machine NativeMachine() const override { return machine; }
  std::wstring WindowsFolder() const override { return windowsFolder; }
  std::wstring SystemFolder() const override { return windowsFolder + L"\\system32"; }
  uint16_t UserDefaultUILanguage() const override { return uiLanguage; }
  // As FormatMessage: a given language or nothing (ERROR_RESOURCE_LANG_NOT_FOUND when the code has
  // messages in other languages, ERROR_MR_MID_NOT_FOUND when none); language 0 tries neutral, the
  // user's, the system's, then US English.
  std::wstring SystemMessage(uint32_t code, uint16_t langId) const override;
  std::wstring ProgramFilesFolder() const override { return programFiles; }
  uint32_t LastError() const override { return lastError; }
  void SetLastError(uint32_t code) override { lastError = code; }
  void CloseHandle(SystemHandle handle) override { closedHandles.push_back(handle); }
};

// Folders and files keyed by their exact path text; drive roots ("C:") always exist.
class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(SystemInfo& system) : system_(system) {}

  std::map<std::wstring, std::vector<uint8_t>> files;
  std::set<std::string> folders{"C:\\Program Files (x86)"};  // FakeSystemInfo's program-files folder is there
  std::vector<std::string> createdFolders;  // in creation order
  std::string currentDirectory = "C:\\work";
  bool currentDirectoryFails = false;
  std::set<std::string> uncreatableFolders;  // CreateFolder fails with access denied
  std::set<std::wstring> unwritableFiles;     // WriteWholeFile fails with access denied
  std::set<std::wstring> links;  // junctions or symbolic links at these paths (targets not modelled)
  std::set<std::string> userOwnedFolders;  // existing folders whose owner is a standard user
  std::set<std::string> privateFolders;    // made for Administrators and SYSTEM alone

  // Replaces a link at the path by the file, as the link itself is removed first.
  bool WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) override;
  std::string ToAnsi(const std::wstring& path) const override;
  bool CurrentDirectory(std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  CreateFolderResult CreateFolder(const std::string& path) override;
  PathFacts Examine(const std::wstring& path) const override;
  bool CreatePrivateFolder(const std::wstring& path) override;

 private:
  SystemInfo& system_;
};

struct SentMessage {
  WindowHandle window;
  uint32_t message;
  uintptr_t wParam;
  bool hasNotice;
  UiNotice notice;  // copied during the send: the sender's payload is gone afterwards
};

// Synchronous recorder: the "window" handles each message while the sender waits.
class RecordingMessageSender : public MessageSender {
 public:
  std::vector<SentMessage> sent;
  std::function<void(uint32_t message)> onSend;  // runs as the window would handle the message
  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
};

// Holds each started body until the test runs it, so a worker finishes exactly when the test says:
// after the page that started it has returned, as a real thread's message would arrive.
class FakeThreadStarter : public ThreadStarter {
 public:
  bool startFails = false;
  int started = 0;
  std::vector<std::function<void()>> pending;

  SystemHandle Start(std::function<void()> body) override;
  // Runs the bodies waiting now (and any they start) in start order; the number run.
  int RunPending();
};

struct ShownMessageBox {
  WindowHandle owner;
  std::wstring text;
  std::wstring caption;
  uint32_t flags;
};

class FakeUserDialogs : public UserDialogs {
 public:
  std::vector<ShownMessageBox> boxes;
  int answer = kAnswerOk;  // what the user presses in every box
  std::vector<WindowHandle> addPortPopups;
  std::function<void()> whileAddPortPopupOpen;  // what the user does in the popup

  int ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                     uint32_t flags) override;
  void OpenAddPortPopup(WindowHandle owner) override;
};

// A complete fake platform for one test.
struct FakePlatform {
  FakeSystemInfo system;
  FakeFileSystem files{system};
  RecordingMessageSender messages;
  FakeThreadStarter threads;
  FakeUserDialogs dialogs;
  Platform platform{system, files, messages, threads, dialogs};
};

// The fake platform behind DefaultPlatform() in the host tests.
FakePlatform& DefaultFakePlatform();
