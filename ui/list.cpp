#include "ui/list.h"

#include <algorithm>

#include "ui/label.h"
#include "ui/utf.h"
#include "ui/window_model.h"

namespace ui {
namespace {

constexpr int kDefaultHeaderHeight = 24;

Option* FirstOption(Control& control) {
  if (auto* option = dynamic_cast<Option*>(&control)) return option;
  if (Container* container = control.AsContainer()) {
    for (int i = 0; i < container->Count(); ++i) {
      if (Option* found = FirstOption(*container->ItemAt(i))) return found;
    }
  }
  return nullptr;
}

void FillRowBackground(Graphics& graphics, const Control& row, const ListItem& item, const Rect& rect) {
  const List* list = OwningList(row);
  if (list == nullptr) return;
  const ListItemInfo& info = list->ItemInfo();
  Color color = info.bkColor;
  if (item.IsRowSelected() && info.selectedBkColor != 0) {
    color = info.selectedBkColor;
  } else if ((row.State() & kStateHot) && info.hotBkColor != 0) {
    color = info.hotBkColor;
  }
  if (color != 0) graphics.FillRect(rect, color);
}

}  // namespace

List* OwningList(const Control& row) { return dynamic_cast<List*>(row.Parent()); }

bool IsListRow(const Control& control) {
  return (control.Kind() == ControlKind::kListElement || control.Kind() == ControlKind::kListTextElement) &&
         OwningList(control) != nullptr;
}

bool InsideList(const Control& control) {
  for (const Control* parent = control.Parent(); parent != nullptr; parent = parent->Parent()) {
    if (parent->Kind() == ControlKind::kList) return true;
  }
  return false;
}

bool ListHeaderItem::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "font") {
    font_ = ParseInt(value, -1);
  } else if (name == "textcolor") {
    textColor_ = ParseColor(value).value_or(0);
  } else if (name == "align") {
    const std::string v = AsciiLowerCopy(value);
    format_ = kTextVCenter | kTextSingleLine |
              (v == "left"    ? kTextLeft
               : v == "right" ? kTextRight
                              : kTextCenter);
  } else {
    return HorizontalLayout::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void ListHeaderItem::PaintText(Graphics& graphics) {
  const std::wstring text = DisplayText();
  if (text.empty() || Manager() == nullptr) return;
  graphics.DrawText(text, rect_,
                    {Manager()->ScaledFont(font_), textColor_ != 0 ? textColor_ : 0xFF000000, format_});
}

void ListElement::SetRowSelected(bool selected) {
  ListItem::SetRowSelected(selected);
  if (Option* option = FirstOption(*this); option != nullptr && selected) option->Selected(true, false);
  Invalidate();
  if (Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kStateChange);
}

void ListElement::Activate() {
  if (!IsEnabled()) return;
  const std::weak_ptr<void> alive = Liveness();
  if (List* list = OwningList(*this)) list->SelectRow(list->RowIndex(this), true);
  if (!alive.expired()) Notify(L"itemclick");
}

void ListElement::LayoutChildren(const Rect& inner) {
  const List* list = OwningList(*this);
  const std::vector<Rect> columns = list != nullptr ? list->ColumnRects() : std::vector<Rect>{};
  if (columns.empty()) {
    HorizontalLayout::LayoutChildren(inner);
    return;
  }
  // Children past the last column share what is left to the right of it.
  std::vector<Control*> rest;
  size_t column = 0;
  for (Control* child : Children()) {
    if (child->IsFloat()) continue;
    if (column >= columns.size()) {
      rest.push_back(child);
      continue;
    }
    const Rect& header = columns[column++];
    const Rect cell{std::max(header.left, inner.left), inner.top, std::min(header.right, inner.right),
                    inner.bottom};
    if (child->IsVisible()) PlaceSingle(*child, cell, Align::kStart, Spec(false).crossAlign);
  }
  if (!rest.empty()) {
    const int left = std::min(inner.right, std::max(inner.left, columns.back().right));
    LayoutBox(rest, {left, inner.top, inner.right, inner.bottom}, Spec(false), 0);
  }
}

void ListElement::PaintBackground(Graphics& graphics) {
  FillRowBackground(graphics, *this, *this, rect_);
  HorizontalLayout::PaintBackground(graphics);
}

void ListTextElement::SetColumnText(int column, std::wstring text) {
  if (column < 0 || column > 64) return;
  if (static_cast<size_t>(column) >= columns_.size()) columns_.resize(static_cast<size_t>(column) + 1);
  columns_[static_cast<size_t>(column)] = std::move(text);
  Invalidate();
}

std::wstring ListTextElement::ColumnText(int column) const {
  if (column < 0 || static_cast<size_t>(column) >= columns_.size()) return {};
  return columns_[static_cast<size_t>(column)];
}

void ListTextElement::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  Invalidate();
  if (Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kStateChange);
}

