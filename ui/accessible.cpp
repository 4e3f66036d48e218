#include "ui/accessible.h"

#include "ui/edit.h"
#include "ui/gif_anim.h"
#include "ui/label.h"
#include "ui/list.h"
#include "ui/window_model.h"

namespace ui {
namespace {

bool IsTextLabel(const Control& control) {
  return control.Kind() == ControlKind::kLabel && !control.DisplayText().empty();
}

// A control without a text of its own is named by the label before it, as a dialog names an edit
// by the static text in front of it.
std::wstring LabelBefore(const WindowModel& window, const Control& control) {
  std::wstring label;
  bool reached = false;
  window.VisitInReadingOrder([&](Control& visited) {
    if (reached) return false;
    if (&visited == &control) {
      reached = true;
      return false;
    }
    if (IsTextLabel(visited) && !InsideList(visited)) label = visited.DisplayText();
    return true;
  });
  return label;
}

std::wstring RowName(const Control& row) {
  std::wstring name;
  const auto add = [&name](const std::wstring& text) {
    if (text.empty()) return;
    if (!name.empty()) name += L", ";
    name += text;
  };
  if (const auto* text = dynamic_cast<const ListTextElement*>(&row)) {
    for (int i = 0; i <= 64; ++i) add(text->ColumnText(i));  // columns beyond the last are empty
    return name;
  }
  if (const Container* cells = const_cast<Control&>(row).AsContainer()) {
    for (int i = 0; i < cells->Count(); ++i) {
      const Control* cell = cells->ItemAt(i);
      if (cell->IsVisible() && cell->Kind() == ControlKind::kLabel) add(cell->DisplayText());
    }
  }
  return name;
}

std::wstring LastLine(const std::wstring& text) {
  const size_t end = text.find_last_not_of(L"\r\n");
  if (end == std::wstring::npos) return {};
  const size_t breakBefore = text.find_last_of(L"\r\n", end);
  const size_t start = breakBefore == std::wstring::npos ? 0 : breakBefore + 1;
  return text.substr(start, end + 1 - start);
}

bool EnabledInTree(const Control& control) {
  for (const Control* c = &control; c != nullptr; c = c->Parent()) {
    if (!c->IsEnabled()) return false;
  }
  return true;
}

}  // namespace

bool IsAccessible(const Control& control) {
  if (!control.IsVisibleInTree()) return false;
  if (IsListRow(control)) return true;
  if (InsideList(control)) return false;  // header parts and the cells of rows
  switch (control.Kind()) {
    case ControlKind::kButton:
    case ControlKind::kFadeButton:
    case ControlKind::kOption:
    case ControlKind::kEdit:
    case ControlKind::kRichEdit:
    case ControlKind::kList:
    case ControlKind::kGifAnim:
      return true;
    case ControlKind::kLabel:
      return IsTextLabel(control);
    default:
      return false;
  }
}

Control* AccessibleParent(const Control& control) {
  for (Control* parent = control.Parent(); parent != nullptr; parent = parent->Parent()) {
    if (IsAccessible(*parent)) return parent;
  }
  return nullptr;
}

std::vector<Control*> AccessibleChildren(const WindowModel& window, const Control* parent) {
  std::vector<Control*> children;
  if (parent == nullptr) {
    window.VisitInReadingOrder([&](Control& control) {
      if (!IsAccessible(control)) return true;
      children.push_back(&control);
      return false;  // a list's rows are its own children; nothing else seen holds controls
    });
  } else if (const auto* list = dynamic_cast<const List*>(parent)) {
    for (int i = 0; i < list->RowCount(); ++i) {
      if (IsAccessible(*list->RowAt(i))) children.push_back(list->RowAt(i));
    }
  }
  return children;
}

AccessibleInfo Describe(const WindowModel& window, const Control& control) {
  AccessibleInfo info;
  info.bounds = control.GetRect();
  if (window.FocusedControl() == &control) info.state |= kAccessibleFocused;
  if (window.CanTakeFocus(control)) info.state |= kAccessibleFocusable;
  if (!EnabledInTree(control)) info.state |= kAccessibleUnavailable;
  const auto ownText = [&] {
    std::wstring text = control.DisplayText();
    if (text.empty()) text = control.DisplayTooltip();
    return text.empty() ? LabelBefore(window, control) : text;
  };
  const auto captioned = [&] {
    const std::wstring tooltip = control.DisplayTooltip();
    return tooltip.empty() ? LabelBefore(window, control) : tooltip;
  };
  if (IsListRow(control)) {
    info.role = AccessibleRole::kListItem;
    info.name = RowName(control);
    info.state |= kAccessibleSelectable;
    if (const auto* item = dynamic_cast<const ListItem*>(&control);
        item != nullptr && item->IsRowSelected()) {
      info.state |= kAccessibleSelected;
    }
    if (const auto* text = dynamic_cast<const ListTextElement*>(&control);
        text != nullptr && text->IsChecked()) {
      info.state |= kAccessibleChecked;
    }
    return info;
  }
  switch (control.Kind()) {
    case ControlKind::kButton:
    case ControlKind::kFadeButton:
      info.role = AccessibleRole::kPushButton;
      info.name = ownText();
      break;
    case ControlKind::kOption: {
      const auto& option = static_cast<const Option&>(control);
      info.role = option.Group().empty() ? AccessibleRole::kCheckBox : AccessibleRole::kRadioButton;
      info.name = ownText();
      if (option.IsSelected()) info.state |= kAccessibleChecked;
      break;
    }
    case ControlKind::kEdit:
    case ControlKind::kRichEdit: {
      const auto& edit = static_cast<const Edit&>(control);
      info.role = AccessibleRole::kEditableText;
      info.name = captioned();
      if (edit.IsReadOnly()) info.state |= kAccessibleReadOnly;
      if (edit.IsPassword()) {
        info.state |= kAccessibleProtected;
      } else {
        info.value = edit.Text();
      }
      if (control.Kind() == ControlKind::kRichEdit) info.description = LastLine(edit.Text());
      break;
    }
    case ControlKind::kList:
      info.role = AccessibleRole::kList;
      info.name = captioned();
      break;
    case ControlKind::kGifAnim:
      info.role = AccessibleRole::kAnimation;
      info.name = captioned();
      if (static_cast<const GifAnim&>(control).IsPlaying()) info.state |= kAccessibleAnimated;
      break;
    default:
      info.role = AccessibleRole::kStaticText;
      info.name = control.DisplayText();
      break;
  }
  return info;
}

void WindowModel::AccessibleChanged(Control* control, AccessibleEvent event) {
  if (host_ == nullptr || (control != nullptr && !IsAccessible(*control))) return;
  host_->AccessibleChanged(control, event);
}

int WindowModel::AccessibleId(const Control* control) {
  if (control == nullptr || control->Manager() != this) return 0;
  const auto [at, added] = accessibleIds_.emplace(control, nextAccessibleId_);
  if (added) accessibleControls_[nextAccessibleId_++] = const_cast<Control*>(control);
  return at->second;
}

Control* WindowModel::ControlByAccessibleId(int id) const {
  const auto found = accessibleControls_.find(id);
  return found == accessibleControls_.end() ? nullptr : found->second;
}

}  // namespace ui
