#include "tray/win32/tray_window.h"

#include <shellapi.h>

#include <cstring>
#include <exception>
#include <stdexcept>

#include "platform/win32/checked_icon.h"
#include "tray/tray_texts.h"

namespace {

constexpr char kWindowClass[] = "TCallbackWindow";
constexpr int kImageSize = 16;
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

Win32MenuImages::Win32MenuImages() = default;

HIMAGELIST Win32MenuImages::Handle() {
  if (list_ == nullptr)
    list_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR32 | ILC_MASK, 16, 16);
  return list_;
}

Win32MenuImages::~Win32MenuImages() {
  if (list_) ImageList_Destroy(list_);
}

void Win32MenuImages::Clear() {
  if (list_) ImageList_RemoveAll(list_);
}

bool Win32MenuImages::AddMenuIcon(const std::string& file) {
  HICON icon = ExtractCheckedIcon(file);
  const bool has_icon = icon != nullptr;
  // The list scales a larger icon down to its own size.
  if (has_icon && ImageList_AddIcon(Handle(), icon) >= 0) {
    DestroyIcon(icon);
    return true;
  }
  if (has_icon) DestroyIcon(icon);
  // An empty slot keeps slot i for row i: a fully transparent image.
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateCompatibleBitmap(screen, kImageSize, kImageSize);
  ReleaseDC(nullptr, screen);
  const BYTE ones[kImageSize * 2] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  HBITMAP mask = CreateBitmap(kImageSize, kImageSize, 1, 1, ones);
  ImageList_Add(Handle(), colour, mask);
  DeleteObject(colour);
  DeleteObject(mask);
  return false;
}

TrayMenuView::TrayMenuView(UINT first_id, const std::vector<MenuEntry>& entries, HIMAGELIST images)
    : menu_(CreatePopupMenu()), first_id_(first_id), images_(images) {
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
    InsertMenuItemA(menu_, GetMenuItemCount(menu_), TRUE, &item);
  }
}

void TrayMenuView::SetRadioMark(int position, bool marked) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof(item);
  item.fMask = MIIM_FTYPE | MIIM_STATE;
  const UINT id = first_id_ + static_cast<UINT>(position);
  // Hidden entries and separators have nothing to mark.
  if (!GetMenuItemInfoA(menu_, id, FALSE, &item) || (item.fType & MFT_SEPARATOR)) return;
  item.fType = marked ? (item.fType | MFT_RADIOCHECK) : (item.fType & ~MFT_RADIOCHECK);
  item.fState = marked ? (item.fState | MFS_CHECKED) : (item.fState & ~MFS_CHECKED);
  SetMenuItemInfoA(menu_, id, FALSE, &item);
}

TrayMenuView::~TrayMenuView() {
  if (menu_) DestroyMenu(menu_);
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
  if (hwnd_ != nullptr) return hwnd_;
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance_;
  window_class.lpszClassName = kWindowClass;
  RegisterClassExA(&window_class);
  // Top-level and unowned, so that the shell's broadcast reaches it; never shown.
  hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                          nullptr, instance_, this);
  if (hwnd_ == nullptr) throw std::runtime_error("CreateWindowEx failed");
  taskbar_created_ = RegisterWindowMessageA("TaskbarCreated");
  return hwnd_;
}

TrayWindow::~TrayWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TrayWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<TrayWindow*>(create->lpCreateParams)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<TrayWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wparam, lparam);
  try {
    return self->HandleMessage(message, wparam, lparam);
  } catch (const std::exception& error) {
    if (self->error_handler_) self->error_handler_(error.what());
    return 0;
  }
}

LRESULT TrayWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
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
  switch (message) {
    case WM_CLOSE:
      // Lives as long as its owner: icons would otherwise outlive their callback window.
      return 0;
    case WM_TIMER: {
      KillTimer(hwnd_, wparam);
      const unsigned id = static_cast<unsigned>(wparam);
      ForEachTrayIcon([id](TrayIcon& icon) {
        if (icon.Id() == id) icon.ClickTimerElapsed();
      });
      return 0;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (item.CtlType != ODT_MENU) break;
      item.itemWidth = kImageSize;
      item.itemHeight = kImageSize;
      return TRUE;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (item.CtlType != ODT_MENU || open_menu_ == nullptr || !open_menu_->Images()) break;
      if (item.itemData == kNoImage) return TRUE;
      ImageList_Draw(open_menu_->Images(), static_cast<int>(item.itemData), item.hDC,
                     item.rcItem.left, item.rcItem.top, ILD_TRANSPARENT);
      return TRUE;
    }
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

void TrayWindow::CarryOut(const TrayAction& action) {
  switch (action.kind) {
    case TrayAction::Kind::OpenMenu:
      OpenMenu(*static_cast<const TrayMenuView*>(action.menu), action.x, action.y);
      return;
    case TrayAction::Kind::StartClickTimer:
      SetTimer(hwnd_, action.icon->Id(), action.delay_ms, nullptr);
      return;
    case TrayAction::Kind::None:
      return;
  }
}

void TrayWindow::OpenMenu(const TrayMenuView& menu, int x, int y) {
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(hwnd_);
  open_menu_ = &menu;
  const UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu.Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                     x, y, 0, hwnd_, nullptr));
  open_menu_ = nullptr;
  last_choice_ = chosen;
  if (chosen == 0 || !menu.on_click) return;
  menu.on_click(static_cast<int>(chosen - menu.FirstId()));
}
