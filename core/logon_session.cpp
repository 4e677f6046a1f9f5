#include "core/logon_session.h"

#include <utility>

#include "core/logon_texts.h"

LogOnOptions LogOnOptionsOf(const AppSettings& settings, const LogOnServices* services) {
  LogOnOptions options;
  if (!services) return options;
  options.skip_running = settings.skip_running;
  options.wait_seconds = settings.wait_seconds;
  options.running = &services->running;
  options.error_texts = &services->error_texts;
  return options;
}

LogOnSession::LogOnSession(const Setup& setup, const AppSettings& settings,
                           const LogOnServices* services, std::function<void()> on_finished)
    : services_(services),
      log_path_(setup.log_path),
      run_(setup.store, setup.now, setup.files, setup.item_file_path, setup.launcher, setup.errors,
           LogOnOptionsOf(settings, services)),
      on_finished_(std::move(on_finished)) {
  const LogOnOptions options = LogOnOptionsOf(settings, services);
  heading_ = {setup.started, run_.Rows(), options.wait_seconds, options.skip_running};
}

LogOnSession::~LogOnSession() {
  if (!finished_ && services_) services_->timer.Stop();
}

void LogOnSession::Begin() {
  run_.Begin();
  if (run_.Finished()) {
    Finish(false);
    return;
  }
  if (!services_->timer.Start(heading_.wait_seconds * 1000, [this] { Tick(); })) {
    // Without a timer the rest starts at once rather than never.
    while (!run_.Finished()) run_.Next();
    Finish(false);
  }
}

void LogOnSession::Tick() {
  if (finished_) return;
  run_.Next();
  if (on_step_) on_step_();
  if (run_.Finished()) Finish(true);
}

void LogOnSession::Stop() {
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
  if (notify && on_finished_) on_finished_();
}

void LogOnSession::AppendReport() {
  std::vector<std::string> lines{RunLine(heading_)};
  for (const RowReport& row : run_.Report()) lines.push_back(RowLine(row));
  AppendToLog(services_->log_files, log_path_, lines);
}

void OpenLogOnReport(LogFiles& files, Launcher& launcher, MessageDialogs& dialogs,
                     const std::string& program_folder) {
  const std::string path = LogFilePath(program_folder);
  if (files.SizeOf(path) < 0) {
    dialogs.Show(MessageKind::Information, BoxButtons::Ok, texts::kNoLogYet);
    return;
  }
  launcher.LaunchFile(path, "", program_folder, kShowCommandShow);
}
