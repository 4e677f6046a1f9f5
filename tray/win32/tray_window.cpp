#include "tray/win32/tray_window.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/dpi.h"
#include "tray/tray_texts.h"

namespace {

constexpr char kWindowClass[] = "TCallbackWindow";
// Menus are drawn at the screen's DPI: 16 pixels at 96 dpi, scaled from there.
int ImageSize() {
  static const int size = Scale(16, WindowDpi(nullptr));
  return size;
}
// The item data of a menu entry without an image.
constexpr ULONG_PTR kNoImage = static_cast<ULONG_PTR>(-1);

}  // namespace

bool Win32NotifyIcons::Notify(NotifyAction action, const NotifyIconRecord& record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window_ ? window_() : nullptr;
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callback_message;
  data.hIcon = static_cast<HICON>(record.icon);
  const size_t length =
      record.tip.size() < sizeof(data.szTip) - 1 ? record.tip.size() : sizeof(data.szTip) - 1;
  std::memcpy(data.szTip, record.tip.data(), length);
  data.szTip[length] = '\0';
  const DWORD message = action == NotifyAction::Add      ? NIM_ADD
                        : action == NotifyAction::Modify ? NIM_MODIFY
                                                         : NIM_DELETE;
  return Shell_NotifyIconA(message, &data) != FALSE;
}

HIMAGELIST Win32MenuImages::Handle() {
  if (!list_)
    list_.Reset(ImageList_Create(ImageSize(), ImageSize(), ILC_COLOR32 | ILC_MASK, 16, 16));
  return list_.Get();
}

void Win32MenuImages::Clear() {
  if (list_) ImageList_RemoveAll(list_.Get());
}

bool Win32MenuImages::AddMenuIcon(const std::string& file) {
  {
    const OwnedIcon icon(icons_.Extract(file));
    // The list scales a larger icon down to its own size.
    if (icon && ImageList_AddIcon(Handle(), icon.Get()) >= 0) return true;
  }
  // An empty slot keeps slot i for row i: a fully transparent image.
  const int size = ImageSize();
  const OwnedBitmap colour(CreateCompatibleBitmap(WindowDc(nullptr).Get(), size, size));
  // Monochrome rows are padded to whole 16-bit words.
  const std::vector<BYTE> ones(static_cast<size_t>((size + 15) / 16 * 2 * size), 0xFF);
  const OwnedBitmap mask(CreateBitmap(size, size, 1, 1, ones.data()));
  ImageList_Add(Handle(), colour.Get(), mask.Get());
  return false;
}

TrayMenuView::TrayMenuView(UINT first_id, const std::vector<MenuEntry>& entries, HIMAGELIST images)
    : entries_(entries), menu_(CreatePopupMenu()), first_id_(first_id), images_(images) {
  const std::vector<bool> shown = ShownEntries(entries);
  for (size_t position = 0; position < entries.size(); ++position) {
    if (!shown[position]) continue;
    const MenuEntry& entry = entries[position];
    MENUITEMINFOA item{};
    item.cbSize = sizeof(item);
    if (entry.kind == MenuEntry::Kind::Separator) {
      item.fMask = MIIM_FTYPE | MIIM_ID;
      item.fType = MFT_SEPARATOR;
      item.wID = first_id + static_cast<UINT>(position);
    } else {
      item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
      item.fType = entry.radio_mark ? MFT_RADIOCHECK : 0;
      item.fState = entry.radio_mark ? MFS_CHECKED : 0;
      item.wID = first_id + static_cast<UINT>(position);
      item.dwTypeData = const_cast<char*>(entry.caption.c_str());
      if (images != nullptr) {
        // Drawn by the owner window from the image list. Entries without an image take an
        // empty one too: Wine makes room for the images only beside the entries that have one,
        // so the longer captions of the others would be cut.
        item.fMask |= MIIM_BITMAP | MIIM_DATA;
        item.hbmpItem = HBMMENU_CALLBACK;
        item.dwItemData = entry.image >= 0 ? static_cast<ULONG_PTR>(entry.image) : kNoImage;
      }
    }
    InsertMenuItemA(Handle(), GetMenuItemCount(Handle()), TRUE, &item);
  }
}

const MenuEntry* TrayMenuView::EntryOf(UINT id) const {
  if (id < first_id_ || id - first_id_ >= entries_.size()) return nullptr;
  return &entries_[id - first_id_];
}

void TrayMenuView::SetRadioMark(int row, bool marked) {
  const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                  [row](const MenuEntry& e) { return e.row == row; });
  if (entry == entries_.end()) return;
  MENUITEMINFOA item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_FTYPE | MIIM_STATE;
  const UINT id = first_id_ + static_cast<UINT>(entry - entries_.begin());
  // Hidden entries and separators have nothing to mark.
  if (!GetMenuItemInfoA(Handle(), id, FALSE, &item) || (item.fType & MFT_SEPARATOR)) return;
  item.fType = marked ? (item.fType | MFT_RADIOCHECK) : (item.fType & ~MFT_RADIOCHECK);
  item.fState = marked ? (item.fState | MFS_CHECKED) : (item.fState & ~MFS_CHECKED);
  SetMenuItemInfoA(Handle(), id, FALSE, &item);
}

