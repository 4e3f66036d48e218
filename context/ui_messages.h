// The main window's message table. The numbers lie below WM_USER on purpose and are fixed.
#pragma once

#include <cstdint>
#include <string>

enum UiMessage : uint32_t {
  UM_LANGUAGE_CHANGED = 750,
  UM_DELETE_LOG = 751,
  UM_INSTALL_LOG = 752,
  // wParam 1 while a run works, 0 when it ends; the ending one may carry a UiNotice whose alert
  // says the worker failed (the page's heading then says so, as it does for a red log line).
  UM_DELETE_BUSY = 753,
  UM_INSTALL_BUSY = 754,
  UM_SHOW_FINISH_BAR = 756,
  UM_SHOW_STEP_BAR = 757,
  UM_SHOW_PRINTER_ACTIONS = 758,
  UM_PRINTER_NAME_STATUS = 759,
  UM_NEXT_BUTTON = 760,
  UM_PREVIOUS_BUTTON = 761,
  UM_GO_NEXT_PAGE = 768,
  UM_BT_ADAPTER_STATUS = 770,
};

// The size of what the main window writes into its rich edits (the logs, the removal summary), in
// twips, for the languages whose page text is kBaseTextSize pixels; the others' grows with theirs.
constexpr int kLogTextTwips = 225;
constexpr int kBaseTextSize = 14;

// Payload carried by pointer in lParam; it belongs to the sender and lives only during the send.
struct UiNotice {
  std::wstring text;  // text to show, or a text key for a resource-text control
  bool alert = false;
  bool clear = false;
  bool enable = true;
};
