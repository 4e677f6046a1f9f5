#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/clock_texts.h"
#include "core/logon_session.h"
#include "core/store_persistence.h"
#include "editing/listing.h"
#include "fakes/fake_logon.h"
#include "fakes/fake_platform.h"

namespace {

const std::string kItemFile = "C:\\M\\Morvelin.ini";
const std::string kLogFile = "C:\\M\\Morvelin.log";

// Processor counters that advance by the busy share the test sets for each second.
struct FakeMachine : TickClock, ProcessorUse {
  std::int64_t now = 0;
  ProcessorTimes times;
  std::function<int(std::int64_t)> busy_percent = [](std::int64_t) { return 5; };
  std::int64_t Milliseconds() override { return now; }
  std::optional<ProcessorTimes> Times() override { return times; }
  void RunTo(std::int64_t to) {
    for (; now < to; ++now) {
      times.total += 100;
      times.idle += static_cast<std::uint64_t>(100 - busy_percent(now));
    }
  }
};

struct Start {
  int row;
  std::int64_t at;
  WaitReason reason;
  bool operator==(const Start&) const = default;
};

// Runs the schedule as the session does: wakes when it says, looks at the processors, starts.
std::vector<Start> Simulate(const std::vector<RowTiming>& rows,
                            std::function<int(std::int64_t)> busy) {
  FakeMachine machine;
  machine.busy_percent = std::move(busy);
  RowSchedule schedule(0);
  for (size_t i = 0; i < rows.size(); ++i) schedule.Add(static_cast<int>(i), rows[i]);
  std::vector<Start> starts;
  while (!schedule.Empty() && machine.now < 1000000) {
    machine.RunTo(machine.now + schedule.NextCheckIn(machine.now));
    for (const ScheduledStart& s : schedule.Due(machine.now, machine.times))
      starts.push_back({s.row, s.waited_ms, s.reason});
  }
  return starts;
}

TEST(RowSchedule, DelaysIdlenessItsThresholdAndLimit) {
  const RowTiming delay5{5, kAllDays, false}, idle{0, kAllDays, true},
      later_idle{10, kAllDays, true};
  const auto calm = [](std::int64_t) { return 5; };
  const auto half = [](std::int64_t) { return 50; };
  struct Case {
    const char* name;
    std::vector<RowTiming> rows;
    std::function<int(std::int64_t)> busy;
    std::vector<Start> expected;
  } cases[] = {
      {"delay only", {delay5}, half, {{0, 5000, WaitReason::Delay}}},
      // The first whole window of samples is the one from 1 s to 4 s.
      {"calm machine", {idle}, calm, {{0, 4000, WaitReason::Idle}}},
      {"just under the threshold",
       {idle},
       [](std::int64_t) { return 19; },
       {{0, 4000, WaitReason::Idle}}},
      {"at the threshold",
       {idle},
       [](std::int64_t) { return 20; },
       {{0, kIdleLimitMs, WaitReason::IdleLimit}}},
      {"busy until 10 s",
       {idle},
       [](std::int64_t t) { return t < 10000 ? 90 : 5; },
       {{0, 13000, WaitReason::Idle}}},
      {"idle after its delay", {later_idle}, calm, {{0, 13000, WaitReason::Idle}}},
      // One idle row at a time: each start (the delayed one's too) begins the window anew.
      {"staggered",
       {idle, idle, delay5},
       calm,
       {{0, 4000, WaitReason::Idle}, {2, 5000, WaitReason::Delay}, {1, 9000, WaitReason::Idle}}},
      {"limit for all",
       {idle, idle},
       half,
       {{0, kIdleLimitMs, WaitReason::IdleLimit}, {1, kIdleLimitMs, WaitReason::IdleLimit}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Simulate(c.rows, c.busy), c.expected) << c.name;
}

LaunchItem Row(const std::string& name, RowTiming timing, const std::string& once = "100/00") {
  LaunchItem row;
  row.title = name;
  row.file = "C:\\" + name + ".exe";
  row.state = "0";
  row.band = "00002359";
  row.once = once;
  row.enabled = true;
  row.timing = timing;
  return row;
}

class TimedSession : public ::testing::Test {
 protected:
  LogOnSession& Begin(std::vector<LaunchItem> rows, const LocalTime& started) {
    for (LaunchItem& row : rows) store.Append(std::move(row));
    store.count = store.Size();
    const StartupClock clock{TodayText(started), ClockText(started), WeekdayOf(started)};
    session = std::make_unique<LogOnSession>(
        LogOnSession::Setup{store, clock, started, files, kItemFile, kLogFile, launcher, errors},
        settings, &services, [this] { ++finished; });
    session->Begin();
    return *session;
  }
  // Lets the machine's time pass, firing the timer whenever its period since it was last set
  // (at the start or by a tick) runs out.
  void RunFor(std::int64_t ms) {
    const std::int64_t end = machine.now + ms;
    while (timer.running && last_fire + timer.milliseconds <= end) {
      last_fire += timer.milliseconds;
      machine.RunTo(last_fire);
      timer.Fire();
    }
    machine.RunTo(end);
  }
  std::vector<std::string> Launched() const {
    std::vector<std::string> out;
    for (const auto& call : shell.calls) out.push_back(call.file);
    return out;
  }
  std::optional<std::string> Once(int row) {
    return files.files[kItemFile].Get("Items", "D" + std::to_string(row));
  }
  std::string Log() { return log_files.files[kLogFile]; }

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
  FakeMachine machine;
  LogOnServices services{log_files, running, error_texts, timer, &machine, &machine};
  std::unique_ptr<LogOnSession> session;
  int finished = 0;
  std::int64_t last_fire = 0;
};

constexpr int kWeekdays = 0x3E;  // Monday to Friday

TEST_F(TimedSession, DelayedAndWeekdayRowsStartWhenTheirRulesSayAndTheReportSaysWhy) {
  // 2026/12/06 is a Sunday.
  LogOnSession& run = Begin(
      {Row("now", {}), Row("later", {5, kAllDays, false}), Row("work", {0, kWeekdays, false})},
      {2026, 12, 6, 8, 30, 5});
  EXPECT_EQ(Launched(), std::vector<std::string>{"C:\\now.exe"});
  EXPECT_EQ(Once(1), std::nullopt);  // marked when it starts, not before
  EXPECT_EQ(Once(2), std::nullopt);  // not its day: neither started nor marked
  EXPECT_EQ(timer.milliseconds, 5000);
  RunFor(4900);
  EXPECT_EQ(Launched().size(), 1u);
  RunFor(100);
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\now.exe", "C:\\later.exe"}));
  EXPECT_EQ(Once(1), "112/06");
  EXPECT_TRUE(run.Finished());
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(run.Marks(), (RunMarks{"*", "*", " "}));
  EXPECT_EQ(Log(),
            "2026/12/06 08:30:05 ﾛｸﾞｵﾝ起動 3行 一斉起動\r\n"
            "  0 now: 起動しました\r\n"
            "  1 later: 起動しました 08:30:10 (遅延の指定で 5秒待機)\r\n"
            "  2 work: ｽｷｯﾌﾟ 曜日 月火水木金 のみ (本日 日)\r\n");
}

TEST_F(TimedSession, QuitStopsWhatIsPendingAndIdleRowsStartOneAtATimeAcrossMidnight) {
  machine.busy_percent = [](std::int64_t t) { return t < 20000 ? 80 : 5; };
  LogOnSession& run = Begin({Row("a", {0, kAllDays, true}), Row("b", {0, kAllDays, true}),
                             Row("c", {600, kAllDays, false})},
                            {2026, 12, 7, 23, 59, 50});
  RunFor(23000);
  EXPECT_EQ(Launched(), std::vector<std::string>{"C:\\a.exe"});
  RunFor(4000);
  EXPECT_EQ(Launched(), (std::vector<std::string>{"C:\\a.exe", "C:\\b.exe"}));
  run.Stop();
  RunFor(600000);
  EXPECT_EQ(Launched().size(), 2u);
  EXPECT_EQ(Once(1), "112/07");  // the day of the log-on, as the once rule has it
  EXPECT_EQ(Once(2), std::nullopt);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(finished, 0);
  EXPECT_NE(Log().find("  0 a: 起動しました 00:00:13 (ｱｲﾄﾞﾙになるまで 23秒待機)\r\n"
                       "  1 b: 起動しました 00:00:17 (ｱｲﾄﾞﾙになるまで 27秒待機)\r\n"
                       "  2 c: 未起動 (終了により中止) 遅延待ち\r\n"),
            std::string::npos)
      << Log();
}

TEST(RowTimingStore, EarlierFilesKeepTheirBytesAndTheNewKeysRoundTrip) {
  FakeRegistry registry;
  FakeProfileFiles files;
  StorePersistence persistence{registry, files, kItemFile};
  AppSettings settings;
  ItemStore store;
  registry.Set("Window", "Count", "2");
  // Every key an earlier version writes.
  for (int i = 0; i < 2; ++i) {
    const LaunchItem row = Row(i ? "b" : "メモ帳", {}, i ? "000/00" : "112/05");
    for (char letter : kFieldLetters)
      files.files[kItemFile].Put("Items", letter + std::to_string(i), FieldOf(row, letter));
    files.files[kItemFile].Put("Items", "C" + std::to_string(i), "1");
  }
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(0).timing, RowTiming{});
  persistence.Save(settings, store);
  EXPECT_EQ(files.replacements, 0);  // nothing to write: the earlier file stays as it was

  files.files[kItemFile].Put("Items", "Days1", "1111");  // a hand edit garbled these
  files.files[kItemFile].Put("Items", "Idle1", "x");
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(1).timing, RowTiming{});

  store.Row(0).timing = {300, kWeekdays, true};
  store.Row(1).timing.delay_seconds = 99999;  // a hand edit beyond the range
  persistence.Save(settings, store);
  EXPECT_EQ(files.files[kItemFile].Get("Items", "Delay0"), "300");
  EXPECT_EQ(files.files[kItemFile].Get("Items", "Days0"), "0111110");
  EXPECT_EQ(files.files[kItemFile].Get("Items", "Idle0"), "1");
  EXPECT_EQ(files.files[kItemFile].Get("Items", "Days1"), "1111111");  // present, so corrected
  persistence.Load(settings, store);
  EXPECT_EQ(store.Row(0).timing, (RowTiming{300, kWeekdays, true}));
  EXPECT_EQ(store.Row(1).timing.delay_seconds, kMaxDelaySeconds);
  EXPECT_EQ(FillListing(store.Rows())[0][7], "300秒後 月火水木金 ｱｲﾄﾞﾙ時");
  EXPECT_EQ(FillListing(store.Rows())[1][7], "3600秒後");
}

TEST(RowTimingTexts, WeekdaysAndTimesOfDay) {
  const std::pair<LocalTime, int> days[] = {{{2026, 12, 8}, 2}, {{2000, 2, 29}, 2},
                                            {{2024, 1, 1}, 1},  {{1999, 12, 31}, 5},
                                            {{2026, 12, 6}, 0}, {{2027, 3, 1}, 1}};
  for (const auto& [date, weekday] : days) EXPECT_EQ(WeekdayOf(date), weekday) << date.year;
  EXPECT_EQ(TimeOfDayAfter({2026, 12, 7, 23, 59, 50}, 25999), "00:00:15");
  EXPECT_EQ(DaysLabel(0), "なし");
  EXPECT_FALSE(OnDay(kWeekdays, 0));
  EXPECT_TRUE(OnDay(kWeekdays, -1));
}

}  // namespace
