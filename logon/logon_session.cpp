#include "logon/logon_session.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/texts.h"
#include "items/held_item_file.h"
#include "logon/logon_texts.h"
#include "logon/shell_failure.h"
#include "platform/text_format.h"

LogOnOptions LogOnOptionsOf(const AppSettings& settings, const LogOnServices* services,
                            const LocalTime& started) {
  LogOnOptions options;
  options.started = started;
  if (!services) return options;
  options.skip_running = settings.skip_running;
  options.wait_seconds = settings.wait_seconds;
  options.running = &services->running;
  options.error_texts = &services->error_texts;
  options.ticks = services->ticks;
  options.processor = services->processor;
  // Conditions and following are polled: without a clock there is nothing to poll with.
  if (services->ticks) options.readiness = services->readiness;
  return options;
}

namespace {

// A timer that fires a little early must not leave a spaced step for a whole period more.
constexpr std::int64_t kStepSlackMs = 50;

}  // namespace

LogOnSession::LogOnSession(const Setup& setup, const AppSettings& settings,
                           const LogOnServices* services, std::function<void()> on_finished)
    : services_(services),
      log_path_(setup.log_path),
      run_(setup.store, setup.now, setup.files, setup.item_file_path, setup.launcher, setup.errors,
           LogOnOptionsOf(settings, services, setup.started)),
      on_finished_(std::move(on_finished)),
      store_(setup.store) {
  const LogOnOptions& options = run_.Options();
  heading_ = {setup.started, run_.Rows(), options.wait_seconds, options.skip_running};
}

LogOnSession::~LogOnSession() {
  if ((!finished_ || following_) && services_) services_->timer.Stop();
}

void LogOnSession::Begin() {
  run_.Begin();
  if (run_.Finished()) {
    Finish(false);
    return;
  }
  if (services_->ticks) last_step_ms_ = services_->ticks->Milliseconds();
  if (!Rearm()) StartTheRestAtOnce(false);
}

void LogOnSession::StartTheRestAtOnce(bool notify) {
  // Without a timer the rest starts at once rather than never.
  while (!run_.Walked()) run_.Next();
  run_.StartScheduled(true);
  Finish(notify);
}

bool LogOnSession::StartTimer(std::int64_t milliseconds) {
  return services_->timer.Start(static_cast<int>(milliseconds), [this] { Tick(); });
}

std::int64_t LogOnSession::StepDueIn() const {
  const std::int64_t wait_ms = heading_.wait_seconds * 1000LL;
  if (!services_->ticks) return wait_ms;
  return wait_ms - (services_->ticks->Milliseconds() - last_step_ms_);
}

bool LogOnSession::Rearm() {
  std::int64_t next = run_.Walked() ? INT32_MAX : StepDueIn();
  if (run_.HasScheduled()) next = std::min(next, run_.NextScheduledCheckIn());
  if (run_.Following()) next = std::min(next, kFollowPollMs);
  const int milliseconds = static_cast<int>(std::clamp<std::int64_t>(next, 1, INT32_MAX));
  // An unchanged period keeps the timer as it runs.
  if (milliseconds == armed_ms_) return true;
  armed_ms_ = milliseconds;
  return StartTimer(milliseconds);
}

bool LogOnSession::Advance() {
  // A tick may come early, or for a scheduled row before the next spaced step is due.
  TickClock* ticks = services_->ticks;
  const bool step = !run_.Walked() && (!ticks || StepDueIn() <= kStepSlackMs);
  if (step) {
    run_.Next();
    if (ticks) last_step_ms_ = ticks->Milliseconds();
  }
  return run_.StartScheduled(false) || step;
}

void LogOnSession::Tick() {
  if (following_) {
    FollowTick();
    return;
  }
  // A tick that comes while an earlier one still waits (on a box, say) would run steps twice.
  if (finished_ || ticking_) return;
  ticking_ = true;
  try {
    run_.Follow();
    // Most ticks of a row waiting for idleness change nothing to show.
    if (Advance() && on_step_) on_step_();
  } catch (...) {
    ticking_ = false;
    throw;
  }
  ticking_ = false;
  if (run_.Finished()) {
    Finish(true);
  } else if (!Rearm()) {
    StartTheRestAtOnce(true);
  }
}

