#include "printsys/shell_commands.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_print_system.h"

namespace {

WindowHandle Owner() { return reinterpret_cast<WindowHandle>(0x1234); }

struct CommandCase {
  const char* name;
  std::function<void(ShellRunner&)> run;
  const wchar_t* file;
  const wchar_t* parameters;
  int show;
  bool wait;
};

TEST(ShellCommands, CommandLinesAndHowTheyRun) {
  const CommandCase cases[] = {
      {"certificate",
       [](ShellRunner& s) { TrustCertificate(s, L"C:\\PrinterDriver\\Calvane\\Cert.cer", Owner()); },
       L"certutil.exe", L"-addstore \"TrustedPublisher\" \"C:\\PrinterDriver\\Calvane\\Cert.cer\"", 0, true},
      {"install",
       [](ShellRunner& s) {
         InstallDriverFromInf(s, L"LABEL", L"C:\\PrinterDriver\\Calvane\\Driver64\\Ombrevia.INF", Owner());
       },
       L"rundll32.exe",
       L"printui.dll, PrintUIEntry /ia /m \"LABEL\" /f "
       L"\"C:\\PrinterDriver\\Calvane\\Driver64\\Ombrevia.INF\"",
       1, true},
      {"test page", [](ShellRunner& s) { PrintTestPage(s, L"LABEL (2) on shelf", Owner()); }, L"rundll32.exe",
       L" printui.dll, PrintUIEntry /k /n\"LABEL (2) on shelf\" ", 1, false},
      {"properties", [](ShellRunner& s) { ShowPrinterProperties(s, L"LABEL", Owner()); }, L"rundll32.exe",
       L" printui.dll, PrintUIEntry /p /n\"LABEL\" ", 1, false},
      {"preferences", [](ShellRunner& s) { ShowPrintingPreferences(s, L"LABEL", Owner()); }, L"rundll32.exe",
       L" printui.dll, PrintUIEntry /e /n\"LABEL\" ", 1, false},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeShellRunner shell;
    c.run(shell);
    ASSERT_EQ(shell.commands.size(), 1u);
    const ShellCommand& command = shell.commands[0];
    EXPECT_EQ(command.file, c.file);
    EXPECT_EQ(command.parameters, c.parameters);
    EXPECT_EQ(command.show, c.show);
    EXPECT_EQ(command.wait, c.wait);
    EXPECT_EQ(command.owner, Owner());
  }
}

TEST(ShellCommands, PlaceholderTextInsideArgumentsStaysText) {
  FakeShellRunner shell;
  InstallDriverFromInf(shell, L"A%sB", L"C:\\x%s.inf", nullptr);
  ASSERT_EQ(shell.commands.size(), 1u);
  EXPECT_EQ(shell.commands[0].parameters, L"printui.dll, PrintUIEntry /ia /m \"A%sB\" /f \"C:\\x%s.inf\"");
  PrintTestPage(shell, L"100%s", nullptr);
  EXPECT_EQ(shell.commands[1].parameters, L" printui.dll, PrintUIEntry /k /n\"100%s\" ");
}

TEST(ShellCommands, AQuoteInAnArgumentIsRefusedBeforeAnythingStarts) {
  FakeShellRunner shell;
  const std::wstring injected = L"x\" /ia /m \"evil";
  EXPECT_FALSE(PrintTestPage(shell, injected, nullptr));
  EXPECT_FALSE(ShowPrinterProperties(shell, injected, nullptr));
  EXPECT_FALSE(ShowPrintingPreferences(shell, injected, nullptr));
  InstallDriverFromInf(shell, injected, L"C:\\a.inf", nullptr);
  InstallDriverFromInf(shell, L"LABEL", L"C:\\a\".inf", nullptr);
  EXPECT_FALSE(TrustCertificate(shell, L"C:\\a\".cer", nullptr));  // the log must not call it added
  EXPECT_TRUE(shell.commands.empty());
}

TEST(ShellCommands, AToolThatCannotStartIsNotReportedButTheCertificateIsNotCalledAdded) {
  FakeShellRunner shell;
  shell.startFails = true;
  EXPECT_FALSE(TrustCertificate(shell, L"C:\\c.cer", nullptr));
  EXPECT_TRUE(PrintTestPage(shell, L"LABEL", nullptr));
  InstallDriverFromInf(shell, L"LABEL", L"C:\\a.inf", nullptr);
  EXPECT_EQ(shell.commands.size(), 3u);
}

}  // namespace
