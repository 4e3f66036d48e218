// The install worker against the fakes and the real package: every line it leaves in the log (text
// and alert), the outcome it hands to the completion step, and what the system holds afterwards.
#include "wizard/install_worker.h"

#include <gtest/gtest.h>

#include "app/localisation.h"
#include "bluetooth/bluetooth_printers.h"
#include "context/app_context.h"
#include "context/package_files.h"
#include "printsys/spooler_queries.h"
#include "printsys/usb_port_scan.h"
#include "removal/removal_job.h"
#include "tests/fakes/fake_bluetooth.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_print_system.h"
#include "tests/support/zip_builder.h"
#include "tests/test_paths.h"
#include "ui/resources.h"

namespace {

struct Line {
  std::wstring text;
  bool alert;
  bool operator==(const Line& other) const { return text == other.text && alert == other.alert; }
};

void PrintTo(const Line& line, std::ostream* out) {
  *out << (line.alert ? "[alert] " : "") << ::testing::PrintToString(line.text);
}

Line Step(const wchar_t* key) { return {GetText(key), false}; }
Line StepWith(const wchar_t* key, const std::wstring& argument) { return {GetTextWith(key, argument), false}; }
Line Alert(const wchar_t* key, const std::wstring& argument = L"") {
  return {argument.empty() ? GetText(key) : GetTextWith(key, argument), true};
}

std::vector<Line> Join(std::initializer_list<std::vector<Line>> parts) {
  std::vector<Line> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const wchar_t kDriverFolder[] = L"C:\\windows\\system32\\spool\\drivers\\x64";
const wchar_t kInstallFolder[] = L"C:\\Program Files (x86)\\PrinterDriver\\Calvane\\";
const wchar_t kPackageTop[] = L"C:\\Program Files (x86)\\PrinterDriver";
const std::wstring kDriverFolderSlash = std::wstring(kDriverFolder) + L"\\";

// The last line of a failed run: what it changed and leaves in place.
Line Left(const std::wstring& items) { return Alert(L"tip.leftonsystem", items); }
constexpr uint64_t kPrinterAddress = 0x001B350AFFC2;

class InstallWorkerTest : public ::testing::Test {
 public:
  void SetUp() override {
    // A distribution build's package unless a case asks for the test build's.
    static const std::vector<uint8_t> skin = WithGenuineUnidrvFiles(PackedSkin());
    ASSERT_TRUE(resources.AttachArchive(skin.data(), skin.size()));
    packageVersion = PackageDriverVersion(resources.Archive(), L"driver\\label\\Driver64\\Ombrevia.inf");
    ASSERT_NE(packageVersion, 0u);
    ASSERT_TRUE(resources.LoadLanguage("lan_en.xml"));
    system.messages[{5, 1033}] = L"Access is denied.";
    system.messages[{2, 1033}] = L"The system cannot find the file specified.";
    system.messages[{1796, 1033}] = L"The specified port is unknown.";
    system.messages[{1797, 1033}] = L"The printer driver is unknown.";
    system.messages[{87, 1033}] = L"The parameter is incorrect.";
    for (const wchar_t* folder : {L"w32x86", L"x64"}) {
      files.folders.insert(files.ToAnsi(L"C:\\windows\\system32\\spool\\drivers\\" + std::wstring(folder)));
    }
    system.programFiles = L"C:\\Program Files (x86)";  // the shared fake system: a case may have cleared it
    // printui /ia puts the package's driver in place, as it does on a real system.
    print.shell.effect = PrintuiInstallEffect(print.spooler, system, packageVersion);
    context.m_hMainWnd = &window;
    context.m_portKind = kPortLpt;
    context.m_portName = L"LPT1:";
    context.m_printerName = L"LABEL (1)";
    context.m_driverIndex = 0;
    UseInfRoute(false);
  }
  void TearDown() override { resources.Shutdown(); }

  void UseInfRoute(bool inf) {
    system.version = inf ? OsVersion{10, 0} : OsVersion{6, 1};
    context.BuildDriverModels();
  }
  void ChooseBluetoothPrinter(const std::wstring& comPort) {
    context.m_portKind = kPortBluetooth;
    context.m_btDevices = {{kPrinterAddress, 0x40680, false, true, false, L"Label BT"}};
    context.m_btDeviceIndex = 0;
    context.m_btPin = L"0000";
    DeviceInterfaceInfo port;
    port.hasInstanceId = true;
    port.instanceId = L"BTHENUM\\X_7&0_001B350AFFC2_C1";
    port.portName = comPort;
    print.devices.AddInterface(kComPortInterfaceClass, port);
  }

  InstallOutcome Run() {
    messages.sent.clear();
    InstallOutcome outcome;
    context.RunInstall(&outcome);
    return outcome;
  }
  // The log lines after the clearing line every run starts with.
  std::vector<Line> Log() const {
    std::vector<Line> lines;
    for (const SentMessage& sent : messages.sent) {
      if (sent.message != UM_INSTALL_LOG) continue;
      if (lines.empty() && sent.notice.clear && sent.notice.text.empty()) {
        lines.push_back({L"<cleared>", false});
      } else {
        lines.push_back({sent.notice.text, sent.notice.alert});
      }
    }
    if (!lines.empty() && lines.front().text == L"<cleared>") lines.erase(lines.begin());
    else lines.insert(lines.begin(), {L"<log not cleared first>", true});
    return lines;
  }
  std::vector<std::wstring> ShellParameters() const {
    std::vector<std::wstring> parameters;
    for (const ShellCommand& command : print.shell.commands) parameters.push_back(command.file + L"|" + command.parameters);
    return parameters;
  }

  std::vector<Line> LegacyDriverLines() const {
    return {Step(L"tip.startcopyfile"), Step(L"tip.copyfilesuccess"), StepWith(L"tip.filesextracted", kDriverFolderSlash),
            Step(L"tip.startinstalldriver"), Step(L"tip.installdriversuccess")};
  }
  std::vector<Line> PrinterLines() const {
    return {Step(L"tip.startinstallprinter"), Step(L"tip.installprintersuccess")};
  }

  // The removal worker on the printer and the driver of the install, as the delete pages hand them
  // over; its log lines.
  std::vector<Line> RemoveLabel() {
    RemovalJob job;
    job.printers = {L"LABEL (1)"};
    job.drivers = {L"LABEL"};
    ListInstalledDrivers(DefaultFakePrintSystem().spooler, system, job.installedDrivers);
    job.logShown = true;
    messages.sent.clear();
    context.RunRemoval(job);
    std::vector<Line> lines;
    for (const SentMessage& sent : messages.sent) {
      if (sent.message == UM_DELETE_LOG && !sent.notice.clear)
        lines.push_back({sent.notice.text, sent.notice.alert});
    }
    return lines;
  }

  FakePrintSystem& print = ResetDefaultFakePrintSystem();
  FakeBluetoothStack& bluetooth = ResetDefaultFakeBluetoothStack();
  ui::Resources& resources = ui::Resources::Instance();
  FakeSystemInfo& system = DefaultFakePlatform().system;
  FakeFileSystem files{system};
  RecordingMessageSender messages;
  FakeThreadStarter threads;
  FakeUserDialogs dialogs;
  Platform platform{system, files, messages, threads, dialogs};
  CAppContext context{platform};
  int window = 0;
  uint64_t packageVersion = 0;
};

std::wstring TestPageCommand(const std::wstring& printer) {
  return L"C:\\Windows\\Sysnative\\rundll32.exe| printui.dll, PrintUIEntry /k /n\"" + printer + L"\" ";
}

// Kinds that bring their port with them, by both driver routes: the printer on the chosen port, the
// driver files where each route puts them, and the test page.
TEST_F(InstallWorkerTest, PortKindsWithoutPreparationInstallByEitherRoute) {
  for (bool inf : {false, true}) {
    for (int kind : {kPortUsb, kPortLpt, kPortCom, kPortCustom}) {
      SCOPED_TRACE(testing::Message() << "inf " << inf << " kind " << kind);
      print.spooler.printers.clear();
      print.spooler.drivers.clear();
      print.shell.commands.clear();
      files.files.clear();
      UseInfRoute(inf);
      context.m_portKind = kind;
      context.m_portName = kind == kPortUsb ? L"USB001" : L"COM2:";
      print.spooler.AddPortEntry(L"USB001", L"USB Monitor", L"Virtual printer port for USB");

      const InstallOutcome outcome = Run();

      // Where the files went and the certificate's store are in the log.
      const std::vector<Line> infDriver = {Step(L"tip.startcopyfile"), Step(L"tip.copyfilesuccess"),
                                           StepWith(L"tip.filesextracted", kInstallFolder),
                                           StepWith(L"tip.certadded", L"TrustedPublisher"),
                                           Step(L"tip.startinstalldriver"),
                                           Step(L"tip.installdriversuccess")};
      EXPECT_EQ(Log(), Join({inf ? infDriver : LegacyDriverLines(), PrinterLines()}));
      EXPECT_EQ(outcome.printerInstalled, 1);
      EXPECT_EQ(outcome.networkPortAdded, 0);
      EXPECT_EQ(outcome.failure, InstallFailure::kNone);
      ASSERT_NE(print.spooler.FindPrinter(L"LABEL (1)"), nullptr);
      EXPECT_EQ(print.spooler.FindPrinter(L"LABEL (1)")->portName, context.m_portName);
      EXPECT_EQ(print.spooler.FindPrinter(L"LABEL (1)")->driverName, L"LABEL");
      EXPECT_EQ(print.spooler.FindPrinter(L"LABEL (1)")->printProcessor, L"WinPrint");
      EXPECT_EQ(print.spooler.defaultPrinter, L"");
      if (inf) {
        // Both processor families land in the install folder; the 64-bit INF is the one handed over
        // on a 64-bit system.
        EXPECT_EQ(files.files.count(std::wstring(kInstallFolder) + L"qmvt.cer"), 1u);
        // Every folder of the package made for the administrators alone.
        const std::string made = files.ToAnsi(kInstallFolder);
        const std::set<std::string> privateFolders = {"C:\\Program Files (x86)\\PrinterDriver",
                                                       made.substr(0, made.size() - 1), made + "Driver64",
                                                       made + "Driver32"};
        EXPECT_EQ(files.privateFolders, privateFolders);
        EXPECT_EQ(files.files.count(std::wstring(kInstallFolder) + L"Driver32\\Ombrevia.inf"), 1u);
        EXPECT_EQ(files.files.count(std::wstring(kInstallFolder) + L"Driver64\\LABELUI.DLL"), 1u);
        ASSERT_EQ(print.shell.commands.size(), 3u);
        EXPECT_EQ(print.shell.commands[0].file, L"C:\\Windows\\Sysnative\\certutil.exe");
        EXPECT_NE(print.shell.commands[0].parameters.find(std::wstring(kInstallFolder) + L"qmvt.cer"), std::wstring::npos);
        EXPECT_NE(print.shell.commands[1].parameters.find(std::wstring(kInstallFolder) + L"Driver64\\Ombrevia.INF"),
                  std::wstring::npos);
        EXPECT_EQ(ShellParameters()[2], TestPageCommand(L"LABEL (1)"));
      } else {
        EXPECT_EQ(files.files.count(std::wstring(kDriverFolder) + L"\\UNIDRV.dll"), 1u);
        EXPECT_EQ(print.spooler.addDriverFlags.back(), kAddDriverCopyNewFiles);
        EXPECT_EQ(ShellParameters(), std::vector<std::wstring>{TestPageCommand(L"LABEL (1)")});
      }
    }
  }
}

TEST_F(InstallWorkerTest, NetworkKindMakesItsPortFirstAndBluetoothPairsAndFindsItsSerialPort) {
  context.m_portKind = kPortNetwork;
  context.m_portName = L"10.0.0.7";
  context.m_lanAddress = L"10.0.0.7";
  InstallOutcome outcome = Run();
  EXPECT_EQ(Log(), Join({{Step(L"tip.startaddlanport"), Step(L"tip.addlanportsuccess"),
                          StepWith(L"tip.portcreated", L"10.0.0.7")},
                         LegacyDriverLines(), PrinterLines()}));
  EXPECT_EQ(outcome.printerInstalled, 1);
  EXPECT_EQ(outcome.networkPortAdded, 1);
  EXPECT_EQ(print.spooler.FindPrinter(L"LABEL (1)")->portName, L"10.0.0.7");

  // COM7 becomes the printer port COM7:; the local service is registered because the spooler does
  // not know that port yet. An already paired device (259) counts as paired.
  ChooseBluetoothPrinter(L"COM7");
  context.m_printerName = L"LABEL (2)";
  print.spooler.addPrinterError = 0;
  bluetooth.authenticateResult = kErrorNoMoreItems;
  bluetooth.serviceResults = {5, 5, kErrorInvalidParameter};  // 87: already on
  outcome = Run();
  // The pairing and the serial service are changes of the system: each has its line, and the
  // failed run names them among what stays.
  EXPECT_EQ(Log(), Join({{Step(L"tip.startpairbluetooth"), Step(L"tip.pairbluetoothsuccess"),
                          StepWith(L"tip.serialserviceon", L"Label BT"), StepWith(L"tip.serialserviceregistered", L"COM7"),
                          StepWith(L"tip.readbluetoothserialport", L"COM7:")},
                         LegacyDriverLines(),
                         {Step(L"tip.startinstallprinter"), Alert(L"tip.installprinterfail", L"The specified port is unknown. (1796)"),
                          Left(L"Label BT, COM7, " + kDriverFolderSlash + L", LABEL")}}));
  EXPECT_EQ(context.m_portName, L"COM7:");
  EXPECT_EQ(bluetooth.passkeys, std::vector<std::wstring>{L"0000"});
  EXPECT_EQ(bluetooth.serviceCalls.size(), 3u);
  EXPECT_EQ(print.pause.sleeps, std::vector<uint32_t>(2, kBluetoothRetryPauseMs));
  ASSERT_EQ(bluetooth.localServices.size(), 1u);
  EXPECT_EQ(bluetooth.localServices[0].deviceString, L"COM7");
  EXPECT_EQ(bluetooth.localServices[0].address, kPrinterAddress);
  // The port is unknown to the fake spooler, so the printer fails with 1796 and the user is told.
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, GetText(L"tip.port.unidentification"));
  EXPECT_EQ(dialogs.boxes[0].caption, GetText(L"tip.dlgtitle"));
  EXPECT_EQ(dialogs.boxes[0].flags, kBoxIconInformation);
  EXPECT_EQ(dialogs.boxes[0].owner, &window);
  EXPECT_EQ(outcome.printerInstalled, 0);

  // Once the spooler knows COM7:, nothing is registered again and the printer is made.
  print.spooler.AddPortEntry(L"COM7:", L"Local Port", L"Local Port");
  bluetooth.localServices.clear();
  outcome = Run();
  EXPECT_TRUE(bluetooth.localServices.empty());
  EXPECT_EQ(outcome.printerInstalled, 1);
  EXPECT_EQ(print.spooler.FindPrinter(L"LABEL (2)")->portName, L"COM7:");
}

// The legacy driver names every file it copied, the model's maker and data file.
TEST_F(InstallWorkerTest, LegacyDriverListsEveryFile) {
  const InstallOutcome outcome = Run();
  EXPECT_EQ(Log(), Join({LegacyDriverLines(), PrinterLines()}));
  EXPECT_EQ(outcome.printerInstalled, 1);
  const DriverRecord& record = print.spooler.drivers.back().record;
  const std::wstring names(record.dependentFiles.begin(), record.dependentFiles.end());
  std::wstring expected;
  for (const wchar_t* name : {L"LABELCORE.dll", L"Ombrevia.gpd", L"Ombrevia.ini", L"LABELUI.DLL", L"STDNAMES.GPD",
                              L"UNIDRV.dll", L"UNIDRV.HLP", L"UNIDRVUI.dll", L"UNIRES.dll"}) {
    expected += name;
    expected += L'\0';
  }
  EXPECT_EQ(names, expected + L'\0');
  EXPECT_EQ(record.manufacturer, L"Merovin");
  EXPECT_EQ(record.provider, L"MV");
  EXPECT_EQ(record.dataFile, L"Ombrevia.GPD");
  EXPECT_EQ(record.environment, L"Windows x64");
  EXPECT_EQ(files.files.count(std::wstring(kDriverFolder) + L"\\LABELUI.DLL"), 1u);
}

TEST_F(InstallWorkerTest, DefaultPrinterOnlyWhenAskedAndThePortBoxOnlyForAMissingPort) {
  for (int setDefault : {-1, 0, 1}) {
    print.spooler.printers.clear();
    print.spooler.defaultPrinter = L"Office";
    context.m_setDefault = setDefault;
    EXPECT_EQ(Run().printerInstalled, 1);
    EXPECT_EQ(print.spooler.defaultPrinter, setDefault == 1 ? L"LABEL (1)" : L"Office") << setDefault;
    EXPECT_EQ(print.shell.commands.back().parameters, L" printui.dll, PrintUIEntry /k /n\"LABEL (1)\" ");
  }
  // 1796 for a port the spooler does list: the line, but no box.
  print.spooler.printers.clear();
  print.spooler.addPrinterError = kErrorUnknownPort;
  EXPECT_EQ(Run().printerInstalled, 0);
  EXPECT_EQ(Log(), Join({LegacyDriverLines(), {Step(L"tip.startinstallprinter"),
                                                 Alert(L"tip.installprinterfail", L"The specified port is unknown. (1796)"),
                                                 Left(kDriverFolderSlash + L", LABEL")}}));
  EXPECT_TRUE(dialogs.boxes.empty());
  context.m_portName = L"LPT9:";
  Run();
  EXPECT_EQ(dialogs.boxes.size(), 1u);

  // A default printer that could not be set is a red line and a failure of its own, not success.
  print.spooler.addPrinterError = 0;
  print.spooler.setDefaultError = 5;
  context.m_portName = L"LPT1:";
  context.m_setDefault = 1;
  const InstallOutcome outcome = Run();
  EXPECT_EQ(outcome.printerInstalled, 1);
  EXPECT_EQ(outcome.failure, InstallFailure::kDefaultPrinter);
  EXPECT_EQ(Log(), Join({LegacyDriverLines(), PrinterLines(), {Alert(L"tip.setdefaultfail", L"Access is denied. (5)")}}));
}

// A port the run made and a later step that fails: the port goes again, so a retry finds the name
// free; where the monitor refuses, the log says the port stays. The address's own port is reused.
TEST_F(InstallWorkerTest, NetworkPortOfAFailedRunIsDeletedAgainOrNamedAsLeft) {
  context.m_portKind = kPortNetwork;
  context.m_portName = L"10.0.0.7";
  context.m_lanAddress = L"10.0.0.7";
  print.spooler.addPrinterError = 5;
  const std::vector<Line> made = {Step(L"tip.startaddlanport"), Step(L"tip.addlanportsuccess"),
                                  StepWith(L"tip.portcreated", L"10.0.0.7")};
  const std::vector<Line> printerFails = {Step(L"tip.startinstallprinter"), Alert(L"tip.installprinterfail", L"Access is denied. (5)")};
  InstallOutcome outcome = Run();
  EXPECT_EQ(Log(), Join({made, LegacyDriverLines(), printerFails,
                         {StepWith(L"tip.lanportremoved", L"10.0.0.7"), Left(kDriverFolderSlash + L", LABEL")}}));
  EXPECT_FALSE(PortExists(print.spooler, L"10.0.0.7"));
  EXPECT_EQ(outcome.networkPortAdded, 0);

  print.portMonitor.deletePortFails = true;
  outcome = Run();
  EXPECT_EQ(Log(), Join({made, LegacyDriverLines(), printerFails,
                         {Alert(L"tip.lanportremovefail", L"10.0.0.7"), Left(kDriverFolderSlash + L", LABEL, 10.0.0.7")}}));
  EXPECT_TRUE(PortExists(print.spooler, L"10.0.0.7"));
  EXPECT_EQ(outcome.networkPortAdded, 1);

  // The retry: the port that stayed is the address's own Standard TCP/IP port and serves again.
  print.spooler.addPrinterError = 0;
  context.m_portName = L"10.0.0.7";
  outcome = Run();
  EXPECT_EQ(Log(), Join({{Step(L"tip.startaddlanport"), StepWith(L"tip.lanportreused", L"10.0.0.7")},
                         LegacyDriverLines(), PrinterLines()}));
  EXPECT_EQ(outcome.networkPortAdded, 0);
  EXPECT_EQ(std::count_if(print.spooler.ports.begin(), print.spooler.ports.end(),
                          [](const PortSummary& port) { return port.monitorName == L"Standard TCP/IP Port"; }),
            1);
}

// A message of the main window other than a log line, with its wParam.
struct Shown {
  uint32_t message;
  uintptr_t wParam;
  bool operator==(const Shown& other) const { return message == other.message && wParam == other.wParam; }
};

void PrintTo(const Shown& shown, std::ostream* out) { *out << shown.message << "/" << shown.wParam; }

// Page 9 hides the navigation and starts the worker; the completion step leaves nothing for the
// worker to change once the finish row (with Home) is on screen, and offers the printer actions
// only after a printer was made.
TEST_F(InstallWorkerTest, CompletionShowsTheFinishRowLastAndForgetsANetworkPortFirst) {
  const auto shown = [this] {
    std::vector<Shown> list;
    for (const SentMessage& sent : messages.sent) {
      if (sent.message != UM_INSTALL_LOG) list.push_back({sent.message, sent.wParam});
    }
    return list;
  };
  context.m_portKind = kPortNetwork;
  context.m_portName = L"10.0.0.7";
  context.m_lanAddress = L"10.0.0.7";
  messages.sent.clear();
  context.StartInstallWorker();
  EXPECT_EQ(shown(), (std::vector<Shown>{{UM_INSTALL_BUSY, 1}, {UM_SHOW_FINISH_BAR, 0},
                                         {UM_SHOW_PRINTER_ACTIONS, 0}, {UM_SHOW_STEP_BAR, 0}}));
  ASSERT_EQ(threads.pending.size(), 1u);
  messages.sent.clear();
  // The port name and address are gone before the first message of the completion step.
  std::wstring portAtFirstMessage = L"<none>";
  bool seen = false;
  messages.onSend = [&](uint32_t message) {
    if (message != UM_INSTALL_LOG && !seen) {
      seen = true;
      portAtFirstMessage = context.m_portName + context.m_lanAddress;
    }
  };
  threads.RunPending();
  messages.onSend = nullptr;
  EXPECT_EQ(portAtFirstMessage, L"");
  EXPECT_EQ(shown(), (std::vector<Shown>{{UM_INSTALL_BUSY, 0}, {UM_SHOW_STEP_BAR, 0},
                                         {UM_SHOW_PRINTER_ACTIONS, 1}, {UM_SHOW_FINISH_BAR, 1}}));

  // A failed run keeps the actions hidden; without a thread the finish row comes at once.
  print.spooler.addPrinterError = 5;
  context.m_portName = L"LPT1:";
  context.m_portKind = kPortLpt;
  threads.startFails = true;
  messages.sent.clear();
  context.StartInstallWorker();
  EXPECT_EQ(shown().back(), (Shown{UM_SHOW_FINISH_BAR, 1}));
  EXPECT_EQ(shown()[shown().size() - 2], (Shown{UM_SHOW_PRINTER_ACTIONS, 0}));
  EXPECT_EQ(context.m_portName, L"LPT1:");
  threads.startFails = false;
  messages.sent.clear();
  context.StartInstallWorker();
  threads.RunPending();
  EXPECT_EQ(shown().back(), (Shown{UM_SHOW_FINISH_BAR, 1}));
  EXPECT_EQ(shown()[shown().size() - 2], (Shown{UM_SHOW_PRINTER_ACTIONS, 0}));
  EXPECT_EQ(context.m_portName, L"LPT1:");
}

// Each failure ends the run with its red line, leaving the outcome as it was; a service that never
// reports itself on still leads to the port search, and each search gives up after 41 calls.
struct FailureCase {
  const char* name;
  InstallFailure step;
  bool inf;
  std::function<void(InstallWorkerTest&)> arrange;
  std::function<std::vector<Line>()> expected;
  size_t pauses;
};

class InstallStepFailure : public InstallWorkerTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(InstallStepFailure, EndsTheRunWithItsLine) {
  const FailureCase& test = GetParam();
  UseInfRoute(test.inf);
  test.arrange(*this);
  const InstallOutcome outcome = Run();
  EXPECT_EQ(Log(), test.expected());
  EXPECT_EQ(outcome.printerInstalled, 0);
  EXPECT_EQ(outcome.networkPortAdded, 0);
  EXPECT_EQ(outcome.failure, test.step);
  EXPECT_EQ(print.pause.sleeps.size(), test.pauses);
  EXPECT_TRUE(dialogs.boxes.empty());
}

std::vector<Line> Pairing() { return {Step(L"tip.startpairbluetooth"), Step(L"tip.pairbluetoothsuccess")}; }
// What the INF route leaves once the certificate is trusted: the package folder and the certificate.
Line LeftAfterTrust() {
  return Left(std::wstring(kInstallFolder) + L", TrustedPublisher: " + kInstallFolder + L"qmvt.cer");
}
std::vector<Line> InfCopy() {
  return {Step(L"tip.startcopyfile"), Step(L"tip.copyfilesuccess"), StepWith(L"tip.filesextracted", kInstallFolder),
          StepWith(L"tip.certadded", L"TrustedPublisher")};
}
std::vector<Line> LegacyCopy() {
  return {Step(L"tip.startcopyfile"), Step(L"tip.copyfilesuccess"), StepWith(L"tip.filesextracted", kDriverFolderSlash),
          Step(L"tip.startinstalldriver")};
}

INSTANTIATE_TEST_SUITE_P(
    EveryFailure, InstallStepFailure,
    ::testing::Values(
        FailureCase{"PairingRefused", InstallFailure::kPort, false,
                    [](InstallWorkerTest& t) {
                      t.ChooseBluetoothPrinter(L"COM7");
                      t.bluetooth.authenticateResult = 1244;
                    },
                    [] {
                      return std::vector<Line>{Step(L"tip.startpairbluetooth"),
                                               Alert(L"tip.pairbluetoothfailpinis", L"0000")};
                    },
                    0},
        FailureCase{"NoSerialPortAndServiceNeverOn", InstallFailure::kPort, false,
                    [](InstallWorkerTest& t) {
                      t.ChooseBluetoothPrinter(L"COM7");
                      t.bluetooth.lastServiceResult = 5;
                      t.print.devices.interfaces.clear();
                    },
                    [] { return Join({Pairing(), {Alert(L"tip.getbluetoothserialportfail"), Left(L"Label BT")}}); },
                    2 * (kBluetoothServiceTries - 1)},
        FailureCase{"NetworkPortRefused", InstallFailure::kPort, false,
                    [](InstallWorkerTest& t) {
                      t.context.m_portKind = kPortNetwork;
                      t.print.portMonitor.tcpIpMonitorPresent = false;
                    },
                    [] { return std::vector<Line>{Step(L"tip.startaddlanport"), Alert(L"tip.addlanportfail")}; }, 0},
        FailureCase{"InstallFolder", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.files.uncreatableFolders.insert("C:\\Program Files (x86)\\PrinterDriver");
                    },
                    [] { return std::vector<Line>{Alert(L"tip.createdirfail")}; }, 0},
        // No folder outside the program-files folder will do: a standard user could have made it.
        FailureCase{"ProgramFilesUnknown", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.system.programFiles.clear();
                      t.system.lastError = 2;
                    },
                    [] {
                      return std::vector<Line>{
                          Alert(L"tip.noprogramfiles", L"The system cannot find the file specified. (2)")};
                    },
                    0},
        FailureCase{"InstallFolderIsALink", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) { t.files.links.insert(kPackageTop); },
                    [] { return std::vector<Line>{Alert(L"tip.folderislink", kPackageTop)}; },
                    0},
        FailureCase{"SubFolderIsALink", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.files.links.insert(kInstallFolder + std::wstring(L"Driver32"));
                    },
                    [] {
                      const std::wstring link = kInstallFolder + std::wstring(L"Driver32");
                      return std::vector<Line>{Step(L"tip.startcopyfile"), Alert(L"tip.folderislink", link),
                                               Left(kInstallFolder)};
                    },
                    0},
        FailureCase{"InstallFolderOwnedByAUser", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.files.folders.insert("C:\\Program Files (x86)\\PrinterDriver");
                      t.files.folders.insert("C:\\Program Files (x86)\\PrinterDriver\\Calvane");
                      t.files.userOwnedFolders.insert("C:\\Program Files (x86)\\PrinterDriver\\Calvane");
                    },
                    [] {
                      return std::vector<Line>{
                          Alert(L"tip.foldernotadmin", L"C:\\Program Files (x86)\\PrinterDriver\\Calvane")};
                    },
                    0},
        FailureCase{"SubFolder", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.files.uncreatableFolders.insert("C:\\Program Files (x86)\\PrinterDriver\\Calvane\\Driver64");
                    },
                    [] { return std::vector<Line>{Step(L"tip.startcopyfile"), Alert(L"tip.createdirfail"), Left(kInstallFolder)}; }, 0},
        FailureCase{"InfRouteFile", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.files.unwritableFiles.insert(std::wstring(kInstallFolder) + L"Driver64\\Ombrevia.gpd");
                    },
                    [] {
                      return std::vector<Line>{Step(L"tip.startcopyfile"),
                                               Alert(L"tip.copyfilefail", L"Access is denied. (5)"), Left(kInstallFolder)};
                    },
                    0},
        FailureCase{
            "DriverMissingAfterPrintui", InstallFailure::kDriver, true,
            [](InstallWorkerTest& t) { t.print.shell.effect = nullptr; },
            [] {
              return Join({InfCopy(), {Step(L"tip.startinstalldriver"), Alert(L"tip.installdriverfail2"), LeftAfterTrust()}});
            },
            0},
        // An older LABEL on the system, and printui changed nothing: not "installed".
        FailureCase{"UpgradeThatPrintuiDidNotMake", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.print.shell.effect = nullptr;
                      t.print.spooler.AddDriverEntry(L"label", L"Windows x64", L"C:\\Windows\\INF\\oem7.inf");
                      t.print.spooler.drivers.back().driverVersion = 0x0001000000000000;
                    },
                    [] {
                      return Join({InfCopy(),
                                   {Step(L"tip.startinstalldriver"),
                                    Alert(L"tip.installdriverold", L"1.0.0.0 / 1.0.0.1"), LeftAfterTrust()}});
                    },
                    0},
        FailureCase{"PrintuiExitCode", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) {
                      t.print.shell.exitCode = [](const ShellCommand& c) {
                        return c.file.find(L"rundll32") != std::wstring::npos ? 1603u : 0u;
                      };
                    },
                    [] {
                      return Join(
                          {InfCopy(),
                           {Step(L"tip.startinstalldriver"),
                            Alert(L"tip.toolfail", L"C:\\Windows\\Sysnative\\rundll32.exe (0x00000643)"),
                            LeftAfterTrust()}});
                    },
                    0},
        FailureCase{"CertutilTimesOut", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) { t.print.shell.timesOut = true; },
                    [] {
                      return Join({{Step(L"tip.startcopyfile"), Step(L"tip.copyfilesuccess"),
                                    StepWith(L"tip.filesextracted", kInstallFolder)},
                                   {Alert(L"tip.tooltimeout", L"C:\\Windows\\Sysnative\\certutil.exe"), Left(kInstallFolder)}});
                    },
                    0},
        FailureCase{"CertutilNotStarted", InstallFailure::kDriver, true,
                    [](InstallWorkerTest& t) { t.print.shell.startFails = true; },
                    [] {
                      return Join({{Step(L"tip.startcopyfile"), Step(L"tip.copyfilesuccess"),
                                    StepWith(L"tip.filesextracted", kInstallFolder)},
                                   {Alert(L"tip.toolnotstarted",
                                          L"C:\\Windows\\Sysnative\\certutil.exe: The system cannot find the "
                                          L"file specified. (2)"),
                                    Left(kInstallFolder)}});
                    },
                    0},
        // Legacy route: a file that cannot be copied ends the step before the spooler is asked.
        FailureCase{"LegacyFileCopy", InstallFailure::kDriver, false,
                    [](InstallWorkerTest& t) {
                      t.files.unwritableFiles.insert(std::wstring(kDriverFolder) + L"\\Ombrevia.ini");
                    },
                    [] {
                      return std::vector<Line>{Step(L"tip.startcopyfile"),
                                               Alert(L"tip.copyfilefail", L"Access is denied. (5)"), Left(kDriverFolderSlash)};
                    },
                    0},
        FailureCase{
            "DriverDirectory", InstallFailure::kDriver, false,
            [](InstallWorkerTest& t) { t.print.spooler.driverDirectoryFails = true; },
            [] { return std::vector<Line>{Alert(L"tip.readdriverdirfail", L"The parameter is incorrect. (87)")}; },
            0},
        FailureCase{"AddPrinterDriverExW", InstallFailure::kDriver, false,
                    [](InstallWorkerTest& t) { t.print.spooler.addDriverError = 5; },
                    [] {
                      return Join({LegacyCopy(), {Alert(L"tip.installdriverfail", L"Access is denied. (5)"),
                                                  Left(kDriverFolderSlash)}});
                    },
                    0},
        FailureCase{"AddPrinterW", InstallFailure::kPrinter, false,
                    [](InstallWorkerTest& t) { t.print.spooler.addPrinterError = 5; },
                    [] {
                      return Join({LegacyCopy(), {Step(L"tip.installdriversuccess"), Step(L"tip.startinstallprinter"),
                                                  Alert(L"tip.installprinterfail", L"Access is denied. (5)"),
                                                  Left(kDriverFolderSlash + L", LABEL")}});
                    },
                    0}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The machines the exe meets: each row installs by both routes and removes again, against a spooler
