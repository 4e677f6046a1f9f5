#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "editing/listing.h"
#include "fakes/fake_logon.h"
#include "fakes/fake_platform.h"
#include "items/store_persistence.h"
#include "logon/logon_session.h"

namespace {

const std::string kItemFile = "C:\\M\\Morvelin.ini";
const std::string kLogFile = "C:\\M\\Morvelin.log";

LaunchItem Row(const std::string& title, const std::string& file, bool enabled = true,
               const std::string& band = "00002359", const std::string& once = "000/00") {
  LaunchItem row;
  row.title = title;
  row.file = file;
  row.state = "0";
  row.band = band;
  row.once = once;
  row.enabled = enabled;
  return row;
}

class LogOnSessionTest : public ::testing::Test {
 protected:
  void Add(LaunchItem row) {
    store.Append(std::move(row));
    store.count = store.Size();
  }
  LogOnSession& Start(bool with_services = true) {
    session = std::make_unique<LogOnSession>(
        LogOnSession::Setup{store, clock, started, files, kItemFile, kLogFile, launcher, errors},
        settings, with_services ? &services : nullptr, [this] { ++finished_calls; });
    session->Begin();
    return *session;
  }
  std::vector<std::string> Launched() const {
    std::vector<std::string> out;
    for (const auto& call : shell.calls) out.push_back(call.file);
    return out;
  }
  std::optional<std::string> Once(int row) const {
    const auto found = files.files.find(kItemFile);
    if (found == files.files.end()) return std::nullopt;
    return found->second.Get("Items", "D" + std::to_string(row));
  }
  std::string Log() { return log_files.files[kLogFile]; }
  // Lets time pass, firing the timer whenever its period since it was last set runs out.
  void RunFor(std::int64_t ms) {
    const std::int64_t end = machine.now + ms;
    for (; timer.running && last_fire + timer.milliseconds <= end; timer.Fire())
      machine.RunTo(last_fire += timer.milliseconds);
    machine.RunTo(end);
  }

  RunClock clock{"12/07", "08:30"};
  LocalTime started{2026, 12, 7, 8, 30, 5};
  FakeMachine machine;
  std::int64_t last_fire = 0;
  ItemStore store;
  AppSettings settings;
  FakeProfileFiles files;
  FakeShell shell;
  Launcher launcher{shell};
  FakeMessageBoxes boxes;
  MessageDialogs errors{boxes};
  FakeLogFiles log_files;
  FakeRunningPrograms running;
  FakeErrorTexts error_texts;
  FakeTimer timer;
  LogOnServices services{log_files, running, error_texts, timer, &machine, &machine};
  std::unique_ptr<LogOnSession> session;
  int finished_calls = 0;
};

TEST_F(LogOnSessionTest, ReportsEveryRowOfARunAllAtOnce) {
  Add(Row("Mail", "C:\\Tools\\mail.exe", true, "00002359",
          "1"
          "00/00"));
  Add(Row("Off", "C:\\Tools\\off.exe", false));
  Add(Row("Night", "C:\\Tools\\night.exe", true, "22000200"));
  Add(Row("Done", "C:\\Tools\\done.exe", true, "00002359", "112/07"));
  Add(Row("-", ""));
  Add(Row("Gone", "C:\\Tools\\gone.exe"));
  Add(Row("表示のテスト", "C:\\Docs\\a.xyz"));
  shell.answers["C:\\Tools\\gone.exe"] = {2, 2};
  shell.answers["C:\\Docs\\a.xyz"] = {31, 1155};

  LogOnSession& run = Start();

  EXPECT_TRUE(run.Finished());
  EXPECT_EQ(timer.running, false);
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\Tools\\mail.exe", "C:\\Tools\\gone.exe",
                                                  "C:\\Docs\\a.xyz"}));
  EXPECT_EQ(run.Marks(), (RunMarks{"*", " ", " ", " ", " ", "*", "*"}));
  EXPECT_EQ(Once(0), "112/07");
  EXPECT_EQ(Once(3), "112/07");  // rewritten: it passed the checks, as before
  EXPECT_EQ(Log(),
            "2026/12/07 08:30:05 ﾛｸﾞｵﾝ起動 7行 一斉起動\r\n"
            "  0 Mail: 起動しました\r\n"
            "  1 Off: ｽｷｯﾌﾟ 無効\r\n"
            "  2 Night: ｽｷｯﾌﾟ 時間帯 22:00-02:00 外 (08:30)\r\n"
            "  3 Done: ｽｷｯﾌﾟ 本日起動済み\r\n"
            "  5 Gone: 起動できませんでした: 指定されたファイルが見つかりません。\r\n"
            "  6 表示のテスト: 起動できませんでした: "
            "このファイルを開くプログラムが登録されていません\r\n");
  EXPECT_EQ(finished_calls, 0);  // a run Begin completes leaves the rest to its caller
}

