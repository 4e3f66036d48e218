// The one process-wide record of the installer: driver models, language table, main window, every
// wizard selection, the removal lists and the worker handles.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bluetooth/bluetooth_device.h"
#include "context/driver_model.h"
#include "context/language_info.h"
#include "context/ui_messages.h"
#include "context/platform.h"
#include "printsys/spooler_entry.h"
#include "printsys/usb_port_record.h"

struct InstallOutcome;

namespace ui {
class Control;
struct Notification;
}
struct RemovalJob;

enum PortKind : int32_t {
  kPortUsb = 0,
  kPortNetwork = 1,
  kPortBluetooth = 2,
  kPortLpt = 3,
  kPortCom = 4,
  kPortCustom = 5,
  kPortNone = 6,
};

class CAppContext {
 public:
  // Created on first use with the process's platform; safe for concurrent first calls.
  static CAppContext& Instance();

  explicit CAppContext(Platform& platform);
  ~CAppContext();
  CAppContext(const CAppContext&) = delete;
  CAppContext& operator=(const CAppContext&) = delete;

  Platform& platform() { return m_platform; }

  void BuildDriverModels();
  bool IsWindows8OrNewer() const;
  bool IsWow64() const;

  // Language table and detection.
  void RegisterLanguage(const LanguageInfo& language) { m_languages[language.langId] = language; }
  LanguageInfo DetectLanguage();
  // The entry for a LANGID, or English when the table lacks it; null only with an empty table.
  const LanguageInfo* LanguageOrEnglish(uint16_t langId) const;

  // Wizard navigation, run on the UI thread.
  void GoHome();
  // GoHome's two halves: start-up shows the page at once and reads the spooler once it is shown.
  void ShowHomePage();
  void RefreshInstalledPrinters();  // the delete pages read the table
  void GoNext();
  void GoBack();
  void OnWizardNotify(const ui::Notification& notification);
  void OnWizardClick(ui::Control* control);
  void SetBackButton(bool visible);
  void SetNextButton(bool visible, bool enabled, const std::wstring& textKey);
  // Page entry: the page's tab already shows the page.
  void EnterInstallPage(int32_t page);
  void EnterDeletePage(int32_t page);

  // Install pages: kind choice and device lists.
  void StartSearchPage();
  void FillUsbList();
  void FillBluetoothList();
  void FilterPinEdit(ui::Control* edit);
  bool ValidateBluetoothPin();
  // The adapter's state in the adapter line; with showBox, a box asks the user to check it when no
  // radio is on. True when a radio is on.
  bool CheckBluetoothAdapter(bool showBox);
  void TestUsbPort();
  // Port list and network pages.
  void FillPortList();
  void AddPortByPopup();
  void DeleteSelectedPort();
  void ConfigureSelectedPort();
  void ShowLanPage();
  bool ValidateLanPort();
  // Driver model, printer name and summary pages.
  void FillDriverModelList();
  void ShowPrinterNamePage();
  // Red line and false when the name is taken or the spooler cannot take it.
  bool CheckPrinterNameOnNext();
  void ReportPrinterNameCheck();
  void ShowInstallSummary();
  // Install page 9: the worker, its steps and its completion step (run on the worker thread).
  void StartInstallWorker();
  void RunInstall(InstallOutcome* outcome);
  void OnInstallFinished(const InstallOutcome* outcome);
  // A finish-row action on the printer now named in the wizard: printui with the pattern.
  void RunPrinterAction(const wchar_t* pattern);

  // A message box owned by the main window with the text of a key under "tip.dlgtitle".
  int ShowTipBox(const std::wstring& text, uint32_t flags);

  // Text lines to the main window, each a synchronous send with a UiNotice on this stack.
  void PostInstallLog(const std::wstring& text, bool alert, bool clear);
  void PostDeleteLog(const std::wstring& text, bool alert, bool clear);
  void PostPrinterNameStatus(const std::wstring& text, bool alert);
  void PostBtAdapterStatus(bool visible, const std::wstring& text);

