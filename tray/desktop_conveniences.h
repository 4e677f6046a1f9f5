#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/launcher.h"
#include "platform/keyboard.h"
#include "tray/launcher_menu.h"

// The open-file dialog of the conveniences menu.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const std::string& initial_folder) = 0;
};

// The fixed entries of the conveniences menu.
std::vector<MenuEntry> DesktopConveniencesMenu();

// The menu of the left button (PopupMenu3) and its handlers.
class DesktopConveniences {
 public:
  // shell_folder: the path of a user shell folder by its index, with its trailing backslash.
  DesktopConveniences(Keyboard& keyboard, Launcher& launcher, FileChooser& chooser,
                      std::function<std::string()> favourite, std::string program_folder,
                      std::function<std::string(int)> shell_folder)
      : keyboard_(keyboard),
        launcher_(launcher),
        chooser_(chooser),
        favourite_(std::move(favourite)),
        program_folder_(std::move(program_folder)),
        shell_folder_(std::move(shell_folder)) {}

  void Click(const MenuEntry& entry);

  void ShowMini1Click();
  void HomePageOpen1Click();
  void DeskTop1Click();
  void EXPLOREOpen1Click();
  void MyDocumenstOpen1Click();

  bool AllMinimised() const { return all_minimised_; }

 private:
  Keyboard& keyboard_;
  Launcher& launcher_;
  FileChooser& chooser_;
  std::function<std::string()> favourite_;
  std::string program_folder_;
  std::function<std::string(int)> shell_folder_;
  bool all_minimised_ = false;
};
