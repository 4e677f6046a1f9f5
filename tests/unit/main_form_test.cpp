#include "settings_window/main_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/settings_parts.h"
#include "core/texts.h"
#include "fakes/fake_command_target.h"
#include "fakes/fake_logon.h"
#include "fakes/fake_platform.h"
#include "logon/shift_skip.h"
#include "resources/resource_ids.h"

namespace {

const std::string kItemFile = "C:\\Tools\\Morvelin\\Morvelin.ini";
void* const kApplicationWindow = reinterpret_cast<void*>(0x100);
void* const kMainWindow = reinterpret_cast<void*>(0x200);

// Holds what the presenter put into the window, as the real window would show it.
class FakeMainView : public MainView {
 public:
  WindowBounds bounds;
  std::string home_page = "designed";
  OptionTicks options;
  bool skip_running = false;
  int wait_seconds = 0;
  std::vector<LaunchItem> rows;
  bool centred = false;
  bool shown = false;
  bool minimised = false;
  bool tool_window = false;
  bool terminated = false;
  bool closed = false;
  std::string status[2];
  bool application_page = false;
  int selected_row = -1;
  bool list_focusable = true;
  bool list_focused = false;
  bool lan_focused = false;
  MainForm* form = nullptr;
  std::vector<std::string>* event_log = nullptr;

  AppSettings Settings() override {
    AppSettings s;
    SetBounds(s, bounds);
    SetTicks(s, options);
    s.home_page = home_page;
    s.skip_running = skip_running;
    s.wait_seconds = wait_seconds;
    return s;
  }
  void ShowSettings(const AppSettings& s) override {
    bounds = BoundsOf(s);
    options = TicksOf(s);
    home_page = s.home_page;
    skip_running = s.skip_running;
    wait_seconds = s.wait_seconds;
  }
  void ShowItems(const std::vector<LaunchItem>& r) override { rows = r; }
  void CentreOnScreen() override { centred = true; }
  void Show() override { shown = true; }
  void Minimise() override { minimised = true; }
  void SetApplicationToolWindow() override { tool_window = true; }
  void Terminate() override {
    terminated = true;
    if (event_log) event_log->push_back("terminate");
  }
  // Like the real window: the close is asked first, then the close handling runs and the
  // window is gone. Called by a test, it is the close box.
  void Close() override {
    if (form && !form->FormCloseQuery()) return;
    if (form) form->FormClose();
    closed = true;
  }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void ShowApplicationPage() override { application_page = true; }
  bool SelectFirstRowAndFocus() override {
    if (!list_focusable) return false;
    if (!rows.empty()) selected_row = 0;
    list_focused = true;
    return true;
  }
  void FocusLanCheckBox() override { lan_focused = true; }
};

class MainFormTest : public ::testing::Test {
 protected:
  FakeRegistry registry;
  FakeProfileFiles files;
  FakeShell shell;
  FakeKeyboard keyboard;
  FakeClock clock;
  FakeSystem system;
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  Launcher launcher{shell};
  FakeMainView view;
  std::vector<std::string> events;
  FakeLogFiles log_files;
  FakeRunningPrograms running;
  FakeErrorTexts error_texts;
  FakeTimer timer;
  LogOnServices logon{log_files, running, error_texts, timer};

  MainFormTest() {
    launcher.SetApplicationWindow(kApplicationWindow);
    launcher.SetMainWindow(kMainWindow);
  }

  MainForm& Make(RunMode mode) {
    form_ = std::make_unique<MainForm>(
        view, mode,
        MainFormServices{registry, files, shell, keyboard, clock, system, dialogs, launcher});
    view.form = form_.get();
    return *form_;
  }

  void StoreRow(int i, const std::string& title, const std::string& file, bool enabled,
                const std::string& band = "00002359") {
    auto& f = files.files[kItemFile];
    const std::string n = std::to_string(i);
    f.Put("Items", "T" + n, title);
    f.Put("Items", "C" + n, enabled ? "1" : "0");
    f.Put("Items", "F" + n, file);
    f.Put("Items", "S" + n, "0");
    f.Put("Items", "H" + n, band);
    f.Put("Items", "D" + n, "000/00");
  }

  void LogEvents() {
    shell.event_log = &events;
    keyboard.event_log = &events;
    view.event_log = &events;
  }

