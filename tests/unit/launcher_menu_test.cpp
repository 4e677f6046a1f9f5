#include "tray/launcher_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "fakes/fake_tray.h"

namespace {

LaunchItem Row(const std::string& title, const std::string& file, const std::string& state = "0") {
  LaunchItem row;
  row.title = title;
  row.file = file;
  row.folder = "C:\\Work\\" + title;
  row.args = "/a " + title;
  row.state = state;
  return row;
}

ItemStore Store(const std::vector<LaunchItem>& rows) {
  ItemStore store;
  for (const LaunchItem& row : rows) store.Append(row);
  store.count = store.Size();
  return store;
}

using Kind = MenuEntry::Kind;

TEST(LauncherMenuBuild, RowsByPositionMarksImagesThenFixedEntries) {
  const ItemStore store = Store(
      {Row("Editor", "ed.exe"), Row("-", "sep.exe"), Row("Mail", "mail.exe"), Row("Notes", "")});
  FakeMenuImages images;
  images.with_icon = {"ed.exe", "mail.exe", "sep.exe"};
  const std::vector<MenuEntry> entries =
      BuildLauncherMenu(store, {"*", " ", "*", " "}, true, images);

  const std::vector<MenuEntry> expected = {
      {Kind::Item, "Editor", 0, true, MenuCommand::LaunchRow, 0},
      {Kind::Separator, "-", -1, false, MenuCommand::None, 1},      // an icon, but none shown
      {Kind::Item, "Mail", 2, true, MenuCommand::LaunchRow, 2},     // both marks stand at once
      {Kind::Item, "Notes", -1, false, MenuCommand::LaunchRow, 3},  // no file name: no image
      {Kind::Separator, "-", -1, false},
      {Kind::Command, "ﾎｰﾑﾍﾟｰｼﾞ", -1, false, MenuCommand::HomePage},
      {Kind::Command, "ｽｸﾘｰﾝｾｰﾊﾞｰ起動...(&S)", -1, false, MenuCommand::ScreenSaver},
      {Kind::Separator, "-", -1, false},
      {Kind::Command, "一覧...(&D)", -1, false, MenuCommand::Listing},
      {Kind::Command, "ﾍﾙﾌﾟ...(&H)", -1, false, MenuCommand::Help},
      {Kind::Command, "ﾊﾞｰｼﾞｮﾝ情報...(&A)", -1, false, MenuCommand::Version},
      {Kind::Command, "Morvelinの終了(&X)", -1, false, MenuCommand::Quit},
  };
  EXPECT_EQ(entries, expected);
  // One slot per row, the separator row's included, after a clear.
  EXPECT_EQ(images.clears, 1);
  EXPECT_EQ(images.slots, (std::vector<std::string>{"ed.exe", "sep.exe", "mail.exe", ""}));
}

TEST(LauncherMenuBuild, WithoutMenuIconsNoSlotIsTaken) {
  FakeMenuImages images;
  images.with_icon = {"ed.exe"};
  const std::vector<MenuEntry> entries =
      BuildLauncherMenu(Store({Row("Editor", "ed.exe")}), {" "}, false, images);
  EXPECT_TRUE(images.slots.empty());
  EXPECT_EQ(entries[0].image, -1);
  EXPECT_FALSE(entries[0].radio_mark);
}

TEST(LauncherMenuSeparators, LeadingAdjacentAndTrailingAreHidden) {
  const MenuEntry s{Kind::Separator, "-", -1, false};
  const MenuEntry e{Kind::Item, "x", -1, false};
  struct Case {
    std::vector<MenuEntry> entries;
    std::vector<bool> shown;
  };
  const std::vector<Case> cases = {
      {{s, e, e}, {false, true, true}},                     // leading
      {{s, s, e}, {false, false, true}},                    // leading run
      {{e, s, s, e}, {true, false, true, true}},            // adjacent: only the last
      {{e, s}, {true, false}},                              // trailing
      {{e, s, e, s, s}, {true, true, true, false, false}},  // trailing run
      {{e, e}, {true, true}},
  };
  for (const Case& c : cases) EXPECT_EQ(ShownEntries(c.entries), c.shown);

  // A separator row at the end of the list shows as one line with the fixed separator.
  FakeMenuImages images;
  const std::vector<MenuEntry> built =
      BuildLauncherMenu(Store({Row("-", ""), Row("A", "a.exe"), Row("-", "")}), {}, false, images);
  const std::vector<bool> shown = ShownEntries(built);
  EXPECT_FALSE(shown[0]);
  EXPECT_FALSE(shown[2]);
  EXPECT_TRUE(shown[3]);
  EXPECT_EQ(built.size(), 11u);
}

class StubHomePage : public HomePageWriter {
 public:
  bool fail = false;
  int writes = 0;
  void Write() override {
    if (fail) throw AppError("ファイル C:\\P\\Morvelin.html を作成できません");
    ++writes;
  }
};

class LauncherMenuClickTest : public ::testing::Test {
 protected:
  LauncherMenuClickTest() : launcher(shell) { launcher.SetMainWindow(&main_window); }

