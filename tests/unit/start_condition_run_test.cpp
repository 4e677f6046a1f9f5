#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/logon_session.h"
#include "fakes/fake_logon.h"
#include "fakes/fake_platform.h"

namespace {

// A log-on run against a fake clock, fake processes, paths and connections.
struct ConditionRun {
  void Add(const std::string& title, const StartCondition& condition = {},
           const RowTiming& timing = {}) {
    LaunchItem row;
    row.title = title;
    row.file = "C:\\" + title + ".exe";
    row.state = "0";
    row.band = "00002359";
    row.once = "100/00";
    row.enabled = true;
    row.timing = timing;
    row.condition = condition;
    store.Append(row);
    store.count = store.Size();
  }
  LogOnSession& Start() {
    session = std::make_unique<LogOnSession>(LogOnSession::Setup{store,
                                                                 {"12/07", "08:30"},
                                                                 {2026, 12, 7, 8, 30, 0},
                                                                 files,
                                                                 "M.ini",
                                                                 "M.log",
                                                                 launcher,
                                                                 errors},
                                             settings, &services, [this] { ++finished_calls; });
    session->Begin();
    return *session;
  }
  void RunFor(std::int64_t ms) {
    const std::int64_t end = machine.now + ms;
    for (; timer.running && last_fire + timer.milliseconds <= end; timer.Fire())
      machine.RunTo(last_fire += timer.milliseconds);
    machine.RunTo(end);
  }
  FakeProcessState& Process(const std::string& title) {
    return *shell.processes.at("C:\\" + title + ".exe");
  }
  const RowTimeline& Timeline(int row) { return session->Timeline().rows.at(row); }
  std::string Log() { return log_files.files["M.log"]; }

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
  FakeReadiness readiness;
  LogOnServices services{log_files, running, error_texts, timer, &machine, &machine, &readiness};
  std::unique_ptr<LogOnSession> session;
  int finished_calls = 0;
};

constexpr char kHeading[] = "2026/12/07 08:30:00 ﾛｸﾞｵﾝ起動 1行 一斉起動\r\n";

}  // namespace

TEST(StartConditionRun, APathReadyBeforeAtOrAfterItsLimitStartsTheRowOrSkipsItAsItAsks) {
  struct Case {
    std::int64_t appears_ms;
    AtLimit at_limit;
    const char* line;
  };
  const Case cases[] = {
      {3000, AtLimit::Skip,
       "  0 nas: 起動しました 08:30:03 [条件 'N:\\共有' の存在を 3秒待って成立]"},
      {10000, AtLimit::Skip,
       "  0 nas: 起動しました 08:30:10 [条件 'N:\\共有' の存在を 10秒待って成立]"},
      {12000, AtLimit::Start,
       "  0 nas: 起動しました 08:30:10 [条件 'N:\\共有' の存在を 10秒待っても成立しないため上限で"
       "起動]"},
      {12000, AtLimit::Skip,
       "  0 nas: ｽｷｯﾌﾟ 条件 'N:\\共有' の存在を 10秒待っても成立しないため上限で中止"},
  };
  for (const Case& c : cases) {
    ConditionRun run;
    run.Add("nas", {ConditionKind::PathExists, "N:\\共有", 10, c.at_limit});
    LogOnSession& session = run.Start();
    run.RunFor(std::min<std::int64_t>(c.appears_ms, 10000) - 1);
    EXPECT_TRUE(run.shell.calls.empty());
    run.RunFor(c.appears_ms - 1 - run.machine.now);
    run.readiness.paths.insert("N:\\共有");
    run.RunFor(20000);
    EXPECT_EQ(run.Log(), kHeading + std::string(c.line) + "\r\n");
    const bool started = run.shell.calls.size() == 1;
    // Only a row that started is marked as run today.
    EXPECT_EQ(run.files.files["M.ini"].Get("Items", "D0").has_value(), started);
    EXPECT_EQ(run.Timeline(0).started_ms,
              started ? std::min<std::int64_t>(c.appears_ms, 10000) : kNever);
    if (started) run.Process("nas").ended = true;
    run.RunFor(500);
    EXPECT_TRUE(session.Finished() && session.TimelineComplete() && run.finished_calls == 1);
  }
}

