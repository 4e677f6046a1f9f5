#include "tray/desktop_conveniences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/fake_tray.h"

namespace {

class DesktopConveniencesTest : public ::testing::Test {
 protected:
  DesktopConveniencesTest() : launcher(shell) { launcher.SetMainWindow(&main_window); }

  DesktopConveniences Menu() {
    return DesktopConveniences(
        keyboard, launcher, chooser, [this] { return favourite; }, "C:\\P\\",
        [this](int index) {
          asked.push_back(index);
          return folders[index];
        });
  }

  int main_window = 0;
  FakeShell shell;
  Launcher launcher;
  FakeKeyboard keyboard;
  FakeFileChooser chooser;
  std::string favourite = "http://fav.example/";
  std::map<int, std::string> folders = {{0, "C:\\Users\\me\\Desktop\\"},
                                        {4, "C:\\Users\\me\\Documents\\"}};
  std::vector<int> asked;
};

TEST_F(DesktopConveniencesTest, MinimiseAllAlternatesItsKeySequences) {
  DesktopConveniences menu = Menu();
  const std::vector<MenuEntry> entries = DesktopConveniencesMenu();
  const std::vector<std::string> minimise = {"down 91", "down 77", "up 77", "up 91"};
  const std::vector<std::string> restore = {"down 16", "down 91", "down 77",
                                            "up 77",   "up 16",   "up 91"};
  menu.Click(entries[0]);
  EXPECT_EQ(keyboard.events, minimise);
  EXPECT_TRUE(menu.AllMinimised());
  keyboard.events.clear();
  menu.Click(entries[0]);
  EXPECT_EQ(keyboard.events, restore);
  EXPECT_FALSE(menu.AllMinimised());
  keyboard.events.clear();
  menu.Click(entries[0]);
  EXPECT_EQ(keyboard.events, minimise);
}

TEST_F(DesktopConveniencesTest, OpenCommandsLaunchThroughTheShell) {
  DesktopConveniences menu = Menu();
  const std::vector<MenuEntry> entries = DesktopConveniencesMenu();
  menu.Click(entries[2]);  // favourite home page, from the program folder
  chooser.answer = "C:\\Users\\me\\Desktop\\memo.txt";
  menu.Click(entries[3]);  // desktop file, no folder
  chooser.answer.reset();
  menu.Click(entries[3]);  // cancelled: nothing
  menu.Click(entries[4]);  // Explorer
  menu.Click(entries[5]);  // My Documents
  menu.Click(entries[1]);  // the separator: nothing
  favourite.clear();
  menu.Click(entries[2]);  // an empty favourite is still handed to the shell, which refuses it

  const std::vector<FakeShell::Call> expected = {
      {&main_window, "http://fav.example/", "", "C:\\P\\", 5},
      {&main_window, "C:\\Users\\me\\Desktop\\memo.txt", "", "", 5},
      {&main_window, "EXPLORER.EXE", "", "", 5},
      {&main_window, "EXPLORER.EXE", "C:\\Users\\me\\Documents\\", "", 5},
      {&main_window, "", "", "C:\\P\\", 5},
  };
  EXPECT_EQ(shell.calls, expected);
  EXPECT_EQ(chooser.initial_folders,
            (std::vector<std::string>{"C:\\Users\\me\\Desktop\\", "C:\\Users\\me\\Desktop\\"}));
  EXPECT_EQ(asked, (std::vector<int>{0, 0, 4}));
}

}  // namespace