  // Each kept timeline rewrites the history file once.
  long HistoryWrites() const {
    return std::count(files.opened_paths.begin(), files.opened_paths.end(),
                      "C:\\Tools\\Morvelin\\Morvelin.hst");
  }

  std::string Stored(const std::string& name) {
    return registry.Get("Window", name).value_or("<missing>");
  }

 private:
  std::unique_ptr<MainForm> form_;
};

TEST(ModeChoice, OnlyAnExactFirstSlashNStartsTheLogOnRun) {
  EXPECT_EQ(ModeFromArguments({"/N"}), RunMode::LogOn);
  EXPECT_EQ(ModeFromArguments({"/N", "x"}), RunMode::LogOn);
  EXPECT_EQ(ModeFromArguments({"/n"}), RunMode::Config);
  EXPECT_EQ(ModeFromArguments({"-N"}), RunMode::Config);
  EXPECT_EQ(ModeFromArguments({"/N "}), RunMode::Config);
  EXPECT_EQ(ModeFromArguments({"x", "/N"}), RunMode::Config);
  EXPECT_EQ(ModeFromArguments({}), RunMode::Config);
}

TEST_F(MainFormTest, FirstStartShowsTheDefaultsAndOkStoresThemAndAsksToRestart) {
  MainForm& form = Make(RunMode::Config);
  form.Start();

  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.bounds, (WindowBounds{0, 0, 485, 333}));
  EXPECT_EQ(view.home_page, "");
  EXPECT_EQ(view.options, (OptionTicks{true, false, false, false, false}));
  EXPECT_TRUE(view.rows.empty());
  EXPECT_TRUE(view.application_page);
  EXPECT_EQ(view.status[0], "Version 2.1");
  EXPECT_TRUE(view.list_focused);
  EXPECT_EQ(view.selected_row, -1);
  EXPECT_FALSE(form.Tray().visible);
  EXPECT_EQ(form.HelpFile(), "C:\\Tools\\Morvelin\\Morvelin.Hlp");
  EXPECT_EQ(form.TodayText(), "12/06");
  EXPECT_EQ(form.ClockText(), "08:12");
  EXPECT_EQ(form.ProgramFolder(), "C:\\Tools\\Morvelin\\");
  EXPECT_TRUE(boxes.shown.empty());

  boxes.answers.push_back(BoxAnswer::No);
  form.OkBtnClick();

  EXPECT_EQ(Stored("Left"), "0");
  EXPECT_EQ(Stored("Top"), "0");
  EXPECT_EQ(Stored("Height"), "333");
  EXPECT_EQ(Stored("Width"), "485");
  EXPECT_EQ(Stored("MP"), "");
  EXPECT_EQ(Stored("Lanc"), "1");
  EXPECT_EQ(Stored("Clear"), "0");
  EXPECT_EQ(Stored("Caps"), "0");
  EXPECT_EQ(Stored("Num"), "0");
  EXPECT_EQ(Stored("MenuIcon"), "0");
  EXPECT_EQ(Stored("Count"), "0");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "今すぐWindowsを再起動しますか？");
  EXPECT_EQ(boxes.shown[0].caption, "情報");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::YesNoDefaultNo);
  EXPECT_EQ(system.restarts, 0);
  EXPECT_TRUE(view.closed);
}

// The window's Update, Ok and close box reach the form through what it registered.
TEST_F(MainFormTest, RegisteredUpdateOkAndCloseQuerySaveAndClose) {
  MainForm& form = Make(RunMode::Config);
  FakeCommandTarget window;
  form.RegisterWith(window);
  form.Start();
  view.home_page = "http://example.org/";
  window.commands.at(IDC_UPDATE_BTN)();
  EXPECT_EQ(Stored("MP"), "http://example.org/");
  EXPECT_FALSE(view.closed);
  view.home_page = "x";
  boxes.answers = {BoxAnswer::Cancel};
  EXPECT_FALSE(window.close_query()) << "unsaved: the close box asks and Cancel keeps it";
  boxes.answers = {BoxAnswer::No};
  window.commands.at(IDC_OK_BTN)();
  EXPECT_EQ(Stored("MP"), "x");
  EXPECT_TRUE(view.closed);
}

TEST_F(MainFormTest, YesToTheRestartQuestionRequestsTheRestart) {
  MainForm& form = Make(RunMode::Config);
  form.Start();
  boxes.answers = {BoxAnswer::Yes};
  form.OkBtnClick();
  EXPECT_EQ(system.restarts, 1);
  EXPECT_TRUE(view.closed);
}

