#include "logon/logon_run.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "core/running_check.h"
#include "core/texts.h"
#include "logon/shell_failure.h"
#include "platform/app_error.h"
#include "platform/profile_text.h"

namespace {

// What held a row waiting for a calm machine, as the timeline names it.
constexpr char kWaitedForIdle[] = "ｱｲﾄﾞﾙ";

// "D<row>" = "1" + today: the row ran today.
ProfileWrite OnceDateWrite(int row, const std::string& today) {
  return {"D" + std::to_string(row), "1" + today};
}

}  // namespace

LogOnRun::LogOnRun(const ItemStore& store, const RunClock& now, ProfileFiles& files,
                   const std::string& item_file_path, Launcher& launcher, MessageDialogs& errors,
                   const LogOnOptions& options)
    : store_(store),
      now_(now),
      file_(files.Open(item_file_path)),
      launcher_(launcher),
      errors_(errors),
      options_(options),
      // Count governs the run, but never past the rows actually held.
      rows_(std::max(0, std::min<int>(store.count, store.Size()))),
      marks_(static_cast<size_t>(rows_), " "),
      report_at_(static_cast<size_t>(rows_), -1),
      began_ms_(options.ticks ? options.ticks->Milliseconds() : 0),
      schedule_(began_ms_),
      waits_on_(static_cast<size_t>(rows_), -1) {
  schedule_.SetConditionCheck(this);
  const LocalTime& t = options.started;
  char began[32];
  std::snprintf(began, sizeof began, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  timeline_.began = began;
  for (int i = 0; i < rows_; ++i) {
    RowTimeline row;
    row.title = store.Row(i).title;
    row.due_ms = kNever;  // until its rules let it start
    timeline_.rows.push_back(std::move(row));
  }
}

void LogOnRun::Begin() {
  if (options_.wait_seconds <= 0) {
    // Everything at once, the dates in one write after the last launch.
    while (!Walked()) Step();
  } else {
    Step();
  }
  WriteOnceDates();
  begun_ = true;
}

void LogOnRun::Next() {
  if (Walked()) return;
  Step();
  schedule_.NoteLaunch();
  WriteOnceDates();
}

void LogOnRun::Stop() {
  for (; next_row_ < rows_; ++next_row_) HandleRow(next_row_, false);
  // The rows still waiting on their own rule keep the report the walk gave them.
  schedule_.Clear();
  once_dates_.clear();
  StopFollowing();
}

void LogOnRun::Begin(int row) {
  // The start it waits for is the last one before its wait began; none: nothing to wait for.
  waits_on_[static_cast<size_t>(row)] = static_cast<int>(followed_.size()) - 1;
  const StartCondition& condition = store_.Row(row).condition;
  if (condition.kind == ConditionKind::PortOpen)
    attempts_[row] = options_.readiness->Connect(condition.target);
}

bool LogOnRun::Holds(int row) {
  const StartCondition& condition = store_.Row(row).condition;
  switch (condition.kind) {
    case ConditionKind::PreviousReady: {
      const int waits_on = waits_on_[static_cast<size_t>(row)];
      if (waits_on < 0) return true;
      Followed& previous = followed_[static_cast<size_t>(waits_on)];
      // A launch that left no process (refused, or handed to a running program) is all there is.
      return !previous.process || Ready(previous);
    }
    case ConditionKind::PathExists:
      return options_.readiness->PathExists(condition.target);
    case ConditionKind::PortOpen: {
      std::unique_ptr<ConnectionAttempt>& attempt = attempts_[row];
      // One try at a time; a refused one makes way for the next, on the next tick.
      if (!attempt) attempt = options_.readiness->Connect(condition.target);
      if (!attempt) return false;
      const ConnectionAttempt::State state = attempt->Check();
      if (state != ConnectionAttempt::State::Pending) attempt.reset();
      return state == ConnectionAttempt::State::Accepted;
    }
    case ConditionKind::None:
      break;
  }
  return true;
}

std::int64_t LogOnRun::Elapsed() {
  return options_.ticks ? options_.ticks->Milliseconds() - began_ms_ : 0;
}

bool LogOnRun::StartScheduled(bool at_once) {
  if (schedule_.Empty() || !options_.ticks) return false;
  const std::int64_t now = options_.ticks->Milliseconds();
  std::optional<ProcessorTimes> times;
  if (options_.processor) times = options_.processor->Times();
  const std::vector<ScheduledStart> due =
      at_once ? schedule_.Pending(now) : schedule_.Due(now, times);
  if (at_once) schedule_.Clear();
  running_paths_read_ = false;
  for (const ScheduledStart& start : due) {
    RowReport& report = report_[static_cast<size_t>(report_at_[static_cast<size_t>(start.row)])];
    report.waited = start.reason;
    report.waited_ms = start.waited_ms;
    report.condition_end = start.condition;
    report.condition_ms = start.condition_ms;
    RowTimeline& timeline = TimelineOf(start.row);
    if (report.condition.Set())
      timeline.waited_for = ConditionText(report.condition);
    else if (start.reason == WaitReason::Idle || start.reason == WaitReason::IdleLimit)
      timeline.waited_for = kWaitedForIdle;
    if (start.Skipped()) {
      // Not started, so not marked as run today either.
      report.outcome = RowOutcome::ConditionUnmet;
      timeline_.total_ms = Elapsed();
      continue;
    }
    try {
      const LaunchItem& row = store_.Row(start.row);
      // Started by hand in the meantime, say.
      if (options_.skip_running && IsRunningProgram(row.file, RunningPaths())) {
        report.outcome = RowOutcome::AlreadyRunning;
      } else {
        LaunchRow(start.row, report);
      }
      if (row.once->on) once_dates_.push_back(OnceDateWrite(start.row, now_.today));
    } catch (const AppError& e) {
      report.outcome = RowOutcome::Error;
      report.detail = e.what();
      ReportError(e.what());
    }
  }
  WriteOnceDates();
  return !due.empty();
}

std::int64_t LogOnRun::NextScheduledCheckIn() {
  return schedule_.NextCheckIn(options_.ticks ? options_.ticks->Milliseconds() : 0);
}

void LogOnRun::Step() {
  // A program started by an earlier step counts as running for the later ones.
  running_paths_read_ = false;
  while (next_row_ < rows_) {
    const int index = next_row_++;
    if (HandleRow(index, true)) break;
  }
  // The rows up to the next due one go with this step, so the last launch ends the run.
  while (next_row_ < rows_ && !WouldLaunch(store_.Row(next_row_))) HandleRow(next_row_++, true);
}

bool LogOnRun::WouldLaunch(const LaunchItem& row) {
  if (row.file.empty() || !InTimeBand(row.band, now_.clock) || !row.enabled) return false;
  if (!OnDay(row.timing.days, now_.weekday) || Scheduled(row)) return false;
  if (row.once->RanOn(now_.today)) return false;
  return !(options_.skip_running && IsRunningProgram(row.file, RunningPaths()));
}

std::vector<std::string> LogOnRun::RunningPaths() {
  if (!running_paths_read_ && options_.running) {
    try {
      running_paths_ = options_.running->ProgramPaths();
    } catch (const std::exception&) {
      // Without the list nothing counts as running: the rows start as they always did.
      running_paths_.clear();
    }
    running_paths_read_ = true;
  }
  return running_paths_;
}

bool LogOnRun::HandleRow(int index, bool may_launch) {
  const LaunchItem& row = store_.Row(index);
  RowReport report;
  report.row = index;
  report.title = row.title;
  bool launched = false;
  try {
    if (row.file.empty()) {
      report.outcome = RowOutcome::NoFile;
    } else if (!InTimeBand(row.band, now_.clock)) {
      report.outcome = RowOutcome::OutsideBand;
      report.band = row.band;
      report.clock = now_.clock;
    } else if (!row.enabled) {
      report.outcome = RowOutcome::NotEnabled;
    } else if (!OnDay(row.timing.days, now_.weekday)) {
      report.outcome = RowOutcome::OtherDay;
      report.days = row.timing.days;
      report.weekday = now_.weekday;
    } else {
      bool once = row.once->on;
      if (row.once->RanOn(now_.today)) {
        report.outcome = RowOutcome::RanToday;
      } else if (options_.skip_running && IsRunningProgram(row.file, RunningPaths())) {
        report.outcome = RowOutcome::AlreadyRunning;
      } else if (!may_launch) {
        report.outcome = RowOutcome::NotStarted;
      } else if (Scheduled(row)) {
        // A state that cannot start the row is told now, not when its time comes. Its once date
        // is written when it starts: a quit before then leaves the row unmarked.
        ShowCommandOf(row.state);
        report.outcome = RowOutcome::NotStarted;
        report.waited = row.timing.delay_seconds > 0 ? WaitReason::Delay
                        : row.timing.when_idle       ? WaitReason::Idle
                                                     : WaitReason::None;
        if (Conditioned(row)) report.condition = row.condition;
        report_at_[static_cast<size_t>(index)] = static_cast<int>(report_.size());
        TimelineOf(index).due_ms =
            std::max<std::int64_t>(Elapsed(), row.timing.delay_seconds * 1000LL);
        schedule_.Add(index, row.timing, report.condition, options_.ticks->Milliseconds());
        once = false;
      } else {
        TimelineOf(index).due_ms = Elapsed();
        launched = LaunchRow(index, report);
      }
      if (once && may_launch) once_dates_.push_back(OnceDateWrite(index, now_.today));
    }
  } catch (const AppError& e) {
    // One faulty row must not keep the rows after it from starting.
    report.outcome = RowOutcome::Error;
    report.detail = e.what();
    if (may_launch) ReportError(e.what());
  }
  report_.push_back(std::move(report));
  return launched;
}

bool LogOnRun::LaunchRow(int index, RowReport& report) {
  const LaunchItem& row = store_.Row(index);
  const int show = ShowCommandOf(row.state);
  std::optional<ShellAnswer> answer;
  if (options_.readiness) {
    std::unique_ptr<WatchedProcess> process;
    answer = launcher_.LaunchFileAtStartWatched(row.file, row.args, row.folder, show, process);
    followed_.push_back({index, std::move(process), Elapsed()});
  } else {
    answer = launcher_.LaunchFileAtStartAnswered(row.file, row.args, row.folder, show);
  }
  TimelineOf(index).started_ms = timeline_.total_ms = Elapsed();
  // A refused launch still counts as launched, as the shell's answer is not acted upon.
  marks_[static_cast<size_t>(index)] = "*";
  // Rows that start with the run go by the heading's time; later ones carry their own.
  if (begun_) report.started_at = TimeOfDayAfter(options_.started, Elapsed());
  if (!answer) {
    report.outcome = RowOutcome::TooLong;
  } else {
    report.answer = *answer;
    report.outcome = answer->Succeeded() ? RowOutcome::Launched : RowOutcome::Failed;
    if (!answer->Succeeded() && options_.error_texts)
      report.detail = ShellFailureText(*answer, *options_.error_texts);
  }
  return true;
}

void LogOnRun::WriteOnceDates() {
  if (once_dates_.empty()) return;
  try {
    // Changes only the bytes of the once dates, whatever else the file holds.
    file_->ReplaceAll(EditProfileText(file_->ReadAll(), texts::kItemSection, once_dates_));
  } catch (const AppError& e) {
    // A file that cannot be written costs one report, however many steps the run takes.
    if (!date_error_shown_) ReportError(e.what());
    date_error_shown_ = true;
  }
  once_dates_.clear();
}

void LogOnRun::ReportError(const std::string& message) {
  // A box opened from a spaced step would let the next steps run under it; those errors wait
  // for the end of the run.
  if (options_.wait_seconds <= 0) {
    errors_.ShowAppError(message);
  } else if (std::find(held_errors_.begin(), held_errors_.end(), message) == held_errors_.end()) {
    held_errors_.push_back(message);
  }
}

void LogOnRun::ShowHeldErrors() {
  if (held_errors_.empty()) return;
  std::string text;
  for (const std::string& message : held_errors_) text += (text.empty() ? "" : "\r\n") + message;
  held_errors_.clear();
  errors_.ShowAppError(text);
}
