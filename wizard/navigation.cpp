// The wizard's spine: the index page, Next, Back and Home, what each page does when it is entered
// and the checks that may keep Next on a page.
#include "context/app_context.h"
#include "context/live_workers.h"
#include "context/ui_messages.h"
#include "bluetooth/bluetooth_printers.h"
#include "printsys/spooler_queries.h"
#include "printsys/usb_port_scan.h"
#include "ui/container.h"
#include "ui/label.h"

namespace {

void SelectPage(ui::Control* tab, int32_t page) {
  if (auto* layout = dynamic_cast<ui::TabLayout*>(tab)) layout->SelectItem(page);
}

// USB, Bluetooth and network have their own page orders; every other kind shares the last one.
const std::vector<int32_t>& SequenceOf(const std::vector<std::vector<int32_t>>& sequences, int32_t kind) {
  switch (kind) {
    case kPortUsb: return sequences[0];
    case kPortBluetooth: return sequences[1];
    case kPortNetwork: return sequences[2];
    default: return sequences[3];
  }
}

constexpr int32_t kSearchPage = 1;
constexpr int32_t kDeviceListPages[] = {2, 3};
constexpr int32_t kDriverModelPage = 4;
constexpr int32_t kPrinterNamePage = 7;
constexpr int32_t kSummaryPage = 8;
constexpr int32_t kInstallingPage = 9;
constexpr int32_t kDeletePageCount = 4;

}  // namespace

void CAppContext::SetBackButton(bool visible) {
  const UiNotice notice{};
  SendNotice(UM_PREVIOUS_BUTTON, visible ? 1 : 0, &notice);
}

void CAppContext::SetNextButton(bool visible, bool enabled, const std::wstring& textKey) {
  const UiNotice notice{textKey, false, false, enabled};
  SendNotice(UM_NEXT_BUTTON, visible ? 1 : 0, &notice);
}

bool CAppContext::StartWorker(SystemHandle& field, std::function<void()> body) {
  // Counted as live until the body returns, so closing the window meanwhile skips the teardown.
  field = m_platform.threads.Start(TrackWorker(std::move(body)));
  const bool started = field != nullptr;
  if (started) m_platform.system.CloseHandle(field);
  field = nullptr;
  return started;
}

ui::Control* CAppContext::InstallControl(const wchar_t* name) const {
  return m_installTab != nullptr ? m_installTab->FindByName(name) : nullptr;
}

void CAppContext::GoHome() {
  RefreshInstalledPrinters();
  ShowHomePage();
}

void CAppContext::RefreshInstalledPrinters() { ListInstalledPrinters(m_installedPrinters); }

void CAppContext::ShowHomePage() {
  m_mode = 0;
  m_step = 0;
  SetBackButton(false);
  SetNextButton(true, true, L"");
  for (ui::Control* tab : {m_mainTab, m_installTab, m_deleteTab}) SelectPage(tab, 0);
  Send(UM_SHOW_FINISH_BAR, 0);
  Send(UM_SHOW_PRINTER_ACTIONS, 0);
  Send(UM_SHOW_STEP_BAR, 1);
}

