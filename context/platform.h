// The system services the context and its helpers need, behind narrow interfaces. Windows supplies
// Win32 implementations; the host tests supply in-memory fakes. No Win32 types appear here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

using WindowHandle = void*;
using SystemHandle = void*;

struct OsVersion {
  uint32_t major = 0;
  uint32_t minor = 0;
};

// The processor family of the system itself (not of this process).
enum class Machine : uint8_t { kX86, kX64, kArm64, kOther };

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // The version the system reports to this process (GetVersionExW with the extended record);
  // false when the query fails.
  virtual bool QueryVersion(OsVersion& version) const = 0;
  // IsWow64Process on this process; false when the call fails or the process is native.
  virtual bool IsWow64Process() const = 0;
  // The machine the system runs on: IsWow64Process2's native machine where the system has that
  // function, GetNativeSystemInfo's processor otherwise.
  virtual Machine NativeMachine() const = 0;
  // GetSystemWindowsDirectoryW and GetSystemDirectoryW, without a trailing backslash.
  virtual std::wstring WindowsFolder() const = 0;
  virtual std::wstring SystemFolder() const = 0;
  virtual uint16_t UserDefaultUILanguage() const = 0;
  // The system's message text for an error code in that language; empty when there is none.
  virtual std::wstring SystemMessage(uint32_t code, uint16_t langId) const = 0;
  // The program-files folder for this process (FOLDERID_ProgramFiles) without a trailing
  // backslash; empty, with the last error set to the shell's answer, when the shell cannot supply it.
  virtual std::wstring ProgramFilesFolder() const = 0;
  virtual uint32_t LastError() const = 0;
  virtual void SetLastError(uint32_t code) = 0;
  virtual void CloseHandle(SystemHandle handle) = 0;
};

enum class CreateFolderResult { kCreated, kAlreadyExists, kFailed };

// What is at a path itself. kLink is any reparse point (symbolic link, junction, mount point),
// whatever it leads to; kUnreadable (last error set) when it cannot be examined.
enum class PathKind { kMissing, kFolder, kFile, kLink, kUnreadable };
struct PathFacts {
  PathKind kind = PathKind::kMissing;
  bool ownedByAdministrators = false;  // its owner is the Administrators group or SYSTEM
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Removes whatever file is at the path (a link itself, never what it leads to), creates the file
  // anew and writes all bytes in one call; false (with the last error set) when the old file cannot
  // be removed, something appeared at the path meanwhile, or the write fails.
  virtual bool WriteWholeFile(const std::wstring& path, const uint8_t* data, size_t size) = 0;
  // The folder operations work on ANSI paths, as the install folder helper does on Windows.
  virtual std::string ToAnsi(const std::wstring& path) const = 0;
  virtual bool CurrentDirectory(std::string& path) const = 0;
  virtual bool FolderExists(const std::string& path) const = 0;
  virtual CreateFolderResult CreateFolder(const std::string& path) = 0;

  // Where the elevated program puts files others run or trust: a link at the path is not followed.
  virtual PathFacts Examine(const std::wstring& path) const = 0;
  // Creates one folder owned by Administrators that only Administrators and SYSTEM may open, which
  // hands that on to what is made inside; false (last error set) when anything is at the path already.
  virtual bool CreatePrivateFolder(const std::wstring& path) = 0;
};

// The one road from the logic and the workers to the main window: a synchronous send that returns
// only when the window has handled the message, so payloads may live on the sender's stack.
class MessageSender {
 public:
  virtual ~MessageSender() = default;
  virtual intptr_t Send(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

// Starts the wizard's workers. Nobody joins a worker: the caller closes the handle at once.
class ThreadStarter {
 public:
  virtual ~ThreadStarter() = default;
  // The new thread's handle, or null when no thread could be made (the body then never runs).
  virtual SystemHandle Start(std::function<void()> body) = 0;
};

// Message-box flags and answers, with the values MessageBoxW uses.
constexpr uint32_t kBoxOk = 0x0;
constexpr uint32_t kBoxOkCancel = 0x1;
constexpr uint32_t kBoxIconInformation = 0x40;
constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;

// What the wizard shows the user modally, owned by a window of the program.
class UserDialogs {
 public:
  virtual ~UserDialogs() = default;
  // The button the user pressed (kAnswerOk, kAnswerCancel, ...).
  virtual int ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                             uint32_t flags) = 0;
  // The add-port popup; returns when the user has closed it.
  virtual void OpenAddPortPopup(WindowHandle owner) = 0;
};

struct Platform {
  SystemInfo& system;
  FileSystem& files;
  MessageSender& messages;
  ThreadStarter& threads;
  UserDialogs& dialogs;
};

// The platform the process runs on: Win32 in the product, fakes in the host tests. Each target
// links exactly one definition.
Platform& DefaultPlatform();
// The program's message boxes and popups, defined with its windows.
UserDialogs& DefaultUserDialogs();
