#include "editing/list_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/texts.h"
#include "fakes/fake_command_target.h"
#include "fakes/fake_platform.h"
#include "items/store_persistence.h"
#include "platform/app_error.h"
#include "resources/resource_ids.h"

namespace {

class FakeItemListView : public ItemListView {
 public:
  std::vector<LaunchItem> shown;  // what the list shows after the last refresh
  int refreshes = 0;
  int selected = -1;
  std::optional<bool> buttons_enabled;  // unset until the buttons are first updated
  int button_updates = 0;

  void ShowRows(const std::vector<LaunchItem>& rows) override {
    shown = rows;
    ++refreshes;
  }
  int SelectedIndex() override { return selected; }
  void Select(int index) override { selected = index; }
  void EnableRowButtons(bool enabled) override {
    buttons_enabled = enabled;
    ++button_updates;
  }
  ListEventHandlers events;
  void SetEventHandlers(ListEventHandlers handlers) override { events = std::move(handlers); }
};

class FakeItemDialog : public ItemDialogRunner {
 public:
  std::vector<ItemDialogFields> given;
  std::optional<ItemDialogResult> result;  // unset: the dialog closes without OK

  std::optional<ItemDialogResult> Run(const ItemDialogFields& initial) override {
    given.push_back(initial);
    return result;
  }
};

LaunchItem Item(std::string title, std::string band = "00002359", std::string once = "000/00",
                bool enabled = true) {
  LaunchItem row;
  row.title = std::move(title);
  row.file = "C:\\Tools\\" + row.title + ".exe";
  row.folder = "C:\\Tools";
  row.args = "/x";
  row.state = "0";
  row.band = std::move(band);
  row.once = std::move(once);
  row.home = "http://example.test/";
  row.enabled = enabled;
  return row;
}

// The dialog's fields on one line, so a mismatch shows all of them.
std::string Describe(const ItemDialogFields& f) {
  return f.title + "|" + f.file + "|" + f.folder + "|" + f.args + "|" + f.home + "|style " +
         std::to_string(f.style) + "|" + std::to_string(f.start_hour) + ":" +
         std::to_string(f.start_minute) + "-" + std::to_string(f.end_hour) + ":" +
         std::to_string(f.end_minute) + "|once " + (f.once ? "on" : "off");
}

ItemDialogResult DialogOk(std::string title, int style, std::string p_time, std::string once) {
  ItemDialogResult r;
  r.fields.title = std::move(title);
  r.fields.file = "D:\\Apps\\run.exe";
  r.fields.folder = "D:\\Apps";
  r.fields.args = "-q";
  r.fields.home = "http://home.test/";
  r.fields.style = style;
  r.p_time = std::move(p_time);
  r.once_check = std::move(once);
  return r;
}

class ListCommandsTest : public ::testing::Test {
 protected:
  ListCommandsTest() { launcher.SetMainWindow(main_window); }

  void Load(std::vector<LaunchItem> rows) {
    for (auto& row : rows) store.Append(std::move(row));
    view.shown = store.Rows();
  }
  std::vector<std::string> Titles() const {
    std::vector<std::string> titles;
    for (const auto& row : store.Rows()) titles.push_back(row.title);
    return titles;
  }
  std::string ErrorOf(void (ListCommands::*command)()) {
    try {
      (commands.*command)();
    } catch (const AppError& e) {
      return e.what();
    }
    return "(no error)";
  }

  WindowHandle main_window = reinterpret_cast<WindowHandle>(0x5150);
  ItemStore store;
  FakeItemListView view;
  FakeItemDialog dialog;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  FakeSystem system;
  FakeShell shell;
  Launcher launcher{shell};
  ListCommands commands{store, view, dialog, dialogs, system, launcher};
};

void ExpectSelectFileBox(const FakeMessageBoxes& boxes) {
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "ファイルを選択して下さい");
  EXPECT_EQ(boxes.shown[0].caption, "情報");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
}

TEST_F(ListCommandsTest, EmptyListDisablesRowButtonsAndRowCommandsDoNothing) {
  commands.UpdateListButtons();
  EXPECT_EQ(view.buttons_enabled, false);

  commands.MoveUpClick();
  commands.MoveDownClick();
  commands.RunBtnClick();
  commands.AllOKClick();
  commands.AllNGClick();
  EXPECT_TRUE(store.Empty());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(dialog.given.empty());
}

