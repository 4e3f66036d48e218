// The install worker's steps: the port where the kind needs one made, the driver by the INF or the
// legacy route, then the printer. Every step leaves a line in the install log; the first failure
// ends the run. Every spooler call names the system's own driver environment and the driver files
// are those of the system's own processor family, whatever this program's bitness.
#include "wizard/install_worker.h"

#include "app/localisation.h"
#include "bluetooth/bluetooth_printers.h"
#include "bluetooth/bluetooth_text.h"
#include "context/app_context.h"
#include "context/package_files.h"
#include "context/safe_paths.h"
#include "context/system_error.h"
#include "context/text_util.h"
#include "printsys/print_system.h"
#include "printsys/shell_commands.h"
#include "printsys/spooler_changes.h"
#include "printsys/spooler_queries.h"
#include "printsys/tcpip_port.h"
#include "ui/resources.h"

namespace {

// Calls attempt until it answers true, pausing between calls; false when every call failed.
template <typename Try>
bool Retry(Pause& pause, Try&& attempt) {
  for (int call = 1;; ++call) {
    if (attempt()) return true;
    if (call == kBluetoothServiceTries) return false;
    pause.Sleep(kBluetoothRetryPauseMs);
  }
}

class InstallRun {
 public:
  InstallRun(CAppContext& context, InstallOutcome& outcome)
      : context_(context),
        outcome_(outcome),
        system_(context.platform().system),
        print_(DefaultPrintSystem()),
        pin_(context.m_btPin),
        owner_(context.m_hMainWnd),
        machine_(system_.NativeMachine()),
        environment_(DriverEnvironment(machine_)) {}

  bool PreparePort() {
    if (context_.m_portKind == kPortBluetooth) return PrepareBluetoothPort();
    if (context_.m_portKind == kPortNetwork) return AddNetworkPort();
    return true;
  }

  bool InstallDriver() {
    const size_t index = static_cast<size_t>(context_.m_driverIndex);
    if (context_.m_driverIndex < 0 || index >= context_.m_driverModels.size()) {
      Alert(GetTextWith(L"tip.installdriverfail", FormatSystemError(system_, kErrorInvalidParameter)));
      return false;
    }
    if (environment_.empty()) {  // refused at the start already; never the files of another family
      Alert(NoPackageText(machine_));
      return false;
    }
    const DriverModelInfo model = context_.m_driverModels[index];
    return context_.IsWindows8OrNewer() ? InstallByInf(model) : InstallLegacy(model);
  }

  bool CreatePrinter() {
    const std::wstring printerName = context_.m_printerName;
    const std::wstring portName = context_.m_portName;
    Post(L"tip.startinstallprinter");
    if (!print_.spooler.CreatePrinter(MakePrinterRecord(printerName, portName, driverName_))) {
      const uint32_t error = system_.LastError();
      Alert(GetTextWith(L"tip.installprinterfail", FormatSystemError(system_, error)));
      if (error == kErrorUnknownPort && !PortExists(print_.spooler, portName)) {
        context_.ShowTipBox(GetText(L"tip.port.unidentification"), kBoxIconInformation);
      }
      return false;
    }
    Post(L"tip.installprintersuccess");
    outcome_.printerInstalled = 1;
    if (context_.m_setDefault == 1 && !print_.spooler.MakeDefaultPrinter(printerName)) {
      Alert(GetTextWith(L"tip.setdefaultfail", LastErrorText()));
      outcome_.failure = InstallFailure::kDefaultPrinter;
    }
    if (context_.m_printTestPage) {
      PrintTestPage(print_.shell, system_, printerName, owner_, context_.m_unattended);
    }
    return true;
  }

