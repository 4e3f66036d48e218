// The shell commands through the real ShellExecuteExW, with stand-ins for certutil.exe and
// rundll32.exe put into the prefix's system folder: they record the command lines they were given.
// (Wine implements neither certutil nor printui's entry, and its rundll32 takes the blank after the
// comma of "printui.dll, PrintUIEntry" for an empty entry name, which Windows' rundll32 skips.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "printsys/shell_commands.h"
#include "tests/wine/doubles/shell_log.h"

namespace {

const wchar_t* const kReplaced[] = {L"certutil.exe", L"rundll32.exe"};

std::wstring SystemFolder() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, MAX_PATH);
  return std::wstring(path, length < MAX_PATH ? length : 0) + L"\\";
}

// Wine's own certutil stub (and rundll32) are builtins it prefers to a file of the same name;
// this override makes it start the file.
const wchar_t kOverrides[] = L"Software\\Wine\\DllOverrides";

void PreferFileToBuiltin(const wchar_t* exe, bool prefer) {
  if (prefer) {
    const wchar_t native[] = L"native";
    RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, exe, REG_SZ, native, sizeof(native));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, exe);
  }
}

class ShellWithDoubles : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::wstring doubles = DoublesFolder();
    for (const wchar_t* name : kReplaced) {
      const std::wstring target = SystemFolder() + name;
      const std::wstring backup = target + L".ldw-original";
      hadOriginal_.push_back(GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES);
      if (hadOriginal_.back()) {
        ASSERT_TRUE(CopyFileW(target.c_str(), backup.c_str(), FALSE));
      }
      ASSERT_TRUE(CopyFileW((doubles + name).c_str(), target.c_str(), FALSE)) << "error " << GetLastError();
      PreferFileToBuiltin(name, true);
    }
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    log_ = std::wstring(temp) + L"ldw_shell_log.txt";
    DeleteFileW(log_.c_str());
    SetEnvironmentVariableW(L"LDW_SHELL_LOG", log_.c_str());
  }

  void TearDown() override {
    for (size_t i = 0; i < hadOriginal_.size(); ++i) {
      PreferFileToBuiltin(kReplaced[i], false);
      const std::wstring target = SystemFolder() + kReplaced[i];
      const std::wstring backup = target + L".ldw-original";
      if (hadOriginal_[i]) {
        EXPECT_TRUE(MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING));
      } else {
        DeleteFileW(target.c_str());
      }
    }
    SetEnvironmentVariableW(L"LDW_SHELL_LOG", nullptr);
    DeleteFileW(log_.c_str());
  }

  // The lines the stand-ins wrote so far, each "<tool>|<command line>".
  std::vector<std::wstring> LogLines() const { return ReadShellLog(log_); }

  std::vector<std::wstring> WaitForLogLines(size_t count) const {
    for (int i = 0; i < 100; ++i) {
      const std::vector<std::wstring> lines = LogLines();
      if (lines.size() >= count) return lines;
      Sleep(100);
    }
    return LogLines();
  }

  // The tool's line ends in the parameters exactly as the product formatted them.
  static void ExpectCommand(const std::wstring& line, const std::wstring& tool,
                            const std::wstring& parameters) {
    EXPECT_EQ(line.rfind(tool + L"|", 0), 0u) << "tool";
    ASSERT_GE(line.size(), parameters.size());
    EXPECT_EQ(line.substr(line.size() - parameters.size()), parameters);
  }

  std::vector<bool> hadOriginal_;
  std::wstring log_;
};

// The line a stand-in recorded begins with the tool's absolute path in the system folder: nothing
// was looked up by a bare name.
void ExpectStartedFromSystemFolder(const std::wstring& line, const wchar_t* tool) {
  std::wstring lower = line, path = SystemFolder() + tool;
  for (std::wstring* text : {&lower, &path}) {
    for (wchar_t& c : *text) c = towlower(c);
  }
  const size_t start = lower.find(L'|') + 1;
  EXPECT_EQ(lower.compare(start + (lower[start] == L'"' ? 1 : 0), path.size(), path), 0)
      << "started as: " << lower;
}

TEST_F(ShellWithDoubles, CertificateIsTrustedThroughCertutilAndWaitedFor) {
  EXPECT_TRUE(
      TrustCertificate(kTrustedRootStore, L"C:\\PrinterDriver\\Calvane\\qmvt.cer", nullptr).Succeeded());
  const std::vector<std::wstring> lines = LogLines();  // written before certutil ended
  ASSERT_EQ(lines.size(), 1u);
  ExpectCommand(lines[0], L"certutil", L" -addstore \"Root\" \"C:\\PrinterDriver\\Calvane\\qmvt.cer\"");
  ExpectStartedFromSystemFolder(lines[0], L"certutil.exe");
}

TEST_F(ShellWithDoubles, DriverIsInstalledThroughPrintuiAndWaitedForWithItsExitCode) {
  EXPECT_TRUE(
      InstallDriverFromInf(L"LABEL", L"C:\\PrinterDriver\\Calvane\\Driver64\\Ombrevia.INF", nullptr, true)
          .Succeeded());
  const std::vector<std::wstring> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u);
  ExpectCommand(lines[0], L"rundll32",
                L" printui.dll, PrintUIEntry /ia /m \"LABEL\" /f "
                L"\"C:\\PrinterDriver\\Calvane\\Driver64\\Ombrevia.INF\" /q");
  ExpectStartedFromSystemFolder(lines[0], L"rundll32.exe");

  // The tool's own exit code comes back, and is no success.
  SetEnvironmentVariableW(L"LDW_TOOL_EXIT_CODE", L"1603");
  const ShellResult failed = InstallDriverFromInf(L"LABEL", L"C:\\none.inf", nullptr, true);
  SetEnvironmentVariableW(L"LDW_TOOL_EXIT_CODE", nullptr);
  EXPECT_EQ(failed.outcome, ShellOutcome::kEnded);
  EXPECT_EQ(failed.exitCode, 1603u);
  EXPECT_FALSE(failed.Succeeded());
}

TEST_F(ShellWithDoubles, PrinterDialogsAndTestPageStartPrintui) {
  struct Case {
    bool (*run)(const std::wstring&, WindowHandle);
    const wchar_t* arguments;
  };
  // ShellExecuteExW puts one blank between the file and the parameters; the pattern's own blanks,
  // at both ends, follow it.
  const Case cases[] = {{PrintTestPage, L"  printui.dll, PrintUIEntry /k /n\"LABEL on shelf\" "},
                        {ShowPrinterProperties, L"  printui.dll, PrintUIEntry /p /n\"LABEL on shelf\" "},
                        {ShowPrintingPreferences, L"  printui.dll, PrintUIEntry /e /n\"LABEL on shelf\" "}};
  size_t count = 0;
  for (const Case& c : cases) {
    EXPECT_TRUE(c.run(L"LABEL on shelf", nullptr));
    const std::vector<std::wstring> lines = WaitForLogLines(++count);
    ASSERT_EQ(lines.size(), count);
    ExpectCommand(lines.back(), L"rundll32", c.arguments);
  }
}

TEST_F(ShellWithDoubles, NameWithAQuoteStartsNothing) {
  EXPECT_FALSE(PrintTestPage(L"LABEL\" /ia /m \"X", nullptr));
  Sleep(1000);
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