  // ---- Removal (removal/): the delete pages' lists, selections and summary, and the worker. ----
  // Refill the printer or driver list; fromOption is set when the show-all option itself was
  // clicked (the option then keeps the state the click gives it).
  void FillPrinterRemovalList(bool fromOption);
  void FillDriverRemovalList(bool fromOption);
  // The summary page: takes the printers of every chosen driver into the selection and relabels Next.
  void BuildRemovalSummary();
  // The delete pages' share of OnWizardNotify and OnWizardClick; true when the control was theirs.
  bool OnRemovalNotify(const ui::Notification& notification);
  bool OnRemovalClick(ui::Control* control);
  // The worker's run on the job's own copies; it reports only through the main window.
  void RunRemoval(const RemovalJob& job);
  // Takes a test build's certificate out of the stores it was added to, once the package is gone.
  void RemoveTestCertificate();
  // The worker's completion step, on its thread.
  void OnRemovalFinished();
  // ---- End of removal. ----

  std::vector<BluetoothDevice> m_btDevices;
  std::vector<UsbPortRecord> m_usbPorts;
  std::vector<DriverModelInfo> m_driverModels;
  LanguageTable m_languages;
  ui::Control* m_mainTab = nullptr;
  ui::Control* m_installTab = nullptr;
  ui::Control* m_deleteTab = nullptr;
  WindowHandle m_hMainWnd = nullptr;
  int32_t m_actionChoice = 1;  // 1 install, 0 delete
  int32_t m_step = 0;
  int32_t m_mode = 0;          // 0 index page, 1 install wizard, 2 delete wizard
  int32_t m_modeInForce = 0;
  int32_t m_showAllPrinters = -1;
  std::wstring m_printerSearchText;
  int32_t m_showAllDrivers = -1;
  int32_t m_portKind = kPortNone;
  int32_t m_btDeviceIndex = -1;
  int32_t m_usbPortIndex = -1;
  int32_t m_driverIndex = -1;
  std::wstring m_portName;
  int32_t m_setDefault = -1;  // -1 undecided, 0 no, 1 yes
  std::wstring m_printerName;
  std::wstring m_lanAddress;
  std::wstring m_btPin = L"5917";
  // The command line's run: tools are told that no one answers their messages (printui /q), and
  // the test page is printed only when asked for; the wizard prints it.
  bool m_unattended = false;
  bool m_printTestPage = true;
  int32_t m_useCustomPin = 0;
  std::vector<std::wstring> m_driverNameFilters;
  std::vector<std::wstring> m_selectedPrinters;
  std::map<std::wstring, std::wstring> m_selectedDrivers;
  std::vector<SpoolerEntry> m_installedPrinters;
  std::vector<SpoolerEntry> m_installedDrivers;
  // Install page order for USB, Bluetooth, network and every other port kind.
  std::vector<std::vector<int32_t>> m_pageSequences;
  SystemHandle m_btSearchThread = nullptr;
  SystemHandle m_usbScanThread = nullptr;
  SystemHandle m_installThread = nullptr;
  SystemHandle m_deleteThread = nullptr;
  std::vector<uint8_t> m_usbTestBuffer;
  uint16_t m_curLangId = 0;

 private:
  void SendNotice(uint32_t message, uintptr_t wParam, const UiNotice* notice);
  void Send(uint32_t message, uintptr_t wParam) { SendNotice(message, wParam, nullptr); }
  // Starts a worker and closes its handle at once; the field is left null. False without a thread.
  bool StartWorker(SystemHandle& field, std::function<void()> body);
  // A named control of the install tab, or null.
  ui::Control* InstallControl(const wchar_t* name) const;
  // The port name of the row selected in the port list shown, or empty.
  std::wstring PortOfSelectedRow() const;

  Platform& m_platform;
};
