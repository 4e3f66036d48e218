#include "tests/fakes/fake_platform.h"

namespace {
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorMrMidNotFound = 317;

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
}  // namespace

bool FakeSystemInfo::QueryVersion(OsVersion& out) const {
  if (versionQueryFails) return false;
  out = version;
  return true;
}

std::wstring FakeSystemInfo::SystemMessage(uint32_t code, uint16_t langId) const {
  auto found = messages.find({code, langId});
  // Language 0: the system searches the neutral language, the user's, then English (US).
  for (const uint16_t fallback : {uiLanguage, uint16_t{1033}}) {
    if (langId == 0 && found == messages.end()) found = messages.find({code, fallback});
  }
  if (found == messages.end()) {
    const_cast<FakeSystemInfo*>(this)->lastError = kErrorMrMidNotFound;
    return {};
  }
  return found->second;
}

bool FakeFileSystem::WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) {
  if (unwritableFiles.count(path) != 0) {
    system_.SetLastError(kErrorAccessDenied);
    return false;
  }
  const size_t slash = path.rfind(L'\\');
  if (slash == std::wstring::npos || !FolderExists(ToAnsi(path.substr(0, slash)))) {
    system_.SetLastError(kErrorPathNotFound);
    return false;
  }
  files[path].assign(data, data + size);
  return true;
}

std::string FakeFileSystem::ToAnsi(const std::wstring& path) const {
  std::string ansi;
  for (wchar_t c : path) ansi.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return ansi;
}

bool FakeFileSystem::CurrentDirectory(std::string& path) const {
  if (currentDirectoryFails) return false;
  path = currentDirectory;
  return true;
}

bool FakeFileSystem::FolderExists(const std::string& path) const {
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  if (trimmed.size() == 2 && trimmed[1] == ':') return true;
  return folders.count(trimmed) != 0;
}

CreateFolderResult FakeFileSystem::CreateFolder(const std::string& path) {
  if (FolderExists(path)) return CreateFolderResult::kAlreadyExists;
  if (uncreatableFolders.count(path) != 0) {
    system_.SetLastError(kErrorAccessDenied);
    return CreateFolderResult::kFailed;
  }
  if (!FolderExists(ParentOf(path))) {
    system_.SetLastError(kErrorPathNotFound);
    return CreateFolderResult::kFailed;
  }
  folders.insert(path);
  createdFolders.push_back(path);
  return CreateFolderResult::kCreated;
}

intptr_t RecordingMessageSender::Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  const auto* notice = reinterpret_cast<const UiNotice*>(lParam);
  sent.push_back({window, message, wParam, notice != nullptr, notice != nullptr ? *notice : UiNotice{}});
  if (onSend) onSend(message);
  return 0;
}

SystemHandle FakeThreadStarter::Start(std::function<void()> body) {
  if (startFails) return nullptr;
  pending.push_back(std::move(body));
  return reinterpret_cast<SystemHandle>(static_cast<uintptr_t>(++started));
}

int FakeThreadStarter::RunPending() {
  int run = 0;
  while (!pending.empty()) {
    std::function<void()> body = std::move(pending.front());
    pending.erase(pending.begin());
    body();
    ++run;
  }
  return run;
}

int FakeUserDialogs::ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                                    uint32_t flags) {
  boxes.push_back({owner, text, caption, flags});
  return answer;
}

void FakeUserDialogs::OpenAddPortPopup(WindowHandle owner) {
  addPortPopups.push_back(owner);
  if (whileAddPortPopupOpen) whileAddPortPopupOpen();
}

FakePlatform& DefaultFakePlatform() {
  static FakePlatform platform;
  return platform;
}

Platform& DefaultPlatform() { return DefaultFakePlatform().platform; }
UserDialogs& DefaultUserDialogs() { return DefaultFakePlatform().dialogs; }