TEST_F(ListCommandsTest, EditAndDeleteWithoutSelectionOnlyAskForAFile) {
  Load({Item("a")});
  commands.EditBtnClick();  // also the list's double click
  ExpectSelectFileBox(boxes);
  boxes.shown.clear();
  commands.DeleteBtnClick();
  ExpectSelectFileBox(boxes);
  EXPECT_TRUE(dialog.given.empty());
  EXPECT_EQ(system.beeps, 0);
  EXPECT_EQ(view.button_updates, 0);  // Delete does not refresh the buttons in this case
  EXPECT_EQ(store.Size(), 1);
}

TEST_F(ListCommandsTest, AddOpensAnEmptyDialogForTheWholeDayAndAppendsAnEnabledRow) {
  Load({Item("a"), Item("b")});
  view.selected = 0;
  dialog.result = DialogOk("メモ帳", 2, "07301800", "0");
  commands.AddBtnClick();

  ASSERT_EQ(dialog.given.size(), 1u);
  EXPECT_EQ(Describe(dialog.given[0]), "|||||style 0|0:0-23:59|once off");

  ASSERT_EQ(store.Size(), 3);
  EXPECT_EQ(store.Row(2), (LaunchItem{"メモ帳", "D:\\Apps\\run.exe", "D:\\Apps", "-q", "2",
                                      "07301800", "000/00", "http://home.test/", true}));
  EXPECT_EQ(view.shown, store.Rows());
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.buttons_enabled, true);

  dialog.result = DialogOk("x", 0, "00002359", "1");
  commands.AddBtnClick();
  EXPECT_EQ(store.Row(3).once, "100/00");
  EXPECT_EQ(store.Row(3).band, "00002359");
}

TEST_F(ListCommandsTest, AddIntoAnEmptyListEnablesTheButtonsAndCancelAddsNothing) {
  commands.AddBtnClick();  // the dialog closes without OK
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(view.refreshes, 0);

  dialog.result = DialogOk("first", 0, "00002359", "0");
  commands.AddBtnClick();
  EXPECT_EQ(Titles(), std::vector<std::string>{"first"});
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.buttons_enabled, true);
}

TEST_F(ListCommandsTest, EditFillsTheDialogFromTheRowAndKeepsTheLastRunDate) {
  LaunchItem row = Item("editor", "07051830", "112/24", /*enabled=*/false);
  row.state = "1";
  Load({Item("a"), row});
  view.selected = 1;
  dialog.result = DialogOk("renamed", 2, "08001700", "0");
  commands.EditBtnClick();

  ASSERT_EQ(dialog.given.size(), 1u);
  EXPECT_EQ(
      Describe(dialog.given[0]),
      "editor|C:\\Tools\\editor.exe|C:\\Tools|/x|http://example.test/|style 1|7:5-18:30|once on");

  // The dialog never shows the enabled flag, so it survives the edit.
  EXPECT_EQ(store.Row(1), (LaunchItem{"renamed", "D:\\Apps\\run.exe", "D:\\Apps", "-q", "2",
                                      "08001700", "012/24", "http://home.test/", false}));
  EXPECT_EQ(view.shown, store.Rows());
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.buttons_enabled, true);
  EXPECT_EQ(store.Row(0), Item("a"));

  // Ticking the once box again brings the flag back with the same date.
  dialog.result->once_check = "1";
  commands.EditBtnClick();
  EXPECT_FALSE(dialog.given[1].once);
  EXPECT_EQ(store.Row(1).once, "112/24");
}

TEST_F(ListCommandsTest, EditReadsTheOnceFlagAsOddAndCopiesOnlyTheDateThereIs) {
  Load({Item("even", "00002359", "2"), Item("enabled", "00002359", "301/0")});
  view.selected = 0;
  dialog.result = DialogOk("even", 0, "00002359", "1");
  commands.EditBtnClick();
  EXPECT_FALSE(dialog.given[0].once);
  EXPECT_EQ(store.Row(0).once, "1");

  view.selected = 1;
  commands.EditBtnClick();
  EXPECT_TRUE(dialog.given[1].once);
  EXPECT_EQ(store.Row(1).once, "101/0");
  EXPECT_TRUE(store.Row(1).enabled);
}

