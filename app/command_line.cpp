#include "app/command_line.h"

#include <algorithm>

#include "bluetooth/bluetooth_text.h"
#include "context/app_context.h"
#include "context/text_util.h"
#include "wizard/port_pages.h"
#include "wizard/printer_name.h"

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
  std::vector<std::wstring> words;
  size_t i = 0;
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (true) {
    while (i < line.size() && blank(line[i])) ++i;
    if (i >= line.size()) break;
    std::wstring word;
    bool quoted = false;
    while (i < line.size() && (quoted || !blank(line[i]))) {
      size_t backslashes = 0;
      while (i < line.size() && line[i] == L'\\') {
        ++backslashes;
        ++i;
      }
      if (i < line.size() && line[i] == L'"') {
        word.append(backslashes / 2, L'\\');
        if (backslashes % 2 == 1) {
          word += L'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
          word += L'"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        word.append(backslashes, L'\\');
        if (i < line.size() && (quoted || !blank(line[i]))) word += line[i++];
      }
    }
    words.push_back(word);
  }
  return words;
}

namespace {

struct KindName {
  const wchar_t* name;
  PortKind kind;
};
constexpr KindName kKinds[] = {{L"usb", kPortUsb}, {L"network", kPortNetwork}, {L"bluetooth", kPortBluetooth},
                               {L"lpt", kPortLpt}, {L"com", kPortCom},         {L"custom", kPortCustom}};

ParsedCommandLine Refused(const wchar_t* key, const std::wstring& argument, int exitCode = kExitBadArguments) {
  ParsedCommandLine parsed;
  parsed.errorKey = key;
  parsed.errorArgument = argument;
  parsed.exitCode = exitCode;
  return parsed;
}

// What each command may be given besides itself.
bool Allowed(Command command, const std::wstring& option) {
  if (option == L"log" || option == L"quiet") return true;
  static const std::vector<std::wstring> install = {L"kind",     L"port",   L"name", L"address",
                                                    L"portname", L"device", L"pin",  L"default",
                                                    L"testpage", L"log",    L"quiet"};
  static const std::vector<std::wstring> remove = {L"printer", L"driver", L"log", L"quiet"};
  const std::vector<std::wstring>& allowed = command == Command::kInstall ? install : remove;
  return command != Command::kList && std::find(allowed.begin(), allowed.end(), option) != allowed.end();
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
  ParsedCommandLine parsed;
  UnattendedRequest& request = parsed.request;
  std::vector<std::pair<std::wstring, std::wstring>> options;  // (name, value) in order
  for (const std::wstring& argument : arguments) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) {
      return Refused(L"cmd.error.unknown", argument);
    }
    const size_t colon = argument.find(L':');
    const std::wstring name = LowerCopy(argument.substr(1, colon == std::wstring::npos ? std::wstring::npos : colon - 1));
    const bool hasValue = colon != std::wstring::npos;
    const std::wstring value = hasValue ? argument.substr(colon + 1) : L"";
    Command command = Command::kWizard;
    if (name == L"?" || name == L"help") command = Command::kUsage;
    if (name == L"install") command = Command::kInstall;
    if (name == L"remove") command = Command::kRemove;
    if (name == L"list") command = Command::kList;
    if (command != Command::kWizard) {
      if (hasValue) return Refused(L"cmd.error.unknown", argument);
      if (request.command != Command::kWizard && request.command != command) return Refused(L"cmd.error.command", argument);
      request.command = command;
      continue;
    }
    const bool flag = name == L"default" || name == L"quiet" || name == L"testpage";
    if (flag == hasValue || (hasValue && value.empty())) {
      const bool known = flag || Allowed(Command::kInstall, name) || Allowed(Command::kRemove, name);
      return Refused(known ? L"cmd.error.value" : L"cmd.error.unknown", argument);
    }
    // Only the lists may be given more than once: for any other switch, which one would count?
    const bool repeatable = name == L"printer" || name == L"driver";
    const bool seen =
        std::any_of(options.begin(), options.end(), [&](const auto& option) { return option.first == name; });
    if (seen && !repeatable) return Refused(L"cmd.error.twice", L"/" + name);
    options.emplace_back(name, value);
  }
  if (request.command == Command::kWizard && !options.empty()) return Refused(L"cmd.error.command", L"");
  for (const auto& [name, value] : options) {
    if (!Allowed(request.command, name)) {
      const bool known = Allowed(Command::kInstall, name) || Allowed(Command::kRemove, name);
      return Refused(known ? L"cmd.error.notfor" : L"cmd.error.unknown", L"/" + name);
    }
    if (name == L"kind") {
      const auto found = std::find_if(std::begin(kKinds), std::end(kKinds),
                                      [&](const KindName& kind) { return LowerCopy(value) == kind.name; });
      if (found == std::end(kKinds)) return Refused(L"cmd.error.kind", value);
      request.kind = found->kind;
    } else if (name == L"port") {
      request.port = value;
    } else if (name == L"name") {
      request.name = value;
    } else if (name == L"address") {
      request.address = value;
    } else if (name == L"portname") {
      request.portName = value;
    } else if (name == L"device") {
      request.device = value;
    } else if (name == L"pin") {
      request.pin = value;
    } else if (name == L"log") {
      request.logPath = value;
    } else if (name == L"default") {
      request.setDefault = true;
    } else if (name == L"quiet") {
      request.quiet = true;
    } else if (name == L"testpage") {
      request.testPage = true;
    } else if (name == L"printer") {
      request.printers.push_back(value);
    } else if (name == L"driver") {
      request.drivers.push_back(value);
    }
  }
  if (request.command == Command::kInstall) {
    if (request.kind < 0) return Refused(L"cmd.error.missing", L"/kind");
    const bool portChosen = request.kind == kPortLpt || request.kind == kPortCom || request.kind == kPortCustom;
    if (portChosen && request.port.empty()) return Refused(L"cmd.error.missing", L"/port");
    if (request.kind == kPortNetwork) {
      if (request.address.empty()) return Refused(L"cmd.error.missing", L"/address");
      if (!IsValidIPv4(request.address)) return Refused(L"cmd.error.address", request.address);
      if (!request.portName.empty() && !IsAcceptableLanPortName(request.portName)) {
        return Refused(L"tip.portnameinvalid", request.portName);
      }
    }
    if (!request.pin.empty() && !IsValidBluetoothPin(request.pin))
      return Refused(L"tip.pinerror", request.pin);
    if (!request.name.empty() && !IsAcceptablePrinterName(request.name)) return Refused(L"cmd.error.name", request.name, kExitPrinterName);
  }
  if (request.command == Command::kRemove && request.printers.empty() && request.drivers.empty()) {
    return Refused(L"cmd.error.missing", L"/printer, /driver");
  }
  parsed.request = request;
  return parsed;
}
