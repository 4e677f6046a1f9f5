#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/program_log.h"
#include "logon/row_schedule.h"
#include "platform/shell.h"
#include "platform/system.h"

// What became of one row in a log-on run.
enum class RowOutcome {
  Launched,        // handed to the shell, which took it
  Failed,          // the shell refused it
  TooLong,         // texts the shell cannot take, never handed on
  Error,           // a field the run could not use (the message says which)
  NoFile,          // empty file, separators included
  OutsideBand,     // the clock lies outside the row's time band
  NotEnabled,      // no check mark
  RanToday,        // a once-per-day row that already ran today
  AlreadyRunning,  // its program runs already and "Skip" is on
  NotStarted,      // due, but the run was stopped before its turn
  OtherDay,        // today is not one of the row's days
  ConditionUnmet,  // its start condition did not hold by its limit, and the row asks to skip
};

struct RowReport {
  int row = 0;
  std::string title;
  RowOutcome outcome = RowOutcome::NoFile;
  ShellAnswer answer;      // Launched, Failed
  std::string detail;      // Failed: the system's text for the error; Error: the message
  std::string band;        // OutsideBand: the row's H
  std::string clock;       // OutsideBand: the clock it was compared with
  std::string started_at;  // "hh:mm:ss" of a row started after the run began
  WaitReason waited = WaitReason::None;  // what held the row back
  std::int64_t waited_ms = 0;            // since the run began, when it started
  int days = 0;                          // OtherDay: the row's days and today's weekday
  int weekday = 0;
  bool kept = false;         // taken over from the system's own start-up
  StartCondition condition;  // the condition the row waited for, when it had one
  ConditionEnd condition_end = ConditionEnd::None;
  std::int64_t condition_ms = 0;  // how long it waited for it
};

// What the row waited for, as the report and the history name it: "'<path>' の存在", say.
std::string ConditionText(const StartCondition& condition);

struct RunHeading {
  LocalTime when;
  int rows = 0;
  int wait_seconds = 0;
  bool skip_running = false;
};

// Titles longer than this are cut, on a character boundary, in the report.
inline constexpr std::size_t kReportTitleBytes = 64;

// One line each, without the line end.
std::string RunLine(const RunHeading& heading);
std::string RowLine(const RowReport& report);

// A setting that read as its default because what was stored was not usable.
// One read as something else than its default names that value (read_as).
std::string MisreadLine(const std::string& name, const std::string& read_as = {});
// A run that launched nothing because the item file could not be read; the error says why.
std::string UnreadListLine(const std::string& error);
