#include "settings_window/main_form.h"

#include <exception>

#include "core/clock_texts.h"
#include "core/texts.h"
#include "items/held_item_file.h"
#include "items/row_timing.h"
#include "platform/text_format.h"
#include "resources/resource_ids.h"

RunMode ModeFromArguments(const std::vector<std::string>& arguments) {
  return !arguments.empty() && arguments.front() == texts::kStartupSwitch ? RunMode::LogOn
                                                                          : RunMode::Config;
}

std::string LongHint(const std::string& hint) {
  const size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

MainForm::MainForm(MainView& view, RunMode mode, const MainFormServices& services)
    : view_(view),
      mode_(mode),
      services_(services),
      persistence_(services.registry, services.profile_files,
                   ItemFilePath(ProgramFolderOf(services.system.ProgramFilePath()))) {}

void MainForm::FormCreate() {
  try {
    try {
      // At log-on a held file is waited for on the timer, not inside the load.
      persistence_.SetWaitForHeldFile(mode_ != RunMode::LogOn || !logon_services_);
      LoadStore();
    } catch (const std::exception& error) {
      if (persistence_.ItemFileError().empty()) throw;
      if (mode_ == RunMode::LogOn) {
        if (!WaitForHeldItemFile()) RefuseRunOnUnreadList(error.what(), 0);
        return;
      }
      if (!RetryHeldItemFile(error.what())) return;
    }
  } catch (const std::exception& error) {
    services_.dialogs.ShowError(error);
    return;
  }
  CreateAfterLoad();
}

bool MainForm::RetryHeldItemFile(std::string error) {
  while (services_.dialogs.AskRetry(error, texts::kHeldItemFileRetry)) {
    try {
      LoadStore();
      return true;
    } catch (const std::exception& again) {
      if (persistence_.ItemFileError().empty()) throw;
      error = again.what();
    }
  }
  return false;
}

std::int64_t MainForm::HeldForMs() const {
  TickClock* ticks = logon_services_->ticks;
  return ticks ? ticks->Milliseconds() - held_since_ms_ : held_paused_ms_;
}

bool MainForm::WaitForHeldItemFile() {
  if (!logon_services_) return false;
  shows_window_ = false;
  if (logon_services_->ticks) held_since_ms_ = logon_services_->ticks->Milliseconds();
  held_paused_ms_ = 0;
  return ArmHeldItemFileWait();
}

bool MainForm::ArmHeldItemFileWait() {
  const int pause = HeldItemFilePauseMs(HeldForMs());
  if (pause < 0) return false;
  held_paused_ms_ += pause;
  return logon_services_->timer.Start(pause, [this] { HeldItemFileTick(); });
}

void MainForm::HeldItemFileTick() {
  logon_services_->timer.Stop();
  bool read = false;
  try {
    LoadStore();
    read = true;
  } catch (const std::exception& error) {
    if (!persistence_.ItemFileError().empty()) {
      if (!ArmHeldItemFileWait()) RefuseRunOnUnreadList(error.what(), HeldForMs());
      return;
    }
    // Any other failure leaves the window to the user, as at a start without a wait.
    services_.dialogs.ShowError(error);
  }
  shows_window_ = true;
  if (read) {
    held_item_file_ms_ = HeldForMs();
    CreateAfterLoad();
  }
  if (shows_window_) {
    view_.Show();
    FormShow();
  }
  if (started_late_) started_late_();
}

void MainForm::CreateAfterLoad() {
  bool in_logon_branch = false;
  try {
    if (persistence_.GarbledCount()) {
      services_.dialogs.Show(MessageKind::Warning, BoxButtons::Ok,
                             FormatText(texts::kCountNotNumber, *persistence_.GarbledCount()));
    }

    if (load_repair_ && persistence_.RowsRead()) repairs_ = load_repair_(store_.Rows());

    const LocalTime now = services_.clock.Now();
    today_text_ = ::TodayText(now);
    clock_text_ = ::ClockText(now);
    program_folder_ = ProgramFolderOf(services_.system.ProgramFilePath());

    const bool logon_run = mode_ == RunMode::LogOn && store_.count > 0;
    if (!repairs_.empty() && !logon_run) {
      std::string text;
      for (const std::string& line : repairs_) text += (text.empty() ? "" : "\r\n") + line;
      services_.dialogs.Show(MessageKind::Information, BoxButtons::Ok, text);
    }
    if (mode_ == RunMode::LogOn) {
      if (store_.count <= 0) {
        view_.CentreOnScreen();
        tray_.enabled = false;
        services_.dialogs.Show(MessageKind::Information, BoxButtons::Ok, texts::kWelcome);
      } else {
        in_logon_branch = true;
        RunLogOnBranch(now);
      }
    }

    tray_.tip = TrayTipText(now);
    tray_.visible = mode_ == RunMode::LogOn;
    help_file_ = program_folder_ + texts::kHelpFileName;
  } catch (const std::exception& error) {
    services_.dialogs.ShowError(error);
    if (in_logon_branch && !resident_) {
      // The window stays hidden and no tray icon follows: a process left waiting here could
      // never be reached again and would keep every later start out.
      view_.Terminate();
    }
  }
}

void MainForm::LoadStore() {
  try {
    persistence_.Load(settings_, store_);
  } catch (...) {
    // What was read before the failure still reaches the window.
    ApplySettingsToView();
    throw;
  }
  ApplySettingsToView();
}

void MainForm::ApplySettingsToView() {
  view_.ShowSettings(settings_);
  view_.ShowItems(store_.Rows());
}

void MainForm::FormShow() {
  view_.ShowApplicationPage();
  restart_pending_ = false;
  // Read back from the window, so that what the controls made of the stored values counts as
  // unchanged.
  RememberSavedState(true);
  view_.SetStatusText(0, texts::kVersionText);
  if (!view_.SelectFirstRowAndFocus()) view_.FocusLanCheckBox();
  if (update_list_buttons_) update_list_buttons_();
}

void MainForm::ShowRowsAgain() {
  view_.ShowItems(store_.Rows());
  if (update_list_buttons_) update_list_buttons_();
}

void MainForm::Start() {
  FormCreate();
  if (!shows_window_) return;
  view_.Show();
  FormShow();
}

bool MainForm::SaveStore() {
  try {
    settings_ = view_.Settings();
    store_.count = store_.Size();
    // The stored rows were never read: replacing them needs the user's word, every time.
    if (!persistence_.RowsRead() &&
        !services_.dialogs.AskYesNo(MessageKind::Warning, texts::kReplaceUnreadList)) {
      persistence_.SaveSettingsOnly(settings_);
      RememberSavedState(false);
      return true;
    }
    persistence_.Save(settings_, store_);
    RememberSavedState(true);
    return true;
  } catch (const std::exception& error) {
    services_.dialogs.ShowError(error);
    return false;
  }
}

namespace {

// Moving or sizing the window is no change the user would lose.
AppSettings WithoutPlace(AppSettings settings) {
  settings.left = settings.top = settings.width = settings.height = 0;
  return settings;
}

}  // namespace

void MainForm::RememberSavedState(bool rows_too) {
  saved_.settings = WithoutPlace(view_.Settings());
  if (rows_too) saved_.rows = store_.Rows();
}

bool MainForm::HasUnsavedChanges() {
  return WithoutPlace(view_.Settings()) != saved_.settings || store_.Rows() != saved_.rows;
}

void MainForm::RegisterWith(CommandTarget& window) {
  window.SetCommandHandler(IDC_OK_BTN, [this] { OkBtnClick(); });
  window.SetCommandHandler(IDC_CANCEL_BTN, [this] { CancelBtnClick(); });
  window.SetCommandHandler(IDC_UPDATE_BTN, [this] { UpdateBtnClick(); });
  window.SetCloseQuery([this] { return FormCloseQuery(); });
  window.SetCloseHandler([this] { FormClose(); });
}

void MainForm::OkBtnClick() {
  if (!SaveStore()) return;
  restart_pending_ = true;
  closing_by_command_ = true;
  view_.Close();
}

void MainForm::UpdateBtnClick() {
  SaveStore();
}

void MainForm::CancelBtnClick() {
  closing_by_command_ = true;
  view_.Close();
}

bool MainForm::FormCloseQuery() {
  // The hidden window of the log-on run holds nothing the user edited.
  if (closing_by_command_ || !shows_window_ || !HasUnsavedChanges()) return true;
  switch (services_.dialogs.Show(MessageKind::Confirmation, BoxButtons::YesNoCancel,
                                 texts::kSaveChangesQuestion)) {
    case BoxAnswer::Yes:
      if (!SaveStore()) return false;
      restart_pending_ = true;
      return true;
    case BoxAnswer::No:
      return true;
    default:
      return false;
  }
}

void MainForm::FormClose() {
  // Enter must not restart the computer: No is the default answer.
  if (restart_pending_ &&
      services_.dialogs.AskYesNoDefaultNo(MessageKind::Information, texts::kRestartQuestion)) {
    services_.system.RequestRestart();
  }
}
