#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "items/item_store.h"
#include "logon/logon_report.h"
#include "logon/logon_timeline.h"
#include "logon/row_schedule.h"
#include "logon/run_rules.h"
#include "platform/processor_use.h"
#include "platform/profile_file.h"
#include "platform/profile_text.h"
#include "platform/readiness.h"
#include "platform/running_programs.h"

struct LogOnOptions {
  bool skip_running = false;                // "Skip"
  int wait_seconds = 0;                     // "Wait"
  RunningPrograms* running = nullptr;       // asked only when skip_running is on
  SystemErrorTexts* error_texts = nullptr;  // texts for refused launches in the report
  // Without a clock every due row starts with the run, whatever its own delay or idle rule.
  TickClock* ticks = nullptr;
  ProcessorUse* processor = nullptr;  // without it, rows waiting for idleness wait their limit
  LocalTime started;                  // the run's start, for the start times in the report
  // Without it the rows start without their start conditions, and no process is followed.
  Readiness* readiness = nullptr;
};

// How often a started process is looked at while it is followed for the timeline. Once the
// run is over the first looks come sooner and then slow down to that: most programs that end
// at once then let the process end with them, not a whole period later.
inline constexpr std::int64_t kFollowPollMs = 500;
inline constexpr std::int64_t kFirstFollowPollMs = 25;

// The log-on run, taken one launch at a time so that launches can be spaced out. Rows are
// walked top to bottom; Begin handles every row when no wait is set, otherwise the rows up to
// and including the first launch, and each Next the rows up to and including one more launch.
// The once dates a step produced are written when the step ends, so a stopped run never marks
// a row it did not reach.
class LogOnRun : private ConditionCheck {
 public:
  LogOnRun(const ItemStore& store, const RunClock& now, ProfileFiles& files,
           const std::string& item_file_path, Launcher& launcher, MessageDialogs& errors,
           const LogOnOptions& options);

  void Begin();
  void Next();
  // Starts the rows whose own delay or idle rule now lets them (all of them with at_once);
  // false when none started.
  bool StartScheduled(bool at_once);
  // Milliseconds until StartScheduled can have more to do.
  std::int64_t NextScheduledCheckIn();
  bool HasScheduled() const { return !schedule_.Empty(); }
  // Ends the run: the rows not reached yet are reported, none is launched or marked.
  void Stop();
  // A spaced run keeps its errors rather than show them between its steps: one box, then.
  void ShowHeldErrors();
  // Every row has been walked; rows with a delay or idle rule may still be pending.
  bool Walked() const { return next_row_ >= rows_; }
  bool Finished() const { return Walked() && schedule_.Empty(); }

  // " " per row, "*" for each row launched so far.
  const RunMarks& Marks() const { return marks_; }
  const std::vector<RowReport>& Report() const { return report_; }
  int Rows() const { return rows_; }

  const LogOnOptions& Options() const { return options_; }

  // What the run did with each row so far. Complete once the run has finished and no started
  // process is followed any more (Following).
  const LogOnTimeline& Timeline() const { return timeline_; }
  bool TimelineComplete() const { return Finished() && !Following(); }
  // Looks at the processes started in the last kTimelineFollowMs: whether each is ready, and
  // the processor time of each that ended or whose minute is over.
  void Follow();
  bool Following() const;
  // The program is ending: the processes are no longer followed.
  void StopFollowing();

 private:
  // A started process, followed for the timeline and for the rows waiting on it.
  struct Followed {
    int row;
    std::unique_ptr<WatchedProcess> process;
    std::int64_t started_ms;  // since the run began
    bool done = false;        // its processor time is taken, or there is none to take
  };
  void Begin(int row) override;
  bool Holds(int row) override;
  // Ready now: input-idle, a visible window, or ended. Notes the time within the first minute.
  bool Ready(Followed& followed);
  RowTimeline& TimelineOf(int row) { return timeline_.rows[static_cast<size_t>(row)]; }

  // Handles rows until one is launched or none is left.
  void Step();
  // True when the row was handed to the shell.
  bool HandleRow(int index, bool may_launch);
  // Whether the row is due now, as HandleRow would find it.
  bool WouldLaunch(const LaunchItem& row);
  bool Conditioned(const LaunchItem& row) const {
    return options_.readiness && row.condition.Set();
  }
  bool Scheduled(const LaunchItem& row) const {
    return options_.ticks && (row.timing.Deferred() || Conditioned(row));
  }
  // Hands the row to the shell and fills in its report.
  bool LaunchRow(int index, RowReport& report);
  std::int64_t Elapsed();
  void WriteOnceDates();
  // Shows the error now, or holds it for ShowHeldErrors in a spaced run.
  void ReportError(const std::string& message);
  std::vector<std::string> RunningPaths();

  const ItemStore& store_;
  RunClock now_;
  std::unique_ptr<ProfileFile> file_;
  Launcher& launcher_;
  MessageDialogs& errors_;
  LogOnOptions options_;
  int rows_ = 0;
  int next_row_ = 0;
  RunMarks marks_;
  std::vector<RowReport> report_;
  std::vector<int> report_at_;  // where a scheduled row's report stands
  std::vector<ProfileWrite> once_dates_;
  std::vector<std::string> running_paths_;
  bool running_paths_read_ = false;
  bool date_error_shown_ = false;
  std::vector<std::string> held_errors_;
  std::int64_t began_ms_ = 0;
  RowSchedule schedule_;
  bool begun_ = false;
  LogOnTimeline timeline_;
  std::vector<Followed> followed_;  // in the order started
  std::vector<int> waits_on_;       // per row: the index in followed_ it waits for, or -1
  std::map<int, std::unique_ptr<ConnectionAttempt>> attempts_;  // by row
};
