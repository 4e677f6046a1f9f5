#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/item_store.h"
#include "core/launcher.h"
#include "core/logon_report.h"
#include "core/message_dialogs.h"
#include "platform/profile_text.h"
#include "core/startup_run.h"
#include "platform/profile_file.h"
#include "platform/running_programs.h"

struct LogOnOptions {
  bool skip_running = false;                // "Skip"
  int wait_seconds = 0;                     // "Wait"
  RunningPrograms* running = nullptr;       // asked only when skip_running is on
  SystemErrorTexts* error_texts = nullptr;  // texts for refused launches in the report
};

// The log-on run, taken one launch at a time so that launches can be spaced out. Rows are
// walked top to bottom; Begin handles every row when no wait is set, otherwise the rows up to
// and including the first launch, and each Next the rows up to and including one more launch.
// The once dates a step produced are written when the step ends, so a stopped run never marks
// a row it did not reach.
class LogOnRun {
 public:
  LogOnRun(const ItemStore& store, const StartupClock& now, ProfileFiles& files,
           const std::string& item_file_path, Launcher& launcher, MessageDialogs& errors,
           const LogOnOptions& options);

  void Begin();
  void Next();
  // Ends the run: the rows not reached yet are reported, none is launched or marked.
  void Stop();
  // A spaced run keeps its errors rather than show them between its steps: one box, then.
  void ShowHeldErrors();
  bool Finished() const { return next_row_ >= rows_; }

  // " " per row, "*" for each row launched so far.
  const RunMarks& Marks() const { return marks_; }
  const std::vector<RowReport>& Report() const { return report_; }
  int Rows() const { return rows_; }

 private:
  // Handles rows until one is launched or none is left.
  void Step();
  // True when the row was handed to the shell.
  bool HandleRow(int index, bool may_launch);
  // Whether the row is due, as HandleRow would find it.
  bool WouldLaunch(const LaunchItem& row);
  void WriteOnceDates();
  // Shows the error now, or holds it for ShowHeldErrors in a spaced run.
  void ReportError(const std::string& message);
  std::vector<std::string> RunningPaths();

  const ItemStore& store_;
  StartupClock now_;
  std::unique_ptr<ProfileFile> file_;
  Launcher& launcher_;
  MessageDialogs& errors_;
  LogOnOptions options_;
  int rows_ = 0;
  int next_row_ = 0;
  RunMarks marks_;
  std::vector<RowReport> report_;
  std::vector<ProfileWrite> once_dates_;
  std::vector<std::string> running_paths_;
  bool running_paths_read_ = false;
  bool date_error_shown_ = false;
  std::vector<std::string> held_errors_;
};
