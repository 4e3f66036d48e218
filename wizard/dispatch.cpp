// The wizard's share of the main window's notifications and clicks, dispatched by the sender's name
// without regard to case. The removal pages add their rows with the removal lists.
#include "context/app_context.h"
#include "context/text_util.h"
#include "printsys/shell_commands.h"
#include "ui/edit.h"
#include "ui/label.h"
#include "ui/notification.h"
#include "wizard/list_rows.h"

namespace {

bool Named(const ui::Control& control, const wchar_t* name) { return LowerCopy(control.Name()) == LowerCopy(name); }

bool IsTextChange(const ui::Notification& notification) { return notification.type == L"textchanged"; }

// An option's state after the click that is being handled: the handler runs before it flips.
bool StateAfterClick(const ui::Control& control) {
  const auto* option = dynamic_cast<const ui::Option*>(&control);
  return option != nullptr && !option->IsSelected();
}

}  // namespace

void CAppContext::OnWizardNotify(const ui::Notification& notification) {
  if (OnRemovalNotify(notification)) return;
  ui::Control* sender = notification.sender;
  if (sender == nullptr) return;
  if (Named(*sender, L"listex_install_show_blue_item")) {
    m_btDeviceIndex = RowIndexInList(sender);
    SetNextButton(true, true, L"");
  } else if (Named(*sender, L"listex_install_show_usb_item")) {
    m_usbPortIndex = RowIndexInList(sender);
    ui::Control* port = sender->FindByName(L"label1");
    m_portName = port != nullptr ? port->Text() : L"";
    SetNextButton(true, true, L"");
  } else if (Named(*sender, L"listex_install_driver_item")) {
    m_driverIndex = static_cast<int32_t>(std::wcstol(sender->UserData().c_str(), nullptr, 10));
    SetNextButton(true, true, L"");
  } else if (Named(*sender, L"listex_install_port_item")) {
    m_portName = sender->UserData();
    SetNextButton(true, true, L"");
  } else if (Named(*sender, L"edit_install_printer_name")) {
    if (IsTextChange(notification)) m_printerName = sender->Text();
  } else if (Named(*sender, L"edit_install_lan_ip")) {
    if (IsTextChange(notification)) m_lanAddress = sender->Text();
  } else if (Named(*sender, L"edit_usecustom_pin")) {
    if (IsTextChange(notification)) FilterPinEdit(sender);
  } else if (Named(*sender, L"edit_install_lan_portName")) {
    if (IsTextChange(notification)) m_portName = sender->Text();
  }
}

void CAppContext::OnWizardClick(ui::Control* control) {
  if (control == nullptr || OnRemovalClick(control)) return;
  struct KindOption {
    const wchar_t* name;
    PortKind kind;
  };
  static constexpr KindOption kKindOptions[] = {
      {L"option_port_usb", kPortUsb}, {L"option_port_net", kPortNetwork}, {L"option_port_bluetooth", kPortBluetooth},
      {L"option_port_lpt", kPortLpt}, {L"option_port_com", kPortCom},     {L"option_port_custom", kPortCustom},
  };
  for (const KindOption& option : kKindOptions) {
    if (!Named(*control, option.name)) continue;
    m_portKind = option.kind;
    if (option.kind == kPortBluetooth) {
      CheckBluetoothAdapter(false);
    } else {
      PostBtAdapterStatus(false, L"");
    }
    return;
  }
  if (Named(*control, L"option_usecustom_pin")) {
    m_useCustomPin = StateAfterClick(*control) ? 1 : 0;
  } else if (Named(*control, L"btn_test_usb")) {
    TestUsbPort();
  } else if (Named(*control, L"btn_port_add")) {
    AddPortByPopup();
  } else if (Named(*control, L"btn_port_delete")) {
    DeleteSelectedPort();
  } else if (Named(*control, L"btn_port_configure")) {
    ConfigureSelectedPort();
  } else if (Named(*control, L"option_selected_defaultPrinter")) {
    m_setDefault = StateAfterClick(*control) ? 1 : 0;
  } else if (Named(*control, L"btn_checked_printer_name")) {
    ReportPrinterNameCheck();
  } else if (Named(*control, L"btn_setup_preferences")) {
    RunPrinterAction(kPreferencesPattern);
  } else if (Named(*control, L"btn_setup_properties")) {
    RunPrinterAction(kPropertiesPattern);
  } else if (Named(*control, L"btn_setup_testpage")) {
    RunPrinterAction(kTestPagePattern);
  }
}
