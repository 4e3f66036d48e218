#include "ui/notification.h"

namespace ui {

bool NotifyPump::Dispatch(const Notification& notification) const {
  const auto found = handlers_.find(notification.type);
  if (found == handlers_.end() || !found->second) return false;
  found->second(notification);
  return true;
}

}  // namespace ui
