#pragma once

#include <functional>
#include <vector>

#include "items/launch_item.h"

// What the list's own events do.
struct ListEventHandlers {
  std::function<void(int row, bool checked)> row_checked;
  std::function<void()> double_click;
  std::function<void()> enter;  // the list got the keyboard focus
};

// The main window's title list and its row buttons, as the list commands see them.
class ItemListView {
 public:
  virtual ~ItemListView() = default;
  // Shows one line per row: the title with the enabled flag as its check box.
  virtual void ShowRows(const std::vector<LaunchItem>& rows) = 0;
  // -1 when no row is selected.
  virtual int SelectedIndex() = 0;
  virtual void Select(int index) = 0;  // -1 clears the selection
  // Enables or disables Delete, Edit, Run, Up and Down together.
  virtual void EnableRowButtons(bool enabled) = 0;
  virtual void SetEventHandlers(ListEventHandlers handlers) = 0;
};
