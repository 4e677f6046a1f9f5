#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "editing/item_list_view.h"
#include "editing/win32/list_pane.h"
#include "platform/win32/controls/list_view.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/window_base.h"

// The title list "T_ListBox" on the main window's application page: its rows, check boxes,
// selection, context menu and notifications. The main window makes the list's window and hands
// it over; until then the rows are kept.
class ItemListPane : public ItemListView, public ListPane, private WindowBase {
 public:
  // `window` makes the list's window on demand and switches the row buttons.
  explicit ItemListPane(ListPaneHost& window) : window_(window) {}

  // ListPane.
  void Attach(HWND list) override;
  LRESULT Notify(const NMHDR& header) override;
  void DrawRow(const DRAWITEMSTRUCT& item) override;
  void DpiChanged(int dpi) override;
  bool SelectFirstRowAndFocus() override;

  // ItemListView.
  void ShowRows(const std::vector<LaunchItem>& rows) override;
  int SelectedIndex() override;
  void Select(int index) override;
  void EnableRowButtons(bool enabled) override { window_.EnableRowButtons(enabled); }
  void SetEventHandlers(ListEventHandlers handlers) override { events_ = std::move(handlers); }

 private:
  // WindowBase: the list's own messages.
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnDestroy() override { title_list_ = ListView(); }
  void TitleListItemChanged(const NMLISTVIEW& change);  // T_ListBoxItemChanged
  void TitleListContextPopup(POINT screen_point);       // T_ListBoxContextPopup
  void CreateListMenu();                                // PopupMenu2

  ListPaneHost& window_;
  ListView title_list_;
  OwnedFont font_;
  OwnedMenu list_menu_;
  ListEventHandlers events_;
  std::vector<LaunchItem> rows_;  // kept until the list exists
  bool filling_list_ = false;
};
