#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/tray_launcher.h"
#include "core/clock_texts.h"
#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "core/texts.h"
#include "editing/list_commands.h"
#include "editing/win32/item_dialog_view.h"
#include "editing/win32/item_list_pane.h"
#include "logon/logon_report.h"
#include "logon/win32/log_commands.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_entry_sources.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_log_files.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_processor_use.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_readiness.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_registry_tree.h"
#include "platform/win32/win32_repeating_timer.h"
#include "platform/win32/win32_running_programs.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_shell_links.h"
#include "platform/win32/win32_system.h"
#include "resources/resource_ids.h"
#include "settings_window/main_form.h"
#include "settings_window/win32/listing_command.h"
#include "settings_window/win32/main_window.h"
#include "shell/startup_registration.h"
#include "shell/win32/help_commands.h"
#include "takeover/entries.h"
#include "takeover/list_takeover.h"
#include "takeover/takeover_texts.h"
#include "takeover/uninstall.h"
#include "takeover/win32/takeover_page.h"

namespace {

// The arguments after the program's own name, as the C runtime split them.
std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
  return arguments;
}

// "/uninstall": the question, the work and its outcome, and no other window.
int RunUninstall(MessageDialogs& dialogs, System& system) {
  try {
    ComApartment com;
    Win32RawRegistry raw_registry;
    Win32FileStore file_store;
    Win32ShellLinks links;
    Win32SpecialFolders folders;
    Win32RegistryTree registry_tree;
    Uninstall uninstall(
        {dialogs, EntrySources{raw_registry, file_store, links}, links, folders, registry_tree},
        system.ProgramFilePath());
    return uninstall.Run() ? 0 : 1;
  } catch (const std::exception& error) {
    dialogs.ShowError(error);
    return 1;
  }
}

int RunMessageLoop(MainWindow& window, LogOnCommands& logs, MessageDialogs& dialogs) {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    try {
      if (window.PreTranslateMessage(message) || logs.PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    } catch (const std::exception& error) {
      dialogs.ShowError(error);
    }
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Win32MessageBoxes boxes;
  MessageDialogs dialogs(boxes);
  Win32System system;
  Win32LogFiles log_files;
  dialogs.SetFaultLog(log_files, LogFilePath(ProgramFolderOf(system.ProgramFilePath())));
  Win32SingleInstance single_instance;
  const bool uninstalling = AsksUninstall(CommandLineArguments());
  if (single_instance.AnotherInstanceRuns(texts::kMutexName)) {
    system.Beep();
    if (uninstalling)
      dialogs.Show(MessageKind::Warning, BoxButtons::Ok, takeover_texts::kUninstallWhileRunning);
    else
      dialogs.Notice(texts::kSecondInstance);
    return 0;
  }
  if (uninstalling) return RunUninstall(dialogs, system);

  try {
    // The shell link and the Startup group's conversation need these for the whole run.
    ComApartment com;
    Win32DdeClient dde;
    Win32Registry registry;
    Win32ProfileFiles profile_files;
    Win32Shell shell;
    Win32Keyboard keyboard;
    Win32Clock clock;
    Launcher launcher(shell);

    MainWindow window(instance);
    ItemListPane list_pane(window);
    window.SetListPane(&list_pane);
    TakeoverPage takeover_page;
    window.AddPage(&takeover_page);
    // The controls wait until the window is shown or read: a log-on run that ends at once
    // never builds them.
    window.Create(MainWindow::Controls::OnFirstUse);
    window.SetErrorHandler([&](const std::exception& error) { dialogs.ShowError(error); });
    launcher.SetApplicationWindow(window.ApplicationHandle());
    launcher.SetMainWindow(window.Handle());

    Win32RunningPrograms running_programs;
    Win32SystemErrorTexts error_texts;
    Win32RepeatingTimer launch_timer(instance);
    Win32TickClock ticks;
    Win32ProcessorUse processor;
    Win32Readiness readiness;
#ifdef MORVELIN_UNTRACKED
    Readiness* const followed = nullptr;  // the bench's floor
#else
    Readiness* const followed = &readiness;
#endif
    const LogOnServices logon_services{log_files, running_programs, error_texts, launch_timer,
                                       &ticks,    &processor,       followed};
    MainForm form(window, ModeFromArguments(CommandLineArguments()),
                  MainFormServices{registry, profile_files, shell, keyboard, clock, system, dialogs,
                                   launcher});
    form.SetLogOnServices(&logon_services);
    Win32ItemDialogRunner item_dialog(instance, window.Handle(), clock);
    ListCommands commands(form.Store(), list_pane, item_dialog, dialogs, system, launcher);

    const std::string program_file = system.ProgramFilePath();
    const std::string program_folder = ProgramFolderOf(program_file);
    HelpCommands help(instance, window.Handle(), shell, dialogs, program_folder);
    help.RegisterWith(window);
    ListingCommand listing(instance, window, form);
    TrayLauncher tray(instance, window, form, launcher, keyboard, dialogs, program_folder, registry,
                      help, listing);
    form.RegisterWith(window);
    commands.RegisterWith(window);
    form.SetListButtonsUpdater([&] { commands.UpdateListButtons(); });
    listing.RegisterWith(window);
    Win32ProgramStarter starter;
    Win32ShellLinks links;
    Win32SpecialFolders folders;
    StartupRegistration registration({system, dialogs, dde, starter, links, folders, shell});
    registration.RegisterWith(window);
    // The system's other log-on entries, and the ones taken over into the list.
    Win32RawRegistry raw_registry;
    Win32FileStore file_store;
    Win32RegistryTree registry_tree;
    ListTakeover takeover(
        {dialogs, EntrySources{raw_registry, file_store, links}, links, folders, registry_tree},
        form, program_file);
    commands.SetTakenOverRows(&takeover.Rows());
    takeover_page.SetHandlers(takeover.PageHandlers());
    takeover_page.RegisterWith(window);
    LogOnCommands logs(instance, window.Handle(), log_files, error_texts, launcher, dialogs,
                       [&form] { return form.ProgramFolder(); });
    logs.RegisterWith(window);

    const auto started = [&] {
      // A log-on run that ends at once never puts its icon up only to take it away again.
      const bool ending = !form.ShowsWindow() && !form.Resident();
      try {
        if (!ending) tray.ApplyWindowState();
      } catch (const std::exception& error) {
        // The program goes on without its tray icon.
        dialogs.ShowError(error);
      }
      // The resident launcher's dialogs use the common controls even while the window is
      // hidden.
      if (form.Resident()) InitControlClasses();
    };
    form.SetStartedLateListener(started);
    form.SetLaunchesOverListener([&] { single_instance.LetGo(); });
    form.Start();
    started();
    const int exit_code = RunMessageLoop(window, logs, dialogs);
    // A quit during spaced-out launches leaves the rest unstarted, and the report says so.
    form.StopLogOnRun();
    return exit_code;
  } catch (const std::exception& error) {
    dialogs.ShowError(error);
    return 1;
  }
}
