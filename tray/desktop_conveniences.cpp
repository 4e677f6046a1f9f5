#include "tray/desktop_conveniences.h"

#include "tray/tray_texts.h"

namespace {

constexpr int kShowCommandShow = 5;  // SW_SHOW
constexpr int kVkShift = 0x10;
constexpr int kVkLWin = 0x5B;
constexpr int kVkM = 0x4D;
constexpr int kDesktopFolder = 0;   // "Desktop"
constexpr int kPersonalFolder = 4;  // "Personal"

enum Position {
  kShowMini = 0,  // ShowMini1
  kHomePageOpen = 2,
  kDeskTop = 3,
  kExploreOpen = 4,
  kMyDocumentsOpen = 5,
};

}  // namespace

std::vector<MenuEntry> DesktopConveniencesMenu() {
  using Kind = MenuEntry::Kind;
  return {
      {Kind::Command, tray_texts::kShowMini, -1, false},
      {Kind::Separator, tray_texts::kSeparator, -1, false},  // N4
      {Kind::Command, tray_texts::kHomePageOpen, -1, false},
      {Kind::Command, tray_texts::kDeskTop, -1, false},
      {Kind::Command, tray_texts::kExploreOpen, -1, false},
      {Kind::Command, tray_texts::kMyDocumentsOpen, -1, false},
  };
}

void DesktopConveniences::Click(int position) {
  switch (position) {
    case kShowMini:
      ShowMini1Click();
      break;
    case kHomePageOpen:
      HomePageOpen1Click();
      break;
    case kDeskTop:
      DeskTop1Click();
      break;
    case kExploreOpen:
      EXPLOREOpen1Click();
      break;
    case kMyDocumentsOpen:
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