TEST_F(LogOnSessionTest, WithoutTheNewValuesTheRunIsThePlainOneAndAnUnwritableLogChangesNothing) {
  Add(Row("A", "C:\\a.exe"));
  Add(Row("B", "C:\\b.exe"));
  running.paths = {"C:\\a.exe"};
  log_files.unwritable = kLogFile;
  LogOnSession& run = Start();
  EXPECT_TRUE(run.Finished());
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe", "C:\\b.exe"}));
  EXPECT_EQ(running.asked, 0);  // "Skip" off: the process list is not even read
  EXPECT_EQ(timer.milliseconds, 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(log_files.files.empty());
}

TEST_F(LogOnSessionTest, SkipLeavesRunningProgramsAloneButNotDocuments) {
  settings.skip_running = true;
  Add(Row("Mail", "C:\\Tools\\Mail.exe", true, "00002359", "100/00"));
  Add(Row("Other", "C:\\Tools\\other.exe"));
  Add(Row("Doc", "C:\\Tools\\readme.txt"));
  running.paths = {"c:\\tools\\mail.EXE", "C:\\Tools\\readme.txt"};
  LogOnSession& run = Start();
  EXPECT_EQ(Launched(),
            (std::vector<std::string>{"C:\\Tools\\other.exe", "C:\\Tools\\readme.txt"}));
  EXPECT_EQ(run.Marks(), (RunMarks{" ", "*", "*"}));
  EXPECT_EQ(Once(0), "112/07");
  EXPECT_NE(Log().find("  0 Mail: ｽｷｯﾌﾟ 起動中\r\n"), std::string::npos);
  EXPECT_EQ(Log().rfind("2026/12/07 08:30:05 ﾛｸﾞｵﾝ起動 3行 一斉起動 起動中のｱﾌﾟﾘは起動しない", 0),
            0u);

  // Without a process list, everything starts as it always did.
  shell.calls.clear();
  running.fails = true;
  Start();
  EXPECT_EQ(Launched().size(), 3u);
}

TEST_F(LogOnSessionTest, WaitSpacesLaunchesOnTheTimerAndDatesOnlyStartedRows) {
  settings.wait_seconds = 2;
  settings.launcher = false;
  for (const char* name : {"a", "b", "c"})
    Add(Row(name, std::string("C:\\") + name + ".exe", true, "00002359", "100/00"));
  Add(Row("off", "C:\\off.exe", false));

  LogOnSession& run = Start();
  std::vector<RunMarks> shown;
  run.SetStepListener([&] { shown.push_back(run.Marks()); });
  EXPECT_EQ(timer.milliseconds, 2000);
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe"}));
  EXPECT_EQ(Once(0), "112/07");
  EXPECT_EQ(Once(1), std::nullopt);
  EXPECT_FALSE(run.Finished());
  EXPECT_TRUE(Log().empty());

  machine.RunTo(2700);  // a tick that comes late...
  timer.Fire();
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe", "C:\\b.exe"}));
  EXPECT_EQ(Once(1), "112/07");
  EXPECT_EQ(Once(2), std::nullopt);
  EXPECT_EQ(run.Marks(), (RunMarks{"*", "*", " ", " "}));
  machine.RunTo(4000);  // ...does not bring the next launch closer
  timer.Fire();
  EXPECT_EQ(Launched().size(), 2u);
  EXPECT_EQ(timer.milliseconds, 700);

  // A tick as early as the timer may fire still steps: the last launch; the disabled row after
  // it ends the run in the same step.
  machine.RunTo(4650);
  timer.Fire();
  EXPECT_EQ(Launched().size(), 3u);
  EXPECT_TRUE(run.Finished());
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(finished_calls, 1);
  EXPECT_EQ(shown, (std::vector<RunMarks>{{"*", "*", " ", " "}, {"*", "*", "*", " "}}));
  EXPECT_NE(Log().find("間隔 2秒"), std::string::npos);
  EXPECT_NE(Log().find("  3 off: ｽｷｯﾌﾟ 無効\r\n"), std::string::npos);
  timer.Fire();
  EXPECT_EQ(Launched().size(), 3u);
}

TEST_F(LogOnSessionTest, AQuitDuringTheWaitLeavesTheRestUnstartedAndUnmarked) {
  settings.wait_seconds = 5;
  for (const char* name : {"a", "b", "c"})
    Add(Row(name, std::string("C:\\") + name + ".exe", true, "00002359", "100/00"));
  LogOnSession& run = Start();
  run.Stop();
  timer.Fire();
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe"}));
  EXPECT_EQ(Once(0), "112/07");
  EXPECT_EQ(Once(1), std::nullopt);
  EXPECT_EQ(Once(2), std::nullopt);
  EXPECT_EQ(run.Marks(), (RunMarks{"*", " ", " "}));
  EXPECT_EQ(finished_calls, 0);
  EXPECT_NE(Log().find("  0 a: 起動しました\r\n  1 b: 未起動 (終了により中止)\r\n"
                       "  2 c: 未起動 (終了により中止)\r\n"),
            std::string::npos);
  run.Stop();  // a second stop writes nothing more
  const std::string log = Log();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4);
}

