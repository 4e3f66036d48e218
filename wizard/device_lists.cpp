// Install pages 2 and 3: the USB printer ports and the Bluetooth printers the search found, the
// pairing PIN, the Bluetooth adapter check and the direct write test of a USB port.
#include "app/localisation.h"
#include "bluetooth/bluetooth_printers.h"
#include "bluetooth/bluetooth_text.h"
#include "context/app_context.h"
#include "printsys/print_system.h"
#include "ui/edit.h"
#include "ui/list.h"
#include "wizard/list_rows.h"

namespace {

constexpr uint32_t kUsbTestWaitMs = 1000;
const uint8_t kUsbTestTail[] = {0x1B, 0x4A, 0x78};

}  // namespace

int CAppContext::ShowTipBox(const std::wstring& text, uint32_t flags) {
  return m_platform.dialogs.ShowMessageBox(m_hMainWnd, text, GetText(L"tip.dlgtitle"), flags);
}

void CAppContext::FillUsbList() {
  ui::List* list = EmptiedList(m_installTab, L"listex_install_show_usb");
  if (list == nullptr) return;
  const std::vector<UsbPortRecord> ports = m_usbPorts;
  for (size_t i = 0; i < ports.size(); ++i) {
    ui::Control* row = AddTemplateRow(*list, "listitemex.xml", L"listex_install_show_usb_item",
                                      L"listex_install_show_usb_group");
    if (row == nullptr) return;
    SetRowColumn(*row, 1, ports[i].portName);
    SetRowColumn(*row, 2, ports[i].hardwareName);
    const int index = static_cast<int>(i);
    if (m_usbPortIndex < 0 && index == 0) {
      m_usbPortIndex = 0;
      m_portName = ports[i].portName;
    } else if (index != m_usbPortIndex) {
      continue;
    }
    list->SelectRow(index);
    SetNextButton(true, true, L"");
  }
}

void CAppContext::FillBluetoothList() {
  auto* list = dynamic_cast<ui::List*>(InstallControl(L"listex_install_show_blue"));
  if (list == nullptr) return;
  if (ui::Control* pin = InstallControl(L"edit_usecustom_pin")) pin->SetText(m_btPin);
  list->RemoveAllRows();
  if (m_btDevices.empty()) return;
  for (const BluetoothDevice& device : m_btDevices) {
    ui::Control* row = AddTemplateRow(*list, "listitemex_blue.xml", L"listex_install_show_blue_item",
                                      L"listex_install_show_blue_group");
    if (row == nullptr) break;
    SetRowColumn(*row, 1, device.name);
    SetRowColumn(*row, 2, FormatBluetoothAddress(device.address, true));
    if (ui::Control* paired = row->FindByName(L"label1_icon")) paired->SetVisible(device.authenticated);
  }
  SetNextButton(false, true, L"");
}

void CAppContext::FilterPinEdit(ui::Control* edit) {
  const std::wstring filtered = FilterPinInput(edit->Text());
  if (filtered != edit->Text()) {
    edit->SetText(filtered);
    if (auto* native = dynamic_cast<ui::Edit*>(edit)) native->SetSelection(filtered.size(), filtered.size());
  }
  m_btPin = filtered;
}

bool CAppContext::ValidateBluetoothPin() {
  if (IsValidBluetoothPin(m_btPin)) return true;
  ShowTipBox(GetText(L"tip.pinerror"), kBoxIconInformation);
  return false;
}

bool CAppContext::CheckBluetoothAdapter(bool showBox) {
  const bool on = ::CheckBluetoothAdapter(*this, DefaultPrintSystem().devices, DefaultBluetoothStack());
  if (!on && showBox) ShowTipBox(GetText(L"tip.btadapter.pleasechecked"), kBoxIconInformation);
  return on;
}

void CAppContext::TestUsbPort() {
  const std::vector<UsbPortRecord> ports = m_usbPorts;
  if (m_usbPortIndex < 0) {
    ShowTipBox(GetText(L"tip.notselectusbport"), kBoxIconInformation);
    return;
  }
  if (m_usbPortIndex >= static_cast<int32_t>(ports.size())) return;
  const UsbPortRecord& port = ports[m_usbPortIndex];
  const std::string text = m_platform.files.ToAnsi(GetText(L"tip.currentportis") + port.portName);
  m_usbTestBuffer.assign(text.begin(), text.end());
  m_usbTestBuffer.insert(m_usbTestBuffer.end(), std::begin(kUsbTestTail), std::end(kUsbTestTail));
  if (port.devicePath.empty()) return;
  // A written line shows on the printer's output; a write that did not end in time is said.
  if (!DefaultPrintSystem().devices.WriteToDevice(port.devicePath, m_usbTestBuffer, kUsbTestWaitMs)) {
    ShowTipBox(GetTextWith(L"tip.usbtestnoanswer", port.portName), kBoxIconInformation);
  }
}
