// MSAA for a hosted window: an IAccessible tree over the model's accessible description
// (ui/accessible.h), answered on WM_GETOBJECT, and NotifyWinEvent for its changes.
#pragma once

#include <windows.h>

#include <memory>

namespace ui {

// IID_IAccessible. mingw's import library resolves that name to a thunk of oleacc.dll's export of
// it, not to the GUID, so the GUID is spelled out here once.
inline constexpr IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class Control;
class WindowModel;
enum class AccessibleEvent;
struct AccessibleLink;

class AccessibleWindow {
 public:
  AccessibleWindow(HWND window, WindowModel& model);
  // Objects that clients still hold answer "disconnected" from then on.
  ~AccessibleWindow();
  AccessibleWindow(const AccessibleWindow&) = delete;
  AccessibleWindow& operator=(const AccessibleWindow&) = delete;

  // The answer to WM_GETOBJECT: the window's client object, or with a control the object of that
  // control (a native edit answers for its Edit). 0 for object ids other than the client's.
  LRESULT GetObject(WPARAM wParam, LPARAM objectId, Control* control = nullptr);
  // The drawn control that took the focus (a native edit's focus the system reports itself).
  void FocusChanged(Control* focused);
  void Changed(Control* control, AccessibleEvent event);

 private:
  std::shared_ptr<AccessibleLink> link_;
};

}  // namespace ui
