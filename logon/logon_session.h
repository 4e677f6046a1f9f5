#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "items/app_settings.h"
#include "items/store_persistence.h"
#include "logon/logon_run.h"
#include "platform/log_files.h"
#include "platform/repeating_timer.h"
#include "platform/running_programs.h"
#include "platform/system.h"

// The services the log-on report, "Skip" and "Wait" need. Without them the run is the plain
// one: all rows at once, no report.
struct LogOnServices {
  LogFiles& log_files;
  RunningPrograms& running;
  SystemErrorTexts& error_texts;
  RepeatingTimer& timer;
  // Rows with a delay or idle rule wait on these; without a clock they start with the run.
  TickClock* ticks = nullptr;
  ProcessorUse* processor = nullptr;
  // Rows with a start condition wait on it; started processes are followed for the timeline.
  Readiness* readiness = nullptr;
};

// The log-on run with its report and its spacing: launches the due rows, waiting between them
// on the timer when "Wait" is set, and appends the report once the run has ended or been
// stopped.
class LogOnSession {
 public:
  struct Setup {
    const ItemStore& store;
    RunClock now;
    LocalTime started;
    ProfileFiles& files;
    std::string item_file_path;
    std::string log_path;
    Launcher& launcher;
    MessageDialogs& errors;
  };
  // services may be null. on_finished runs after the last launch of a run that went on past
  // Begin; a run that Begin completes leaves what follows to its caller.
  LogOnSession(const Setup& setup, const AppSettings& settings, const LogOnServices* services,
               std::function<void()> on_finished);
  ~LogOnSession();

  void Begin();
  // The program is ending: the rows not launched yet stay so, and the report says so.
  void Stop();
  // The run has ended and no started process is followed any more.
  bool Finished() const { return finished_ && !following_; }
  const LogOnTimeline& Timeline() const { return run_.Timeline(); }
  bool TimelineComplete() const { return run_.TimelineComplete(); }
  // Runs after each spaced step, so that whoever shows the marks can follow the run.
  void SetStepListener(std::function<void()> on_step) { on_step_ = std::move(on_step); }
  // Told when every row has been handled and only the started processes are still followed.
  void SetFollowingListener(std::function<void()> on_following) {
    on_following_ = std::move(on_following);
  }
  // Settings that read as their defaults; the report names each.
  void SetMisreadValues(std::vector<MisreadValue> values) { misread_values_ = std::move(values); }
  // How long the run waited for an item file another program held; the report says so.
  void SetHeldItemFileWait(std::int64_t held_ms) { held_ms_ = held_ms; }
  // Repairs done at load, each a line of the report.
  void SetRepairs(std::vector<std::string> lines) { repairs_ = std::move(lines); }
  // Tells the rows taken over from the system's start-up, which the report names as such.
  void SetKeptCheck(std::function<bool(const LaunchItem&)> kept) { kept_ = std::move(kept); }
  const RunMarks& Marks() const { return run_.Marks(); }
  const std::vector<RowReport>& Report() const { return run_.Report(); }

 private:
  void Tick();
  // Arms the timer for whatever comes next: the next spaced step or a scheduled row.
  bool Rearm();
  bool StartTimer(std::int64_t milliseconds);
  void StartTheRestAtOnce(bool notify);
  // True when a row was walked or started.
  bool Advance();
  // Milliseconds until the next spaced step, counted from the end of the last launch: a tick
  // that comes late must not bring the launch after it closer.
  std::int64_t StepDueIn() const;
  void Finish(bool notify);
  // After the last launch, what is still followed keeps the timer going until it is done;
  // on_finished comes then.
  void FollowTick();
  void AppendReport();

  const LogOnServices* services_;
  std::string log_path_;
  RunHeading heading_;
  LogOnRun run_;
  std::function<void()> on_finished_;
  std::function<void()> on_step_;
  std::function<void()> on_following_;
  std::vector<MisreadValue> misread_values_;
  std::int64_t held_ms_ = 0;
  std::vector<std::string> repairs_;
  const ItemStore& store_;
  std::function<bool(const LaunchItem&)> kept_;
  bool finished_ = false;
  bool ticking_ = false;
  bool following_ = false;
  int armed_ms_ = -1;
  std::int64_t follow_poll_ms_ = kFollowPollMs;
  std::int64_t last_step_ms_ = 0;
};

// The options the run takes from the settings; a wait is only kept when there is a timer.
LogOnOptions LogOnOptionsOf(const AppSettings& settings, const LogOnServices* services,
                            const LocalTime& started);

// A log-on run that launched nothing because the item file could not be read, after waiting
// held_ms for it.
void ReportUnreadList(LogFiles& files, const std::string& log_path, const RunHeading& heading,
                      const std::string& error, std::int64_t held_ms = 0);

// The options page's log button: opens the report with the program registered for it, else
// with the plain text editor; says when there is none yet or it cannot be opened.
void OpenLogOnReport(LogFiles& files, SystemErrorTexts& error_texts, Launcher& launcher,
                     MessageDialogs& dialogs, const std::string& program_folder);
