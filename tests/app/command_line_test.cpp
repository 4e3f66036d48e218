// The unattended command line: its words, the requests and refusals they make, and each command run
// against the fakes with every line it writes and its exit code.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include "app/localisation.h"
#include "app/unattended.h"
#include "context/app_context.h"
#include "context/package_files.h"
#include "tests/fakes/fake_bluetooth.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/support/zip_builder.h"
#include "tests/test_paths.h"
#include "ui/resources.h"

namespace {

using Words = std::vector<std::wstring>;

TEST(CommandLineWords, SplitAsTheCRuntimeDoes) {
  const std::pair<const wchar_t*, Words> cases[] = {
      {L"  /install\t/kind:lpt  ", {L"/install", L"/kind:lpt"}},
      {L"/name:\"Shop label\" /log:C:\\logs\\label.log", {L"/name:Shop label", L"/log:C:\\logs\\label.log"}},
      {L"\"a b\"c d", {L"a bc", L"d"}},
      {L"a\\\\\\\"b", {L"a\\\"b"}},          // 3 backslashes and a quote: one backslash, a quote
      {L"\"a\\\\\" b", {L"a\\", L"b"}},       // 2 backslashes before the closing quote: one
      {L"\"say \"\"hi\"\"\"", {L"say \"hi\""}},  // "" inside quotes is one quote
      {L"\"\" x", {L"", L"x"}},
      {L"", {}},
  };
  for (const auto& [line, words] : cases) EXPECT_EQ(SplitCommandLine(line), words) << testing::PrintToString(line);
}

TEST(CommandLineRequests, TheAdministratorsLinesMakeTheirRequests) {
  ParsedCommandLine parsed = ParseCommandLine(SplitCommandLine(
      L"/INSTALL /Kind:LPT /port:LPT1: /name:\"Shop label\" /default /log:C:\\logs\\label.log"));
  ASSERT_EQ(parsed.errorKey, L"");
  EXPECT_EQ(parsed.request.command, Command::kInstall);
  EXPECT_EQ(parsed.request.kind, kPortLpt);
  EXPECT_EQ(parsed.request.port, L"LPT1:");
  EXPECT_EQ(parsed.request.name, L"Shop label");
  EXPECT_TRUE(parsed.request.setDefault);
  EXPECT_FALSE(parsed.request.quiet);
  EXPECT_FALSE(parsed.request.testPage);
  EXPECT_EQ(parsed.request.logPath, L"C:\\logs\\label.log");

  parsed = ParseCommandLine(SplitCommandLine(L"-install /kind:network /address:10.0.0.7 /portname:10.0.0.7 /quiet"));
  ASSERT_EQ(parsed.errorKey, L"");
  EXPECT_EQ(parsed.request.kind, kPortNetwork);
  EXPECT_EQ(parsed.request.address, L"10.0.0.7");
  EXPECT_TRUE(parsed.request.quiet);
  EXPECT_TRUE(
      ParseCommandLine(SplitCommandLine(L"/install /kind:lpt /port:LPT1: /TestPage")).request.testPage);

  parsed = ParseCommandLine(SplitCommandLine(L"/remove /printer:\"Shop label\" /printer:Other /driver:LABEL /quiet"));
  ASSERT_EQ(parsed.errorKey, L"");
  EXPECT_EQ(parsed.request.printers, (Words{L"Shop label", L"Other"}));
  EXPECT_EQ(parsed.request.drivers, Words{L"LABEL"});

  EXPECT_EQ(ParseCommandLine({L"/list"}).request.command, Command::kList);
  EXPECT_EQ(ParseCommandLine({L"/?"}).request.command, Command::kUsage);
  EXPECT_EQ(ParseCommandLine({}).request.command, Command::kWizard);
}

TEST(CommandLineRequests, EachFaultIsRefusedWithItsText) {
  struct Case {
    const wchar_t* line;
    const wchar_t* key;
    const wchar_t* argument;
  };
  const Case cases[] = {
      {L"/install /kind:lpt /port:LPT1: /colour:red", L"cmd.error.unknown", L"/colour"},
      {L"install", L"cmd.error.unknown", L"install"},
      {L"/install /kind", L"cmd.error.value", L"/kind"},
      {L"/install /kind:lpt /port:", L"cmd.error.value", L"/port:"},
      {L"/install /kind:lpt /port:LPT1: /default:yes", L"cmd.error.value", L"/default:yes"},
      {L"/install /kind:lpt /port:LPT1: /testpage:yes", L"cmd.error.value", L"/testpage:yes"},
      {L"/remove /printer:x /testpage", L"cmd.error.notfor", L"/testpage"},
      {L"/install /remove", L"cmd.error.command", L"/remove"},
      {L"/kind:lpt", L"cmd.error.command", L""},
      {L"/install /kind:lpt /port:LPT1: /printer:X", L"cmd.error.notfor", L"/printer"},
      {L"/list /driver:LABEL", L"cmd.error.notfor", L"/driver"},
      {L"/install /kind:parallel", L"cmd.error.kind", L"parallel"},
      {L"/install /port:LPT1:", L"cmd.error.missing", L"/kind"},
      {L"/install /kind:com", L"cmd.error.missing", L"/port"},
      {L"/install /kind:network", L"cmd.error.missing", L"/address"},
      {L"/install /kind:network /address:10.0.0.300", L"cmd.error.address", L"10.0.0.300"},
      {L"/install /kind:lpt /port:LPT1: \"/name:Shop, front\"", L"cmd.error.name", L"Shop, front"},
      {L"/install /kind:lpt /port:LPT1: /name:a\\b", L"cmd.error.name", L"a\\b"},
      {L"/remove /quiet", L"cmd.error.missing", L"/printer, /driver"},
      // A switch given twice is refused rather than the last one winning; the lists may repeat.
      {L"/install /kind:lpt /port:LPT1: /port:LPT2:", L"cmd.error.twice", L"/port"},
      {L"/install /kind:lpt /KIND:com /port:LPT1:", L"cmd.error.twice", L"/kind"},
      {L"/install /kind:lpt /port:LPT1: /quiet /quiet", L"cmd.error.twice", L"/quiet"},
      // The checks of the wizard's pages.
      {L"/install /kind:bluetooth /pin:12-34", L"tip.pinerror", L"12-34"},
      {L"/install /kind:network /address:10.0.0.7abc", L"cmd.error.address", L"10.0.0.7abc"},
      {L"/install /kind:network /address:010.000.000.0007", L"cmd.error.address", L"010.000.000.0007"},
      {L"/install /kind:network /address:10.0.0.7 /portname:a,b", L"tip.portnameinvalid", L"a,b"},
  };
  for (const Case& c : cases) {
    const ParsedCommandLine parsed = ParseCommandLine(SplitCommandLine(c.line));
    EXPECT_EQ(parsed.errorKey, c.key) << testing::PrintToString(c.line);
    EXPECT_EQ(parsed.errorArgument, c.argument) << testing::PrintToString(c.line);
    EXPECT_EQ(parsed.exitCode, parsed.errorKey == L"cmd.error.name" ? kExitPrinterName : kExitBadArguments);
  }
}

class UnattendedRun : public ::testing::Test {
 protected:
  void SetUp() override {
    // The legacy route on Windows 7 takes a package with the genuine Unidrv files.
    static const std::vector<uint8_t> skin = WithGenuineUnidrvFiles(PackedSkin());
    ASSERT_TRUE(resources.AttachArchive(skin.data(), skin.size()));
    ASSERT_TRUE(resources.LoadLanguage("lan_en.xml"));
    system.version = {6, 1};
    system.messages[{5, 1033}] = L"Access is denied.";
    files.folders.insert(files.ToAnsi(print.spooler.DriverFolder(L"Windows x64")));
    context.BuildDriverModels();
  }
  void TearDown() override {
    resources.Shutdown();
    ResetDefaultFakePrintSystem();
  }