// Under a box the message loop goes on delivering ticks: a spaced run shows none until its
// end, and a tick that arrives inside a step is not another step.
TEST_F(LogOnSessionTest, ASpacedRunHoldsItsErrorsForOneBoxAtTheEndAndNeverReenters) {
  settings.wait_seconds = 2;
  for (const char* name : {"a", "b", "c", "d", "e"}) Add(Row(name, name));
  store.Row(1).state = "x";
  store.Row(3).state = "y";
  Start().SetStepListener([&] { timer.Fire(); });
  machine.RunTo(2000);
  timer.Fire();
  EXPECT_EQ(Launched(), (std::vector<std::string>{"a", "c"}));
  EXPECT_TRUE(boxes.shown.empty());
  machine.RunTo(4000);
  timer.Fire();
  EXPECT_EQ(Launched(), (std::vector<std::string>{"a", "c", "e"}));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "'x' は整数ではありません\r\n'y' は整数ではありません.");
}

TEST_F(LogOnSessionTest, ATimerThatCannotBeSetStartsTheRestAtOnce) {
  settings.wait_seconds = 2;
  timer.refuses = true;
  Add(Row("a", "C:\\a.exe"));
  Add(Row("b", "C:\\b.exe"));
  EXPECT_TRUE(Start().Finished());
  EXPECT_EQ(Launched().size(), 2u);
}

// Lost once the run is under way (here when the first row's process has ended and the period
// changes): the rest still starts, the caller is told, and what was started is not followed,
// since nothing would ever end the following.
TEST_F(LogOnSessionTest, ATimerLostMidRunStartsTheRestAtOnceAndFollowsNothing) {
  FakeReadiness readiness;
  services.readiness = &readiness;
  settings.wait_seconds = 2;
  for (const char* name : {"a", "b", "c"}) Add(Row(name, name));
  Start();
  EXPECT_EQ(Launched().size(), 1u);
  shell.processes.at("a")->ended = true;
  timer.refuses = true;
  machine.RunTo(timer.milliseconds);
  timer.Fire();
  EXPECT_EQ(Launched().size(), 3u);
  EXPECT_TRUE(session->Finished() && session->TimelineComplete() && finished_calls == 1);
}