void TrayMenuView::Remove(MenuCommand command) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].command != command) continue;
    DeleteMenu(Handle(), first_id_ + static_cast<UINT>(i), MF_BYCOMMAND);
    if (i + 1 < entries_.size() && entries_[i + 1].kind == MenuEntry::Kind::Separator)
      DeleteMenu(Handle(), first_id_ + static_cast<UINT>(i + 1), MF_BYCOMMAND);
  }
}

std::optional<std::string> Win32FileChooser::ChooseFile(const std::string& initial_folder) {
  // The filter's "|" separators become the zero bytes the dialog wants.
  std::string filter = tray_texts::kOpenFilter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  char file[MAX_PATH] = {};
  std::strncpy(file, tray_texts::kOpenDefault, sizeof(file) - 1);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner_;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof(file);
  dialog.lpstrInitialDir = initial_folder.empty() ? nullptr : initial_folder.c_str();
  dialog.lpstrDefExt = tray_texts::kOpenDefault;
  dialog.Flags = OFN_ENABLESIZING;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(file);
}

TrayWindow::TrayWindow(HINSTANCE instance) : instance_(instance) {
  notifier_.SetWindowSource([this] { return Handle(); });
}

HWND TrayWindow::Handle() {
  if (WindowBase::Handle()) return WindowBase::Handle();
  // Top-level and unowned, so that the shell's broadcast reaches it; never shown.
  Create(instance_, {kWindowClass}, WS_EX_TOOLWINDOW, WS_POPUP, "", 0, 0, nullptr);
  taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
  return WindowBase::Handle();
}

bool TrayWindow::OnTimer(UINT_PTR id) {
  KillTimer(WindowBase::Handle(), id);
  const auto icon_id = static_cast<unsigned>(id);
  ForEachTrayIcon([icon_id](TrayIcon& icon) {
    if (icon.Id() == icon_id) icon.ClickTimerElapsed();
  });
  return true;
}

std::optional<LRESULT> TrayWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kTrayCallbackMessage) {
    POINT cursor{};
    GetCursorPos(&cursor);
    CarryOut(HandleTrayCallback(static_cast<unsigned>(wparam), static_cast<unsigned>(lparam),
                                cursor.x, cursor.y, GetDoubleClickTime()));
    return 0;
  }
  if (taskbar_created_ != 0 && message == taskbar_created_) {
    // The shell restarted and forgot every icon.
    ForEachTrayIcon([](TrayIcon& icon) { icon.ShellRestarted(); });
    return 0;
  }
  if (message == WM_MEASUREITEM) {
    auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
    if (item.CtlType != ODT_MENU) return std::nullopt;
    item.itemWidth = static_cast<UINT>(ImageSize());
    item.itemHeight = static_cast<UINT>(ImageSize());
    return TRUE;
  }
  if (message == WM_DRAWITEM) {
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (item.CtlType != ODT_MENU || open_menu_ == nullptr || !open_menu_->Images())
      return std::nullopt;
    if (item.itemData != kNoImage)
      ImageList_Draw(open_menu_->Images(), static_cast<int>(item.itemData), item.hDC,
                     item.rcItem.left, item.rcItem.top, ILD_TRANSPARENT);
    return TRUE;
  }
  return std::nullopt;
}

void TrayWindow::SetMenu(TrayMenu which, const TrayMenuView* view) {
  if (which == TrayMenu::Launcher) launcher_menu_ = view;
  if (which == TrayMenu::Conveniences) conveniences_menu_ = view;
}

void TrayWindow::CarryOut(const TrayAction& action) {
  switch (action.kind) {
    case TrayAction::Kind::OpenMenu: {
      const TrayMenuView* view = action.menu == TrayMenu::Launcher       ? launcher_menu_
                                 : action.menu == TrayMenu::Conveniences ? conveniences_menu_
                                                                         : nullptr;
      if (view) OpenMenu(*view, action.x, action.y);
      return;
    }
    case TrayAction::Kind::StartClickTimer:
      SetTimer(WindowBase::Handle(), action.icon->Id(), action.delay_ms, nullptr);
      return;
    case TrayAction::Kind::None:
      return;
  }
}

void TrayWindow::OpenMenu(const TrayMenuView& menu, int x, int y) {
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(WindowBase::Handle());
  open_menu_ = &menu;
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                     x, y, 0, WindowBase::Handle(), nullptr));
  open_menu_ = nullptr;
  last_choice_ = chosen;
  const MenuEntry* entry = menu.EntryOf(chosen);
  if (entry == nullptr || !menu.on_click) return;
  menu.on_click(*entry);
}