// that keeps drivers per environment and reads a null environment as the caller's. The 32-bit exe
// under WOW64 on x64 is the row that a null environment breaks: the driver then lands in the x86
// set, which AddPrinterW does not use, and the lists and deletions look at that set too.
struct MachineRow {
  const char* name;
  Machine machine;
  bool wow64;
  const wchar_t* environment;  // empty: no package for this machine
  const wchar_t* driverFolder;
  const wchar_t* family;
  const wchar_t* toolFolder;
};

class InstallOnEachMachine : public InstallWorkerTest {
 protected:
  void TearDown() override {
    system.machine = Machine::kX64;
    system.wow64 = true;
    InstallWorkerTest::TearDown();
  }
};

TEST_F(InstallOnEachMachine, DriverLandsInTheSystemsOwnSetAndLeavesFromIt) {
  const MachineRow rows[] = {
      {"x86", Machine::kX86, false, L"Windows NT x86", L"C:\\windows\\system32\\spool\\drivers\\w32x86",
       L"Driver32", L"C:\\Windows\\system32\\"},
      {"x64, 32-bit exe", Machine::kX64, true, L"Windows x64", L"C:\\windows\\system32\\spool\\drivers\\x64",
       L"Driver64", L"C:\\Windows\\Sysnative\\"},
      {"ARM64, 32-bit exe", Machine::kArm64, true, L"", L"", L"", L""},
  };
  for (const MachineRow& row : rows) {
    for (bool inf : {true, false}) {
      SCOPED_TRACE(testing::Message() << row.name << (inf ? ", INF route" : ", legacy route"));
      FakePrintSystem& fresh = print;
      fresh.spooler.drivers.clear();
      fresh.spooler.addDriverFlags.clear();
      fresh.spooler.deletedPackageEnvironments.clear();
      fresh.shell.commands.clear();
      fresh.spooler.driverPackages.insert(L"C:\\Windows\\System32\\DriverStore\\label.inf");
      system.machine = row.machine;
      system.wow64 = row.wow64;
      fresh.shell.effect = [&](const ShellCommand& command) {
        PrintuiInstallEffect(fresh.spooler, system, packageVersion)(command);
        // The driver store's INF, as level 8 reports it after printui.
        for (FakeDriver& driver : fresh.spooler.drivers)
          driver.infPath = L"C:\\Windows\\System32\\DriverStore\\label.inf";
      };
      files.files.clear();
      UseInfRoute(inf);

      const InstallOutcome outcome = Run();

      const std::wstring environment = row.environment;
      if (environment.empty()) {
        EXPECT_EQ(Log(), std::vector<Line>{Alert(L"tip.nopackage", L"ARM64")});
        EXPECT_EQ(outcome.failure, InstallFailure::kDriver);
        EXPECT_TRUE(fresh.spooler.drivers.empty());
        EXPECT_TRUE(fresh.shell.commands.empty());
        EXPECT_TRUE(files.files.empty()) << "no amd64 files on an ARM64 machine";
        continue;
      }
      ASSERT_EQ(outcome.failure, InstallFailure::kNone);
      ASSERT_EQ(fresh.spooler.drivers.size(), 1u);
      EXPECT_EQ(fresh.spooler.drivers[0].environment, environment);
      ASSERT_NE(fresh.spooler.FindPrinter(L"LABEL (1)"), nullptr);
      for (const ShellCommand& command : fresh.shell.commands)
        EXPECT_EQ(command.file.rfind(row.toolFolder, 0), 0u);
      if (inf) {
        ASSERT_GE(fresh.shell.commands.size(), 2u);
        const std::wstring& printui = fresh.shell.commands[fresh.shell.commands.size() - 2].parameters;
        EXPECT_NE(printui.find(std::wstring(L"\\") + row.family + L"\\Ombrevia.INF"), std::wstring::npos)
            << printui;
      } else {
        EXPECT_EQ(fresh.spooler.drivers[0].record.environment, environment);
        EXPECT_EQ(fresh.spooler.addDriverFlags, std::vector<uint32_t>{kAddDriverCopyNewFiles});
        // The family's own LABELUI (its name differs in case between the families) in its folder.
        const std::wstring ui = std::wstring(row.driverFolder) +
                                (row.machine == Machine::kX64 ? L"\\LABELUI.DLL" : L"\\LABELUI.dll");
        EXPECT_EQ(files.files.count(ui), 1u);
      }

      // The delete pages list it, and the removal takes printer, driver and package from that set.
      std::vector<SpoolerEntry> listed;
      ListInstalledDrivers(fresh.spooler, system, listed);
      EXPECT_EQ(listed.size(), 1u);
      for (const Line& line : RemoveLabel()) {
        EXPECT_FALSE(line.alert) << line.text;
      }
      EXPECT_TRUE(fresh.spooler.printers.empty());
      EXPECT_TRUE(fresh.spooler.drivers.empty());
      if (inf) {
        EXPECT_EQ(fresh.spooler.deletedPackageEnvironments, std::vector<std::wstring>{environment});
      }
    }
  }
}

}  // namespace

