// The system tools the installer starts: certutil to trust the package's certificate, and
// printui through rundll32 to install a driver from its INF and to show a printer's dialogs.
#pragma once

#include <optional>
#include <string>

#include "context/platform.h"
#include "printsys/shell_runner.h"

// printui command patterns; the blanks around the last three belong to them.
extern const wchar_t kTestPagePattern[];
extern const wchar_t kPropertiesPattern[];
extern const wchar_t kPreferencesPattern[];

// The pattern with its one "%s" replaced. Nothing when the argument holds a double quote: inside
// the quoted argument it would end the quotes and let the rest be read as further switches.
std::optional<std::wstring> QuotedCommandLine(const std::wstring& pattern, const std::wstring& argument);

std::optional<ShellCommand> TrustCertificateCommand(const std::wstring& certificatePath, WindowHandle owner);
std::optional<ShellCommand> InstallDriverCommand(const std::wstring& driverName, const std::wstring& infPath,
                                                 WindowHandle owner);
std::optional<ShellCommand> PrintUiCommand(const std::wstring& pattern, const std::wstring& printerName,
                                           WindowHandle owner);

// Waits for certutil to end; false when it could not be started. Its exit code is not read: the
// later driver check shows whether the certificate served.
bool TrustCertificate(ShellRunner& shell, const std::wstring& certificatePath, WindowHandle owner);
// Returns when printui has ended, or at once when it could not be started.
void InstallDriverFromInf(ShellRunner& shell, const std::wstring& driverName, const std::wstring& infPath,
                          WindowHandle owner);
// Starts printui without waiting; false only for a printer name the command line must refuse.
bool RunPrintUi(ShellRunner& shell, const std::wstring& pattern, const std::wstring& printerName,
                WindowHandle owner);
bool PrintTestPage(ShellRunner& shell, const std::wstring& printerName, WindowHandle owner);
bool ShowPrinterProperties(ShellRunner& shell, const std::wstring& printerName, WindowHandle owner);
bool ShowPrintingPreferences(ShellRunner& shell, const std::wstring& printerName, WindowHandle owner);

// The same through the process's own shell.
bool TrustCertificate(const std::wstring& certificatePath, WindowHandle owner);
void InstallDriverFromInf(const std::wstring& driverName, const std::wstring& infPath, WindowHandle owner);
bool PrintTestPage(const std::wstring& printerName, WindowHandle owner);
bool ShowPrinterProperties(const std::wstring& printerName, WindowHandle owner);
bool ShowPrintingPreferences(const std::wstring& printerName, WindowHandle owner);
