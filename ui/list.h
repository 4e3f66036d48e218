// ListEx and its parts: a header of column items, and rows that are either layouts built from a
// row template (ListContainerElement) or text rows made in code with a check box (ListTextElement).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/container.h"
#include "ui/graphics.h"

namespace ui {

class List;

// Row appearance shared by all rows of a list (the list's item* attributes).
struct ListItemInfo {
  int font = -1;
  Color textColor = 0;
  Color selectedTextColor = 0;
  unsigned align = kTextCenter | kTextVCenter | kTextSingleLine;
  Color bkColor = 0;
  Color selectedBkColor = 0;
  Color hotBkColor = 0;
  Color lineColor = 0;
  bool showRowLine = false;
  bool showColumnLine = false;
};

// The selection state every kind of row has.
class ListItem {
 public:
  virtual ~ListItem() = default;
  bool IsRowSelected() const { return rowSelected_; }
  virtual void SetRowSelected(bool selected) { rowSelected_ = selected; }

 protected:
  bool rowSelected_ = false;
};

class ListHeaderItem : public HorizontalLayout {
 public:
  ListHeaderItem() : HorizontalLayout(ControlKind::kListHeaderItem) {}

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintText(Graphics& graphics) override;

 private:
  int font_ = -1;
  Color textColor_ = 0;
  unsigned format_ = kTextCenter | kTextVCenter | kTextSingleLine;
};

class ListHeader : public HorizontalLayout {
 public:
  ListHeader() : HorizontalLayout(ControlKind::kListHeader) {}
};

// A row built from a template. In a list with a shown header its n-th child sits in the header's n-th
// column, shown or not, so each text stands under its heading; without a header the row lays its
// children out like a horizontal layout. Selecting it also selects its first option (the row's
// check mark) without a notification.
class ListElement : public HorizontalLayout, public ListItem {
 public:
  ListElement() : HorizontalLayout(ControlKind::kListElement) {}
  void SetRowSelected(bool selected) override;
  // Selects the row in its list and sends "itemclick".
  void Activate() override;
  bool WantsClicks() const override { return true; }

 protected:
  void LayoutChildren(const Rect& inner) override;
  void PaintBackground(Graphics& graphics) override;
};

class ListTextElement : public Control, public ListItem {
 public:
  ListTextElement() : Control(ControlKind::kListTextElement) {}

  void SetColumnText(int column, std::wstring text);
  std::wstring ColumnText(int column) const;
  bool IsChecked() const { return checked_; }
  void SetChecked(bool checked);
  // The check box, left in the first column; empty without a check box size.
  Rect CheckBoxRect() const;
  // A click at a point of the row: on the check box it flips the mark and sends
  // "listitemchecked" (lParam the new state); every click then selects the row and sends "itemclick".
  void ClickAt(Point point);
  void Activate() override;
  bool WantsClicks() const override { return true; }
  void SetRowSelected(bool selected) override;

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void PaintBackground(Graphics& graphics) override;
  void PaintText(Graphics& graphics) override;
  void PaintStatusImage(Graphics& graphics) override;

 private:
  std::vector<std::wstring> columns_;
  bool checked_ = false;
  Size checkBox_;
  ImageDesc checkNormal_, checkSelected_;
};

class List : public VerticalLayout {
 public:
  List();

  ListHeader* Header() const;
  int RowCount() const;
  Control* RowAt(int index) const;
  int RowIndex(const Control* row) const;
  Control* AddRow(std::unique_ptr<Control> row) { return Add(std::move(row)); }
  bool RemoveRow(Control* row) { return Remove(row); }
  // Removes every row and keeps the header.
  void RemoveAllRows();

  // Selects one row and deselects the others; "itemselect" (wParam the index, lParam the old
  // index) when notify is set. False for an index outside the rows.
  bool SelectRow(int index, bool notify = false);
  // The selected row's index, or -1.
  int SelectedIndex() const;

  const ListItemInfo& ItemInfo() const { return info_; }
  // The horizontal extent of each header column (the row's vertical extent is filled in by rows);
  // a hidden column is empty, at the right edge of the one before it. None without a shown header.
  std::vector<Rect> ColumnRects() const;

 protected:
  bool ApplyAttribute(std::string_view name, std::string_view value) override;
  void LayoutChildren(const Rect& inner) override;
  void ChildAdded(Control* child, int index) override;

 private:
  ListItemInfo info_;
  std::string headerBkImage_;
};

// The list a row belongs to, or null.
List* OwningList(const Control& row);
// A row of a list (a template row or a text row, not the header).
bool IsListRow(const Control& control);
// Within a list: its header and its rows with their parts.
bool InsideList(const Control& control);

}  // namespace ui