TEST_F(MainFormTest, UpdateSavesTheEditedStateAndCancelAfterItAsksNothing) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::Config);
  form.Start();
  ASSERT_EQ(view.rows.size(), 1u);
  EXPECT_EQ(view.rows[0].title, "Mail");
  EXPECT_EQ(view.selected_row, 0);
  EXPECT_TRUE(view.list_focused);
  EXPECT_FALSE(view.lan_focused);

  // The user moves the window, edits the options and appends a row.
  view.bounds = {40, 50, 600, 400};
  view.home_page = "http://example.org/";
  view.options = {false, true, true, false, true};
  LaunchItem added;
  added.title = "メモ帳";
  added.file = "notepad.exe";
  added.state = "0";
  added.band = "00002359";
  added.once = "000/00";
  added.enabled = true;
  form.Store().Append(added);

  form.UpdateBtnClick();
  EXPECT_FALSE(view.closed);
  EXPECT_FALSE(form.RestartPending());
  EXPECT_EQ(Stored("Left"), "40");
  EXPECT_EQ(Stored("Top"), "50");
  EXPECT_EQ(Stored("Width"), "600");
  EXPECT_EQ(Stored("Height"), "400");
  EXPECT_EQ(Stored("MP"), "http://example.org/");
  EXPECT_EQ(Stored("Lanc"), "0");
  EXPECT_EQ(Stored("Clear"), "1");
  EXPECT_EQ(Stored("Caps"), "1");
  EXPECT_EQ(Stored("MenuIcon"), "1");
  EXPECT_EQ(Stored("Count"), "2");
  EXPECT_EQ(files.files[kItemFile].Get("Items", "T1"), "メモ帳");
  EXPECT_EQ(files.files[kItemFile].Get("Items", "C1"), "1");

  const size_t writes = registry.write_log.size();
  form.CancelBtnClick();
  EXPECT_TRUE(view.closed);
  EXPECT_TRUE(boxes.shown.empty()) << "no restart question after Cancel";
  EXPECT_EQ(system.restarts, 0);
  EXPECT_EQ(registry.write_log.size(), writes) << "Cancel saves nothing";
  EXPECT_EQ(Stored("Count"), "2");
}

TEST_F(MainFormTest, ClosingWithoutOkAsksNoRestartQuestion) {
  MainForm& form = Make(RunMode::Config);
  form.Start();
  form.FormClose();  // the close box
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(system.restarts, 0);
}

TEST_F(MainFormTest, LogOnRunWithNothingRegisteredWelcomesAndShowsTheWindowCentred) {
  LogEvents();
  keyboard.toggled[kVkCapital] = true;
  registry.Set("Window", "Clear", "1");
  MainForm& form = Make(RunMode::LogOn);
  form.Start();

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "情報");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Information);
  EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::Ok);
  EXPECT_EQ(boxes.shown[0].text,
            "Morvelinをご利用いただき、誠に有り難うございます。\r\n"
            "スタートアッププログラムを登録して下さい。");
  EXPECT_TRUE(view.centred);
  EXPECT_TRUE(view.shown);
  EXPECT_FALSE(view.tool_window);
  EXPECT_TRUE(form.Tray().visible);
  EXPECT_FALSE(form.Tray().enabled);
  EXPECT_FALSE(view.terminated);
  EXPECT_EQ(view.status[0], "Version 2.1");
  EXPECT_TRUE(events.empty()) << "no launch, key press or clearing";
  EXPECT_EQ(shell.recent_cleared, 0);
}

TEST_F(MainFormTest, LogOnRunLaunchesThenSetsTheKeysThenClearsThenEnds) {
  registry.Set("Window", "Count", "3");
  registry.Set("Window", "Lanc", "0");
  registry.Set("Window", "Caps", "1");
  registry.Set("Window", "Clear", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  StoreRow(1, "Late", "C:\\late.exe", true, "23002359");
  StoreRow(2, "Web", "http://example.org/", true);
  keyboard.toggled[kVkNumLock] = true;  // Num option off: switched off
  LogEvents();

  MainForm& form = Make(RunMode::LogOn);
  form.Start();

  EXPECT_EQ(events, (std::vector<std::string>{"launch C:\\mail.exe", "launch http://example.org/",
                                              "key 20", "key 144", "clear recent", "terminate"}));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].owner, kApplicationWindow);
  EXPECT_EQ(shell.calls[0].show_command, 1);
  EXPECT_EQ(form.Marks(), (RunMarks{"*", " ", "*"}));
  EXPECT_TRUE(view.tool_window);
  EXPECT_TRUE(view.minimised);
  EXPECT_FALSE(view.shown);
  EXPECT_FALSE(form.Resident());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(keyboard.toggled[kVkCapital]);
  EXPECT_FALSE(keyboard.toggled[kVkNumLock]);
  EXPECT_EQ(form.Tray().tip, "Morvelin 2026年12月6日");
  EXPECT_TRUE(form.Tray().visible);
}

