#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_logon.h"
#include "fakes/fake_platform.h"
#include "logon/logon_session.h"

namespace {

// A log-on run against a fake clock, fake processes, paths and connections.
struct ConditionRun {
  explicit ConditionRun(const std::vector<std::pair<StartCondition, RowTiming>>& rows) {
    for (const auto& [condition, timing] : rows) {
      LaunchItem row;
      row.title = std::to_string(store.Size());
      row.file = "C:\\" + row.title + ".exe";
      row.state = "0", row.band = "00002359", row.once = "100/00", row.enabled = true;
      row.timing = timing, row.condition = condition;
      store.Append(row);
    }
    store.count = store.Size();
    session.emplace(LogOnSession::Setup{store,
                                        {"12/07", "08:30"},
                                        {2026, 12, 7, 8, 30, 0},
                                        files,
                                        "M.ini",
                                        "M.log",
                                        launcher,
                                        errors},
                    AppSettings{}, &services, [this] { ++finished_calls; });
    session->Begin();
  }
  void RunFor(std::int64_t ms) {
    const std::int64_t end = machine.now + ms;
    for (; timer.running && last_fire + timer.milliseconds <= end; timer.Fire())
      machine.RunTo(last_fire += timer.milliseconds);
    machine.RunTo(end);
  }
  FakeProcessState& Process(int row) {
    return *shell.processes.at("C:\\" + std::to_string(row) + ".exe");
  }
  std::string Log() {  // past the run's line
    const std::string& log = log_files.files["M.log"];
    return log.substr(log.find('\n') + 1);
  }

  FakeMachine machine;
  std::int64_t last_fire = 0;
  ItemStore store;
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
  int finished_calls = 0;
  std::optional<LogOnSession> session;
};

}  // namespace

TEST(StartConditionRun, APathReadyBeforeAtOrAfterItsLimitStartsTheRowOrSkipsItAsItAsks) {
  const struct {
    std::int64_t appears_ms;
    AtLimit at_limit;
    const char* line;
  } cases[] = {
      {3000, AtLimit::Skip, "起動しました 08:30:03 [条件 'N:\\共有' の存在を 3秒待って成立]"},
      {10000, AtLimit::Skip, "起動しました 08:30:10 [条件 'N:\\共有' の存在を 10秒待って成立]"},
      {12000, AtLimit::Start,
       "起動しました 08:30:10 [条件 'N:\\共有' の存在を 10秒待っても成立しないため上限で起動]"},
      {12000, AtLimit::Skip, "ｽｷｯﾌﾟ 条件 'N:\\共有' の存在を 10秒待っても成立しないため上限で中止"},
  };
  for (const auto& c : cases) {
    ConditionRun run({{{ConditionKind::PathExists, "N:\\共有", 10, c.at_limit}, {}}});
    run.RunFor(std::min<std::int64_t>(c.appears_ms, 10000) - 1);
    EXPECT_TRUE(run.shell.calls.empty());
    run.RunFor(c.appears_ms - 1 - run.machine.now);
    run.readiness.paths.insert("N:\\共有");
    run.RunFor(20000);
    EXPECT_EQ(run.Log(), "  0 0: " + std::string(c.line) + "\r\n");
    const bool started = run.shell.calls.size() == 1;
    // Only a row that started is marked as run today.
    EXPECT_EQ(run.files.files["M.ini"].Get("Items", "D0").has_value(), started);
    if (started) run.Process(0).ended = true;
    run.RunFor(500);
    EXPECT_TRUE(run.session->Finished() && run.session->TimelineComplete() &&
                run.finished_calls == 1);
  }
}