  // After a failure: the port this run made goes again, and the log says what stays.
  void UndoAfterFailure() {
    if (outcome_.networkPortAdded == 1) {
      const std::wstring port = context_.m_portName;
      if (RemoveStandardTcpIpPort(print_.portMonitor, port)) {
        context_.PostInstallLog(GetTextWith(L"tip.lanportremoved", port), false, false);
        outcome_.networkPortAdded = 0;
      } else {
        Alert(GetTextWith(L"tip.lanportremovefail", port));
        left_.push_back(port);
      }
    }
    if (left_.empty()) return;
    std::wstring items;
    for (const std::wstring& item : left_) items += (items.empty() ? L"" : L", ") + item;
    Alert(GetTextWith(L"tip.leftonsystem", items));
  }

 private:
  void Post(const wchar_t* key) { context_.PostInstallLog(GetText(key), false, false); }
  void Alert(const std::wstring& text) { context_.PostInstallLog(text, true, false); }
  std::wstring LastErrorText() const { return FormatSystemError(system_, system_.LastError()); }
  // False, with the red line, unless the tool ended with exit code 0.
  bool ToolSucceeded(const ShellCommand& command, const ShellResult& result) {
    if (result.Succeeded()) return true;
    Alert(ToolFailureText(system_, command.file, result));
    return false;
  }
  const ui::ZipArchive& Package() const { return ui::Resources::Instance().Archive(); }

  bool PrepareBluetoothPort() {
    Post(L"tip.startpairbluetooth");
    // A device index that points nowhere is a pairing that cannot succeed.
    const size_t index = static_cast<size_t>(context_.m_btDeviceIndex);
    const bool known = context_.m_btDeviceIndex >= 0 && index < context_.m_btDevices.size();
    const BluetoothDevice device = known ? context_.m_btDevices[index] : BluetoothDevice{};
    BluetoothStack& stack = DefaultBluetoothStack();
    std::wstring unusedErrorText;
    if (!known || !PairBluetoothDevice(stack, system_, device, pin_, unusedErrorText)) {
      Alert(GetTextWith(L"tip.pairbluetoothfailpinis", pin_));
      return false;
    }
    Post(L"tip.pairbluetoothsuccess");
    left_.push_back(device.name);
    // The system may need a while to offer the service and the port after pairing; the search
    // goes on whether or not the service ever reported itself on.
    if (Retry(print_.pause, [&] { return EnableSerialPortService(stack, device); })) {
      context_.PostInstallLog(GetTextWith(L"tip.serialserviceon", device.name), false, false);
    }
    const std::wstring address = FormatBluetoothAddress(device.address, false);
    std::wstring port;
    if (!Retry(print_.pause, [&] { return FindBluetoothComPort(print_.devices, address, port); })) {
      Alert(GetText(L"tip.getbluetoothserialportfail"));
      return false;
    }
    context_.m_portName = port + L":";
    if (!PortExists(print_.spooler, context_.m_portName)) {
      RegisterSerialPortService(stack, port, device);
      context_.PostInstallLog(GetTextWith(L"tip.serialserviceregistered", port), false, false);
      left_.push_back(port);
    }
    context_.PostInstallLog(GetTextWith(L"tip.readbluetoothserialport", context_.m_portName), false, false);
    return true;
  }

  bool AddNetworkPort() {
    Post(L"tip.startaddlanport");
    // The address's own Standard TCP/IP port serves again rather than a second one beside it.
    const std::optional<std::wstring> existing = TcpIpPortForAddress(print_.spooler, context_.m_lanAddress);
    if (existing && LowerCopy(*existing) == LowerCopy(context_.m_portName)) {
      context_.m_portName = *existing;
      context_.PostInstallLog(GetTextWith(L"tip.lanportreused", *existing), false, false);
      return true;
    }
    if (!AddStandardTcpIpPort(print_.portMonitor, context_.m_portName, context_.m_lanAddress)) {
      Alert(GetText(L"tip.addlanportfail"));
      return false;
    }
    Post(L"tip.addlanportsuccess");
    context_.PostInstallLog(GetTextWith(L"tip.portcreated", context_.m_portName), false, false);
    outcome_.networkPortAdded = 1;
    return true;
  }