Rect ListTextElement::CheckBoxRect() const {
  if (checkBox_.cx <= 0 || checkBox_.cy <= 0) return {};
  const List* list = OwningList(*this);
  const std::vector<Rect> columns = list != nullptr ? list->ColumnRects() : std::vector<Rect>{};
  const int left = columns.empty() ? rect_.left : columns.front().left;
  const int width = Px(checkBox_.cx), height = Px(checkBox_.cy);
  const int top = rect_.top + (rect_.Height() - height) / 2;
  const int x = left + Px(4);
  return {x, top, x + width, top + height};
}

void ListTextElement::ClickAt(Point point) {
  if (!IsEnabled()) return;
  if (CheckBoxRect().Contains(point)) {
    const std::weak_ptr<void> alive = Liveness();
    SetChecked(!checked_);
    Notify(L"listitemchecked", 0, checked_ ? 1 : 0);
    if (alive.expired()) return;
  }
  Activate();
}

void ListTextElement::Activate() {
  if (!IsEnabled()) return;
  const std::weak_ptr<void> alive = Liveness();
  if (List* list = OwningList(*this)) list->SelectRow(list->RowIndex(this), true);
  if (!alive.expired()) Notify(L"itemclick");
}

void ListTextElement::SetRowSelected(bool selected) {
  ListItem::SetRowSelected(selected);
  Invalidate();
  if (Manager() != nullptr) Manager()->AccessibleChanged(this, AccessibleEvent::kStateChange);
}