TEST_F(ListCommandsTest, EditWithAStateTheDropDownCannotShowKeepsTheRowsState) {
  LaunchItem odd = Item("odd");
  odd.state = "5";  // written by hand into the item file
  Load({odd, Item("plain")});

  // The drop-down has nothing to select for 5, so the dialog hands back no selection.
  view.selected = 0;
  dialog.result = DialogOk("odd2", -1, "01000200", "0");
  commands.EditBtnClick();
  EXPECT_EQ(dialog.given[0].style, 5);
  EXPECT_EQ(store.Row(0).state, "5");
  EXPECT_EQ(store.Row(0).title, "odd2");
  EXPECT_EQ(store.Row(0).band, "01000200");

  // A choice the user did make is stored as before.
  dialog.result = DialogOk("odd3", 1, "01000200", "0");
  commands.EditBtnClick();
  EXPECT_EQ(store.Row(0).state, "1");

  view.selected = 1;
  dialog.result = DialogOk("plain", -1, "00002359", "0");
  commands.EditBtnClick();
  EXPECT_EQ(store.Row(1).state, "0");
}

TEST_F(ListCommandsTest, EditCancelledOrOnASeparatorLeavesTheRowAlone) {
  Load({Item("a", "09001700", "112/24"), SeparatorRow()});
  const std::vector<LaunchItem> before = store.Rows();
  view.selected = 0;
  commands.EditBtnClick();  // no OK
  EXPECT_EQ(dialog.given.size(), 1u);
  view.selected = 1;
  dialog.result = DialogOk("x", 0, "00002359", "0");
  commands.EditBtnClick();
  EXPECT_EQ(dialog.given.size(), 1u);  // separators have no properties
  EXPECT_EQ(store.Rows(), before);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ListCommandsTest, EditOfARowWithNonNumericFieldsFailsBeforeTheDialog) {
  LaunchItem missing;  // keys missing from the item file: every field empty
  missing.title = "lost";
  LaunchItem bad_band = Item("band", "12ab0000");
  LaunchItem bad_once = Item("once", "00002359", "x12/24");
  LaunchItem bad_state = Item("state");
  bad_state.state = "max";
  Load({missing, bad_band, bad_once, bad_state});
  const std::vector<LaunchItem> before = store.Rows();
  dialog.result = DialogOk("x", 0, "00002359", "0");

  view.selected = 0;
  EXPECT_EQ(ErrorOf(&ListCommands::EditBtnClick), "'' は整数ではありません");
  view.selected = 1;
  EXPECT_EQ(ErrorOf(&ListCommands::EditBtnClick), "'ab' は整数ではありません");
  view.selected = 2;
  EXPECT_EQ(ErrorOf(&ListCommands::EditBtnClick), "'x' は整数ではありません");
  view.selected = 3;
  EXPECT_EQ(ErrorOf(&ListCommands::EditBtnClick), "'max' は整数ではありません");

  EXPECT_TRUE(dialog.given.empty());
  EXPECT_EQ(store.Rows(), before);
}

TEST_F(ListCommandsTest, DeleteBeepsAsksAndRemovesTheWholeRowOnYes) {
  std::vector<std::string> events;
  system.event_log = &events;
  boxes.event_log = &events;
  Load({Item("a"), Item("b", "01020304", "112/24", false), Item("c")});
  view.selected = 1;
  boxes.answers = {BoxAnswer::Yes};
  commands.DeleteBtnClick();

  EXPECT_EQ(events, (std::vector<std::string>{"beep", "box 削除しますか？"}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "警告");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Warning);
  EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::YesNo);
  EXPECT_EQ(store.Rows(), (std::vector<LaunchItem>{Item("a"), Item("c")}));
  EXPECT_EQ(view.shown, store.Rows());
  EXPECT_EQ(view.selected, -1);
  EXPECT_EQ(view.buttons_enabled, true);
}

TEST_F(ListCommandsTest, DeleteAnsweredNoKeepsTheRowButStillRefreshesTheButtons) {
  Load({Item("a")});
  view.selected = 0;
  boxes.answers = {BoxAnswer::No};
  commands.DeleteBtnClick();
  EXPECT_EQ(system.beeps, 1);
  EXPECT_EQ(store.Rows(), std::vector<LaunchItem>{Item("a")});
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.button_updates, 1);
  EXPECT_EQ(view.buttons_enabled, true);
}