  // The package folder and its sub-folders, each made for the administrators alone or already
  // theirs; a link or a folder of anyone else is refused with its own line.
  bool MakeFolder(const std::wstring& base, const std::wstring& path) {
    const FolderCheck check = MakePrivateFolderTree(context_.platform().files, system_, base, path);
    switch (check.refusal) {
      case FolderRefusal::kNone:
        return true;
      case FolderRefusal::kLink:
        Alert(GetTextWith(L"tip.folderislink", check.path));
        return false;
      case FolderRefusal::kForeignOwner:
        Alert(GetTextWith(L"tip.foldernotadmin", check.path));
        return false;
      case FolderRefusal::kCannotMake:
        break;
    }
    Alert(GetText(L"tip.createdirfail"));
    return false;
  }

  bool Extract(const std::wstring& source, const std::wstring& folder, std::vector<wchar_t>& dependentFiles) {
    return ExtractSkinFile(ui::Resources::Instance().Archive(), context_.platform().files, system_, source, folder,
                           dependentFiles);
  }

  bool InstallByInf(const DriverModelInfo& model) {
    const std::wstring programFiles = system_.ProgramFilesFolder();
    if (programFiles.empty()) {
      Alert(GetTextWith(L"tip.noprogramfiles", LastErrorText()));
      return false;
    }
    const std::wstring folder = InstallFolder(system_);
    if (!MakeFolder(programFiles, folder)) return false;
    left_.push_back(folder);  // from here on files may lie in it
    Post(L"tip.startcopyfile");
    for (const std::wstring& name : model.subFolders) {
      if (!MakeFolder(folder, folder + name)) return false;
    }
    // Both processor families go on disk whatever this system is.
    const std::pair<const std::vector<std::wstring>*, std::wstring> groups[] = {
        {&model.rootFiles, folder},
        {&model.filesIa64, folder + L"ia64\\"},
        {&model.files64, folder + L"Driver64\\"},
        {&model.files32, folder + L"Driver32\\"},
    };
    std::vector<wchar_t> unused;
    for (const auto& [files, destination] : groups) {
      for (const std::wstring& file : *files) {
        if (Extract(file, destination, unused)) continue;
        Alert(GetTextWith(L"tip.copyfilefail", LastErrorText()));
        return false;
      }
    }
    Post(L"tip.copyfilesuccess");
    context_.PostInstallLog(GetTextWith(L"tip.filesextracted", folder), false, false);
    if (!TrustPackageCertificate(folder + model.certificateName)) return false;
    Post(L"tip.startinstalldriver");
    const std::wstring family = PackageFamilyFolder(machine_);
    const std::wstring infPath = folder + family + L"\\" + model.infName;
    const std::optional<ShellCommand> command =
        InstallDriverCommand(system_, model.driverName, infPath, owner_, context_.m_unattended);
    if (!command || !ToolSucceeded(*command, print_.shell.Run(*command))) return false;
    // An older LABEL may be installed already: only the package's own version (or its INF) counts.
    const uint64_t packageVersion =
        PackageDriverVersion(Package(), L"driver\\label\\" + family + L"\\" + model.infName);
    DriverSummary installed;
    if (!FindInstalledDriver(print_.spooler, environment_, model.driverName, installed)) {
      Alert(GetText(L"tip.installdriverfail2"));
      return false;
    }
    const bool packageVersionInstalled = packageVersion != 0 && installed.driverVersion == packageVersion;
    if (!packageVersionInstalled && LowerCopy(installed.infPath) != LowerCopy(infPath)) {
      Alert(GetTextWith(L"tip.installdriverold", DriverVersionText(installed.driverVersion) + L" / " +
                                                     DriverVersionText(packageVersion)));
      return false;
    }
    Post(L"tip.installdriversuccess");
    driverName_ = model.driverName;
    left_.push_back(model.driverName);
    return true;
  }

