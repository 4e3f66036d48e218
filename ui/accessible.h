// What assistive technology is told about a window's controls, without a native window: which
// controls it sees and how they nest, and each one's name, role, state, bounds and value. The
// Win32 host answers MSAA from this (ui/win/accessible_win.cpp).
#pragma once

#include <string>
#include <vector>

#include "ui/geometry.h"

namespace ui {

class Control;
class WindowModel;

enum class AccessibleRole {
  kPushButton,
  kRadioButton,  // an option of a group
  kCheckBox,     // an option without a group
  kList,
  kListItem,
  kEditableText,
  kStaticText,
  kAnimation,  // a busy animation
};

enum AccessibleState : unsigned {
  kAccessibleFocused = 1u << 0,
  kAccessibleFocusable = 1u << 1,
  kAccessibleChecked = 1u << 2,
  kAccessibleSelected = 1u << 3,
  kAccessibleSelectable = 1u << 4,
  kAccessibleUnavailable = 1u << 5,  // disabled
  kAccessibleReadOnly = 1u << 6,
  kAccessibleProtected = 1u << 7,  // a password edit
  kAccessibleAnimated = 1u << 8,
};

struct AccessibleInfo {
  // The text the user sees, in the current language: a control's own text, else its tooltip,
  // else the text of the nearest label before it in reading order (an edit's or a list's caption).
  std::wstring name;
  AccessibleRole role = AccessibleRole::kStaticText;
  unsigned state = 0;
  Rect bounds;               // window client pixels
  std::wstring value;        // an edit's text (none for a password)
  std::wstring description;  // a log's newest line
};

// The controls assistive technology sees: buttons, options, edits, lists and their rows, labels
// with a text and busy animations, while they are shown.
bool IsAccessible(const Control& control);
// The seen controls under a parent in reading order, nested controls lifted to their nearest seen
// ancestor; a list's rows are its children. Null parent: the window's own.
std::vector<Control*> AccessibleChildren(const WindowModel& window, const Control* parent);
// The seen ancestor (the list of a row), or null for the window.
Control* AccessibleParent(const Control& control);
AccessibleInfo Describe(const WindowModel& window, const Control& control);

}  // namespace ui