TEST_F(ListCommandsTest, DeletingASeparatorAndThenTheLastRowDisablesTheButtons) {
  Load({SeparatorRow(), Item("only")});
  view.selected = 0;
  commands.DeleteBtnClick();
  EXPECT_EQ(Titles(), std::vector<std::string>{"only"});
  view.selected = 0;
  commands.DeleteBtnClick();
  EXPECT_TRUE(store.Empty());
  EXPECT_TRUE(view.shown.empty());
  EXPECT_EQ(view.buttons_enabled, false);
}

TEST_F(ListCommandsTest, SeparatorIsAppendedLastAndDisabled) {
  Load({Item("a")});
  view.selected = 0;
  commands.SeparatorBtnClick();
  ASSERT_EQ(store.Size(), 2);
  EXPECT_EQ(store.Row(1), (LaunchItem{"-", "", "", "", "0", "00000000", "000/00", "", false}));
  EXPECT_EQ(view.shown, store.Rows());
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ListCommandsTest, RowButtonsFollowWhetherAnyTitleIsNonEmpty) {
  commands.SeparatorBtnClick();  // only separators: "-" is a title
  EXPECT_EQ(view.buttons_enabled, true);

  store.Clear();
  LaunchItem untitled = Item("");
  Load({untitled, untitled});
  commands.TitleListEnter();
  EXPECT_EQ(view.buttons_enabled, false);
  store.Row(1).title = "x";
  commands.UpdateListButtons();
  EXPECT_EQ(view.buttons_enabled, true);
}

TEST_F(ListCommandsTest, MovingCarriesTheRowWithItsFlagAndKeepsItSelected) {
  Load({Item("a", "00002359", "000/00", true), Item("b", "01000200", "112/24", false),
        Item("c", "00002359", "000/00", true)});
  view.selected = 1;
  commands.MoveUpClick();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(store.Row(0), Item("b", "01000200", "112/24", false));
  EXPECT_TRUE(store.Row(1).enabled);
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.shown, store.Rows());

  commands.MoveDownClick();
  commands.MoveDownClick();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_FALSE(store.Row(2).enabled);
  EXPECT_TRUE(store.Row(1).enabled);
  EXPECT_EQ(view.selected, 2);
  EXPECT_EQ(view.button_updates, 0);
}

TEST_F(ListCommandsTest, MovingPastEitherEndOrWithoutSelectionDoesNothing) {
  Load({Item("a"), Item("b")});
  view.selected = 0;
  commands.MoveUpClick();
  view.selected = 1;
  commands.MoveDownClick();
  view.selected = -1;
  commands.MoveUpClick();
  commands.MoveDownClick();
  view.selected = 7;  // a selection the store no longer has
  commands.MoveUpClick();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(view.refreshes, 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ListCommandsTest, RunAsksWithTheTitleAndLaunchesWithTheShowCommand) {
  LaunchItem row = Item("メモ帳", "23002330", "112/24", /*enabled=*/false);
  row.state = "2";
  Load({Item("a"), row});
  view.selected = 1;
  commands.RunBtnClick();

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "メモ帳を実行しますか？");
  EXPECT_EQ(boxes.shown[0].caption, "情報");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::YesNo);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0],
            (FakeShell::Call{main_window, "C:\\Tools\\メモ帳.exe", "/x", "C:\\Tools", 3}));
  EXPECT_EQ(view.button_updates, 0);
}

TEST_F(ListCommandsTest, RunDeclinedOrOnASeparatorLaunchesNothing) {
  LaunchItem untitled_file = Item("empty");
  untitled_file.file.clear();
  Load({SeparatorRow(), Item("a"), untitled_file});
  view.selected = 0;
  commands.RunBtnClick();
  EXPECT_TRUE(boxes.shown.empty());

  view.selected = 1;
  boxes.answers = {BoxAnswer::No};
  commands.RunBtnClick();
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(shell.calls.empty());

  // An empty file name is handed on as it is.
  view.selected = 2;
  commands.RunBtnClick();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].file, "");
  EXPECT_EQ(shell.calls[0].show_command, 1);
}

TEST_F(ListCommandsTest, RunOfARowWithANonNumericStateFailsAfterYes) {
  LaunchItem row = Item("broken");
  row.state = "";
  Load({row});
  view.selected = 0;
  EXPECT_EQ(ErrorOf(&ListCommands::RunBtnClick), "'' は整数ではありません");
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(shell.calls.empty());

  boxes.answers = {BoxAnswer::No};
  EXPECT_EQ(ErrorOf(&ListCommands::RunBtnClick), "(no error)");
}