TEST_F(MainFormTest, LogOnRunWithTheLauncherOptionStaysResidentWithItsMenu) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::LogOn);
  RunMarks marks_seen;
  form.SetLauncherMenuBuilder([&] { marks_seen = form.Marks(); });
  form.Start();

  EXPECT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(marks_seen, (RunMarks{"*"})) << "the menu is built after the run";
  EXPECT_TRUE(form.Resident());
  EXPECT_FALSE(view.terminated);
  EXPECT_FALSE(view.shown);
  EXPECT_TRUE(form.Tray().visible);
  EXPECT_TRUE(form.Tray().enabled);
  EXPECT_EQ(shell.recent_cleared, 0) << "Clear is off";
}

// A run that ends the process lets go of the single instance once its launches are over, while
// it still follows what it started; a resident launcher keeps it.
// The marks change as a spaced run's steps start their rows, for the launcher's menu. Each run
// keeps its timeline once the following is over.
TEST_F(MainFormTest, AnEndingRunLetsTheNextStartInWhileItFollowsItsRows) {
  registry.Set("Window", "Count", "2");
  registry.Set("Window", "Wait", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  StoreRow(1, "News", "C:\\news.exe", true);
  FakeMachine machine;
  FakeReadiness readiness;
  const LogOnServices followed{log_files, running,  error_texts, timer,
                               &machine,  &machine, &readiness};
  for (const bool launcher : {false, true}) {
    registry.Set("Window", "Lanc", launcher ? "1" : "0");
    view.terminated = false;
    MainForm& form = Make(RunMode::LogOn);
    int let_go = 0;
    std::vector<RunMarks> marks;
    form.SetLaunchesOverListener([&] { ++let_go; });
    form.SetRunMarksListener([&] { marks.push_back(form.Marks()); });
    form.SetLogOnServices(&followed);
    form.Start();
    EXPECT_EQ(let_go, 0) << "News is still to start";
    while (shell.calls.size() < (launcher ? 4u : 2u) && timer.running) {
      machine.now += timer.milliseconds;
      timer.Fire();
    }
    EXPECT_EQ(marks, (std::vector<RunMarks>{{"*", "*"}}));
    EXPECT_EQ(let_go, launcher ? 0 : 1);
    EXPECT_TRUE(timer.running && !view.terminated) << "still following its rows";
    for (auto& [file, process] : shell.processes) process->ended = true;
    machine.now += timer.milliseconds;
    timer.Fire();
    EXPECT_EQ(view.terminated, !launcher);
    EXPECT_EQ(let_go, launcher ? 0 : 1);
    EXPECT_EQ(HistoryWrites(), launcher ? 2 : 1);
  }
}

TEST_F(MainFormTest, LoadErrorIsShownAndTheWindowStillOpens) {
  registry.values["Window\\Top"] = FakeRegistry::Value{"12", false};
  registry.Set("Window", "Left", "77");
  MainForm& form = Make(RunMode::LogOn);
  form.Start();

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Morvelin");
  EXPECT_EQ(boxes.shown[0].icon, BoxIcon::Error);
  EXPECT_EQ(boxes.shown[0].text, "'Top' のデータ型が不正です.");
  EXPECT_EQ(view.bounds.left, 77) << "what was read before the failure is applied";
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(view.status[0], "Version 2.1");
  // The remaining creation steps were skipped.
  EXPECT_EQ(form.Tray().tip, "");
  EXPECT_FALSE(form.Tray().visible);
  EXPECT_EQ(form.HelpFile(), "");
  EXPECT_FALSE(view.tool_window);
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(MainFormTest, ErrorInsideTheLogOnRunShowsItAndEndsTheHiddenProcess) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::LogOn);
  form.SetLauncherMenuBuilder([] { throw AppError("タスクトレイにアイコンを登録できません。"); });
  form.Start();

  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "タスクトレイにアイコンを登録できません。");
  EXPECT_FALSE(view.shown);
  EXPECT_TRUE(view.terminated);
  EXPECT_FALSE(form.Resident());
  EXPECT_EQ(form.Tray().tip, "") << "later creation steps are skipped";
}

