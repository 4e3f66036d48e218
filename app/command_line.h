// The unattended command line: its words as Windows splits them, and the request they make.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The arguments after the program name, split as the C runtime does: blanks separate them outside
// double quotes; 2n backslashes before a quote give n and the quote opens or closes quoting, 2n+1
// give n and a literal quote; "" inside quotes is one literal quote; other backslashes are literal.
std::vector<std::wstring> SplitCommandLine(std::wstring_view arguments);

enum class Command { kWizard, kUsage, kInstall, kRemove, kList };

// Exit codes of the unattended commands, as the usage text documents them. 1 stays the wizard's
// "main window could not be created".
enum ExitCode : int {
  kExitDone = 0,
  kExitBadArguments = 2,
  kExitPrinterName = 3,
  kExitPort = 4,
  kExitDriver = 5,
  kExitPrinter = 6,
  kExitRemovalFailed = 7,
  kExitNoDevice = 8,
  kExitIncomplete = 9,         // the printer exists, but a later step failed (the default printer)
  kExitLogIsLink = 10,         // the /log: file or a folder on its way is a link: nothing was done
  kExitNoPackage = 11,        // the package has no driver for this machine's processor (ARM64)
  kExitAlreadyRunning = 1618,  // another start of the program is running (msiexec's code for it)
};

struct UnattendedRequest {
  Command command = Command::kWizard;
  int32_t kind = -1;  // a PortKind
  std::wstring port, name, address, portName, device, pin, logPath;
  bool setDefault = false;
  bool quiet = false;
  bool testPage = false;
  std::vector<std::wstring> printers, drivers;
};

struct ParsedCommandLine {
  UnattendedRequest request;
  // Empty when the arguments make a request; otherwise a text key and the argument it names.
  std::wstring errorKey;
  std::wstring errorArgument;
  int exitCode = 0;  // for a refusal: kExitBadArguments, or kExitPrinterName for an unusable name
};

// Switches start with "/" or "-" and compare without regard to case; values follow a colon.
// Checks what needs no system: the switches, their values, the kind, the address, the name's
// characters. No arguments: the wizard.
ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments);
