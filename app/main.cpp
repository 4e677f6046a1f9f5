#include <windows.h>

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/help_key.h"
#include "app/tray_launcher.h"
#include "core/clock_texts.h"
#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "core/texts.h"
#include "editing/list_commands.h"
#include "editing/win32/item_dialog_view.h"
#include "editing/win32/item_list_pane.h"
#include "editing/win32/listing_dialog.h"
#include "logon/logon_report.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_dde.h"
#include "platform/win32/win32_entry_sources.h"
#include "platform/win32/win32_help.h"
#include "platform/win32/win32_keyboard.h"
#include "platform/win32/win32_log_files.h"
#include "platform/win32/win32_memory_status.h"
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
#include "settings_window/win32/main_window.h"
#include "shell/help_command.h"
#include "shell/shell_folders.h"
#include "shell/startup_registration.h"
#include "shell/win32/about_box_window.h"
#include "takeover/entries.h"
#include "takeover/repair.h"
#include "takeover/take_over.h"
#include "takeover/takeover_steps.h"
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

int RunMessageLoop(MainWindow& window, MessageDialogs& dialogs) {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    try {
      if (window.PreTranslateMessage(message)) continue;
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

    form.SetListButtonsUpdater([&] { commands.UpdateListButtons(); });
    Win32MemoryStatus memory;
    Win32FreeResources resources;
    Win32HelpViewer help;
    const auto show_about = [&] {
      ShowAboutBox(instance, window.Handle(), {memory, resources, shell, window.Handle()});
    };
    const auto show_help = [&] {
      ShowHelpContents(help, dialogs, window.Handle(), form.ProgramFolder());
    };
    const std::string program_file = system.ProgramFilePath();
    const std::string program_folder = ProgramFolderOf(program_file);
    TrayLauncher tray(
        instance, window, form, launcher, keyboard, dialogs, program_folder,
        [&registry](int index) {
          return GetShellFolder(registry, static_cast<ShellFolderIndex>(index));
        },
        TrayLauncher::InfoHandlers{show_help, show_about});
    form.SetLauncherMenuBuilder([&] { tray.BuildLauncherMenu(); });
    form.SetRunMarksListener([&] { tray.ShowRunMarks(); });
    window.SetCloseQuery([&] { return form.FormCloseQuery(); });
    window.SetCloseHandler([&] { form.FormClose(); });
    window.SetCommandHandler(IDC_OK_BTN, [&] { form.OkBtnClick(); });
    window.SetCommandHandler(IDC_CANCEL_BTN, [&] { form.CancelBtnClick(); });
    window.SetCommandHandler(IDC_UPDATE_BTN, [&] { form.UpdateBtnClick(); });
    window.SetCommandHandler(IDC_ADD_BTN, [&] { commands.AddBtnClick(); });
    window.SetCommandHandler(IDC_EDIT_BTN, [&] { commands.EditBtnClick(); });
    window.SetCommandHandler(IDC_DELETE_BTN, [&] { commands.DeleteBtnClick(); });
    window.SetCommandHandler(IDC_SEPARATOR_BTN, [&] { commands.SeparatorBtnClick(); });
    window.SetCommandHandler(IDC_MOVE_UP_BTN, [&] { commands.MoveUpClick(); });
    window.SetCommandHandler(IDC_MOVE_DOWN_BTN, [&] { commands.MoveDownClick(); });
    window.SetCommandHandler(IDC_RUN_BTN, [&] { commands.RunBtnClick(); });
    window.SetCommandHandler(IDM_ALL_OK, [&] { commands.AllOKClick(); });
    window.SetCommandHandler(IDM_ALL_NG, [&] { commands.AllNGClick(); });
    window.SetCommandHandler(IDM_MOVE_UP, [&] { commands.MoveUpClick(); });
    window.SetCommandHandler(IDM_MOVE_DOWN, [&] { commands.MoveDownClick(); });
    window.SetCommandHandler(IDC_LIST_VIEW_BUTTON, [&] {
      const MainWindowFigures figures = window.Figures();
      ShowListingDialog(
          instance, window.Handle(), form.Store().Rows(),
          ListingPlacement{figures.left, figures.top, figures.width, figures.tool_strip_height,
                           figures.status_bar_height, figures.page_height, false});
    });
    Win32ProgramStarter starter;
    Win32ShellLinks links;
    Win32SpecialFolders folders;
    StartupRegistration registration({system, dialogs, dde, starter, links, folders, shell});
    // The system's other log-on entries, and the ones taken over into the list.
    Win32RawRegistry raw_registry;
    Win32FileStore file_store;
    const EntrySources entry_sources{raw_registry, file_store, links};
    const std::string kept_folder = program_folder + kKeptFolderName;
    // The shell's folders do not move while the program runs: asked once, when first needed.
    std::optional<EntryLocations> located;
    const auto places = [&]() -> const EntryLocations& {
      if (!located) located = LocateEntries(folders, program_folder, program_file);
      return *located;
    };
    Takeover takeover(entry_sources, dialogs,
                      TakeoverList{form.Store(), [&] { return form.SaveNow(); },
                                   [&] {
                                     window.ShowItems(form.Store().Rows());
                                     commands.UpdateListButtons();
                                   }},
                      kept_folder);
    TakeoverSteps steps(takeover, dialogs,
                        StepList{form.Store(), [&] { return form.HasUnsavedChanges(); },
                                 [&] { return form.SaveNow(); },
                                 [&] { return ListKeptEntries(entry_sources, places()); }},
                        kept_folder);
    commands.SetTakenOverRows(&steps);
    Win32RegistryTree registry_tree;
    Uninstall uninstall({dialogs, entry_sources, links, folders, registry_tree}, program_file);
    takeover_page.SetHandlers(TakeoverPage::Handlers{
        [&] { return ListTakeoverEntries(entry_sources, places(), form.Store().Rows()); },
        [&](const TakeoverEntry& entry) { return steps.TakeOver(entry); },
        [&](const TakeoverEntry& entry) { return steps.GiveBack(entry); },
        [&] {
          // Nothing of the program is left to save to: the window closes as Cancel does.
          if (uninstall.Run()) form.CancelBtnClick();
        }});
    window.SetCommandHandler(IDC_TAKE_OVER_BUTTON, [&] { takeover_page.TakeOverClick(); });
    window.SetCommandHandler(IDC_GIVE_BACK_BUTTON, [&] { takeover_page.GiveBackClick(); });
    window.SetCommandHandler(IDC_UNINSTALL_BUTTON, [&] { takeover_page.UninstallClick(); });
    std::optional<std::vector<TakeoverEntry>> kept_entries;  // read once, by the report
    form.SetKeptCheck([&](const LaunchItem& row) {
      if (!kept_entries) kept_entries = ListKeptEntries(entry_sources, places());
      return IsKeptRow(*kept_entries, row);
    });
    form.SetLoadRepair([&](const std::vector<LaunchItem>& rows) {
      std::vector<std::string> lines = RepairTakeOver(entry_sources, places(), rows);
      if (!lines.empty()) lines.insert(lines.begin(), takeover_texts::kRepairsHeading);
      return lines;
    });
    window.SetCommandHandler(IDC_GROUP_BUTTON, [&] { registration.RegisterInStartupGroup(); });
    window.SetCommandHandler(IDC_SHORTCUT_BUTTON, [&] { registration.CreateDesktopShortcut(); });
    window.SetCommandHandler(IDC_LOG_BUTTON, [&] {
      OpenLogOnReport(log_files, error_texts, launcher, dialogs, form.ProgramFolder());
    });
    window.SetCommandHandler(IDC_VERSION_BTN, show_about);
    window.SetCommandHandler(IDC_HELP_CONTENTS_BTN, show_help);
    HelpKey help_key(window.Handle(), IDM_HELP_KEY);
    window.SetCommandHandler(IDM_HELP_KEY, [&] {
      ShowHelp(help, dialogs, window.Handle(), form.ProgramFolder(), help_key.ActiveTopic());
    });
    list_pane.SetEventHandlers(ListEventHandlers{
        [&](int row, bool checked) { commands.SetRowEnabled(row, checked); },
        [&] { commands.EditBtnClick(); },
        [&] { commands.TitleListEnter(); },
    });

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
    form.Start();
    started();
    const int exit_code = RunMessageLoop(window, dialogs);
    // A quit during spaced-out launches leaves the rest unstarted, and the report says so.
    form.StopLogOnRun();
    return exit_code;
  } catch (const std::exception& error) {
    dialogs.ShowError(error);
    return 1;
  }
}