  LauncherMenu Menu() {
    LauncherMenuActions actions{
        [this] { log.push_back("listing"); },
        [this] { log.push_back("help"); },
        [this] { log.push_back("version"); },
        [this] { log.push_back("screen saver"); },
        [this] { log.push_back("close"); },
        [this](bool enabled) { log.push_back(enabled ? "tray on" : "tray off"); },
        [this] { log.push_back("run now"); },
    };
    return LauncherMenu(store, launcher, home_page, "C:\\P\\", actions);
  }

  // The entry at a position of the menu built from the store as it is now.
  MenuEntry Entry(int position) {
    FakeMenuImages images;
    return BuildLauncherMenu(store, {}, false, images).at(static_cast<size_t>(position));
  }

  int main_window = 0;
  FakeShell shell;
  Launcher launcher;
  StubHomePage home_page;
  std::vector<std::string> log;
  ItemStore store = Store({Row("A", "a.exe", "0"), Row("B", "b.exe", "2"), Row("C", "c.exe", "1")});
};

TEST_F(LauncherMenuClickTest, ItemRowsLaunchWithTheirFieldsAndShowCommand) {
  LauncherMenu menu = Menu();
  menu.LauncherMenuClick(Entry(1));
  menu.LauncherMenuClick(Entry(2));
  menu.LauncherMenuClick(Entry(0));
  const std::vector<FakeShell::Call> expected = {
      {&main_window, "b.exe", "/a B", "C:\\Work\\B", 3},
      {&main_window, "c.exe", "/a C", "C:\\Work\\C", 2},
      {&main_window, "a.exe", "/a A", "C:\\Work\\A", 1},
  };
  EXPECT_EQ(shell.calls, expected);
}

TEST_F(LauncherMenuClickTest, FixedEntriesFollowTheRows) {
  LauncherMenu menu = Menu();
  menu.LauncherMenuClick(Entry(4));  // home page: written, then opened
  ASSERT_EQ(home_page.writes, 1);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0], (FakeShell::Call{&main_window, "MORVELIN.html", "", "C:\\P\\", 5}));
  for (int position : {5, 7, 8, 9, 10}) menu.LauncherMenuClick(Entry(position));
  const std::vector<std::string> expected = {"screen saver", "tray off", "listing", "tray on",
                                             "tray off",     "help",     "tray on", "tray off",
                                             "version",      "tray on",  "close"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(LauncherMenuClickTest, FailuresLaunchNothing) {
  store.Row(0).state = "S";
  store.Row(1).file = "";
  LauncherMenu menu = Menu();
  try {
    menu.LauncherMenuClick(Entry(0));
    FAIL() << "a window state that is not a number was taken";
  } catch (const AppError& error) {
    EXPECT_NE(std::string(error.what()).find("'S'"), std::string::npos) << error.what();
  }
  menu.LauncherMenuClick(Entry(1));  // empty file name: nothing
  home_page.fail = true;
  EXPECT_THROW(menu.LauncherMenuClick(Entry(4)), AppError);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(LauncherMenuClickTest, TrayComesBackWhenAModalCommandFails) {
  LauncherMenuActions actions{[] { throw AppError("x"); },
                              nullptr,
                              nullptr,
                              nullptr,
                              nullptr,
                              [this](bool on) { log.push_back(on ? "tray on" : "tray off"); },
                              nullptr};
  LauncherMenu menu(store, launcher, home_page, "C:\\P\\", actions);
  EXPECT_THROW(menu.LauncherMenuClick(Entry(7)), AppError);
  EXPECT_EQ(log, (std::vector<std::string>{"tray off", "tray on"}));
}

}  // namespace