  // A test build's self-made certificate is trusted only from both stores; a distribution build
  // never touches Trusted Root. Each store it lands in is logged.
  bool TrustPackageCertificate(const std::wstring& certificatePath) {
    std::vector<const wchar_t*> stores = {kTrustedPublisherStore};
    if (PackageIsTestBuild(Package())) stores.insert(stores.begin(), kTrustedRootStore);
    for (const wchar_t* store : stores) {
      const std::optional<ShellCommand> command =
          TrustCertificateCommand(system_, store, certificatePath, owner_);
      if (!command || !ToolSucceeded(*command, print_.shell.Run(*command))) return false;
      context_.PostInstallLog(GetTextWith(L"tip.certadded", store), false, false);
      left_.push_back(std::wstring(store) + L": " + certificatePath);
    }
    return true;
  }

  bool InstallLegacy(const DriverModelInfo& model) {
    // The legacy route copies UNIDRV.DLL and its fellows beside every other Unidrv driver's: a test
    // build's stand-ins there would break them all.
    if (PackageIsTestBuild(Package())) {
      Alert(GetText(L"tip.testbuildlegacy"));
      return false;
    }
    const std::vector<std::wstring>& files =
        machine_ == Machine::kX64 ? model.legacy64Files : model.legacy32Files;
    const std::wstring directory = GetDriverDirectory(print_.spooler, environment_);
    if (directory.empty()) {
      Alert(GetTextWith(L"tip.readdriverdirfail", LastErrorText()));
      return false;
    }
    Post(L"tip.startcopyfile");
    left_.push_back(directory);
    // A file that cannot be copied is reported and skipped: the spooler may already hold it.
    std::vector<wchar_t> dependentFiles;
    for (const std::wstring& file : files) {
      if (!Extract(file, directory, dependentFiles)) {
        Alert(GetTextWith(L"tip.copyfilefail", LastErrorText()));
        return false;
      }
      dependentFiles.push_back(L'\0');
    }
    dependentFiles.push_back(L'\0');
    Post(L"tip.copyfilesuccess");
    context_.PostInstallLog(GetTextWith(L"tip.filesextracted", directory), false, false);
    Post(L"tip.startinstalldriver");
    // Only files newer than the system's are taken: the shared Unidrv files stay when they are newer.
    if (!print_.spooler.AddDriver(MakeLegacyDriverRecord(model, dependentFiles, environment_),
                                  kAddDriverCopyNewFiles)) {
      Alert(GetTextWith(L"tip.installdriverfail", LastErrorText()));
      return false;
    }
    Post(L"tip.installdriversuccess");
    driverName_ = model.driverName;
    left_.push_back(model.driverName);
    return true;
  }

  CAppContext& context_;
  InstallOutcome& outcome_;
  SystemInfo& system_;
  PrintSystem& print_;
  const std::wstring pin_;
  const WindowHandle owner_;
  const Machine machine_;
  const std::wstring environment_;  // empty: the package has no driver for this machine
  std::wstring driverName_;         // the driver installed, for the printer
  std::vector<std::wstring> left_;  // what this run changed that a failure leaves in place
};

}  // namespace

void CAppContext::RunInstall(InstallOutcome* outcome) {
  InstallOutcome unused;
  InstallOutcome& result = outcome != nullptr ? *outcome : unused;
  InstallRun run(*this, result);
  PostInstallLog(L"", false, true);
  if (!run.PreparePort()) {
    result.failure = InstallFailure::kPort;
  } else if (!run.InstallDriver()) {
    result.failure = InstallFailure::kDriver;
  } else if (!run.CreatePrinter()) {
    result.failure = InstallFailure::kPrinter;
  }
  if (result.failure == InstallFailure::kPort || result.failure == InstallFailure::kDriver ||
      result.failure == InstallFailure::kPrinter) {
    run.UndoAfterFailure();
  }
}
