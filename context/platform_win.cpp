// Win32 implementations of the context's platform services.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <memory>

#include "context/platform.h"
#include "printsys/runtime_imports_win.h"

namespace {

class Win32SystemInfo final : public SystemInfo {
 public:
  bool QueryVersion(OsVersion& version) const override {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof(info);  // 284: the extended record
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return false;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return true;
  }

  bool IsWow64Process() const override {
    BOOL wow64 = FALSE;
    return ::IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
  }

  Machine NativeMachine() const override {
    // Under x86 emulation on ARM64, GetNativeSystemInfo answers x86 or x64 like the emulated
    // process sees it; only IsWow64Process2 tells the truth there.
    if (const std::optional<USHORT> native = runtime_imports::NativeMachineOfThisSystem()) {
      switch (*native) {
        case IMAGE_FILE_MACHINE_I386:
          return Machine::kX86;
        case IMAGE_FILE_MACHINE_AMD64:
          return Machine::kX64;
        case IMAGE_FILE_MACHINE_ARM64:
          return Machine::kArm64;
        default:
          return Machine::kOther;
      }
    }
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    switch (info.wProcessorArchitecture) {
      case PROCESSOR_ARCHITECTURE_INTEL:
        return Machine::kX86;
      case PROCESSOR_ARCHITECTURE_AMD64:
        return Machine::kX64;
      case PROCESSOR_ARCHITECTURE_ARM64:
        return Machine::kArm64;
      default:
        return Machine::kOther;
    }
  }

  std::wstring WindowsFolder() const override { return FolderFrom(GetSystemWindowsDirectoryW); }
  std::wstring SystemFolder() const override { return FolderFrom(GetSystemDirectoryW); }

  uint16_t UserDefaultUILanguage() const override { return GetUserDefaultUILanguage(); }

  std::wstring SystemMessage(uint32_t code, uint16_t langId) const override {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        langId, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 && buffer != nullptr ? std::wstring(buffer, length) : std::wstring();
    if (buffer != nullptr) LocalFree(buffer);
    return text;
  }

  // This 32-bit program under WOW64 gets "Program Files (x86)": the folder the system gives 32-bit
  // programs, with the same administrators-only rights as the other. The 64-bit one has no known
  // folder for 32-bit callers, and the ProgramW6432 variable comes from the starter's environment.
  std::wstring ProgramFilesFolder() const override {
    wchar_t* path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_ProgramFiles, KF_FLAG_DEFAULT, nullptr, &path);
    std::wstring folder = SUCCEEDED(result) && path != nullptr ? path : L"";
    CoTaskMemFree(path);
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    if (folder.empty()) ::SetLastError(FAILED(result) ? static_cast<DWORD>(result) : ERROR_PATH_NOT_FOUND);
    return folder;
  }

  uint32_t LastError() const override { return GetLastError(); }
  void SetLastError(uint32_t code) override { ::SetLastError(code); }
  void CloseHandle(SystemHandle handle) override { ::CloseHandle(handle); }

 private:
  static std::wstring FolderFrom(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH] = {};
    const UINT length = query(path, MAX_PATH);
    return length != 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
  }
};

class Win32FileSystem final : public FileSystem {
 public:
  bool WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) override {
    // Replacing in place would write through a link left at the path: remove it (the link itself),
    // then create anew, which fails rather than opens whatever appeared there meanwhile.
    if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    const DWORD error = GetLastError();
    ::CloseHandle(file);
    ::SetLastError(error);
    return ok && written == size;
  }

  std::string ToAnsi(const std::wstring& path) const override {
    const int length = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string ansi(length > 0 ? length : 0, '\0');
    if (length > 0) {
      WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), ansi.data(), length, nullptr,
                          nullptr);
    }
    return ansi;
  }

  bool CurrentDirectory(std::string& path) const override {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) return false;
    path.assign(buffer, length);
    return true;
  }

  bool FolderExists(const std::string& path) const override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  CreateFolderResult CreateFolder(const std::string& path) override {
    if (CreateDirectoryA(path.c_str(), nullptr)) return CreateFolderResult::kCreated;
    return GetLastError() == ERROR_ALREADY_EXISTS ? CreateFolderResult::kAlreadyExists : CreateFolderResult::kFailed;
  }

  PathFacts Examine(const std::wstring& path) const override {
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    constexpr DWORD kItselfEvenAFolder = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE handle = CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                OPEN_EXISTING, kItselfEvenAFolder, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {PathKind::kMissing, false};
      return {PathKind::kUnreadable, false};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != FALSE;
    const DWORD error = GetLastError();
    const bool owned = known && OwnedByAdministrators(handle);
    ::CloseHandle(handle);
    if (!known) {
      ::SetLastError(error);
      return {PathKind::kUnreadable, false};
    }
    if (IsLink(path, info.dwFileAttributes)) return {PathKind::kLink, owned};
    const bool folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return {folder ? PathKind::kFolder : PathKind::kFile, owned};
  }

  bool CreatePrivateFolder(const std::wstring& path) override {
    // Owner Administrators; full access for Administrators and SYSTEM, handed to everything made
    // inside; nothing inherited from the parent (P).
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)",
                                                              SDDL_REVISION_1, &descriptor, nullptr)) {
      return false;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    const BOOL made = CreateDirectoryW(path.c_str(), &attributes);
    const DWORD error = GetLastError();
    LocalFree(descriptor);
    ::SetLastError(error);
    return made != FALSE;
  }

 private:
  // Windows reports a reparse point on the handle opened without following it; Wine follows Unix
  // symbolic links even then, but still marks the path's own attributes.
  static bool IsLink(const std::wstring& path, DWORD handleAttributes) {
    if ((handleAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return true;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

  static bool OwnedByAdministrators(HANDLE handle) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
      return false;
    }
    const bool trusted = owner != nullptr && (IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
                                              IsWellKnownSid(owner, WinLocalSystemSid));
    LocalFree(descriptor);
    return trusted;
  }
};

class Win32MessageSender final : public MessageSender {
 public:
  intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    return SendMessageW(static_cast<HWND>(window), message, wParam, lParam);
  }
};

class Win32ThreadStarter final : public ThreadStarter {
 public:
  SystemHandle Start(std::function<void()> body) override {
    auto* owned = new std::function<void()>(std::move(body));
    HANDLE thread = CreateThread(nullptr, 0, &Run, owned, 0, nullptr);
    if (thread == nullptr) delete owned;
    return thread;
  }

 private:
  static DWORD WINAPI Run(void* argument) {
    std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(argument));
    (*body)();
    return 0;
  }
};

}  // namespace

Platform& DefaultPlatform() {
  static Win32SystemInfo system;
  static Win32FileSystem files;
  static Win32MessageSender messages;
  static Win32ThreadStarter threads;
  static Platform platform{system, files, messages, threads, DefaultUserDialogs()};
  return platform;
}