TEST_F(MainFormTest, FailedSaveKeepsTheWindowOpenAndAsksNothing) {
  files.failing_writes.insert("T0");
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::Config);
  form.Start();

  form.OkBtnClick();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "Morvelin");
  EXPECT_EQ(boxes.shown[0].text, kItemFile + " に書き込めません.");
  EXPECT_FALSE(view.closed);
  EXPECT_FALSE(form.RestartPending());

  // Once the file can be written again OK goes through.
  files.failing_writes.clear();
  boxes.answers.push_back(BoxAnswer::No);
  form.OkBtnClick();
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(boxes.shown.back().text, "今すぐWindowsを再起動しますか？");
}

TEST_F(MainFormTest, ASaveLeavesNothingUnsaved) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::Config);
  form.Start();
  form.Store().Row(0).enabled = false;
  EXPECT_TRUE(form.HasUnsavedChanges());
  EXPECT_TRUE(form.SaveNow());
  EXPECT_FALSE(form.HasUnsavedChanges());
}

TEST_F(MainFormTest, TheCloseBoxAsksToSaveChangesYesSavesAsOkNoDiscardsCancelStays) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  for (const BoxAnswer answer : {BoxAnswer::Cancel, BoxAnswer::No, BoxAnswer::Yes}) {
    view = FakeMainView{};
    boxes.shown.clear();
    MainForm& form = Make(RunMode::Config);
    form.Start();
    view.bounds = {40, 50, 600, 400};  // moving the window is nothing to lose
    EXPECT_FALSE(form.HasUnsavedChanges());
    form.Store().Row(0).enabled = false;
    boxes.answers = {answer, BoxAnswer::No};
    view.Close();
    EXPECT_EQ(boxes.shown[0].buttons, BoxButtons::YesNoCancel);
    EXPECT_EQ(view.closed, answer != BoxAnswer::Cancel);
    EXPECT_EQ(files.files[kItemFile].Get("Items", "C0"), answer == BoxAnswer::Yes ? "0" : "1");
    EXPECT_EQ(boxes.shown.size(), answer == BoxAnswer::Yes ? 2u : 1u) << "restart question";
  }
  view = FakeMainView{};
  boxes.shown.clear();
  Make(RunMode::Config).Start();
  view.options.num = true;
  view.form->CancelBtnClick();  // an explicit discard: nothing asked
  EXPECT_TRUE(view.closed && boxes.shown.empty());
}

TEST_F(MainFormTest, ShowingTheWindowAgainClearsAPendingRestart) {
  MainForm& form = Make(RunMode::Config);
  form.Start();
  view.form = nullptr;  // keep the window "open" to observe the flag
  form.OkBtnClick();
  EXPECT_TRUE(form.RestartPending());
  form.FormShow();
  EXPECT_FALSE(form.RestartPending());
}

TEST_F(MainFormTest, TrayTipCarriesTheStartDateWithoutLeadingZeros) {
  clock.now = LocalTime{2027, 1, 1, 0, 5, 0};
  MainForm& form = Make(RunMode::Config);
  form.Start();
  EXPECT_EQ(form.Tray().tip, "Morvelin 2027年1月1日");
  EXPECT_EQ(form.TodayText(), "01/01");
  EXPECT_EQ(form.ClockText(), "00:05");
}

TEST_F(MainFormTest, FocusFallsBackToTheLauncherOptionWhenTheListCannotTakeIt) {
  view.list_focusable = false;
  MainForm& form = Make(RunMode::Config);
  form.Start();
  EXPECT_TRUE(view.lan_focused);
  EXPECT_FALSE(view.list_focused);
}

TEST(StatusBarHint, ShowsThePartAfterTheFirstBar) {
  EXPECT_EQ(LongHint("削除"), "削除");
  EXPECT_EQ(LongHint("short|long|tail"), "long|tail");
  EXPECT_EQ(LongHint("short|"), "");
  EXPECT_EQ(LongHint(""), "");
}

TEST_F(MainFormTest, ShowingTheWindowRefreshesTheRowButtons) {
  MainForm& form = Make(RunMode::Config);
  int updates = 0;
  form.SetListButtonsUpdater([&] { ++updates; });
  form.Start();
  EXPECT_EQ(updates, 1);
}

}  // namespace

