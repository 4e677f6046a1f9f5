#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/command_target.h"
#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "items/app_settings.h"
#include "items/item_store.h"
#include "items/store_persistence.h"
#include "logon/logon_session.h"
#include "logon/run_rules.h"
#include "platform/keyboard.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "settings_window/main_view.h"

enum class RunMode { Config, LogOn };

// The first argument after the program name, compared exactly with "/N", picks the log-on run.
RunMode ModeFromArguments(const std::vector<std::string>& arguments);

// The part of a hint that the status bar shows: what follows the first "|", else all of it.
std::string LongHint(const std::string& hint);

// The services the main window's presenter reaches the system through.
struct MainFormServices {
  Registry& registry;
  ProfileFiles& profile_files;
  Shell& shell;
  Keyboard& keyboard;
  Clock& clock;
  System& system;
  MessageDialogs& dialogs;
  Launcher& launcher;
};

// What the tray icon is to show, until the tray has a service of its own.
struct TrayState {
  std::string tip;
  bool visible = false;
  bool enabled = true;
};

// The presenter of the main window: its creation in either mode, its showing, and the
// commands of the "File" band with the close handling.
class MainForm {
 public:
  MainForm(MainView& view, RunMode mode, const MainFormServices& services);

  // Called when the window is shown, after the rows changed their enabled states.
  void SetListButtonsUpdater(std::function<void()> update) {
    update_list_buttons_ = std::move(update);
  }
  // Called in the log-on run with the launcher option on, after the conveniences.
  // Called whenever the marks of a spaced log-on run change after the menu was built.
  void SetRunMarksListener(std::function<void()> changed) {
    run_marks_changed_ = std::move(changed);
  }
  void SetLauncherMenuBuilder(std::function<void()> build) {
    build_launcher_menu_ = std::move(build);
  }
  // Called when a log-on run that waited for a held item file has read it and gone on (shown
  // the window, or stayed resident): what follows Start then follows here.
  void SetStartedLateListener(std::function<void()> started) { started_late_ = std::move(started); }

  // The report, "Skip" and "Wait" of the log-on run; without them the run is the plain one.
  void SetLogOnServices(const LogOnServices* services) { logon_services_ = services; }
  // Tells the rows taken over from the system's start-up, for the log-on report.
  void SetKeptCheck(std::function<bool(const LaunchItem&)> kept) { kept_ = std::move(kept); }
  // Puts right, once the rows are read, what an interrupted change to the system's start-up
  // left behind; the lines it returns (a heading, then one per repair) go into the log-on
  // report, or are shown at a window start.
  void SetLoadRepair(
      std::function<std::vector<std::string>(const std::vector<LaunchItem>&)> repair) {
    load_repair_ = std::move(repair);
  }
  // Stores the list and the options as Update does; false after an error, which has been shown.
  bool SaveNow() { return SaveStore(); }
  // The rows changed from outside the list commands: the list shows them again.
  void ShowRowsAgain();
  // The program ends: a spaced-out log-on run still under way launches nothing more.
  // The log-on run of a process that ends after it has launched every row and only follows
  // the started programs until it ends.
  void SetLaunchesOverListener(std::function<void()> listener) {
    launches_over_ = std::move(listener);
  }
  void StopLogOnRun() {
    if (!session_) return;
    session_->Stop();
    // A quit while rows were still followed keeps what was seen so far.
    KeepTimeline();
  }
  const LogOnSession* Session() const { return session_.get(); }
  // Shift was held as the log-on run began, so nothing started; until the rows are started
  // from the tray.
  bool SkippedOnShift() const { return skipped_on_shift_; }
  // Starts the log-on run that Shift skipped, with the rows due now.
  void StartSkippedRun();

  // Creates the window's state and, in the log-on run, does the run. Afterwards ShowsWindow()
  // says whether the window is to be shown.
  void FormCreate();
  bool ShowsWindow() const { return shows_window_; }
  // Shows the window and readies it for editing.
  void FormShow();
  // FormCreate, then FormShow when the window is to be shown.
  void Start();