TEST(StartConditionRun, DelayThenConditionThenIdleAndPreviousReadyFollowsTheStartBeforeIt) {
  const StartCondition previous{ConditionKind::PreviousReady, ""};
  ConditionRun run({{previous, {}},  // nothing started before it: at once
                    {{}, {}},
                    {{ConditionKind::PortOpen, "127.0.0.1:8080", 60}, {2, kAllDays, true}},
                    {previous, {}}});  // follows row 1, not row 2
  run.machine.busy_percent = [](std::int64_t ms) { return ms < 7000 ? 50 : 5; };
  int following = 0;  // told once, when only the started processes are left to follow
  run.session->SetFollowingListener([&] { ++following; });
  run.RunFor(1);
  run.Process(1).processor_ms = 700;
  run.RunFor(1500);
  EXPECT_EQ(run.readiness.attempts, 0);  // the port is not tried before the delay's end
  run.Process(1).window = true;
  run.RunFor(3499);
  EXPECT_EQ(run.shell.calls.size(), 3u);
  EXPECT_GT(run.readiness.attempts, 2);  // refused tries make way for new ones
  run.readiness.open_ports.insert("127.0.0.1:8080");
  run.RunFor(1000);
  EXPECT_EQ(run.shell.calls.size(), 3u);  // open, but the machine has not been calm long enough
  EXPECT_EQ(following, 0);
  run.RunFor(5000);
  EXPECT_EQ(following, 1);
  EXPECT_EQ(run.Log(),
            "  0 0: 起動しました 08:30:00 [条件 直前に起動したｱﾌﾟﾘの準備完了を 0秒待って成立]\r\n"
            "  1 1: 起動しました\r\n"
            "  2 2: 起動しました 08:30:09 (ｱｲﾄﾞﾙになるまで 9秒待機) [条件 '127.0.0.1:8080' "
            "への接続を 3秒待って成立]\r\n"
            "  3 3: 起動しました 08:30:01 [条件 直前に起動したｱﾌﾟﾘの準備完了を 1秒待って成立]\r\n");
  // The run has ended, but the processes are followed for their first minute.
  run.Process(1).ended = true;
  run.RunFor(1000);
  EXPECT_TRUE(!run.session->Finished() && run.finished_calls == 0);
  run.RunFor(60000);
  EXPECT_TRUE(run.session->Finished() && run.finished_calls == 1 && !run.timer.running);
  const RowTimeline& server = run.session->Timeline().rows[1];
  const RowTimeline& client = run.session->Timeline().rows[2];
  EXPECT_EQ(std::vector<std::int64_t>({server.due_ms, server.started_ms, server.ready_ms,
                                       server.processor_ms, client.due_ms, client.ready_ms}),
            (std::vector<std::int64_t>{0, 0, 1751, 700, 2000, kNever}));
  EXPECT_EQ(client.waited_for, "'127.0.0.1:8080' への接続");
}

TEST(StartConditionRun, QuittingMidWaitStartsNothingMoreAndStopsFollowingAtOnce) {
  ConditionRun run({{{}, {}}, {{ConditionKind::PathExists, "N:\\", 60}, {}}});
  run.RunFor(5000);
  run.session->Stop();
  run.readiness.paths.insert("N:\\");
  run.RunFor(120000);
  EXPECT_TRUE(run.shell.calls.size() == 1 && run.session->Finished() &&
              run.session->TimelineComplete() && !run.timer.running);
  EXPECT_EQ(run.Log(),
            "  0 0: 起動しました\r\n  1 1: 未起動 (終了により中止) 条件待ち: 'N:\\' の存在\r\n");
  EXPECT_EQ(run.session->Timeline().rows[1].started_ms, kNever);
  EXPECT_EQ(run.session->Timeline().rows[0].processor_ms, kNever);  // its minute was not waited for
}

TEST(StartConditionRun, AfterTheRunTheFirstLooksComeSoonSoAProgramThatEndsAtOnceEndsItToo) {
  for (const bool ends_at_once : {true, false}) {
    ConditionRun run({{{}, {}}, {{}, {}}});
    std::vector<int> periods;
    run.Process(1).ended = ends_at_once;
    while (run.timer.running && run.machine.now < 70000) {
      periods.push_back(run.timer.milliseconds);
      run.RunFor(run.timer.milliseconds);
      if (ends_at_once) run.Process(0).ended = true;
    }
    EXPECT_EQ(run.finished_calls, 1);
    if (ends_at_once) {
      EXPECT_EQ(periods, (std::vector<int>{25, 50}));
      // Each was ready when it was seen to have ended.
      EXPECT_EQ(std::vector<std::int64_t>({run.session->Timeline().rows[0].ready_ms,
                                           run.session->Timeline().rows[1].ready_ms}),
                (std::vector<std::int64_t>{75, 25}));
    } else {  // followed for its first minute, looked at every half second once past the start
      EXPECT_EQ(std::vector<int>(periods.begin(), periods.begin() + 7),
                (std::vector<int>{25, 50, 100, 200, 400, 500, 500}));
      EXPECT_GE(run.machine.now, 60000);
    }
  }
}