namespace {

// A test build's self-made certificate goes to Trusted Root and Trusted Publishers, each store
// logged, and leaves both with the LABEL package; a distribution build touches Trusted Publishers
// only and takes nothing back. A test build never takes the legacy route: its Unidrv stand-ins
// would replace the system's shared files.
TEST_F(InstallWorkerTest, TestBuildsTrustTheirCertificateInBothStoresAndNeverCopyTheirStandIns) {
  static const std::vector<uint8_t> testBuild = PackedSkin();
  for (bool test : {true, false}) {
    SCOPED_TRACE(test ? "test build" : "distribution build");
    static const std::vector<uint8_t> distribution = WithGenuineUnidrvFiles(PackedSkin());
    const std::vector<uint8_t>& skin = test ? testBuild : distribution;
    ASSERT_TRUE(resources.AttachArchive(skin.data(), skin.size()));
    ASSERT_EQ(PackageIsTestBuild(resources.Archive()), test);
    const std::wstring hash = PackageCertificateHash(resources.Archive(), L"driver\\label\\qmvt.cer");
    ASSERT_EQ(hash.size(), 40u);
    print.spooler.drivers.clear();
    print.spooler.printers.clear();
    print.shell.commands.clear();
    print.spooler.driverPackages = {L"C:\\store\\label.inf"};
    print.shell.effect = [this](const ShellCommand& command) {
      PrintuiInstallEffect(print.spooler, system, packageVersion)(command);
      for (FakeDriver& driver : print.spooler.drivers) driver.infPath = L"C:\\store\\label.inf";
    };
    // The removal: certutil answers "not found" for a store that lacks the certificate.
    print.shell.exitCode = [](const ShellCommand& command) {
      return command.parameters.find(L"-delstore \"TrustedPublisher\"") != std::wstring::npos ? 0x80092004u
                                                                                              : 0u;
    };

    UseInfRoute(true);
    ASSERT_EQ(Run().failure, InstallFailure::kNone);
    std::vector<std::wstring> added;
    for (const Line& line : Log()) {
      if (line.text.find(GetTextWith(L"tip.certadded", L"")) == 0) added.push_back(line.text);
    }
    std::vector<std::wstring> expected = {GetTextWith(L"tip.certadded", L"TrustedPublisher")};
    if (test) expected.insert(expected.begin(), GetTextWith(L"tip.certadded", L"Root"));
    EXPECT_EQ(added, expected);
    const std::wstring root = L"C:\\Windows\\Sysnative\\certutil.exe|-addstore \"Root\" \"" +
                              std::wstring(kInstallFolder) + L"qmvt.cer\"";
    const std::vector<std::wstring> started = ShellParameters();
    EXPECT_EQ(std::count(started.begin(), started.end(), root), test ? 1 : 0);

    print.shell.commands.clear();
    std::vector<std::wstring> removed;
    for (const Line& line : RemoveLabel()) {
      EXPECT_FALSE(line.alert) << line.text;
      if (line.text.find(GetTextWith(L"tip.certremoved", L"")) == 0) removed.push_back(line.text);
    }
    EXPECT_TRUE(print.spooler.driverPackages.empty());
    const std::vector<std::wstring> takenBack = {
        L"C:\\Windows\\Sysnative\\certutil.exe|-delstore \"Root\" \"" + hash + L"\"",
        L"C:\\Windows\\Sysnative\\certutil.exe|-delstore \"TrustedPublisher\" \"" + hash + L"\""};
    EXPECT_EQ(ShellParameters(), test ? takenBack : std::vector<std::wstring>{});
    // Root held it; Trusted Publishers answered "not found", which is nothing to report.
    EXPECT_EQ(removed, test ? std::vector<std::wstring>{GetTextWith(L"tip.certremoved", L"Root")}
                            : std::vector<std::wstring>{});

    // The legacy route on Windows 7: refused for the test build before a file is written.
    print.spooler.drivers.clear();
    print.spooler.addDriverFlags.clear();
    files.files.clear();
    UseInfRoute(false);
    const InstallOutcome legacy = Run();
    if (test) {
      EXPECT_EQ(Log(), std::vector<Line>{Alert(L"tip.testbuildlegacy")});
      EXPECT_EQ(legacy.failure, InstallFailure::kDriver);
      EXPECT_TRUE(files.files.empty());
      EXPECT_TRUE(print.spooler.addDriverFlags.empty());
    } else {
      EXPECT_EQ(legacy.failure, InstallFailure::kNone);
    }
  }
}

}  // namespace
