// Win32 implementations of the context's platform services.
#include <shlobj.h>
#include <windows.h>

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

  std::wstring ProgramFilesFolder() const override {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_PROGRAM_FILES, FALSE)) return {};
    return path;
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
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