TEST_F(ListCommandsTest, SelectAllAndClearAllTouchEveryRemainingRowOnly) {
  Load({Item("a", "00002359", "000/00", false), SeparatorRow(), Item("b")});
  dialog.result = DialogOk("new", 0, "00002359", "0");
  commands.AddBtnClick();
  view.selected = 2;
  boxes.answers = {BoxAnswer::Yes};
  commands.DeleteBtnClick();
  const int updates = view.button_updates;
  view.selected = 1;

  commands.AllNGClick();
  for (const auto& row : store.Rows()) EXPECT_FALSE(row.enabled) << row.title;
  EXPECT_EQ(view.shown, store.Rows());
  commands.AllOKClick();
  EXPECT_EQ(Titles(), (std::vector<std::string>{"a", "-", "new"}));
  for (const auto& row : store.Rows()) EXPECT_TRUE(row.enabled) << row.title;
  EXPECT_EQ(view.shown, store.Rows());
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.button_updates, updates);
}

TEST_F(ListCommandsTest, TickingARowInTheListSetsItsFlagOnly) {
  Load({Item("a", "00002359", "000/00", false), Item("b")});
  commands.SetRowEnabled(0, true);
  commands.SetRowEnabled(1, false);
  commands.SetRowEnabled(5, true);  // out of range: ignored
  EXPECT_TRUE(store.Row(0).enabled);
  EXPECT_FALSE(store.Row(1).enabled);
  EXPECT_EQ(store.Row(0).band, "00002359");
}

}  // namespace

namespace {

TEST_F(ListCommandsTest, EditToTheFirstWindowStateStoresZero) {
  LaunchItem row = Item("Max");
  row.state = "2";
  Load({row});
  view.selected = 0;
  dialog.result = DialogOk("Max", 0, "00002359", "0");

  commands.EditBtnClick();

  EXPECT_EQ(dialog.given.at(0).style, 2);
  EXPECT_EQ(store.Row(0).state, "0");
}

TEST_F(ListCommandsTest, AddAndSeparateStopAtTheRowsALoadAccepts) {
  for (int i = 0; i < kMaxItemRows; ++i) store.Append(SeparatorRow());
  dialog.result = DialogOk("one too many", 0, "00002359", "0");

  commands.AddBtnClick();
  commands.SeparatorBtnClick();

  EXPECT_EQ(store.Size(), kMaxItemRows);
  EXPECT_TRUE(dialog.given.empty()) << "the dialog is not even opened";
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "アイテムは 10000 個までしか登録できません");
  EXPECT_EQ(boxes.shown[0].caption, "警告");

  store.Delete(0);
  commands.SeparatorBtnClick();
  EXPECT_EQ(store.Size(), kMaxItemRows);
  EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(ListCommandsTest, RunOfATooLongFileSaysWhyAndHandsNothingOn) {
  LaunchItem row = Item("Long");
  row.file = "C:\\" + std::string(2000, 'x') + ".exe";
  Load({row});
  view.selected = 0;
  boxes.answers = {BoxAnswer::Yes};

  commands.RunBtnClick();

  EXPECT_TRUE(shell.calls.empty());
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, "ファイル名、作業フォルダまたは引数が長すぎるため実行できません");
  EXPECT_EQ(store.Row(0).file, row.file) << "the row stays as it was";
}

}  // namespace

// What the window's buttons, menu items and the list's own events reach once registered.
TEST_F(ListCommandsTest, RegisteredButtonsMenuItemsAndListEventsActOnTheRows) {
  FakeCommandTarget window;
  commands.RegisterWith(window);
  Load({Item("a"), Item("b"), Item("c")});
  view.selected = 0;
  for (int id : {IDC_MOVE_DOWN_BTN, IDM_MOVE_DOWN, IDM_MOVE_UP}) window.commands.at(id)();
  EXPECT_EQ(store.Row(1).title, "a");
  window.commands.at(IDM_ALL_NG)();
  view.events.row_checked(2, true);
  EXPECT_EQ(std::vector<bool>({store.Row(0).enabled, store.Row(1).enabled, store.Row(2).enabled}),
            std::vector<bool>({false, false, true}));
  view.events.double_click();
  EXPECT_EQ(dialog.given.size(), 1u);
  window.commands.at(IDC_SEPARATOR_BTN)();
  EXPECT_EQ(store.Size(), 4);
  view.events.enter();
  EXPECT_EQ(view.buttons_enabled, true);
}
