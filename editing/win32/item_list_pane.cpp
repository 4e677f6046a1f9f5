#include "editing/win32/item_list_pane.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "core/texts.h"
#include "platform/win32/dpi.h"
#include "platform/win32/ui_font.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kListFontPixels = 15;

// The list's check boxes drawn at `size` pixels: unticked, then ticked, as the list's state
// images 1 and 2.
HIMAGELIST CheckBoxImages(int size) {
  HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR24, 2, 0);
  const WindowDc screen(nullptr);
  const OwnedMemoryDc dc(CreateCompatibleDC(screen.Get()));
  for (UINT state : {0u, static_cast<UINT>(DFCS_CHECKED)}) {
    const OwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), size, size));
    {
      // The list copies the bitmap only once it is out of the context.
      const SelectedObject drawn_on(dc.Get(), bitmap.Get());
      RECT box{0, 0, size, size};
      FillRect(dc.Get(), &box, GetSysColorBrush(COLOR_WINDOW));
      InflateRect(&box, -size / 8, -size / 8);
      DrawFrameControl(dc.Get(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | state);
    }
    ImageList_Add(images, bitmap.Get(), nullptr);
  }
  return images;
}

}  // namespace

void ItemListPane::Attach(HWND list) {
  title_list_ = ListView(list);
  font_ = CreateUiFont(Scale(kListFontPixels, WindowDpi(list)));
  UseFont(list, font_.Get());
  title_list_.SetExtendedListViewStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  title_list_.InsertColumn(0, 100);
  // Subclassed through the window's own procedure rather than the common controls' subclass
  // chain: under Wine that chain looks its data up in the server on every message, which made
  // filling a list of thousands of rows take seconds.
  // The frame, and the list with it, may go after the pane: the base gives the list its own
  // procedure back then.
  WindowBase::Attach(list);
  SetErrorReporter([this](const std::exception& error) { window_.ReportError(error); });
  CreateListMenu();
  ShowRows(rows_);
  rows_.clear();
}

