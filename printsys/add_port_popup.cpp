#include "printsys/add_port_popup.h"

#include "context/text_util.h"
#include "ui/list.h"

namespace {

const wchar_t kRowName[] = L"listex_addport_type_item";
constexpr int kRowHeight = 30;

bool Named(const ui::Control& control, const wchar_t* name) { return LowerCopy(control.Name()) == LowerCopy(name); }

}  // namespace

const std::vector<std::wstring>& AddPortMonitors() {
  static const std::vector<std::wstring> monitors = {L"WSD Port", L"Standard TCP/IP Port", L"Local Port", L"Appmon"};
  return monitors;
}

void AddPortPopupLogic::Initialise() {
  auto* list = model_.Find<ui::List>(L"listex_addport_type");
  if (list == nullptr) return;
  const std::vector<std::wstring>& monitors = AddPortMonitors();
  for (size_t i = 0; i < monitors.size(); ++i) {
    auto row = std::make_unique<ui::ListTextElement>();
    row->SetFixedHeight(kRowHeight);
    row->SetName(kRowName);
    ui::ListTextElement* added = static_cast<ui::ListTextElement*>(list->AddRow(std::move(row)));
    added->SetAttribute("style", "listex_item_style");
    added->SetColumnText(0, std::to_wstring(i + 1));
    added->SetColumnText(1, monitors[i]);
  }
}

void AddPortPopupLogic::OnNotification(const ui::Notification& notification) {
  if (notification.type != L"itemclick" || notification.sender == nullptr) return;
  if (!Named(*notification.sender, kRowName)) return;
  if (auto* row = dynamic_cast<const ui::ListTextElement*>(notification.sender)) selected_ = row->ColumnText(1);
}

bool AddPortPopupLogic::OnClick(const ui::Control& control, WindowHandle popup) {
  if (Named(control, L"closebtn") || Named(control, L"btn_port_cancel")) return true;
  if (Named(control, L"btn_port_add")) spooler_.AddPortThroughMonitor(popup, selected_);
  return false;
}
