#include "tests/fakes/fake_platform.h"

namespace {
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAlreadyExists = 183;
constexpr uint32_t kErrorMrMidNotFound = 317;
constexpr uint32_t kErrorResourceLangNotFound = 15100;

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
  auto* self = const_cast<FakeSystemInfo*>(this);
  const std::vector<uint16_t> order = langId != 0
                                          ? std::vector<uint16_t>{langId}
                                          : std::vector<uint16_t>{0, uiLanguage, systemLanguage, 1033};
  for (uint16_t language : order) {
    const auto found = messages.find({code, language});
    if (found != messages.end()) return found->second;
  }
  const auto any = messages.lower_bound({code, 0});
  self->lastError =
      any != messages.end() && any->first.first == code ? kErrorResourceLangNotFound : kErrorMrMidNotFound;
  return {};
}

bool FakeFileSystem::WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) {
  if (unwritableFiles.count(path) != 0) {
    system_.SetLastError(kErrorAccessDenied);
    return false;
  }
  links.erase(path);
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

PathFacts FakeFileSystem::Examine(const std::wstring& path) const {
  std::wstring trimmed = path;
  while (!trimmed.empty() && trimmed.back() == L'\\') trimmed.pop_back();
  const std::string ansi = ToAnsi(trimmed);
  if (links.count(trimmed) != 0) return {PathKind::kLink, true};
  if (FolderExists(ansi)) return {PathKind::kFolder, userOwnedFolders.count(ansi) == 0};
  if (files.count(trimmed) != 0) return {PathKind::kFile, true};
  return {PathKind::kMissing, false};
}

bool FakeFileSystem::CreatePrivateFolder(const std::wstring& path) {
  if (Examine(path).kind != PathKind::kMissing) {
    system_.SetLastError(kErrorAlreadyExists);
    return false;
  }
  const std::string ansi = ToAnsi(path);
  if (CreateFolder(ansi) != CreateFolderResult::kCreated) return false;
  privateFolders.insert(ansi);
  return true;
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