  int Run(const wchar_t* line) {
    lines.clear();
    const ParsedCommandLine parsed = ParseCommandLine(SplitCommandLine(line));
    EXPECT_EQ(parsed.errorKey, L"") << testing::PrintToString(line);
    return RunUnattended(context, parsed.request, sink);
  }
  static std::wstring At(const std::wstring& text) { return L"12:03:04.005 : " + text; }

  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  FakeBluetoothStack& bluetooth = ResetDefaultFakeBluetoothStack();
  ui::Resources& resources = ui::Resources::Instance();
  FakeSystemInfo& system = DefaultFakePlatform().system;
  FakeFileSystem files{system};
  std::vector<std::wstring> lines;
  UnattendedSink sink{[this](const std::wstring& line) { lines.push_back(line); }, [] { return LocalTime{12, 3, 4, 5}; }};
  FakeThreadStarter threads;
  Platform platform{system, files, sink, threads, sink};
  CAppContext context{platform};
};

TEST_F(UnattendedRun, InstallDoesTheWizardsStepsAndSaysHowItEnded) {
  // The port as the spooler spells it, whatever case the line gives.
  EXPECT_EQ(Run(L"/install /kind:lpt /port:lpt1: /name:\"Shop label\" /default"), kExitDone);
  EXPECT_EQ(lines, (Words{At(GetText(L"tip.startcopyfile")), At(GetText(L"tip.copyfilesuccess")),
                          At(GetTextWith(L"tip.filesextracted", print.spooler.driverDirectoryRoot + L"\\x64\\")),
                          At(GetText(L"tip.startinstalldriver")), At(GetText(L"tip.installdriversuccess")),
                          At(GetText(L"tip.startinstallprinter")), At(GetText(L"tip.installprintersuccess"))}));
  ASSERT_NE(print.spooler.FindPrinter(L"Shop label"), nullptr);
  EXPECT_EQ(print.spooler.FindPrinter(L"Shop label")->portName, L"LPT1:");
  EXPECT_EQ(print.spooler.defaultPrinter, L"Shop label");

  // Without a name the wizard's proposal; the name now taken is refused before anything is done.
  EXPECT_EQ(Run(L"/install /kind:com /port:COM2:"), kExitDone);
  EXPECT_NE(print.spooler.FindPrinter(L"LABEL"), nullptr);
  EXPECT_EQ(print.spooler.defaultPrinter, L"Shop label");
  EXPECT_EQ(Run(L"/install /kind:com /port:COM2: /name:label"), kExitPrinterName);
  EXPECT_EQ(lines, Words{At(GetTextWith(L"cmd.error.nametaken", L"label"))});

  struct Failure {
    const wchar_t* line;
    std::function<void()> arrange;
    int exitCode;
  };
  const Failure failures[] = {
      {L"/install /kind:lpt /port:LPT7:", [] {}, kExitPort},
      {L"/install /kind:network /address:10.0.0.7", [this] { print.portMonitor.tcpIpMonitorPresent = false; }, kExitPort},
      {L"/install /kind:usb", [] {}, kExitNoDevice},
      {L"/install /kind:bluetooth", [] {}, kExitNoDevice},
      {L"/install /kind:lpt /port:LPT2:", [this] { print.spooler.addDriverError = 5; }, kExitDriver},
      {L"/install /kind:lpt /port:LPT2:", [this] {
         print.spooler.addDriverError = 0;
         print.spooler.addPrinterError = 5;
       }, kExitPrinter},
      // The printer is made but not the default: a red line never ends in 0.
      {L"/install /kind:lpt /port:LPT2: /name:Third /default", [this] {
         print.spooler.addPrinterError = 0;
         print.spooler.setDefaultError = 5;
       }, kExitIncomplete},
  };
  for (const Failure& failure : failures) {
    failure.arrange();
    EXPECT_EQ(Run(failure.line), failure.exitCode) << testing::PrintToString(failure.line);
    EXPECT_FALSE(lines.empty());
  }
  EXPECT_EQ(print.spooler.printers.size(), 3u);
  EXPECT_EQ(lines.back(), At(GetTextWith(L"tip.setdefaultfail", L"Access is denied. (5)")));
}

TEST_F(UnattendedRun, RemovalAndListing) {
  print.spooler.AddDriverEntry(L"LABEL", L"Windows x64", L"");
  print.spooler.AddPrinterEntry(L"Shop label", L"LABEL", L"LPT1:");
  EXPECT_EQ(Run(L"/list"), kExitDone);
  EXPECT_EQ(lines, (Words{L"printer\tShop label\tLABEL", L"driver\tLABEL"}));

  // The driver named in another case, with the printer on it taken along as the wizard's summary does.
  EXPECT_EQ(Run(L"/remove /driver:label"), kExitDone);
  EXPECT_TRUE(print.spooler.printers.empty());
  EXPECT_TRUE(print.spooler.drivers.empty());
  EXPECT_EQ(lines.front(), At(GetTextWith(L"tip.startdeleteprinter", L"Shop label")));

  // Each name that is not installed is a red line and the exit code says so; the rest is removed.
  // A connection is ended here, not deleted on its server.
  print.spooler.connections.push_back({L"\\\\server\\Shared", L"LABEL"});
  print.spooler.AddPrinterEntry(L"Front", L"Other", L"LPT1:");
  EXPECT_EQ(Run(L"/remove /printer:Gone /driver:NOPE /printer:front /printer:\\\\SERVER\\shared"), kExitRemovalFailed);
  EXPECT_EQ(lines[0], At(GetTextWith(L"cmd.error.notinstalled", L"Gone")));
  EXPECT_EQ(lines[1], At(GetTextWith(L"cmd.error.notinstalled", L"NOPE")));
  EXPECT_EQ(lines[2], At(GetTextWith(L"tip.startdeleteprinter", L"Front")));
  EXPECT_TRUE(print.spooler.printers.empty());
  EXPECT_TRUE(print.spooler.connections.empty());
  EXPECT_TRUE(print.spooler.deletedServerQueues.empty());

  EXPECT_EQ(Run(L"/?"), kExitDone);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(L"/install /kind:usb|network|bluetooth|lpt|com|custom"), std::wstring::npos);
  EXPECT_NE(lines[0].find(L"\n"), std::wstring::npos);
}

}  // namespace

