// The removal worker: deletes the printers, then the drivers and their driver packages, one log
// line per step. No failure stops the run. It works on the job's copies only: the wizard may
// refill and change its own lists meanwhile.
#include <map>

#include "app/localisation.h"
#include "context/app_context.h"
#include "context/package_files.h"
#include "context/system_error.h"
#include "context/text_util.h"
#include "printsys/print_system.h"
#include "printsys/shell_commands.h"
#include "printsys/spooler_changes.h"
#include "removal/removal_job.h"
#include "ui/resources.h"

namespace {

constexpr uint32_t kPauseAfterItemMs = 200;
// certutil's answer for a certificate that is not in the store (CRYPT_E_NOT_FOUND).
constexpr uint32_t kCertificateNotFound = 0x80092004;
const wchar_t kPackageCertificate[] = L"driver\\label\\qmvt.cer";

}  // namespace

// A test build trusted its self-made certificate in both stores; with the LABEL package gone, it
// takes that trust back. A distribution build's certificate is its publisher's and stays.
void CAppContext::RemoveTestCertificate() {
  const ui::ZipArchive& package = ui::Resources::Instance().Archive();
  if (!PackageIsTestBuild(package)) return;
  const std::wstring hash = PackageCertificateHash(package, kPackageCertificate);
  if (hash.empty()) return;
  for (const wchar_t* store : {kTrustedRootStore, kTrustedPublisherStore}) {
    const std::optional<ShellCommand> command =
        RemoveCertificateCommand(m_platform.system, store, hash, m_hMainWnd);
    if (!command) continue;
    const ShellResult result = DefaultPrintSystem().shell.Run(*command);
    if (result.Succeeded()) {
      PostDeleteLog(GetTextWith(L"tip.certremoved", store), false, false);
    } else if (!(result.outcome == ShellOutcome::kEnded && result.exitCode == kCertificateNotFound)) {
      PostDeleteLog(ToolFailureText(m_platform.system, command->file, result), true, false);
    }
  }
}

void CAppContext::RunRemoval(const RemovalJob& job) {
  // The finish row comes last: once Home shows, no message of this start can hide the step row
  // that Home brings back.
  Send(UM_DELETE_BUSY, 1);
  Send(UM_SHOW_PRINTER_ACTIONS, 0);
  Send(UM_SHOW_STEP_BAR, 0);
  Send(UM_SHOW_FINISH_BAR, 1);
  // Driver packages exist from Windows Vista on.
  OsVersion version;
  const bool deletePackages = m_platform.system.QueryVersion(version) && version.major >= 6;
  if (!job.logShown) return;
  PostDeleteLog(L"", false, true);

  // Each chosen driver with its installed entry of exactly that name; of two equal entries the
  // later one's INF path counts. A chosen driver that is no longer installed is left alone.
  std::map<std::wstring, SpoolerEntry> drivers;
  for (const std::wstring& name : job.drivers) {
    for (const SpoolerEntry& installed : job.installedDrivers) {
      if (installed.second == name) drivers[name] = installed;
    }
  }

  PrintSystem& print = DefaultPrintSystem();
  SystemInfo& system = m_platform.system;
  const auto report = [&](uint32_t outcome, const std::wstring& name) {
    if (outcome == 0) {
      PostDeleteLog(GetTextWith(L"tip.deletesuccess", name), false, false);
      return;
    }
    PostDeleteLog(GetTextWith(L"tip.deletefail", name), true, false);
    PostDeleteLog(GetTextWith(L"tip.failreason", FormatSystemError(system, outcome)), true, false);
  };
  // Printers first, so that a driver used only by printers of this run can go too.
  for (const std::wstring& printer : job.printers) {
    PostDeleteLog(GetTextWith(L"tip.startdeleteprinter", printer), false, false);
    report(DeletePrinterOutcome(print.spooler, system, printer), printer);
    print.pause.Sleep(kPauseAfterItemMs);
  }
  for (const auto& [name, driver] : drivers) {
    PostDeleteLog(GetTextWith(L"tip.startdeletedriver", name), false, false);
    const uint32_t outcome = DeleteDriverOutcome(print.spooler, system, name);
    report(outcome, name);
    if (outcome == 0 && deletePackages && !driver.third.empty()) {
      PostDeleteLog(GetTextWith(L"tip.startdeletepack", name), false, false);
      const uint32_t packageOutcome = DeleteDriverPackageOutcome(print.spooler, system, driver.third);
      report(packageOutcome, name);
      const std::wstring ours = m_driverModels.empty() ? L"LABEL" : m_driverModels.front().driverName;
      if (packageOutcome == 0 && LowerCopy(name) == LowerCopy(ours)) RemoveTestCertificate();
    }
    print.pause.Sleep(kPauseAfterItemMs);
  }
}

void CAppContext::OnRemovalFinished() {
  // The finish row has shown since the run began; showing it again here would put it beside the
  // step row when Home was pressed meanwhile. The selection was emptied when the run started.
  Send(UM_DELETE_BUSY, 0);
}
