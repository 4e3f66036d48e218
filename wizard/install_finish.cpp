// Starting the install worker from page 9, its completion step, and the finish row's printer
// actions.
#include "context/app_context.h"
#include "printsys/print_system.h"
#include "printsys/shell_commands.h"
#include "wizard/install_worker.h"

void InstallThreadProc(CAppContext& context, const std::function<void(const InstallOutcome*)>& finished) {
  InstallOutcome outcome;
  context.RunInstall(&outcome);
  if (finished) finished(&outcome);
}

void CAppContext::StartInstallWorker() {
  Send(UM_INSTALL_BUSY, 1);
  Send(UM_SHOW_FINISH_BAR, 0);
  Send(UM_SHOW_PRINTER_ACTIONS, 0);
  Send(UM_SHOW_STEP_BAR, 0);
  const bool started = StartWorker(m_installThread, [this] {
    InstallThreadProc(*this, [this](const InstallOutcome* outcome) { OnInstallFinished(outcome); });
  });
  // Without a worker the page would wait for ever: give the user Home and Close.
  if (!started) OnInstallFinished(nullptr);
}

void CAppContext::OnInstallFinished(const InstallOutcome* outcome) {
  // Everything this thread changes is done before the first message: once the finish row shows,
  // Home may start a new run on the UI thread. The finish row comes last for the same reason.
  if (outcome != nullptr && outcome->networkPortAdded != 0) {
    m_portName.clear();
    m_lanAddress.clear();
  }
  // The page's heading says how it went: a run without a printer at its end failed.
  UiNotice ended;
  ended.alert =
      outcome == nullptr || outcome->failure != InstallFailure::kNone || outcome->printerInstalled == 0;
  SendNotice(UM_INSTALL_BUSY, 0, &ended);
  Send(UM_SHOW_STEP_BAR, 0);
  Send(UM_SHOW_PRINTER_ACTIONS, outcome != nullptr && outcome->printerInstalled != 0 ? 1 : 0);
  Send(UM_SHOW_FINISH_BAR, 1);
}

void CAppContext::RunPrinterAction(const wchar_t* pattern) {
  const std::wstring printerName = m_printerName;
  RunPrintUi(DefaultPrintSystem().shell, m_platform.system, pattern, printerName, m_hMainWnd);
}