namespace {

// Unattended, printui is told that no one answers its messages, and the test page is printed only
// when /testpage asks for it (the wizard always prints one).
TEST_F(UnattendedRun, PrintuiRunsQuietAndTheTestPageOnlyOnRequest) {
  system.version = {10, 0};
  context.BuildDriverModels();
  print.shell.effect = PrintuiInstallEffect(
      print.spooler, system,
      PackageDriverVersion(resources.Archive(), L"driver\\label\\Driver64\\Ombrevia.inf"));
  const auto printuiLines = [this] {
    Words printui;
    for (const ShellCommand& command : print.shell.commands) {
      if (command.file.find(L"rundll32") != std::wstring::npos) printui.push_back(command.parameters);
    }
    return printui;
  };
  EXPECT_EQ(Run(L"/install /kind:lpt /port:LPT1: /name:First"), kExitDone);
  ASSERT_EQ(printuiLines().size(), 1u);
  EXPECT_NE(printuiLines()[0].find(L"/ia "), std::wstring::npos);
  EXPECT_EQ(printuiLines()[0].substr(printuiLines()[0].size() - 3), L" /q");

  print.shell.commands.clear();
  EXPECT_EQ(Run(L"/install /kind:lpt /port:LPT1: /name:Second /testpage"), kExitDone);
  EXPECT_EQ(printuiLines().back(), L" printui.dll, PrintUIEntry /k /q /n\"Second\" ");
}

// On a machine the package has no driver for, nothing that reads or changes drivers runs: the line
// says why and the exit code is 9; the usage still prints.
TEST_F(UnattendedRun, Arm64IsRefusedWithItsOwnExitCode) {
  system.machine = Machine::kArm64;
  for (const wchar_t* line : {L"/install /kind:lpt /port:LPT1:", L"/remove /driver:LABEL", L"/list"}) {
    EXPECT_EQ(Run(line), kExitNoPackage) << testing::PrintToString(line);
    EXPECT_EQ(lines, Words{At(GetTextWith(L"tip.nopackage", L"ARM64"))});
  }
  EXPECT_TRUE(print.spooler.printers.empty());
  EXPECT_TRUE(print.shell.commands.empty());
  EXPECT_EQ(Run(L"/?"), kExitDone);
  system.machine = Machine::kX64;
}

}  // namespace
