// Making controls for layout tags: the framework's own tags, then classes registered by name
// ("C" + tag + "UI", as the program registers "CCircleProgressUI"), then the window's callback.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

class CreateControlCallback;

using ControlMaker = std::function<std::unique_ptr<Control>()>;

class ControlRegistry {
 public:
  static ControlRegistry& Instance();

  // Class names ignore ASCII case; registering a name again replaces its maker.
  void Register(std::string_view className, ControlMaker maker);
  bool IsRegistered(std::string_view className) const;
  // Null when no maker is registered under the name or the maker makes nothing.
  std::unique_ptr<Control> Create(std::string_view className) const;
  void Clear() { makers_.clear(); }

 private:
  std::map<std::string, ControlMaker, std::less<>> makers_;
};

// A control for one of the framework's own tags (ignoring case), or null.
std::unique_ptr<Control> CreateBuiltinControl(std::string_view tag);

// The whole rule: a framework tag, else the class registered as "C<tag>UI", else the callback.
// Null when none of them knows the tag. The control's class name is set to the tag.
std::unique_ptr<Control> CreateControlForTag(std::string_view tag, const ControlRegistry& registry,
                                             CreateControlCallback* callback);

}  // namespace ui
