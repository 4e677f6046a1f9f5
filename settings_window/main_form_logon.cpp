#include <exception>

#include "core/clock_texts.h"
#include "core/program_log.h"
#include "core/texts.h"
#include "items/held_item_file.h"
#include "items/row_timing.h"
#include "logon/logon_history.h"
#include "logon/shift_skip.h"
#include "platform/text_format.h"
#include "settings_window/main_form.h"

// The form's side of a start with /N: the log-on run, its timeline and the Shift skip.

void MainForm::RunLogOnBranch(const LocalTime& now) {
  view_.SetApplicationToolWindow();
  view_.Minimise();
  shows_window_ = false;

  skipped_on_shift_ = services_.keyboard.IsDown(kVkShift);
  if (skipped_on_shift_) {
    // Nothing starts and no once date moves; the resident launcher offers the rows instead.
    run_marks_.assign(static_cast<size_t>(store_.Size()), " ");
    if (logon_services_)
      ReportShiftSkip(
          logon_services_->log_files, LogFilePath(program_folder_),
          RunHeading{now, store_.Size(), settings_.wait_seconds, settings_.skip_running},
          settings_.launcher);
  } else {
    BeginLogOnSession(now);
  }
  ApplyLogOnConveniences(settings_, services_.keyboard, services_.shell);

  if (settings_.launcher) {
    if (build_launcher_menu_) build_launcher_menu_();
    resident_ = true;
  } else if (skipped_on_shift_ || session_->Finished()) {
    view_.Terminate();
  }
}

void MainForm::BeginLogOnSession(const LocalTime& now) {
  // With launches spaced out, the process that is not to stay ends after the last of them.
  const bool ends_after_run = !settings_.launcher;
  timeline_kept_ = false;
  session_ = std::make_unique<LogOnSession>(
      LogOnSession::Setup{store_, RunClock{today_text_, clock_text_, WeekdayOf(now)}, now,
                          services_.profile_files, persistence_.ItemFile(),
                          LogFilePath(program_folder_), services_.launcher, services_.dialogs},
      settings_, logon_services_, [this, ends_after_run] {
        run_marks_ = session_->Marks();
        KeepTimeline();
        if (ends_after_run) view_.Terminate();
      });
  session_->SetMisreadValues(persistence_.MisreadValues());
  session_->SetHeldItemFileWait(held_item_file_ms_);
  session_->SetRepairs(repairs_);
  session_->SetKeptCheck(kept_);
  // A run that ends the process only follows its rows now: the next start may open the window.
  session_->SetFollowingListener([this, ends_after_run] {
    if (ends_after_run && launches_over_) launches_over_();
  });
  session_->SetStepListener([this] {
    run_marks_ = session_->Marks();
    if (run_marks_changed_) run_marks_changed_();
  });
  session_->Begin();
  run_marks_ = session_->Marks();
  // A run that Begin ended, with nothing left to follow, is not told to its caller.
  if (session_->Finished()) KeepTimeline();
}

void MainForm::KeepTimeline() {
  // Once per run, whichever way it ends.
  if (!logon_services_ || !session_ || timeline_kept_) return;
  timeline_kept_ = true;
  KeepInHistory(logon_services_->log_files, services_.profile_files, program_folder_,
                session_->Timeline());
}

void MainForm::StartSkippedRun() {
  if (!skipped_on_shift_) return;
  skipped_on_shift_ = false;
  // The rows due now, by the clock of the click rather than of the log-on.
  const LocalTime now = services_.clock.Now();
  today_text_ = ::TodayText(now);
  clock_text_ = ::ClockText(now);
  BeginLogOnSession(now);
}

void MainForm::RefuseRunOnUnreadList(const std::string& error, std::int64_t held_ms) {
  // Launching from rows that were never read would start nothing and say "no file" for each:
  // the log says why nothing started, the box says it once, and the run ends.
  shows_window_ = false;
  if (logon_services_) {
    const std::string folder = ProgramFolderOf(services_.system.ProgramFilePath());
    ReportUnreadList(
        logon_services_->log_files, LogFilePath(folder),
        RunHeading{services_.clock.Now(), 0, settings_.wait_seconds, settings_.skip_running}, error,
        held_ms);
  }
  if (held_ms > 0)
    services_.dialogs.ShowAppError(
        error, FormatText(texts::kHeldItemFileGaveUp, HeldSecondsText(held_ms)));
  else
    services_.dialogs.ShowAppError(error);
  view_.Terminate();
}
