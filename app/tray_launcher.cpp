#include "app/tray_launcher.h"

#include "platform/win32/icon_image.h"
#include "resources/resource_ids.h"
#include "shell/shell_folders.h"

namespace {

HICON TrayImage(HINSTANCE instance) {
  return LoadIconImage(instance, IDI_MORVELIN, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON));
}

}  // namespace

TrayLauncher::TrayLauncher(HINSTANCE instance, MainWindow& window, MainForm& form,
                           Launcher& launcher, Keyboard& keyboard, MessageDialogs& dialogs,
                           const std::string& program_folder, Registry& registry,
                           HelpCommands& help, ListingCommand& listing)
    : instance_(instance),
      window_(window),
      form_(form),
      tray_image_(TrayImage(instance)),
      tray_window_(instance),
      icon_(tray_window_.Notifier()),
      chooser_(window.Handle()),
      home_page_(
          files_, form.Store(), [&window] { return window.Settings().home_page; }, program_folder),
      launcher_menu_(
          form.Store(), launcher, home_page_, program_folder,
          LauncherMenuActions{
              [&listing] { listing.Show(true); },
              [&help] { help.ShowContents(); },
              [&help] { help.ShowAbout(); },
              [&window] { SendMessageA(window.Handle(), WM_SYSCOMMAND, SC_SCREENSAVE, 0); },
              [&window] { window.Close(); },
              [this](bool enabled) { icon_.SetEnabled(enabled); },
              [this] {
                form_.StartSkippedRun();
                if (popup_menu1_) popup_menu1_->Remove(MenuCommand::RunNow);
                ShowRunMarks();
              },
          }),
      conveniences_(
          keyboard, launcher, chooser_, [&window] { return window.Settings().home_page; },
          program_folder,
          [&registry](int index) {
            return GetShellFolder(registry, static_cast<ShellFolderIndex>(index));
          }) {
  form.SetLauncherMenuBuilder([this] { BuildLauncherMenu(); });
  form.SetRunMarksListener([this] { ShowRunMarks(); });
  tray_window_.SetErrorHandler([&dialogs](const std::exception& e) { dialogs.ShowError(e); });
  icon_.SetIcon(tray_image_.Get());
  popup_menu3_ =
      std::make_unique<TrayMenuView>(IDM_CONVENIENCES_FIRST, DesktopConveniencesMenu(), nullptr);
  popup_menu3_->on_click = [this](const MenuEntry& entry) { conveniences_.Click(entry); };
  tray_window_.SetMenu(TrayMenu::Conveniences, popup_menu3_.get());
  icon_.SetLBPopupMenu(TrayMenu::Conveniences);
  // Only the two menus react; the double click is wired to nothing on purpose.
  icon_.on_dbl_click = [] {};
}

void TrayLauncher::BuildLauncherMenu() {
  const bool menu_icon = window_.Settings().menu_icon;
  const std::vector<MenuEntry> entries =
      ::BuildLauncherMenu(form_.Store(), form_.Marks(), menu_icon, images_, form_.SkippedOnShift());
  popup_menu1_ = std::make_unique<TrayMenuView>(IDM_LAUNCHER_FIRST, entries,
                                                menu_icon ? images_.Handle() : nullptr);
  popup_menu1_->on_click = [this](const MenuEntry& entry) {
    launcher_menu_.LauncherMenuClick(entry);
  };
  tray_window_.SetMenu(TrayMenu::Launcher, popup_menu1_.get());
  icon_.SetRBPopupMenu(TrayMenu::Launcher);
}

void TrayLauncher::ShowRunMarks() {
  if (!popup_menu1_) return;
  const RunMarks& marks = form_.Marks();
  for (size_t row = 0; row < marks.size(); ++row)
    popup_menu1_->SetRadioMark(static_cast<int>(row), marks[row] == "*");
}

void TrayLauncher::ApplyWindowState() {
  const TrayState& tray = form_.Tray();
  icon_.SetEnabled(tray.enabled);
  icon_.SetTipHelp(tray.tip);
  icon_.SetVisible(tray.visible);
}