void CAppContext::GoNext() {
  if (m_mode == 0) {
    if (m_mainTab != nullptr) {
      m_mode = m_actionChoice == 1 ? 1 : 2;
      SelectPage(m_mainTab, m_mode);
      if (m_mode == 2) {
        EnterDeletePage(0);
      } else {
        EnterInstallPage(0);
      }
    }
  } else {
    ++m_step;
    if (m_modeInForce == 1) {
      if (m_installTab == nullptr) return;
      const std::vector<int32_t>& sequence = SequenceOf(m_pageSequences, m_portKind);
      // The last page hides the step row; a stray Next (or a late scan message) must not run past it.
      if (m_step >= static_cast<int32_t>(sequence.size())) {
        --m_step;
        return;
      }
      const int32_t target = sequence[m_step];
      bool passes = true;
      if (m_portKind == kPortBluetooth && target == kSearchPage) passes = CheckBluetoothAdapter(true);
      if (m_portKind == kPortBluetooth && target == kDriverModelPage) passes = ValidateBluetoothPin();
      if (m_portKind == kPortNetwork && target == kPrinterNamePage) passes = ValidateLanPort();
      if (target == kSummaryPage) passes = CheckPrinterNameOnNext();
      if (!passes) {
        --m_step;
        return;
      }
      SelectPage(m_installTab, target);
      EnterInstallPage(target);
    } else if (m_modeInForce == 2) {
      if (m_step >= kDeletePageCount) {
        --m_step;
        return;
      }
      SelectPage(m_deleteTab, m_step);
      EnterDeletePage(m_step);
    }
  }
  m_modeInForce = m_mode == 0 ? 0 : (m_actionChoice != 0 ? 1 : 2);
}

void CAppContext::GoBack() {
  if (m_step == 0) {
    if (m_mainTab != nullptr) {
      m_mode = 0;
      SelectPage(m_mainTab, 0);
      GoHome();
    }
    return;
  }
  --m_step;
  if (m_modeInForce == 1) {
    if (m_installTab == nullptr) return;
    const std::vector<int32_t>& sequence = SequenceOf(m_pageSequences, m_portKind);
    // Back from a device list goes to the kind choice: the search is not repeated.
    if ((m_portKind == kPortUsb || m_portKind == kPortBluetooth) && sequence[m_step] == kSearchPage) --m_step;
    const int32_t target = sequence[m_step];
    SelectPage(m_installTab, target);
    EnterInstallPage(target);
  } else if (m_modeInForce == 2) {
    SelectPage(m_deleteTab, m_step);
    EnterDeletePage(m_step);
  }
}

void CAppContext::EnterInstallPage(int32_t page) {
  SetBackButton(true);
  if (m_installTab == nullptr) return;
  switch (page) {
    case 0:
      SetNextButton(true, true, L"");
      if (m_portKind == kPortNone) {
        if (auto* usb = dynamic_cast<ui::Option*>(InstallControl(L"option_port_usb"))) usb->Selected(true, true);
        PostBtAdapterStatus(false, L"");
        m_portKind = kPortUsb;
      }
      break;
    case kSearchPage:
      StartSearchPage();
      break;
    case kDeviceListPages[0]:
      FillUsbList();
      break;
    case kDeviceListPages[1]:
      FillBluetoothList();
      break;
    case kDriverModelPage:
      FillDriverModelList();
      break;
    case 5:
      FillPortList();
      break;
    case 6:
      ShowLanPage();
      break;
    case kPrinterNamePage:
      ShowPrinterNamePage();
      break;
    case kSummaryPage:
      ShowInstallSummary();
      break;
    case kInstallingPage:
      StartInstallWorker();
      break;
    default:
      break;
  }
}

void CAppContext::StartSearchPage() {
  SetNextButton(false, true, L"");
  SetBackButton(false);
  SystemHandle* field = nullptr;
  std::function<void()> search;
  if (m_portKind == kPortUsb) {
    m_usbPortIndex = -1;
    field = &m_usbScanThread;
    search = [this] { ScanUsbPrinterPorts(m_usbPorts); };
  } else if (m_portKind == kPortBluetooth) {
    m_btDeviceIndex = -1;
    m_portName.clear();
    field = &m_btSearchThread;
    search = [this] { SearchBluetoothPrinters(DefaultBluetoothStack(), m_btDevices); };
  } else {
    return;
  }
  const bool started = StartWorker(*field, [this, search] {
    search();
    Send(UM_GO_NEXT_PAGE, 0);  // the list page reads the results only after this
  });
  // Without a thread nothing would ever leave this page: give the user Back again.
  if (!started) SetBackButton(true);
}