void LogOnSession::Stop() {
  if (following_) {
    // Quitting does not wait for the processes' first minute.
    following_ = false;
    run_.StopFollowing();
    services_->timer.Stop();
  }
  if (finished_) return;
  run_.Stop();
  finished_ = true;
  if (services_) {
    services_->timer.Stop();
    AppendReport();
  }
}

void LogOnSession::Finish(bool notify) {
  finished_ = true;
  if (services_) {
    services_->timer.Stop();
    AppendReport();
  }
  run_.ShowHeldErrors();
  run_.Follow();
  if (services_ && run_.Following()) {
    // Whoever waits for the end is told when the following ends, whether Begin ended the run
    // or not.
    armed_ms_ = -1;
    follow_poll_ms_ = kFirstFollowPollMs;
    following_ = StartTimer(follow_poll_ms_);
    if (following_) {
      if (on_following_) on_following_();
      return;
    }
    run_.StopFollowing();
  }
  if (notify && on_finished_) on_finished_();
}

void LogOnSession::FollowTick() {
  run_.Follow();
  if (run_.Following()) {
    if (follow_poll_ms_ >= kFollowPollMs) return;
    follow_poll_ms_ = std::min(follow_poll_ms_ * 2, kFollowPollMs);
    if (StartTimer(follow_poll_ms_)) return;
    // Without its timer nothing would ever end the following.
    run_.StopFollowing();
  }
  following_ = false;
  services_->timer.Stop();
  if (on_finished_) on_finished_();
}

void LogOnSession::AppendReport() {
  std::vector<std::string> lines{RunLine(heading_)};
  if (held_ms_ > 0) lines.push_back(HeldItemFileLine(held_ms_));
  for (const MisreadValue& value : misread_values_)
    lines.push_back(MisreadLine(value.name, value.read_as));
  for (const std::string& repair : repairs_) lines.push_back("  " + repair);
  for (RowReport row : run_.Report()) {
    // A separator only divides the list: it is nothing that could have started.
    if (row.outcome == RowOutcome::NoFile && row.row < store_.Size() &&
        IsSeparator(store_.Row(row.row)))
      continue;
    row.kept = kept_ && row.row < store_.Size() && kept_(store_.Row(row.row));
    lines.push_back(RowLine(row));
  }
  AppendToLog(services_->log_files, log_path_, lines);
}

void ReportUnreadList(LogFiles& files, const std::string& log_path, const RunHeading& heading,
                      const std::string& error, std::int64_t held_ms) {
  std::vector<std::string> lines{RunLine(heading), UnreadListLine(error)};
  if (held_ms > 0) lines.push_back(HeldTooLongLine(held_ms));
  AppendToLog(files, log_path, lines);
}

void OpenLogOnReport(LogFiles& files, SystemErrorTexts& error_texts, Launcher& launcher,
                     MessageDialogs& dialogs, const std::string& program_folder) {
  const std::string path = LogFilePath(program_folder);
  const std::int64_t size = files.SizeOf(path);
  if (size == kNotAFile) {
    dialogs.Show(MessageKind::Warning, BoxButtons::Ok, FormatText(texts::kLogNotAFile, path));
    return;
  }
  if (size < 0) {
    dialogs.Show(MessageKind::Information, BoxButtons::Ok, texts::kNoLogYet);
    return;
  }
  constexpr int kNoAssociation = 31;  // SE_ERR_NOASSOC: no program is registered for .log
  std::optional<ShellAnswer> answer =
      launcher.LaunchFileAnswered(path, "", program_folder, kShowCommandShow);
  if (answer && answer->code == kNoAssociation)
    answer = launcher.LaunchFileAnswered(texts::kPlainTextEditor, "\"" + path + "\"",
                                         program_folder, kShowCommandShow);
  if (answer && answer->Succeeded()) return;
  const std::string reason = answer ? ShellFailureText(*answer, error_texts) : std::string();
  std::string message = FormatText(texts::kLogCannotOpen, path);
  if (!reason.empty()) message += "\r\n" + reason;
  dialogs.Show(MessageKind::Warning, BoxButtons::Ok, message);
}
