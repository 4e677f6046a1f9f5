#pragma once

#include <windows.h>
// windows.h first: the common controls header relies on its types.
#include <commctrl.h>

#include <string>

// A non-owning handle of a list view.
class ListView {
 public:
  explicit ListView(HWND hwnd = nullptr) : hwnd_(hwnd) {}
  HWND Handle() const { return hwnd_; }

  void SetExtendedListViewStyle(DWORD style) {
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
  }
  int InsertColumn(int index, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = width;
    return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&column)));
  }
  int InsertColumn(int index, const char* header, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(header);
    column.iSubItem = index;
    return static_cast<int>(SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&column)));
  }
  void SetItemText(int index, int sub_item, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = sub_item;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
  }
  void SetRedraw(bool on) { SendMessageA(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0); }
  void SetFont(HFONT font) {
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  HIMAGELIST GetImageList(int kind) const {
    return reinterpret_cast<HIMAGELIST>(
        SendMessageA(hwnd_, LVM_GETIMAGELIST, static_cast<WPARAM>(kind), 0));
  }
  std::string GetItemText(int index, int sub_item) const {
    char text[1024] = {};
    LVITEMA item{};
    item.iSubItem = sub_item;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(hwnd_, LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    return text;
  }
  void SetColumnWidth(int index, int width) {
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), MAKELPARAM(width, 0));
  }
  int GetColumnWidth(int index) const {
    return static_cast<int>(SendMessageA(hwnd_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
  }
  void DeleteAllItems() { SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0); }
  int InsertItem(int index, const std::string& text) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(
        SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  }
  int GetItemCount() const { return static_cast<int>(SendMessageA(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }
  int GetNextItem(int start, UINT flags) const {
    return static_cast<int>(
        SendMessageA(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }
  // index -1 sets the state of every item.
  void SetItemState(int index, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    SendMessageA(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
  }
  UINT GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(
        SendMessageA(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
  }
  void SetCheckState(int index, bool checked) {
    SetItemState(index, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  bool GetCheckState(int index) const {
    return (GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  void EnsureVisible(int index) {
    SendMessageA(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
  }
  bool GetItemRect(int index, RECT& rect, int code = LVIR_BOUNDS) const {
    rect.left = code;
    return SendMessageA(hwnd_, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(&rect)) != 0;
  }

 private:
  HWND hwnd_;
};