TEST(LaterSettings, AbsentOrMalformedValuesGiveTheDefaultsAndDefaultsAreNotWritten) {
  const struct {
    std::optional<std::string> skip, wait;
    bool skip_running;
    int wait_seconds;
  } cases[] = {
      {std::nullopt, std::nullopt, false, 0},
      {"1", "60", true, 60},
      {"2", "0", true, 0},
      {"yes", "abc", false, 0},
      {"0", "-1", false, 0},
      {"0", "61", false, 0},
      {"0", "7", false, 7},
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    FakeProfileFiles files;
    if (c.skip) registry.Set("Window", "Skip", *c.skip);
    if (c.wait) registry.Set("Window", "Wait", *c.wait);
    StorePersistence persistence(registry, files, kItemFile);
    AppSettings settings;
    ItemStore store;
    persistence.Load(settings, store);
    EXPECT_EQ(settings.skip_running, c.skip_running) << c.skip.value_or("-");
    EXPECT_EQ(settings.wait_seconds, c.wait_seconds) << c.wait.value_or("-");
  }

  // An earlier-format registry stays free of the new values until they are set.
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence(registry, files, kItemFile);
  AppSettings settings;
  ItemStore store;
  persistence.Save(settings, store);
  EXPECT_EQ(registry.Get("Window", "Skip"), std::nullopt);
  EXPECT_EQ(registry.Get("Window", "Wait"), std::nullopt);
  settings.skip_running = true;
  settings.wait_seconds = 3;
  persistence.Save(settings, store);
  EXPECT_EQ(registry.Get("Window", "Skip"), "1");
  EXPECT_EQ(registry.Get("Window", "Wait"), "3");
  settings = AppSettings{};  // back to the defaults: written, so they read back as such
  persistence.Save(settings, store);
  EXPECT_EQ(registry.Get("Window", "Skip"), "0");
  EXPECT_EQ(registry.Get("Window", "Wait"), "0");
}

using Starts = std::vector<std::tuple<int, std::int64_t, WaitReason>>;  // row, when, why

TEST(RowSchedule, DelaysIdlenessItsThresholdAndItsLimit) {
  const RowTiming delay5{5, kAllDays, false}, idle{0, kAllDays, true};
  const auto busy = [](int percent) { return [percent](std::int64_t) { return percent; }; };
  constexpr auto kDelay = WaitReason::Delay, kIdle = WaitReason::Idle;
  constexpr auto kLimit = WaitReason::IdleLimit;
  const std::tuple<std::vector<RowTiming>, std::function<int(std::int64_t)>, Starts> cases[] = {
      {{delay5}, busy(50), {{0, 5000, kDelay}}},
      // The first whole window of samples is the one from 1 s to 4 s.
      {{idle}, busy(19), {{0, 4000, kIdle}}},
      {{idle}, busy(20), {{0, kIdleLimitMs, kLimit}}},
      {{idle}, [](std::int64_t t) { return t < 10000 ? 90 : 5; }, {{0, 13000, kIdle}}},
      // One idle row at a time: each start (the delayed one's too) begins the window anew.
      {{idle, idle, delay5}, busy(5), {{0, 4000, kIdle}, {2, 5000, kDelay}, {1, 9000, kIdle}}},
      {{idle, idle}, busy(50), {{0, kIdleLimitMs, kLimit}, {1, kIdleLimitMs, kLimit}}},
  };
  for (size_t c = 0; c < std::size(cases); ++c) {
    const auto& [rows, busy_percent, expected] = cases[c];
    // As the log-on run does: wake when the schedule says, look at the processors, start.
    FakeMachine machine;
    machine.busy_percent = busy_percent;
    RowSchedule schedule(0);
    for (size_t i = 0; i < rows.size(); ++i) schedule.Add(static_cast<int>(i), rows[i]);
    Starts starts;
    while (!schedule.Empty() && machine.now < 1000000) {
      machine.RunTo(machine.now + schedule.NextCheckIn(machine.now));
      for (const ScheduledStart& s : schedule.Due(machine.now, machine.times))
        starts.emplace_back(s.row, s.waited_ms, s.reason);
    }
    EXPECT_EQ(starts, expected) << "case " << c;
  }
}

