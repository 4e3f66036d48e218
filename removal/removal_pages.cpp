// Entering the delete pages: the two lists, the summary the user confirms, and the start of the
// removal worker with its own copies of what it deletes.
#include "app/localisation.h"
#include "context/app_context.h"
#include "context/text_util.h"
#include "removal/removal_job.h"
#include "removal/removal_selection.h"
#include "ui/edit.h"

namespace {

constexpr int32_t kPrinterPage = 0;
constexpr int32_t kDriverPage = 1;
constexpr int32_t kSummaryPage = 2;
constexpr int32_t kRemovingPage = 3;
const wchar_t kIndent[] = L"     ";

}  // namespace

void CAppContext::EnterDeletePage(int32_t page) {
  SetBackButton(true);
  SetNextButton(true, true, L"main.btn.next");
  switch (page) {
    case kPrinterPage:
      FillPrinterRemovalList(false);
      break;
    case kDriverPage:
      FillDriverRemovalList(false);
      break;
    case kSummaryPage:
      BuildRemovalSummary();
      break;
    case kRemovingPage: {
      Send(UM_SHOW_FINISH_BAR, 0);
      Send(UM_SHOW_PRINTER_ACTIONS, 0);
      // Home shows while the worker runs, and a new visit of these pages refills and changes the
      // shared lists: the worker takes copies, and the selection starts empty from here on.
      RemovalJob job;
      job.printers = std::move(m_selectedPrinters);
      for (const auto& driver : m_selectedDrivers) job.drivers.push_back(driver.first);
      job.installedDrivers = m_installedDrivers;
      job.logShown = m_deleteTab != nullptr;
      m_selectedPrinters.clear();
      m_selectedDrivers.clear();
      StartWorker(m_deleteThread, [this, job = std::move(job)] {
        RunRemoval(job);
        OnRemovalFinished();
      });
      break;
    }
    default:
      break;
  }
}

void CAppContext::BuildRemovalSummary() {
  SetNextButton(true, true, L"main.btn.startDelete");
  SetNextButton(true, !m_selectedPrinters.empty() || !m_selectedDrivers.empty(), L"");
  auto* summary = m_deleteTab != nullptr
                      ? dynamic_cast<ui::RichEdit*>(m_deleteTab->FindByName(L"wordedit_deleteInfo"))
                      : nullptr;
  if (summary == nullptr) return;
  // Deleting a driver takes the printers on it along: exactly that driver, in any letter case as
  // the spooler names drivers, and not one whose name merely contains it (LABEL 2).
  for (const SpoolerEntry& printer : m_installedPrinters) {
    const std::wstring driver = LowerCopy(printer.second);
    for (const auto& chosen : m_selectedDrivers) {
      if (LowerCopy(chosen.first) == driver) Select(m_selectedPrinters, printer.first);
    }
  }
  std::wstring text = GetText(L"gb.title.printer") + L":\r\n";
  for (const std::wstring& printer : m_selectedPrinters) text += kIndent + printer + L"\r\n";
  text += GetText(L"gb.title.driver") + L":\r\n";
  for (const auto& driver : m_selectedDrivers) text += kIndent + driver.first + L"\r\n";
  // In the page's font and size, as the logs are, not the rich edit's smaller default.
  summary->SetText(L"");
  summary->SetSelectionFormat(PageTextFormat(*this, 0xFF000000));
  summary->AppendText(text);
}
