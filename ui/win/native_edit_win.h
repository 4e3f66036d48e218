// Native child windows behind the tree's Edit and RichEdit controls (RichEdit from msftedit).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/edit.h"

namespace ui {

// Answers WM_GETOBJECT for a native edit (0: not answered).
using AccessibleAnswer = std::function<LRESULT(WPARAM wParam, LPARAM objectId)>;

// Creates the native view for an edit control inside the parent window; null when it fails. The
// display scale and the font arrive with the control's first SyncView.
std::unique_ptr<NativeView> CreateNativeEditView(HWND parent, Edit& edit,
                                                 AccessibleAnswer accessible = nullptr);

// Routes a WM_COMMAND from a native edit (EN_CHANGE) back to its control; false when not one of ours.
bool OnNativeEditCommand(WPARAM wParam, LPARAM lParam);

}  // namespace ui
