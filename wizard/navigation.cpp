// The wizard's spine: the index page and the Next, Back and Home buttons.
#include "context/app_context.h"
#include "context/ui_messages.h"
#include "printsys/spooler_queries.h"
#include "ui/container.h"

namespace {

void SelectFirstPage(ui::Control* tab) {
  if (auto* layout = dynamic_cast<ui::TabLayout*>(tab)) layout->SelectItem(0);
}

}  // namespace

void CAppContext::SetBackButton(bool visible) {
  const UiNotice notice{};
  SendNotice(UM_PREVIOUS_BUTTON, visible ? 1 : 0, &notice);
}

void CAppContext::SetNextButton(bool visible, bool enabled, const std::wstring& textKey) {
  const UiNotice notice{textKey, false, false, enabled};
  SendNotice(UM_NEXT_BUTTON, visible ? 1 : 0, &notice);
}

void CAppContext::GoHome() {
  m_mode = 0;
  m_step = 0;
  SetBackButton(false);
  SetNextButton(true, true, L"");
  ListInstalledPrinters(m_installedPrinters);  // the delete pages read it
  for (ui::Control* tab : {m_mainTab, m_installTab, m_deleteTab}) SelectFirstPage(tab);
  Send(UM_SHOW_FINISH_BAR, 0);
  Send(UM_SHOW_PRINTER_ACTIONS, 0);
  Send(UM_SHOW_STEP_BAR, 1);
}

// The install and delete branches behind Next and Back, and the page controls' notifications, come
// with the wizard pages; until then the index page is the only page.
void CAppContext::GoNext() {}
void CAppContext::GoBack() {}
void CAppContext::OnWizardNotify(const ui::Notification&) {}
void CAppContext::OnWizardClick(ui::Control*) {}
