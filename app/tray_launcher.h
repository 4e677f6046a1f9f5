#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "platform/keyboard.h"
#include "platform/registry.h"
#include "platform/win32/owned_handle.h"
#include "platform/win32/win32_file_writer.h"
#include "settings_window/main_form.h"
#include "settings_window/win32/listing_command.h"
#include "settings_window/win32/main_window.h"
#include "shell/win32/help_commands.h"
#include "tray/desktop_conveniences.h"
#include "tray/home_page.h"
#include "tray/launcher_menu.h"
#include "tray/tray_icon.h"
#include "tray/win32/tray_window.h"

// The resident launcher: TrayIcon1 with its two menus (PopupMenu1, PopupMenu3), wired to the
// main window and its presenter.
class TrayLauncher {
 public:
  // Hands the form the building of the launcher menu and the showing of its run marks.
  TrayLauncher(HINSTANCE instance, MainWindow& window, MainForm& form, Launcher& launcher,
               Keyboard& keyboard, MessageDialogs& dialogs, const std::string& program_folder,
               Registry& registry, HelpCommands& help, ListingCommand& listing);

  // BuildLauncherMenu: called by the log-on run when the launcher option is on.
  void BuildLauncherMenu();
  // Brings the built menu's marks up to date with a log-on run that is still spacing its starts.
  void ShowRunMarks();
  // Takes over the tip, visible and enabled states the main window's creation set.
  void ApplyWindowState();

  TrayIcon& Icon() { return icon_; }

 private:
  HINSTANCE instance_;
  MainWindow& window_;
  MainForm& form_;
  OwnedIcon tray_image_;  // outlives the icon that shows it
  TrayWindow tray_window_;
  TrayIcon icon_;
  Win32MenuImages images_;
  Win32FileWriter files_;
  Win32FileChooser chooser_;
  HomePageDocumentWriter home_page_;
  LauncherMenu launcher_menu_;
  DesktopConveniences conveniences_;
  std::unique_ptr<TrayMenuView> popup_menu1_;  // the launcher menu
  std::unique_ptr<TrayMenuView> popup_menu3_;  // the desktop conveniences
};
