// The system tools the installer starts: certutil to trust (and take back) the package's
// certificate, and printui through rundll32 to install a driver from its INF and to show a
// printer's dialogs. Each is started by its absolute path in the system folder, never by a bare
// name that the current folder could answer.
#pragma once

#include <optional>
#include <string>

#include "context/platform.h"
#include "printsys/shell_runner.h"

// printui command patterns; the blanks around them belong to them.
extern const wchar_t kTestPagePattern[];
extern const wchar_t kQuietTestPagePattern[];  // /q: no "test page sent" box on an unattended machine
extern const wchar_t kPropertiesPattern[];
extern const wchar_t kPreferencesPattern[];

// The certificate stores: Trusted Publishers, and Trusted Root, which a self-made test
// certificate needs as well.
extern const wchar_t kTrustedPublisherStore[];
extern const wchar_t kTrustedRootStore[];

// How long the installer waits for a tool. printui's driver install stages the package in the
// driver store and checks its signature, as a device installation does, and gets the five
// minutes Windows gives a device installation by default; certutil only writes one store entry.
constexpr uint32_t kInstallDriverWaitMs = 5 * 60 * 1000;
constexpr uint32_t kCertificateWaitMs = 60 * 1000;

// The tool in the system folder as the system itself has it: a 32-bit process under WOW64 names
// it through "Sysnative", because its System32 is redirected to the 32-bit SysWOW64 and a 32-bit
// printui would add the driver to the x86 set.
std::wstring SystemToolPath(const SystemInfo& system, const wchar_t* tool);

// The pattern with its one "%s" replaced. Nothing when the argument holds a double quote: inside
// the quoted argument it would end the quotes and let the rest be read as further switches.
std::optional<std::wstring> QuotedCommandLine(const std::wstring& pattern, const std::wstring& argument);

// certutil -addstore and -delstore (by the certificate's SHA-1 hash); printui /ia, with /q when
// no one is there to answer its messages.
std::optional<ShellCommand> TrustCertificateCommand(const SystemInfo& system, const wchar_t* store,
                                                    const std::wstring& certificatePath, WindowHandle owner);
std::optional<ShellCommand> RemoveCertificateCommand(const SystemInfo& system, const wchar_t* store,
                                                     const std::wstring& certificateHash, WindowHandle owner);
std::optional<ShellCommand> InstallDriverCommand(const SystemInfo& system, const std::wstring& driverName,
                                                 const std::wstring& infPath, WindowHandle owner, bool quiet);
std::optional<ShellCommand> PrintUiCommand(const SystemInfo& system, const std::wstring& pattern,
                                           const std::wstring& printerName, WindowHandle owner);

// The waited-for tools; a command line that must be refused is not started (ERROR_INVALID_PARAMETER).
ShellResult TrustCertificate(ShellRunner& shell, const SystemInfo& system, const wchar_t* store,
                             const std::wstring& certificatePath, WindowHandle owner);
ShellResult RemoveCertificate(ShellRunner& shell, const SystemInfo& system, const wchar_t* store,
                              const std::wstring& certificateHash, WindowHandle owner);
ShellResult InstallDriverFromInf(ShellRunner& shell, const SystemInfo& system, const std::wstring& driverName,
                                 const std::wstring& infPath, WindowHandle owner, bool quiet);
// Starts printui without waiting; false for a printer name the command line must refuse or when
// printui could not be started.
bool RunPrintUi(ShellRunner& shell, const SystemInfo& system, const std::wstring& pattern,
                const std::wstring& printerName, WindowHandle owner);
bool PrintTestPage(ShellRunner& shell, const SystemInfo& system, const std::wstring& printerName,
                   WindowHandle owner, bool quiet);
bool ShowPrinterProperties(ShellRunner& shell, const SystemInfo& system, const std::wstring& printerName,
                           WindowHandle owner);
bool ShowPrintingPreferences(ShellRunner& shell, const SystemInfo& system, const std::wstring& printerName,
                             WindowHandle owner);

// The same through the process's own shell and system.
ShellResult TrustCertificate(const wchar_t* store, const std::wstring& certificatePath, WindowHandle owner);
ShellResult InstallDriverFromInf(const std::wstring& driverName, const std::wstring& infPath,
                                 WindowHandle owner, bool quiet);
bool PrintTestPage(const std::wstring& printerName, WindowHandle owner);
bool ShowPrinterProperties(const std::wstring& printerName, WindowHandle owner);
bool ShowPrintingPreferences(const std::wstring& printerName, WindowHandle owner);
