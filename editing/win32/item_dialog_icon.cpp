#include <windowsx.h>

#include <string>

#include "editing/win32/item_dialog_layout.h"
#include "editing/win32/item_dialog_window.h"
#include "platform/win32/checked_icon.h"

// The dialog's icon picture, its menu, and the files dropped on it.

void ItemDialogWindow::FormDropFiles(HDROP drop) {
  // The first file's whole name, however long: ask for its length first.
  std::string name;
  const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
  if (length > 0) {
    name.resize(static_cast<size_t>(length) + 1);
    name.resize(DragQueryFileA(drop, 0, name.data(), length + 1));
  }
  DragFinish(drop);
  if (!name.empty()) presenter_.FilesDropped(name);
}

void ItemDialogWindow::ShowIconOf(const std::string& file) {
  HICON icon = ExtractCheckedIcon(file);
  if (icon == nullptr) return;
  icon_.Reset(icon);
  InvalidateRect(Item(IDC_ICON_IMAGE), nullptr, TRUE);
}

void ItemDialogWindow::IconImagePaint(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  if (icon_) {
    // The picture's place is scaled for the DPI, and the icon fills it.
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon_.Get(),
               item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top, 0,
               nullptr, DI_NORMAL);
  }
}

void ItemDialogWindow::IconImageContextPopup(LPARAM screen_point) {
  POINT at{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: below the picture
    RECT r{};
    GetWindowRect(Item(IDC_ICON_IMAGE), &r);
    at = POINT{r.left, r.bottom};
  }
  OwnedMenu menu(CreatePopupMenu());
  AppendMenuA(menu.Get(), MF_STRING, IDM_START_TIME_NOW, texts::kStartTimeNowCaption);
  AppendMenuA(menu.Get(), MF_STRING, IDM_END_TIME_NOW, texts::kEndTimeNowCaption);
  TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                 Handle(), nullptr);
}