TEST(RowTimingStore, EarlierFilesKeepTheirBytesTheNewKeysRoundTripAndHandEditsFollowOneRule) {
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence{registry, files, "M.ini"};
  AppSettings settings;
  ItemStore store;
  registry.Set("Window", "Count", "2");
  for (const std::string i : {"0", "1"})  // every key an earlier version writes
    for (const char* key : {"T", "C", "F", "W", "A", "S", "H", "D", "P"})
      files.files["M.ini"].Put("Items", key + i, *key == 'S' ? "0" : *key == 'C' ? "1" : "x");
  persistence.Load(settings, store);
  persistence.Save(settings, store);
  EXPECT_EQ(files.replacements, 0);  // nothing to write: the earlier file stays as it was

  store.Row(0).timing = {300, 0x3E, true};
  files.files["M.ini"].Put("Items", "Days1", "1111");  // garbled: reads as all days, is mended
  persistence.Save(settings, store);
  std::string stored;
  for (const char* key : {"Delay0", "Days0", "Idle0", "Days1"})
    stored += *files.files["M.ini"].Get("Items", key) + " ";
  EXPECT_EQ(stored, "300 0111110 1 1111111 ");
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(0).timing, (RowTiming{300, 0x3E, true}));
  EXPECT_EQ(FillListing(store.Rows())[0][7], "300秒後 月火水木金 ｱｲﾄﾞﾙ時");

  // Hand edits follow one rule, decimal only with a delay clamped, and the mended are named.
  const char* edits[][2] = {
      {"Delay0", "0x10"}, {"Idle0", "0x1"}, {"Delay1", "99999999999999999999"}};
  for (const auto& [key, text] : edits) files.files["M.ini"].Put("Items", key, text);
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(0).timing, (RowTiming{0, 0x3E, false}));
  EXPECT_EQ(store.Row(1).timing.delay_seconds, 3600);
  EXPECT_EQ(persistence.MisreadValues(),
            (std::vector<MisreadValue>{{"Delay0", "0"}, {"Idle0", "0"}, {"Delay1", "3600"}}));
  EXPECT_EQ(MisreadLine("Delay1", "3600"),
            "  設定 'Delay1' の値が正しくないため、'3600' として起動しました");
}

TEST_F(LogOnSessionTest, OwnDelaysAndDaysStartRowsLaterOrNotAndAQuitStopsThePendingOnes) {
  clock = {"12/06", "23:59", 0};  // a Sunday, a little before midnight
  started = {2026, 12, 6, 23, 59, 58};
  for (const char* name : {"now", "later", "work", "last"})
    Add(Row(name, std::string("C:\\") + name + ".exe", true, "00002359", "100/00"));
  store.Row(1).timing = {5, kAllDays, false};
  store.Row(2).timing = {0, 0x3E, false};  // weekdays
  store.Row(3).timing = {600, 1, false};   // Sundays
  LogOnSession& run = Start();
  RunFor(4900);
  EXPECT_EQ(Once(1), std::nullopt);  // marked when it starts, not before
  RunFor(100);
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\now.exe", "C:\\later.exe"}));
  EXPECT_EQ(Once(1), "112/06");  // the log-on's day, as the once rule has it
  run.Stop();
  RunFor(600000);
  EXPECT_EQ(Launched().size(), 2u);
  EXPECT_TRUE(!Once(2) && !Once(3));  // neither the one not on its day nor the stopped one
  EXPECT_TRUE(!timer.running && finished_calls == 0);
  EXPECT_EQ(Log(),
            "2026/12/06 23:59:58 ﾛｸﾞｵﾝ起動 4行 一斉起動\r\n  0 now: 起動しました\r\n"
            "  1 later: 起動しました 00:00:03 (遅延の指定で 5秒待機)\r\n"
            "  2 work: ｽｷｯﾌﾟ 曜日 月火水木金 のみ (本日 日)\r\n"
            "  3 last: 未起動 (終了により中止) 遅延待ち\r\n");
}

TEST(RowTiming, DaysKeepTheirOrderDelaysTheirBoundsAndALateBeginningItsWholeDelay) {
  // Sunday+Monday; garbled is every day; 1 Mar 2024 was a Friday; Sunday is not Saturday.
  EXPECT_EQ(
      std::vector<std::string>({DaysText(0x03), DaysLabel(0x41), DaysLabel(kAllDays), DaysLabel(0),
                                TimeOfDayAfter({2026, 12, 6, 23, 59, 58}, 2000)}),
      std::vector<std::string>({"1100000", "日土", "毎日", "なし", "00:00:00"}));
  EXPECT_EQ(
      std::vector<int>({DaysOf("1100000"), DaysOf("1x00000"), WeekdayOf({2024, 3, 1, 0, 0, 0}),
                        WeekdayOf({2026, 12, 6, 0, 0, 0}), OnDay(1, 6)}),
      std::vector<int>({0x03, kAllDays, 5, 0, 0}));
  EXPECT_EQ(std::vector<int>({DelayOf("-5"), DelayOf("3600"), DelayOf("3601"), DelayOf("x")}),
            std::vector<int>({0, kMaxDelaySeconds, kMaxDelaySeconds, 0}));
  RowSchedule schedule(1000000);
  schedule.Add(0, {5, kAllDays, false});
  EXPECT_TRUE(schedule.Due(1004999, std::nullopt).empty());
  const auto due = schedule.Due(1005000, std::nullopt);
  EXPECT_TRUE(due.size() == 1 && due[0].waited_ms == 5000);
  schedule.Add(1, {5, kAllDays, true});  // idle, but not before its delay: no polling till then
  EXPECT_EQ(schedule.NextCheckIn(1001500), 3500);
  IdleMeter meter;  // two samples a whole window apart are enough
  meter.Add(0, {100, 100});
  meter.Add(kIdleWindowMs, {200, 200});
  EXPECT_TRUE(meter.Idle());
}

