// Control notifications and the handler tables they are routed to.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace ui {

class Control;

struct Notification {
  std::wstring type;  // "click", "selectchanged", "itemclick", "textchanged", "listitemchecked"...
  Control* sender = nullptr;
  uintptr_t wParam = 0;
  intptr_t lParam = 0;
  std::wstring virtualWnd;  // the sender's virtualwnd, inherited from its nearest ancestor that has one
};

// A table of handlers by notification type; a window's own table and every virtual window is one.
class NotifyPump {
 public:
  using Handler = std::function<void(const Notification&)>;
  virtual ~NotifyPump() = default;

  // Replaces any handler of that type; types compare exactly.
  void On(const std::wstring& type, Handler handler) { handlers_[type] = std::move(handler); }
  // True when a handler of the notification's type ran.
  bool Dispatch(const Notification& notification) const;

 private:
  std::map<std::wstring, Handler> handlers_;
};

// A window's own notification handler, which sees every notification first.
class NotificationHandler {
 public:
  virtual ~NotificationHandler() = default;
  // Answer true to stop the notification there; false passes it on to the handler tables.
  virtual bool HandleNotification(const Notification& notification) = 0;
};

}  // namespace ui
