// The add-port popup's behaviour apart from its native window: one row per port monitor that can
// add a port, the row the user chose, and the spooler asked to show that monitor's own dialog.
#pragma once

#include <string>
#include <vector>

#include "context/platform.h"
#include "printsys/print_spooler.h"
#include "ui/window_model.h"

// The monitors offered, in row order.
const std::vector<std::wstring>& AddPortMonitors();

class AddPortPopupLogic {
 public:
  AddPortPopupLogic(ui::WindowModel& model, PrintSpooler& spooler) : model_(model), spooler_(spooler) {}

  // Fills the list once the controls exist: "1" .. "4" and the monitor names.
  void Initialise();
  // Every notification of the popup; an item click chooses that row's monitor.
  void OnNotification(const ui::Notification& notification);
  // True when the click closes the popup (result 0). Add hands the chosen monitor to the spooler
  // with the popup as the parent of the monitor's dialog, and the popup stays open whatever it did.
  bool OnClick(const ui::Control& control, WindowHandle popup);

  const std::wstring& SelectedMonitor() const { return selected_; }

 private:
  ui::WindowModel& model_;
  PrintSpooler& spooler_;
  std::wstring selected_;
};