namespace {

// A list whose stored rows were not read: OK asks before replacing them; No keeps them.
TEST_F(MainFormTest, UnreadListIsReplacedOnlyWithConsent) {
  for (const bool consent : {false, true}) {
    registry.values.clear();
    files.files.clear();
    boxes.shown.clear();
    registry.values["Window\\Count"] = FakeRegistry::Value{"\x02", false};
    StoreRow(0, "Mail", "C:\\mail.exe", true);
    StoreRow(1, "Web", "C:\\web.exe", true);
    const auto stored_rows = files.files[kItemFile].keys;
    MainForm& form = Make(RunMode::Config);
    form.Start();
    ASSERT_EQ(boxes.shown.size(), 1u) << "the failed load is reported";
    EXPECT_TRUE(form.Store().Empty());

    form.Store().Append(SeparatorRow());
    boxes.answers = {consent ? BoxAnswer::Yes : BoxAnswer::No, BoxAnswer::No};
    form.OkBtnClick();

    ASSERT_GE(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].caption, "警告");
    EXPECT_EQ(boxes.shown[1].text.find("保存されているアイテムの一覧を読み込めませんでした"), 0u);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(Stored("Lanc"), "1") << "settings are saved either way";
    if (consent) {
      EXPECT_EQ(Stored("Count"), "1");
      EXPECT_EQ(files.files[kItemFile].Get("Items", "T0"), "-");
    } else {
      EXPECT_FALSE(registry.values.at("Window\\Count").is_text) << "Count untouched";
      EXPECT_EQ(files.files[kItemFile].keys, stored_rows) << "item file untouched";
    }
  }
}

TEST_F(MainFormTest, ReadListSavesWithoutAsking) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::Config);
  form.Start();
  form.UpdateBtnClick();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(files.replacements, 1);
}

// A value the file cannot give back as it was: too long, or one that would break its line.
TEST_F(MainFormTest, UnstorableValueIsRefusedByNameAndNothingIsWritten) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  MainForm& form = Make(RunMode::Config);
  form.Start();
  const auto registry_before = registry.write_log.size();
  const std::string bad_values[] = {std::string(40000, 'a'), "a\rb", "a\nb",
                                    std::string("a\0b", 3)};
  for (const std::string& value : bad_values) {
    boxes.shown.clear();
    form.Store().Row(0).args = value;

    form.OkBtnClick();

    ASSERT_EQ(boxes.shown.size(), 1u) << value.size();
    EXPECT_EQ(boxes.shown[0].text,
              "アイテム「Mail」の引数は保存できません。32766 バイト以内の1行にして下さい.");
    EXPECT_FALSE(view.closed);
  }
  EXPECT_EQ(registry.write_log.size(), registry_before);
  EXPECT_EQ(files.replacements, 0);
  EXPECT_EQ(files.files[kItemFile].Get("Items", "A0"), std::nullopt);
}

// A file the shell cannot take is skipped without a word; later rows start, and the once
// dates of all rows go in one write after the last launch.
TEST_F(MainFormTest, LogOnSkipsTooLongFilesAndWritesOnceDatesAfterTheLaunches) {
  registry.Set("Window", "Count", "3");
  registry.Set("Window", "Lanc", "0");
  StoreRow(0, "Long", "C:\\" + std::string(2000, 'x') + ".exe", true);
  StoreRow(1, "Mail", "C:\\mail.exe", true);
  StoreRow(2, "Web", "C:\\web.exe", true);
  for (int i = 0; i < 3; ++i)
    files.files[kItemFile].Put("Items", "D" + std::to_string(i), "100/00");
  LogEvents();
  files.failing_writes = {"D0"};
  boxes.event_log = &events;
  MainForm& form = Make(RunMode::LogOn);
  form.Start();

  // Counted as a launch the shell refused: marked, like any other.
  EXPECT_EQ(form.Marks(), (RunMarks{"*", "*", "*"}));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].file, "C:\\mail.exe");
  ASSERT_EQ(boxes.shown.size(), 1u) << "one report for the failed date write";
  EXPECT_EQ(boxes.shown[0].text, kItemFile + " に書き込めません.");
  const auto box = std::find(events.begin(), events.end(), "box " + boxes.shown[0].text);
  const auto last_launch = std::find(events.begin(), events.end(), "launch C:\\web.exe");
  EXPECT_LT(last_launch, box);
  EXPECT_TRUE(view.terminated);
}

