#include "tray/desktop_conveniences.h"

#include "tray/tray_texts.h"

namespace {

constexpr int kVkLWin = 0x5B;
constexpr int kVkM = 0x4D;
constexpr int kDesktopFolder = 0;   // "Desktop"
constexpr int kPersonalFolder = 4;  // "Personal"

}  // namespace

std::vector<MenuEntry> DesktopConveniencesMenu() {
  using Kind = MenuEntry::Kind;
  return {
      {Kind::Command, tray_texts::kShowMini, -1, false, MenuCommand::MinimiseAll},
      {Kind::Separator, tray_texts::kSeparator},  // N4
      {Kind::Command, tray_texts::kHomePageOpen, -1, false, MenuCommand::OpenFavourite},
      {Kind::Command, tray_texts::kDeskTop, -1, false, MenuCommand::OpenDesktop},
      {Kind::Command, tray_texts::kExploreOpen, -1, false, MenuCommand::OpenExplorer},
      {Kind::Command, tray_texts::kMyDocumentsOpen, -1, false, MenuCommand::OpenMyDocuments},
  };
}

void DesktopConveniences::Click(const MenuEntry& entry) {
  switch (entry.command) {
    case MenuCommand::MinimiseAll:
      ShowMini1Click();
      break;
    case MenuCommand::OpenFavourite:
      HomePageOpen1Click();
      break;
    case MenuCommand::OpenDesktop:
      DeskTop1Click();
      break;
    case MenuCommand::OpenExplorer:
      EXPLOREOpen1Click();
      break;
    case MenuCommand::OpenMyDocuments:
      MyDocumenstOpen1Click();
      break;
    default:
      break;
  }
}

void DesktopConveniences::ShowMini1Click() {
  all_minimised_ = !all_minimised_;
  if (all_minimised_) {
    keyboard_.SendKey(kVkLWin, false);
    keyboard_.SendKey(kVkM, false);
    keyboard_.SendKey(kVkM, true);
    keyboard_.SendKey(kVkLWin, true);
  } else {
    keyboard_.SendKey(kVkShift, false);
    keyboard_.SendKey(kVkLWin, false);
    keyboard_.SendKey(kVkM, false);
    keyboard_.SendKey(kVkM, true);
    keyboard_.SendKey(kVkShift, true);
    keyboard_.SendKey(kVkLWin, true);
  }
}

void DesktopConveniences::HomePageOpen1Click() {
  launcher_.LaunchFile(favourite_ ? favourite_() : std::string(), "", program_folder_,
                       kShowCommandShow);
}

void DesktopConveniences::DeskTop1Click() {
  const std::string folder = shell_folder_ ? shell_folder_(kDesktopFolder) : std::string();
  const std::optional<std::string> chosen = chooser_.ChooseFile(folder);
  if (!chosen) return;
  launcher_.LaunchFile(*chosen, "", "", kShowCommandShow);
}

void DesktopConveniences::EXPLOREOpen1Click() {
  launcher_.LaunchFile(tray_texts::kExplorer, "", "", kShowCommandShow);
}

void DesktopConveniences::MyDocumenstOpen1Click() {
  const std::string folder = shell_folder_ ? shell_folder_(kPersonalFolder) : std::string();
  launcher_.LaunchFile(tray_texts::kExplorer, folder, "", kShowCommandShow);
}
