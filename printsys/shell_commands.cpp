#include "printsys/shell_commands.h"

#include "context/text_util.h"
#include "printsys/print_system.h"

const wchar_t kTestPagePattern[] = L" printui.dll, PrintUIEntry /k /n\"%s\" ";
const wchar_t kQuietTestPagePattern[] = L" printui.dll, PrintUIEntry /k /q /n\"%s\" ";
const wchar_t kPropertiesPattern[] = L" printui.dll, PrintUIEntry /p /n\"%s\" ";
const wchar_t kPreferencesPattern[] = L" printui.dll, PrintUIEntry /e /n\"%s\" ";
const wchar_t kTrustedPublisherStore[] = L"TrustedPublisher";
const wchar_t kTrustedRootStore[] = L"Root";

namespace {
const wchar_t kInstallPattern[] = L"printui.dll, PrintUIEntry /ia /m \"%s\" /f \"%s\"";
constexpr uint32_t kErrorInvalidParameter = 87;

bool HasQuote(const std::wstring& text) { return text.find(L'"') != std::wstring::npos; }

ShellCommand Command(const SystemInfo& system, WindowHandle owner, const wchar_t* tool,
                     std::wstring parameters, int show, uint32_t waitMs) {
  ShellCommand command;
  command.owner = owner;
  command.file = SystemToolPath(system, tool);
  command.parameters = std::move(parameters);
  command.show = show;
  command.waitMs = waitMs;
  return command;
}

// certutil with a verb, a store and one quoted argument.
std::optional<ShellCommand> CertutilCommand(const SystemInfo& system, const wchar_t* verb,
                                            const wchar_t* store, const std::wstring& argument,
                                            WindowHandle owner) {
  if (HasQuote(argument)) return std::nullopt;
  std::wstring parameters = std::wstring(verb) + L" \"" + store + L"\" \"" + argument + L"\"";
  return Command(system, owner, L"certutil.exe", std::move(parameters), kShowHidden, kCertificateWaitMs);
}

ShellResult RunWaited(ShellRunner& shell, const std::optional<ShellCommand>& command) {
  if (command) return shell.Run(*command);
  ShellResult refused;
  refused.error = kErrorInvalidParameter;
  return refused;
}
}  // namespace

std::wstring SystemToolPath(const SystemInfo& system, const wchar_t* tool) {
  const std::wstring folder =
      system.IsWow64Process() ? system.WindowsFolder() + L"\\Sysnative" : system.SystemFolder();
  return folder + L"\\" + tool;
}

std::optional<std::wstring> QuotedCommandLine(const std::wstring& pattern, const std::wstring& argument) {
  if (HasQuote(argument)) return std::nullopt;
  return FormatText(pattern, argument);
}

std::optional<ShellCommand> TrustCertificateCommand(const SystemInfo& system, const wchar_t* store,
                                                    const std::wstring& certificatePath, WindowHandle owner) {
  return CertutilCommand(system, L"-addstore", store, certificatePath, owner);
}

std::optional<ShellCommand> RemoveCertificateCommand(const SystemInfo& system, const wchar_t* store,
                                                     const std::wstring& certificateHash,
                                                     WindowHandle owner) {
  return CertutilCommand(system, L"-delstore", store, certificateHash, owner);
}

std::optional<ShellCommand> InstallDriverCommand(const SystemInfo& system, const std::wstring& driverName,
                                                 const std::wstring& infPath, WindowHandle owner,
                                                 bool quiet) {
  if (HasQuote(driverName) || HasQuote(infPath)) return std::nullopt;
  // Two placeholders: fill the first, then the second, so a "%s" inside the name stays text.
  const std::wstring pattern(kInstallPattern);
  const size_t first = pattern.find(L"%s");
  const size_t second = pattern.find(L"%s", first + 2);
  std::wstring parameters = pattern.substr(0, first) + driverName +
                            pattern.substr(first + 2, second - first - 2) + infPath +
                            pattern.substr(second + 2) + (quiet ? L" /q" : L"");
  return Command(system, owner, L"rundll32.exe", std::move(parameters), kShowHidden, kInstallDriverWaitMs);
}

std::optional<ShellCommand> PrintUiCommand(const SystemInfo& system, const std::wstring& pattern,
                                           const std::wstring& printerName, WindowHandle owner) {
  std::optional<std::wstring> parameters = QuotedCommandLine(pattern, printerName);
  if (!parameters) return std::nullopt;
  return Command(system, owner, L"rundll32.exe", std::move(*parameters), kShowNormal, 0);
}

ShellResult TrustCertificate(ShellRunner& shell, const SystemInfo& system, const wchar_t* store,
                             const std::wstring& certificatePath, WindowHandle owner) {
  return RunWaited(shell, TrustCertificateCommand(system, store, certificatePath, owner));
}

ShellResult RemoveCertificate(ShellRunner& shell, const SystemInfo& system, const wchar_t* store,
                              const std::wstring& certificateHash, WindowHandle owner) {
  return RunWaited(shell, RemoveCertificateCommand(system, store, certificateHash, owner));
}

ShellResult InstallDriverFromInf(ShellRunner& shell, const SystemInfo& system, const std::wstring& driverName,
                                 const std::wstring& infPath, WindowHandle owner, bool quiet) {
  return RunWaited(shell, InstallDriverCommand(system, driverName, infPath, owner, quiet));
}

bool RunPrintUi(ShellRunner& shell, const SystemInfo& system, const std::wstring& pattern,
                const std::wstring& printerName, WindowHandle owner) {
  const std::optional<ShellCommand> command = PrintUiCommand(system, pattern, printerName, owner);
  return command && shell.Run(*command).outcome != ShellOutcome::kNotStarted;
}

bool PrintTestPage(ShellRunner& shell, const SystemInfo& system, const std::wstring& printerName,
                   WindowHandle owner, bool quiet) {
  return RunPrintUi(shell, system, quiet ? kQuietTestPagePattern : kTestPagePattern, printerName, owner);
}
bool ShowPrinterProperties(ShellRunner& shell, const SystemInfo& system, const std::wstring& printerName,
                           WindowHandle owner) {
  return RunPrintUi(shell, system, kPropertiesPattern, printerName, owner);
}
bool ShowPrintingPreferences(ShellRunner& shell, const SystemInfo& system, const std::wstring& printerName,
                             WindowHandle owner) {
  return RunPrintUi(shell, system, kPreferencesPattern, printerName, owner);
}

ShellResult TrustCertificate(const wchar_t* store, const std::wstring& certificatePath, WindowHandle owner) {
  return TrustCertificate(DefaultPrintSystem().shell, DefaultPlatform().system, store, certificatePath,
                          owner);
}
ShellResult InstallDriverFromInf(const std::wstring& driverName, const std::wstring& infPath,
                                 WindowHandle owner, bool quiet) {
  return InstallDriverFromInf(DefaultPrintSystem().shell, DefaultPlatform().system, driverName, infPath,
                              owner, quiet);
}
bool PrintTestPage(const std::wstring& printerName, WindowHandle owner) {
  return PrintTestPage(DefaultPrintSystem().shell, DefaultPlatform().system, printerName, owner, false);
}
bool ShowPrinterProperties(const std::wstring& printerName, WindowHandle owner) {
  return ShowPrinterProperties(DefaultPrintSystem().shell, DefaultPlatform().system, printerName, owner);
}
bool ShowPrintingPreferences(const std::wstring& printerName, WindowHandle owner) {
  return ShowPrintingPreferences(DefaultPrintSystem().shell, DefaultPlatform().system, printerName, owner);
}