void ItemListPane::DpiChanged(int dpi) {
  OwnedFont font = CreateUiFont(Scale(kListFontPixels, dpi));
  // The new font makes the list measure its rows again.
  SendMessageA(title_list_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  font_ = std::move(font);
  // The system made the check boxes for the DPI the program started at.
  const int size = SystemMetricForDpi(SM_CXSMICON, dpi);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(title_list_.GetImageList(LVSIL_STATE), &width, &height);
  if (width != size) {
    HIMAGELIST old = ListView_SetImageList(title_list_.Handle(), CheckBoxImages(size), LVSIL_STATE);
    if (old) ImageList_Destroy(old);
  }
  title_list_.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
}

void ItemListPane::CreateListMenu() {
  list_menu_.Reset(CreatePopupMenu());
  AppendMenuA(list_menu_.Get(), MF_STRING, IDM_ALL_OK, texts::kAllOkCaption);
  AppendMenuA(list_menu_.Get(), MF_STRING, IDM_ALL_NG, texts::kAllNgCaption);
  AppendMenuA(list_menu_.Get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(list_menu_.Get(), MF_STRING, IDM_MOVE_UP, texts::kMoveUpMenuCaption);
  AppendMenuA(list_menu_.Get(), MF_STRING, IDM_MOVE_DOWN, texts::kMoveDownMenuCaption);
}

std::optional<LRESULT> ItemListPane::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND list = title_list_.Handle();
  switch (message) {
    case WM_RBUTTONDOWN:
      // The context menu acts on the row selected before: a right click selects nothing.
      return 0;
    case WM_RBUTTONUP: {
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ClientToScreen(list, &point);
      TitleListContextPopup(point);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
      // The context-menu key opens the list's menu when it is let go, as Shift+F10 does; not
      // every system's default handling turns it into WM_CONTEXTMENU, and taking both of its
      // messages here keeps a system that does from opening the menu twice.
      if (wparam != VK_APPS) break;
      if (message == WM_KEYUP)
        SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
      return 0;
    case WM_CONTEXTMENU: {
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      if (lparam == -1) {  // from the keyboard: at the selected row, else the list's corner
        RECT rect{};
        const int selected = title_list_.GetNextItem(-1, LVNI_SELECTED);
        if (selected < 0 || !title_list_.GetItemRect(selected, rect, LVIR_LABEL)) rect = RECT{};
        point = POINT{rect.left, rect.bottom};
        ClientToScreen(list, &point);
      }
      TitleListContextPopup(point);
      return 0;
    }
    default:
      break;
  }
  return std::nullopt;
}

LRESULT ItemListPane::Notify(const NMHDR& header) {
  switch (header.code) {
    case LVN_ITEMCHANGED:
      TitleListItemChanged(reinterpret_cast<const NMLISTVIEW&>(header));
      break;
    case NM_DBLCLK:
      if (events_.double_click) events_.double_click();
      break;
    case NM_SETFOCUS:
      if (events_.enter) events_.enter();
      break;
  }
  return 0;
}

void ItemListPane::TitleListItemChanged(const NMLISTVIEW& change) {
  if (filling_list_ || change.iItem < 0 || !(change.uChanged & LVIF_STATE)) return;
  const UINT old_image = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
  const UINT new_image = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
  // 0 is a row that has no check box yet; 1 unticked, 2 ticked.
  if (old_image == 0 || new_image == 0 || old_image == new_image) return;
  if (events_.row_checked) events_.row_checked(change.iItem, new_image == 2);
}

void ItemListPane::TitleListContextPopup(POINT screen_point) {
  // The frame gets the chosen command and the menu's hints.
  TrackPopupMenu(list_menu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen_point.x, screen_point.y,
                 0, GetParent(title_list_.Handle()), nullptr);
}

void ItemListPane::DrawRow(const DRAWITEMSTRUCT& item) {
  const HDC dc = item.hDC;
  const int row = static_cast<int>(item.itemID);
  RECT rect = item.rcItem;
  FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
  // The check box where the list looks for clicks on it: its state image at the row's left.
  int label_left = rect.left;
  if (HIMAGELIST states = title_list_.GetImageList(LVSIL_STATE)) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(states, &width, &height);
    const int image = static_cast<int>(title_list_.GetItemState(row, LVIS_STATEIMAGEMASK) >> 12);
    if (image > 0)
      ImageList_DrawEx(states, image - 1, dc, rect.left, rect.top, width,
                       std::min(height, static_cast<int>(rect.bottom - rect.top)), CLR_NONE,
                       CLR_NONE, ILD_NORMAL);
    label_left += width;
  }
  RECT label{label_left, rect.top, rect.right, rect.bottom};
  const std::string title = title_list_.GetItemText(row, 0);
  SIZE extent{};
  const SelectedObject font(dc, font_.Get());
  GetTextExtentPoint32A(dc, title.c_str(), static_cast<int>(title.size()), &extent);
  const DpiScale px{WindowDpi(title_list_.Handle())};
  label.right = std::min(label.right, label.left + extent.cx + px(4));
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool active = GetFocus() == title_list_.Handle();
  COLORREF text_colour = GetSysColor(COLOR_WINDOWTEXT);
  if (selected) {
    // As the list paints itself: the selection stays visible, greyed, without the focus.
    FillRect(dc, &label, GetSysColorBrush(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (active) text_colour = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_colour = SetTextColor(dc, text_colour);
  RECT text = label;
  text.left += px(2);
  DrawTextA(dc, title.c_str(), static_cast<int>(title.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) && active) DrawFocusRect(dc, &label);
  SetTextColor(dc, old_colour);
  SetBkMode(dc, old_mode);
}

bool ItemListPane::SelectFirstRowAndFocus() {
  window_.EnsureControls();
  HWND list = title_list_.Handle();
  if (!IsWindowVisible(list) || !IsWindowEnabled(list)) return false;
  if (title_list_.GetItemCount() > 0) Select(0);
  SetFocus(list);
  return GetFocus() == list;
}

void ItemListPane::ShowRows(const std::vector<LaunchItem>& rows) {
  if (!title_list_.Handle()) {
    rows_ = rows;
    return;
  }
  // Our own changes of the check boxes are not the user's.
  filling_list_ = true;
  title_list_.SetRedraw(false);
  title_list_.DeleteAllItems();
  for (size_t i = 0; i < rows.size(); ++i) {
    const int index = title_list_.InsertItem(static_cast<int>(i), rows[i].title);
    title_list_.SetCheckState(index, rows[i].enabled);
  }
  title_list_.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
  title_list_.SetRedraw(true);
  InvalidateRect(title_list_.Handle(), nullptr, TRUE);
  filling_list_ = false;
}

int ItemListPane::SelectedIndex() {
  window_.EnsureControls();
  return title_list_.GetNextItem(-1, LVNI_SELECTED);
}

void ItemListPane::Select(int index) {
  window_.EnsureControls();
  if (index < 0) {
    title_list_.SetItemState(-1, 0, LVIS_SELECTED);
    return;
  }
  title_list_.SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  title_list_.EnsureVisible(index);
}

int ListPane::RowHeight(int dpi) {
  return std::max(Scale(kRowHeight, dpi), SystemMetricForDpi(SM_CYSMICON, dpi) - 1);
}