  // Ok, Cancel, Update and the close handling.
  void RegisterWith(CommandTarget& window);
  void OkBtnClick();
  void UpdateBtnClick();
  void CancelBtnClick();
  // The window is asked to close. OK, Cancel and the launcher's quit close it at once; the close
  // box or Alt+F4 first asks whether to save what is unsaved: Yes saves as OK does, No
  // discards, Cancel keeps the window. False keeps the window open.
  bool FormCloseQuery();
  // The window is closing, whatever closed it: asks the restart question after OK.
  void FormClose();
  // Whether the list or the options differ from what was last loaded or saved; moving or
  // sizing the window does not count.
  bool HasUnsavedChanges();

  RunMode Mode() const { return mode_; }
  ItemStore& Store() { return store_; }
  const AppSettings& Settings() const { return settings_; }
  const RunMarks& Marks() const { return run_marks_; }
  const std::string& TodayText() const { return today_text_; }
  const std::string& ClockText() const { return clock_text_; }
  const std::string& ProgramFolder() const { return program_folder_; }
  const std::string& HelpFile() const { return help_file_; }
  const TrayState& Tray() const { return tray_; }
  bool RestartPending() const { return restart_pending_; }
  // True while the log-on run stays resident behind its tray icon.
  bool Resident() const { return resident_; }

 private:
  void LoadStore();
  void ApplySettingsToView();
  void RunLogOnBranch(const LocalTime& now);
  void BeginLogOnSession(const LocalTime& now);
  // The finished run's timeline joins the log-on history.
  void KeepTimeline();
  bool timeline_kept_ = false;
  std::function<void()> launches_over_;
  // The log-on run when the item file could not be read: nothing is launched.
  void RefuseRunOnUnreadList(const std::string& error, std::int64_t held_ms);
  // What follows a load that read the item file (or found none).
  void CreateAfterLoad();
  // In the window: the box offers 再試行 while the file stays held; false on キャンセル.
  bool RetryHeldItemFile(std::string error);
  // At log-on: tries again on the run's timer after growing pauses, the message loop alive;
  // false when there is no timer to wait on.
  bool WaitForHeldItemFile();
  bool ArmHeldItemFileWait();
  void HeldItemFileTick();
  std::int64_t HeldForMs() const;
  // Reads the window and the options back into the settings and saves; false after an error,
  // which has been shown.
  bool SaveStore();
  // What the user would lose on closing, as last loaded or saved.
  struct SavedState {
    AppSettings settings;  // without the window's place
    std::vector<LaunchItem> rows;
  };
  void RememberSavedState(bool rows_too);

  MainView& view_;
  RunMode mode_;
  MainFormServices services_;
  StorePersistence persistence_;
  std::function<void()> update_list_buttons_;
  std::function<void()> build_launcher_menu_;
  std::function<void()> run_marks_changed_;
  std::function<void()> started_late_;
  const LogOnServices* logon_services_ = nullptr;
  std::function<bool(const LaunchItem&)> kept_;
  std::function<std::vector<std::string>(const std::vector<LaunchItem>&)> load_repair_;
  std::vector<std::string> repairs_;
  std::unique_ptr<LogOnSession> session_;

  AppSettings settings_;
  ItemStore store_;
  RunMarks run_marks_;
  std::string today_text_;
  std::string clock_text_;
  std::string program_folder_;
  std::string help_file_;
  TrayState tray_;
  bool restart_pending_ = false;
  // OK or Cancel is closing the window: the user has already said what becomes of the changes.
  bool closing_by_command_ = false;
  SavedState saved_;
  bool shows_window_ = true;
  bool resident_ = false;
  bool skipped_on_shift_ = false;
  std::int64_t held_since_ms_ = 0;
  std::int64_t held_paused_ms_ = 0;     // the pauses so far, where there is no tick clock
  std::int64_t held_item_file_ms_ = 0;  // how long the log-on run waited for the item file
};
