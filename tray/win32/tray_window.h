#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/notify_icon.h"
#include "platform/win32/checked_icon.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/window_base.h"
#include "tray/desktop_conveniences.h"
#include "tray/launcher_menu.h"
#include "tray/tray_icon.h"

// Shell_NotifyIconA with the record's first form, sent for the callback window, which is made
// when the first record needs it.
class Win32NotifyIcons : public NotifyIcons {
 public:
  void SetWindowSource(std::function<HWND()> window) { window_ = std::move(window); }
  bool Notify(NotifyAction action, const NotifyIconRecord& record) override;

 private:
  std::function<HWND()> window_;
};

// The launcher menu's images: 16 x 16 at 96 dpi, scaled for the screen's DPI; one slot per row.
class Win32MenuImages : public MenuImages {
 public:
  void Clear() override;
  bool AddMenuIcon(const std::string& file) override;
  HIMAGELIST Handle();
  int Count() { return ImageList_GetImageCount(Handle()); }

 private:
  OwnedImageList list_;  // made on first use: a run without menu icons never loads it
  CheckedIcons icons_;
};

// A popup menu made from entries, which it keeps: command id = first_id + position; hidden
// separators are left out, so positions survive the reduction.
class TrayMenuView {
 public:
  TrayMenuView(UINT first_id, const std::vector<MenuEntry>& entries, HIMAGELIST images);

  HMENU Handle() const { return menu_.Get(); }
  UINT FirstId() const { return first_id_; }
  HIMAGELIST Images() const { return images_; }
  // Sets or clears a row entry's radio mark in place; safe while the menu is open.
  void SetRadioMark(int row, bool marked);
  // Takes the entries of the command out, each with the line that follows it; their ids stay
  // unused. Safe inside the entry's own click.
  void Remove(MenuCommand command);
  // The entry of a command id, or null.
  const MenuEntry* EntryOf(UINT id) const;
  std::function<void(const MenuEntry&)> on_click;

 private:
  std::vector<MenuEntry> entries_;
  OwnedMenu menu_;
  UINT first_id_;
  HIMAGELIST images_;
};

// The open-file dialog of the conveniences menu.
class Win32FileChooser : public FileChooser {
 public:
  explicit Win32FileChooser(HWND owner) : owner_(owner) {}
  std::optional<std::string> ChooseFile(const std::string& initial_folder) override;

 private:
  HWND owner_;
};

// TCallbackWindow: a hidden top-level window that receives the callback messages of every
// icon of the process and the shell's "TaskbarCreated" broadcast, and carries the icons'
// actions out (menus at the pointer, the single-click wait).
class TrayWindow : private WindowBase {
 public:
  // The window itself is made on first use: a run that never shows an icon never makes it.
  explicit TrayWindow(HINSTANCE instance);

  // Makes the window unless it exists. Throws AppError when it cannot be made.
  HWND Handle();
  NotifyIcons& Notifier() { return notifier_; }
  void SetErrorHandler(ErrorReporter handler) { SetErrorReporter(std::move(handler)); }

  // What TrackPopupMenu returned for the last menu, 0 when nothing was chosen.
  UINT LastChoice() const { return last_choice_; }
  // The view an icon's menu value stands for; null leaves that menu unset.
  void SetMenu(TrayMenu which, const TrayMenuView* view);

 private:
  // Lives as long as its owner: icons would otherwise outlive their callback window.
  bool OnClose() override { return true; }
  bool OnTimer(UINT_PTR id) override;
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CarryOut(const TrayAction& action);
  void OpenMenu(const TrayMenuView& menu, int x, int y);

  HINSTANCE instance_;
  UINT taskbar_created_ = 0;
  Win32NotifyIcons notifier_;
  const TrayMenuView* open_menu_ = nullptr;
  const TrayMenuView* launcher_menu_ = nullptr;
  const TrayMenuView* conveniences_menu_ = nullptr;
  UINT last_choice_ = 0;
};