TEST(StartConditionRun, DelayThenConditionThenIdleAndPreviousReadyFollowsTheStartBeforeIt) {
  ConditionRun run;
  run.Add("first", {ConditionKind::PreviousReady, ""});  // nothing started before it: at once
  run.Add("server");
  run.Add("client", {ConditionKind::PortOpen, "127.0.0.1:8080", 60, AtLimit::Start},
          {2, kAllDays, true});
  run.Add("after", {ConditionKind::PreviousReady, ""});  // follows "server", not "client"
  run.machine.busy_percent = [](std::int64_t ms) { return ms < 7000 ? 50 : 5; };
  LogOnSession& session = run.Start();
  run.RunFor(1);
  run.Process("server").processor_ms = 700;
  EXPECT_EQ(run.shell.calls.size(), 2u);
  run.RunFor(1500);
  EXPECT_EQ(run.readiness.attempts, 0);  // the port is not tried before the delay's end
  run.Process("server").window = true;
  run.RunFor(499);
  EXPECT_EQ(run.shell.calls.size(), 3u);
  run.RunFor(3000);
  EXPECT_GT(run.readiness.attempts, 2);  // refused tries make way for new ones
  run.readiness.open_ports.insert("127.0.0.1:8080");
  run.RunFor(1000);
  EXPECT_EQ(run.shell.calls.size(), 3u);  // open, but the machine has not been calm long enough
  run.RunFor(5000);
  ASSERT_EQ(run.shell.calls.size(), 4u);
  EXPECT_EQ(run.shell.calls[3].file, "C:\\client.exe");
  EXPECT_EQ(
      run.Log(),
      "2026/12/07 08:30:00 ﾛｸﾞｵﾝ起動 4行 一斉起動\r\n"
      "  0 first: 起動しました 08:30:00 [条件 直前に起動したｱﾌﾟﾘの準備完了を 0秒待って成立]\r\n"
      "  1 server: 起動しました\r\n"
      "  2 client: 起動しました 08:30:09 (ｱｲﾄﾞﾙになるまで 9秒待機) [条件 '127.0.0.1:8080' "
      "への接続を 3秒待って成立]\r\n"
      "  3 after: 起動しました 08:30:01 [条件 直前に起動したｱﾌﾟﾘの準備完了を 1秒待って成立]\r\n");
  // The run has ended, but the processes are followed for their first minute.
  run.Process("server").ended = true;
  run.Process("after").idle = true;
  run.RunFor(1000);
  EXPECT_FALSE(session.Finished());
  EXPECT_EQ(run.finished_calls, 0);
  run.RunFor(60000);
  EXPECT_TRUE(session.Finished() && session.TimelineComplete() && run.finished_calls == 1);
  EXPECT_FALSE(run.timer.running);
  const RowTimeline& server = run.Timeline(1);
  EXPECT_EQ(std::vector<std::int64_t>(
                {server.due_ms, server.started_ms, server.ready_ms, server.processor_ms}),
            (std::vector<std::int64_t>{0, 0, 1751, 700}));  // the first look after its window
  const RowTimeline& client = run.Timeline(2);
  EXPECT_EQ(client.due_ms, 2000);
  EXPECT_EQ(client.waited_for, "'127.0.0.1:8080' への接続");
  EXPECT_EQ(client.ready_ms, kNever);  // never ready within its minute
}

TEST(StartConditionRun, QuittingMidWaitStartsNothingMoreAndStopsFollowingAtOnce) {
  ConditionRun run;
  run.Add("app");
  run.Add("backup", {ConditionKind::PathExists, "N:\\", 60, AtLimit::Start});
  LogOnSession& session = run.Start();
  run.RunFor(5000);
  session.Stop();
  run.readiness.paths.insert("N:\\");
  run.RunFor(120000);
  EXPECT_EQ(run.shell.calls.size(), 1u);
  EXPECT_TRUE(session.Finished() && !run.timer.running);
  EXPECT_EQ(run.Log(),
            "2026/12/07 08:30:00 ﾛｸﾞｵﾝ起動 2行 一斉起動\r\n  0 app: 起動しました\r\n"
            "  1 backup: 未起動 (終了により中止) 条件待ち: 'N:\\' の存在\r\n");
  EXPECT_EQ(run.Timeline(1).started_ms, kNever);
  EXPECT_EQ(run.Timeline(0).processor_ms, kNever);  // its minute was not waited for
}
