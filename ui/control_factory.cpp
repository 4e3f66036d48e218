#include "ui/control_factory.h"

#include "ui/container.h"
#include "ui/edit.h"
#include "ui/gif_anim.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {

ControlRegistry& ControlRegistry::Instance() {
  static ControlRegistry registry;
  return registry;
}

void ControlRegistry::Register(std::string_view className, ControlMaker maker) {
  makers_[AsciiLowerCopy(className)] = std::move(maker);
}

bool ControlRegistry::IsRegistered(std::string_view className) const {
  return makers_.count(AsciiLowerCopy(className)) != 0;
}

std::unique_ptr<Control> ControlRegistry::Create(std::string_view className) const {
  const auto found = makers_.find(AsciiLowerCopy(className));
  if (found == makers_.end() || !found->second) return nullptr;
  return found->second();
}

std::unique_ptr<Control> CreateBuiltinControl(std::string_view tag) {
  const std::string t = AsciiLowerCopy(tag);
  if (t == "control") return std::make_unique<Control>();
  if (t == "label") return std::make_unique<Label>();
  if (t == "button") return std::make_unique<Button>();
  if (t == "fadebutton") return std::make_unique<FadeButton>();
  if (t == "option") return std::make_unique<Option>();
  if (t == "edit") return std::make_unique<Edit>();
  if (t == "richedit") return std::make_unique<RichEdit>();
  if (t == "gifanim") return std::make_unique<GifAnim>();
  if (t == "container") return std::make_unique<Container>();
  if (t == "verticallayout") return std::make_unique<VerticalLayout>();
  if (t == "horizontallayout") return std::make_unique<HorizontalLayout>();
  if (t == "animationtablayout") return std::make_unique<TabLayout>(true);
  if (t == "tablayout") return std::make_unique<TabLayout>();
  if (t == "listex" || t == "list") return std::make_unique<List>();
  if (t == "listheader") return std::make_unique<ListHeader>();
  if (t == "listcontainerheaderitem" || t == "listheaderitem") return std::make_unique<ListHeaderItem>();
  if (t == "listcontainerelement") return std::make_unique<ListElement>();
  if (t == "listtextelement" || t == "listtextextelement") return std::make_unique<ListTextElement>();
  return nullptr;
}

std::unique_ptr<Control> CreateControlForTag(std::string_view tag, const ControlRegistry& registry,
                                             CreateControlCallback* callback) {
  std::unique_ptr<Control> control = CreateBuiltinControl(tag);
  if (!control) control = registry.Create("C" + std::string(tag) + "UI");
  if (!control && callback != nullptr) control = callback->CreateControl(tag);
  if (control) control->SetClassName(std::string(tag));
  return control;
}

}  // namespace ui