// A held item file: at log-on nothing starts and the log says why; in the window OK replaces
// the unread list only with consent. A later setting of the wrong type is named in the report,
// stops nothing and is written as text by the next save.
TEST_F(MainFormTest, UnreadableStateIsNeverTakenForAnEmptyListAndNeverStopsTheLogOn) {
  registry.Set("Window", "Count", "1");
  registry.values["Window\\Wait"] = FakeRegistry::Value{"\x03", false};
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  files.leftovers = files.unreadable = {kItemFile};
  std::string& log = log_files.files["C:\\Tools\\Morvelin\\Morvelin.log"] = "half a line";
  for (int run = 0; run < 2; ++run, files.unreadable.clear()) {
    MainForm& at_logon = Make(RunMode::LogOn);
    at_logon.SetLogOnServices(&logon);
    at_logon.Start();
    for (int tick = 0; timer.running && tick < 100; ++tick) timer.Fire();
    EXPECT_FALSE(timer.running) << "the wait for the held file never ends";
  }
  EXPECT_TRUE(view.terminated && files.leftovers.empty());
  EXPECT_EQ(shell.calls.size(), 1u) << "the held run launched nothing";
  EXPECT_EQ(HistoryWrites(), 1) << "a run that ends as it begins keeps its timeline";
  EXPECT_EQ(log,
            "half a line\r\n2026/12/06 08:12:30 ﾛｸﾞｵﾝ起動 0行 一斉起動\r\n  "
            "ｱｲﾃﾑﾌｧｲﾙを読み込めないため、何も起動しませんでした: " +
                kItemFile +
                " を読み込めません: 使用中です。\r\n"
                "  ｱｲﾃﾑﾌｧｲﾙは10.0秒待っても他のﾌﾟﾛｸﾞﾗﾑに使用されたままでした\r\n"
                "2026/12/06 08:12:30 ﾛｸﾞｵﾝ起動 1行 一斉起動\r\n  設定 'Wait' "
                "の値が正しくないため、既定の値で起動しました\r\n  0 Mail: 起動しました\r\n");

  files.unreadable = {kItemFile};
  MainForm& form = Make(RunMode::Config);
  form.Start();
  form.Store().Append(SeparatorRow());
  boxes.answers = {BoxAnswer::No, BoxAnswer::No};
  form.OkBtnClick();
  EXPECT_EQ(boxes.shown.end()[-2].text.find("保存されているアイテムの一覧を読み込めませんでした"),
            0u);
  EXPECT_EQ(files.files[kItemFile].Get("Items", "T0"), "Mail");
  EXPECT_EQ(Stored("Wait"), "0") << "rewritten as text";
}

// A file held for a while at log-on: tried again after growing pauses on the timer, with the
// window hidden and nothing launched, until it is let go; then the run goes on and the report
// says how long it waited. In the window the box offers 再試行 until the file reads.
TEST_F(MainFormTest, AHeldItemFileIsWaitedForAtLogOnAndRetriedInTheWindow) {
  FakeMachine machine;
  const LogOnServices timed{log_files, running, error_texts, timer, &machine};
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  files.unreadable = {kItemFile};
  MainForm& at_logon = Make(RunMode::LogOn);
  int late = 0;
  at_logon.SetLogOnServices(&timed);
  at_logon.SetStartedLateListener([&] { ++late; });
  at_logon.Start();
  std::vector<int> pauses;
  while (timer.running && machine.now < 3000) {
    pauses.push_back(timer.milliseconds);
    machine.now += timer.milliseconds + 7;  // ticks come a little late
    timer.Fire();
  }
  EXPECT_EQ(pauses, (std::vector<int>{100, 107, 221, 449, 905, 1817}));
  EXPECT_TRUE(shell.calls.empty() && boxes.shown.empty() && !view.shown && !view.terminated);
  files.unreadable.clear();
  machine.now += timer.milliseconds;
  timer.Fire();
  EXPECT_TRUE(shell.calls.size() == 1 && at_logon.Resident() && !view.shown && late == 1);
  EXPECT_NE(log_files.files["C:\\Tools\\Morvelin\\Morvelin.log"].find(
                "ﾛｸﾞｵﾝ起動 1行 一斉起動\r\n  ｱｲﾃﾑﾌｧｲﾙが他のﾌﾟﾛｸﾞﾗﾑに使用されていたため、5.6"
                "秒待ってから起動しました\r\n  0 Mail: 起動しました"),
            std::string::npos);

  files.unreadable = {kItemFile};
  boxes.answers = {BoxAnswer::Retry, BoxAnswer::Retry};
  boxes.on_show = [&] { files.unreadable.erase(boxes.shown.size() == 2 ? kItemFile : ""); };
  Make(RunMode::Config).Start();
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].buttons, BoxButtons::RetryCancel);
  EXPECT_EQ(boxes.shown[1].text,
            kItemFile +
                " を読み込めません: 使用中です。\r\n"
                "ほかのプログラムがアイテムファイルを使い終えてから「再試行」を"
                "押して下さい。\r\n「キャンセル」を選ぶと一覧を読まずに開きます。");
  EXPECT_TRUE(view.shown && view.rows.size() == 1) << "the list read on the second try";

  // Without a timer to wait on, the run gives up at once, with the plain error.
  timer.refuses = true;
  boxes.shown.clear();
  boxes.on_show = nullptr;
  files.unreadable = {kItemFile};
  MainForm& untimed = Make(RunMode::LogOn);
  untimed.SetLogOnServices(&timed);
  untimed.Start();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kItemFile + " を読み込めません: 使用中です。");
}

}  // namespace