bool ListTextElement::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "checkboxwidth") {
    checkBox_.cx = std::max(0, ParseInt(value));
  } else if (name == "checkboxheight") {
    checkBox_.cy = std::max(0, ParseInt(value));
  } else if (name == "checkboxnormalimage") {
    checkNormal_ = ParseImageDesc(value);
  } else if (name == "checkboxselectedimage") {
    checkSelected_ = ParseImageDesc(value);
  } else {
    return Control::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void ListTextElement::PaintBackground(Graphics& graphics) {
  FillRowBackground(graphics, *this, *this, rect_);
  Control::PaintBackground(graphics);
}

void ListTextElement::PaintStatusImage(Graphics& graphics) {
  const Rect box = CheckBoxRect();
  if (box.IsEmpty()) return;
  if (!(checked_ && DrawImage(graphics, checkSelected_, box))) DrawImage(graphics, checkNormal_, box);
}

void ListTextElement::PaintText(Graphics& graphics) {
  const List* list = OwningList(*this);
  if (list == nullptr || Manager() == nullptr) return;
  const ListItemInfo& info = list->ItemInfo();
  std::vector<Rect> columns = list->ColumnRects();
  if (columns.empty()) columns.push_back(rect_);
  const Color color = IsRowSelected() && info.selectedTextColor != 0 ? info.selectedTextColor
                      : info.textColor != 0                          ? info.textColor
                                                                     : 0xFF000000;
  const TextStyle style{Manager()->ScaledFont(info.font), color, info.align};
  const Rect box = CheckBoxRect();
  for (size_t i = 0; i < columns.size(); ++i) {
    Rect cell{columns[i].left, rect_.top, columns[i].right, rect_.bottom};
    if (i == 0 && !box.IsEmpty()) cell.left = box.right + Px(4);
    if (info.showColumnLine && info.lineColor != 0 && i + 1 < columns.size()) {
      graphics.FillRect({cell.right - 1, cell.top, cell.right, cell.bottom}, info.lineColor);
    }
    const std::wstring text = ColumnText(static_cast<int>(i));
    if (!text.empty()) graphics.DrawText(text, cell, style);
  }
  if (info.showRowLine && info.lineColor != 0) {
    graphics.FillRect({rect_.left, rect_.bottom - 1, rect_.right, rect_.bottom}, info.lineColor);
  }
}

List::List() : VerticalLayout(ControlKind::kList) {
  vscroll_ = true;
  SetClassName("ListEx");
}

ListHeader* List::Header() const {
  for (const auto& child : children_) {
    if (auto* header = dynamic_cast<ListHeader*>(child.get())) return header;
  }
  return nullptr;
}

int List::RowCount() const { return Count() - (Header() != nullptr ? 1 : 0); }

Control* List::RowAt(int index) const {
  if (index < 0) return nullptr;
  for (const auto& child : children_) {
    if (dynamic_cast<ListHeader*>(child.get()) != nullptr) continue;
    if (index-- == 0) return child.get();
  }
  return nullptr;
}

int List::RowIndex(const Control* row) const {
  int index = 0;
  for (const auto& child : children_) {
    if (dynamic_cast<ListHeader*>(child.get()) != nullptr) continue;
    if (child.get() == row) return index;
    ++index;
  }
  return -1;
}

void List::RemoveAllRows() {
  for (int i = Count() - 1; i >= 0; --i) {
    Control* child = ItemAt(i);
    if (dynamic_cast<ListHeader*>(child) == nullptr) Remove(child);
  }
  scrollPos_ = 0;
}

int List::SelectedIndex() const {
  for (int i = 0; i < RowCount(); ++i) {
    const auto* item = dynamic_cast<const ListItem*>(RowAt(i));
    if (item != nullptr && item->IsRowSelected()) return i;
  }
  return -1;
}

bool List::SelectRow(int index, bool notify) {
  Control* row = RowAt(index);
  if (row == nullptr) return false;
  const int old = SelectedIndex();
  for (int i = 0; i < RowCount(); ++i) {
    if (auto* item = dynamic_cast<ListItem*>(RowAt(i));
        item != nullptr && i != index && item->IsRowSelected()) {
      item->SetRowSelected(false);
    }
  }
  if (auto* item = dynamic_cast<ListItem*>(row)) item->SetRowSelected(true);
  if (notify && old != index) Notify(L"itemselect", static_cast<uintptr_t>(index), old);
  return true;
}

std::vector<Rect> List::ColumnRects() const {
  std::vector<Rect> columns;
  const ListHeader* header = Header();
  if (header == nullptr || !header->IsVisible()) return columns;
  for (int i = 0; i < header->Count(); ++i) {
    const Control* item = header->ItemAt(i);
    if (item->IsVisible()) {
      columns.push_back(item->GetRect());
    } else {
      const int x = columns.empty() ? header->GetRect().left : columns.back().right;
      columns.push_back({x, item->GetRect().top, x, item->GetRect().bottom});
    }
  }
  return columns;
}

bool List::ApplyAttribute(std::string_view name, std::string_view value) {
  if (name == "itemfont") {
    info_.font = ParseInt(value, -1);
  } else if (name == "itemtextcolor") {
    info_.textColor = ParseColor(value).value_or(0);
  } else if (name == "itemselectedtextcolor") {
    info_.selectedTextColor = ParseColor(value).value_or(0);
  } else if (name == "itemalign") {
    const std::string v = AsciiLowerCopy(value);
    info_.align = kTextVCenter | kTextSingleLine |
                  (v == "left"    ? kTextLeft
                   : v == "right" ? kTextRight
                                  : kTextCenter);
  } else if (name == "itembkcolor") {
    info_.bkColor = ParseColor(value).value_or(0);
  } else if (name == "itemselectedbkcolor") {
    info_.selectedBkColor = ParseColor(value).value_or(0);
  } else if (name == "itemhotbkcolor") {
    info_.hotBkColor = ParseColor(value).value_or(0);
  } else if (name == "itemlinecolor") {
    info_.lineColor = ParseColor(value).value_or(0);
  } else if (name == "itemshowrowline") {
    info_.showRowLine = ParseBool(value);
  } else if (name == "itemshowcolumnline") {
    info_.showColumnLine = ParseBool(value);
  } else if (name == "headerbkimage") {
    headerBkImage_ = std::string(value);
    if (ListHeader* header = Header()) header->SetAttribute("bkimage", headerBkImage_);
  } else {
    return VerticalLayout::ApplyAttribute(name, value);
  }
  Invalidate();
  return true;
}

void List::ChildAdded(Control* child, int index) {
  (void)index;
  if (dynamic_cast<ListHeader*>(child) != nullptr && !headerBkImage_.empty() &&
      child->Attribute("bkimage") == nullptr) {
    child->SetAttribute("bkimage", headerBkImage_);
  }
}

void List::LayoutChildren(const Rect& inner) {
  Rect rows = inner;
  ListHeader* header = Header();
  std::vector<Control*> items;
  for (const auto& child : children_) {
    if (child.get() != header) items.push_back(child.get());
  }
  if (header != nullptr && header->IsVisible()) {
    const int height = header->EstimateSize({inner.Width(), inner.Height()}).cy;
    const int headerHeight = height > 0 ? height : Px(kDefaultHeaderHeight);
    header->SetPos({inner.left, inner.top, inner.right, std::min(inner.bottom, inner.top + headerHeight)});
    rows.top = std::min(inner.bottom, inner.top + headerHeight);
  }
  LayoutScrolling(items, rows, Spec(true));
}

}  // namespace ui
