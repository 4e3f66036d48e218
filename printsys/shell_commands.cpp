#include "printsys/shell_commands.h"

#include "context/text_util.h"
#include "printsys/print_system.h"

const wchar_t kTestPagePattern[] = L" printui.dll, PrintUIEntry /k /n\"%s\" ";
const wchar_t kPropertiesPattern[] = L" printui.dll, PrintUIEntry /p /n\"%s\" ";
const wchar_t kPreferencesPattern[] = L" printui.dll, PrintUIEntry /e /n\"%s\" ";

namespace {
const wchar_t kCertutilPattern[] = L"-addstore \"TrustedPublisher\" \"%s\"";
const wchar_t kInstallPattern[] = L"printui.dll, PrintUIEntry /ia /m \"%s\" /f \"%s\"";

bool HasQuote(const std::wstring& text) { return text.find(L'"') != std::wstring::npos; }

ShellCommand Command(WindowHandle owner, const wchar_t* file, std::wstring parameters, int show, bool wait) {
  ShellCommand command;
  command.owner = owner;
  command.file = file;
  command.parameters = std::move(parameters);
  command.show = show;
  command.wait = wait;
  return command;
}
}  // namespace

std::optional<std::wstring> QuotedCommandLine(const std::wstring& pattern, const std::wstring& argument) {
  if (HasQuote(argument)) return std::nullopt;
  return FormatText(pattern, argument);
}

std::optional<ShellCommand> TrustCertificateCommand(const std::wstring& certificatePath, WindowHandle owner) {
  std::optional<std::wstring> parameters = QuotedCommandLine(kCertutilPattern, certificatePath);
  if (!parameters) return std::nullopt;
  return Command(owner, L"certutil.exe", std::move(*parameters), kShowHidden, true);
}

std::optional<ShellCommand> InstallDriverCommand(const std::wstring& driverName, const std::wstring& infPath,
                                                 WindowHandle owner) {
  if (HasQuote(driverName) || HasQuote(infPath)) return std::nullopt;
  // Two placeholders: fill the first, then the second, so a "%s" inside the name stays text.
  const std::wstring pattern(kInstallPattern);
  const size_t first = pattern.find(L"%s");
  const size_t second = pattern.find(L"%s", first + 2);
  std::wstring parameters = pattern.substr(0, first) + driverName +
                            pattern.substr(first + 2, second - first - 2) + infPath +
                            pattern.substr(second + 2);
  return Command(owner, L"rundll32.exe", std::move(parameters), kShowNormal, true);
}

std::optional<ShellCommand> PrintUiCommand(const std::wstring& pattern, const std::wstring& printerName,
                                           WindowHandle owner) {
  std::optional<std::wstring> parameters = QuotedCommandLine(pattern, printerName);
  if (!parameters) return std::nullopt;
  return Command(owner, L"rundll32.exe", std::move(*parameters), kShowNormal, false);
}

bool TrustCertificate(ShellRunner& shell, const std::wstring& certificatePath, WindowHandle owner) {
  const std::optional<ShellCommand> command = TrustCertificateCommand(certificatePath, owner);
  return command && shell.Run(*command);
}

void InstallDriverFromInf(ShellRunner& shell, const std::wstring& driverName, const std::wstring& infPath,
                          WindowHandle owner) {
  if (const std::optional<ShellCommand> command = InstallDriverCommand(driverName, infPath, owner)) {
    shell.Run(*command);
  }
}

bool RunPrintUi(ShellRunner& shell, const std::wstring& pattern, const std::wstring& printerName,
                WindowHandle owner) {
  const std::optional<ShellCommand> command = PrintUiCommand(pattern, printerName, owner);
  if (!command) return false;
  shell.Run(*command);  // the dialog simply does not appear when printui cannot start
  return true;
}

bool PrintTestPage(ShellRunner& shell, const std::wstring& printerName, WindowHandle owner) {
  return RunPrintUi(shell, kTestPagePattern, printerName, owner);
}
bool ShowPrinterProperties(ShellRunner& shell, const std::wstring& printerName, WindowHandle owner) {
  return RunPrintUi(shell, kPropertiesPattern, printerName, owner);
}
bool ShowPrintingPreferences(ShellRunner& shell, const std::wstring& printerName, WindowHandle owner) {
  return RunPrintUi(shell, kPreferencesPattern, printerName, owner);
}

bool TrustCertificate(const std::wstring& certificatePath, WindowHandle owner) {
  return TrustCertificate(DefaultPrintSystem().shell, certificatePath, owner);
}
void InstallDriverFromInf(const std::wstring& driverName, const std::wstring& infPath, WindowHandle owner) {
  InstallDriverFromInf(DefaultPrintSystem().shell, driverName, infPath, owner);
}
bool PrintTestPage(const std::wstring& printerName, WindowHandle owner) {
  return PrintTestPage(DefaultPrintSystem().shell, printerName, owner);
}
bool ShowPrinterProperties(const std::wstring& printerName, WindowHandle owner) {
  return ShowPrinterProperties(DefaultPrintSystem().shell, printerName, owner);
}
bool ShowPrintingPreferences(const std::wstring& printerName, WindowHandle owner) {
  return ShowPrintingPreferences(DefaultPrintSystem().shell, printerName, owner);
}