TEST_F(LogOnSessionTest, WithoutATimerTheWaitingRowsStartAtOnceEachReportedWithItsWait) {
  timer.refuses = true;
  for (const char* name : {"idle", "both"}) Add(Row(name, name));
  store.Row(0).timing = {0, kAllDays, true};
  store.Row(1).timing = {5, kAllDays, true};
  Start();
  EXPECT_EQ(Launched().size(), 2u);
  EXPECT_NE(Log().find("  0 idle: 起動しました 08:30:05 (ｱｲﾄﾞﾙになるまで 0秒待機)\r\n"
                       "  1 both: 起動しました 08:30:05 (遅延の指定で 0秒待機)\r\n"),
            std::string::npos);
}

TEST_F(LogOnSessionTest, InASpacedRunIdleRowsWaitACalmWindowAfterTheLastLaunchLateRowsTheirDelay) {
  settings.wait_seconds = 2;
  for (const char* name : {"idle", "a", "b", "late"}) Add(Row(name, name));
  store.Row(0).timing = {0, kAllDays, true};
  store.Row(3).timing = {7, kAllDays, false};
  Start();
  std::vector<size_t> launched;  // at 4999, 6000, 6999 and 7000 ms
  for (const std::int64_t step : {4999, 1001, 999, 1})
    RunFor(step), launched.push_back(Launched().size());
  EXPECT_EQ(launched, (std::vector<size_t>{2, 3, 3, 4}));
  EXPECT_EQ(Launched().back(), "late");
}

}  // namespace

namespace {

TEST(LogButton, OpensTheReportThroughTheShellOrSaysThereIsNoneYet) {
  FakeLogFiles files;
  FakeErrorTexts error_texts;
  FakeShell shell;
  Launcher launcher{shell};
  int main_window = 0;
  launcher.SetMainWindow(&main_window);
  FakeMessageBoxes boxes;
  MessageDialogs dialogs{boxes};
  OpenLogOnReport(files, error_texts, launcher, dialogs, "C:\\M\\");
  EXPECT_TRUE(shell.calls.empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "ﾛｸﾞはまだありません。ﾛｸﾞｵﾝ時の起動の後に作られます。");

  files.files["C:\\M\\Morvelin.log"] = "";  // there, if empty: it opens
  OpenLogOnReport(files, error_texts, launcher, dialogs, "C:\\M\\");
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(
      shell.calls,
      (std::vector<FakeShell::Call>{{&main_window, "C:\\M\\Morvelin.log", "", "C:\\M\\", 5}}));

  // No program for .log: the text editor; a folder in the log's place is never opened.
  shell.answers["C:\\M\\Morvelin.log"] = {31, 0};
  OpenLogOnReport(files, error_texts, launcher, dialogs, "C:\\M\\");
  EXPECT_EQ(shell.calls.back().file + shell.calls.back().arguments,
            "notepad.exe\"C:\\M\\Morvelin.log\"");
  files.folders.insert("C:\\M\\Morvelin.log");
  OpenLogOnReport(files, error_texts, launcher, dialogs, "C:\\M\\");
  EXPECT_EQ(boxes.shown.back().text, "C:\\M\\Morvelin.log はファイルではないため開けません。");
  files.folders.clear();
  shell.answers["notepad.exe"] = {2, 0};  // nor can the editor be started
  OpenLogOnReport(files, error_texts, launcher, dialogs, "C:\\M\\");
  EXPECT_EQ(boxes.shown.back().text.find("C:\\M\\Morvelin.log を開けませんでした。"), 0u);
}

}  // namespace
