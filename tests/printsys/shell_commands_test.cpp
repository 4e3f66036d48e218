#include "printsys/shell_commands.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"

namespace {

WindowHandle Owner() { return reinterpret_cast<WindowHandle>(0x1234); }

// The tools come from the system's own System32 on every machine: the 32-bit exe under WOW64 names
// it "Sysnative", a native program (x86 Windows, the 64-bit build) "system32"; never a bare name
// that the current folder could answer.
TEST(ShellCommands, ToolsStartFromTheNativeSystemFolder) {
  struct Case {
    const char* name;
    Machine machine;
    bool wow64;
    const wchar_t* folder;
  };
  const Case cases[] = {{"x86 Windows", Machine::kX86, false, L"C:\\Windows\\system32\\"},
                        {"32-bit exe on x64", Machine::kX64, true, L"C:\\Windows\\Sysnative\\"},
                        {"64-bit build on x64", Machine::kX64, false, L"C:\\Windows\\system32\\"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystemInfo system;
    system.machine = c.machine;
    system.wow64 = c.wow64;
    FakeShellRunner shell;
    TrustCertificate(shell, system, kTrustedPublisherStore, L"C:\\c.cer", nullptr);
    InstallDriverFromInf(shell, system, L"LABEL", L"C:\\a.inf", nullptr, false);
    PrintTestPage(shell, system, L"LABEL", nullptr, false);
    ASSERT_EQ(shell.commands.size(), 3u);
    EXPECT_EQ(shell.commands[0].file, std::wstring(c.folder) + L"certutil.exe");
    EXPECT_EQ(shell.commands[1].file, std::wstring(c.folder) + L"rundll32.exe");
    EXPECT_EQ(shell.commands[2].file, std::wstring(c.folder) + L"rundll32.exe");
  }
}

struct CommandCase {
  const char* name;
  std::function<void(ShellRunner&, const SystemInfo&)> run;
  const wchar_t* tool;
  const wchar_t* parameters;
  int show;
  uint32_t waitMs;
};

TEST(ShellCommands, CommandLinesTheirWindowAndTheirBound) {
  const CommandCase cases[] = {
      {"certificate, publishers",
       [](ShellRunner& s, const SystemInfo& y) {
         TrustCertificate(s, y, kTrustedPublisherStore, L"C:\\PrinterDriver\\Calvane\\Cert.cer", Owner());
       },
       L"certutil.exe", L"-addstore \"TrustedPublisher\" \"C:\\PrinterDriver\\Calvane\\Cert.cer\"",
       kShowHidden, kCertificateWaitMs},
      {"certificate, root",
       [](ShellRunner& s, const SystemInfo& y) {
         TrustCertificate(s, y, kTrustedRootStore, L"C:\\c.cer", Owner());
       },
       L"certutil.exe", L"-addstore \"Root\" \"C:\\c.cer\"", kShowHidden, kCertificateWaitMs},
      {"certificate taken back",
       [](ShellRunner& s, const SystemInfo& y) {
         RemoveCertificate(s, y, kTrustedRootStore, L"0a1b", Owner());
       },
       L"certutil.exe", L"-delstore \"Root\" \"0a1b\"", kShowHidden, kCertificateWaitMs},
      {"install in the wizard",
       [](ShellRunner& s, const SystemInfo& y) {
         InstallDriverFromInf(s, y, L"LABEL", L"C:\\PrinterDriver\\Calvane\\Driver64\\Ombrevia.INF", Owner(),
                              false);
       },
       L"rundll32.exe",
       L"printui.dll, PrintUIEntry /ia /m \"LABEL\" /f "
       L"\"C:\\PrinterDriver\\Calvane\\Driver64\\Ombrevia.INF\"",
       kShowHidden, kInstallDriverWaitMs},
      {"install unattended",
       [](ShellRunner& s, const SystemInfo& y) {
         InstallDriverFromInf(s, y, L"LABEL", L"C:\\a.inf", Owner(), true);
       },
       L"rundll32.exe", L"printui.dll, PrintUIEntry /ia /m \"LABEL\" /f \"C:\\a.inf\" /q", kShowHidden,
       kInstallDriverWaitMs},
      {"test page",
       [](ShellRunner& s, const SystemInfo& y) {
         PrintTestPage(s, y, L"LABEL (2) on shelf", Owner(), false);
       },
       L"rundll32.exe", L" printui.dll, PrintUIEntry /k /n\"LABEL (2) on shelf\" ", kShowNormal, 0},
      {"test page unattended",
       [](ShellRunner& s, const SystemInfo& y) { PrintTestPage(s, y, L"LABEL", Owner(), true); },
       L"rundll32.exe", L" printui.dll, PrintUIEntry /k /q /n\"LABEL\" ", kShowNormal, 0},
      {"properties",
       [](ShellRunner& s, const SystemInfo& y) { ShowPrinterProperties(s, y, L"LABEL", Owner()); },
       L"rundll32.exe", L" printui.dll, PrintUIEntry /p /n\"LABEL\" ", kShowNormal, 0},
      {"preferences",
       [](ShellRunner& s, const SystemInfo& y) { ShowPrintingPreferences(s, y, L"LABEL", Owner()); },
       L"rundll32.exe", L" printui.dll, PrintUIEntry /e /n\"LABEL\" ", kShowNormal, 0},
  };
  FakeSystemInfo system;  // the 32-bit exe on x64
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeShellRunner shell;
    c.run(shell, system);
    ASSERT_EQ(shell.commands.size(), 1u);
    const ShellCommand& command = shell.commands[0];
    EXPECT_EQ(command.file, std::wstring(L"C:\\Windows\\Sysnative\\") + c.tool);
    EXPECT_EQ(command.parameters, c.parameters);
    EXPECT_EQ(command.show, c.show);
    EXPECT_EQ(command.waitMs, c.waitMs);
    EXPECT_EQ(command.owner, Owner());
  }
  // The bounds are real bounds, and printui's is the longer one.
  EXPECT_GT(kInstallDriverWaitMs, kCertificateWaitMs);
  EXPECT_LE(kInstallDriverWaitMs, 10u * 60 * 1000);
}

TEST(ShellCommands, PlaceholderTextInsideArgumentsStaysText) {
  FakeSystemInfo system;
  FakeShellRunner shell;
  InstallDriverFromInf(shell, system, L"A%sB", L"C:\\x%s.inf", nullptr, false);
  ASSERT_EQ(shell.commands.size(), 1u);
  EXPECT_EQ(shell.commands[0].parameters, L"printui.dll, PrintUIEntry /ia /m \"A%sB\" /f \"C:\\x%s.inf\"");
  PrintTestPage(shell, system, L"100%s", nullptr, false);
  EXPECT_EQ(shell.commands[1].parameters, L" printui.dll, PrintUIEntry /k /n\"100%s\" ");
}

TEST(ShellCommands, AQuoteInAnArgumentIsRefusedBeforeAnythingStarts) {
  FakeSystemInfo system;
  FakeShellRunner shell;
  const std::wstring injected = L"x\" /ia /m \"evil";
  EXPECT_FALSE(PrintTestPage(shell, system, injected, nullptr, false));
  EXPECT_FALSE(ShowPrinterProperties(shell, system, injected, nullptr));
  EXPECT_FALSE(ShowPrintingPreferences(shell, system, injected, nullptr));
  const ShellResult refusals[] = {
      InstallDriverFromInf(shell, system, injected, L"C:\\a.inf", nullptr, false),
      InstallDriverFromInf(shell, system, L"LABEL", L"C:\\a\".inf", nullptr, false),
      TrustCertificate(shell, system, kTrustedRootStore, L"C:\\a\".cer", nullptr),
      RemoveCertificate(shell, system, kTrustedRootStore, L"ab\" -f", nullptr),
  };
  for (const ShellResult& refused : refusals) {
    EXPECT_EQ(refused.outcome, ShellOutcome::kNotStarted);
    EXPECT_EQ(refused.error, kErrorInvalidParameter);
    EXPECT_FALSE(refused.Succeeded());
  }
  EXPECT_TRUE(shell.commands.empty());
}

// What the waited-for tools report: only an end with exit code 0 is success.
TEST(ShellCommands, OnlyAToolThatEndedWithZeroSucceeded) {
  struct Case {
    const char* name;
    bool startFails, timesOut;
    uint32_t exitCode;
    ShellOutcome outcome;
    bool succeeded;
  };
  const Case cases[] = {{"ended well", false, false, 0, ShellOutcome::kEnded, true},
                        {"ended with an error", false, false, 0x80092004, ShellOutcome::kEnded, false},
                        {"timed out", false, true, 0, ShellOutcome::kTimedOut, false},
                        {"not started", true, false, 0, ShellOutcome::kNotStarted, false}};
  FakeSystemInfo system;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeShellRunner shell;
    shell.startFails = c.startFails;
    shell.timesOut = c.timesOut;
    shell.exitCode = [&](const ShellCommand&) { return c.exitCode; };
    for (const ShellResult& result :
         {TrustCertificate(shell, system, kTrustedRootStore, L"C:\\c.cer", nullptr),
          InstallDriverFromInf(shell, system, L"LABEL", L"C:\\a.inf", nullptr, true)}) {
      EXPECT_EQ(result.outcome, c.outcome);
      EXPECT_EQ(result.Succeeded(), c.succeeded);
      if (c.outcome == ShellOutcome::kEnded) {
        EXPECT_EQ(result.exitCode, c.exitCode);
      }
    }
    EXPECT_EQ(PrintTestPage(shell, system, L"LABEL", nullptr, true), !c.startFails);
  }
}

}  // namespace