// What an interrupted taking over left is put right only against rows that were read (unread,
// every kept entry would look rowless and be given back); the repairs are shown in the window
// and written into the log-on report.
TEST_F(MainFormTest, RepairsAtLoadFollowReadRowsOnlyAndAreShownOrReported) {
  std::vector<size_t> seen;  // the rows each repair was given
  const auto repair = [&](const std::vector<LaunchItem>& rows) {
    seen.push_back(rows.size());
    return std::vector<std::string>{"直しました。", "「A」を戻しました"};
  };
  StoreRow(0, "Mail", "C:\\mail.exe", true);
  registry.Set("Window", "Count", "x");  // the rows stay unread
  std::string shown;
  for (const RunMode mode : {RunMode::Config, RunMode::Config, RunMode::LogOn}) {
    boxes.shown.clear();
    MainForm& form = Make(mode);
    form.SetLoadRepair(repair);
    form.SetLogOnServices(&logon);
    form.Start();
    for (const auto& box : boxes.shown) shown += box.text + "|";
    registry.Set("Window", "Count", "1");
  }
  EXPECT_EQ(seen, (std::vector<size_t>{1, 1}));
  EXPECT_NE(shown.find("|直しました。\r\n「A」を戻しました|"), std::string::npos) << shown;
  EXPECT_NE(log_files.files["C:\\Tools\\Morvelin\\Morvelin.log"].find(
                "\r\n  直しました。\r\n  「A」を戻しました\r\n  0 Mail: 起動しました"),
            std::string::npos);
}

// Shift held at log-on: nothing starts, no date moves, the report says why; the tray's
// "今すぐ起動" then starts the rows due at that moment (here only then in their band), once.
TEST_F(MainFormTest, ShiftHeldAtLogOnStartsNothingUntilTheTrayAsks) {
  registry.Set("Window", "Count", "1");
  StoreRow(0, "Once", "C:\\once.exe", true, "09000959");
  files.files[kItemFile].Put("Items", "D0", "100/00");
  std::string& log = log_files.files["C:\\Tools\\Morvelin\\Morvelin.log"];
  keyboard.down[kVkShift] = true;
  MainForm* form = nullptr;
  for (const bool launcher : {false, true}) {
    registry.Set("Window", "Lanc", launcher ? "1" : "0");
    log.clear();
    view.terminated = false;
    form = &Make(RunMode::LogOn);
    form->SetLogOnServices(&logon);
    form->Start();
    EXPECT_TRUE(shell.calls.empty() && files.files[kItemFile].Get("Items", "D0") == "100/00");
    EXPECT_EQ(view.terminated, !launcher);
    EXPECT_EQ(log,
              "2026/12/06 08:12:30 ﾛｸﾞｵﾝ起動 1行 一斉起動\r\n" + ShiftSkipLine(launcher) + "\r\n");
  }
  clock.now.hour = 9;
  form->StartSkippedRun();
  form->StartSkippedRun();
  EXPECT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(files.files[kItemFile].Get("Items", "D0"), "112/06");
}
