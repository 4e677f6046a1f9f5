#pragma once

#include <optional>
#include <string>

#include "core/launch_limits.h"
#include "platform/shell.h"
#include "platform/window_handle.h"

// Hands a file with its arguments, folder and show command to the shell; no result, no wait.
class Launcher {
 public:
  explicit Launcher(Shell& shell) : shell_(shell) {}

  void SetMainWindow(WindowHandle window) { main_window_ = window; }
  void SetApplicationWindow(WindowHandle window) { application_window_ = window; }

  // Owned by the main window. False, with nothing handed on, for texts the shell cannot take
  // (ShellCanTake); callers treat that as a launch the shell refused.
  bool LaunchFile(const std::string& file, const std::string& arguments, const std::string& folder,
                  int show_command) {
    if (!ShellCanTake(file, arguments, folder)) return false;
    shell_.Execute(main_window_, file, arguments, folder, show_command);
    return true;
  }
  // The same, with the shell's answer; none when nothing was handed on.
  std::optional<ShellAnswer> LaunchFileAnswered(const std::string& file,
                                                const std::string& arguments,
                                                const std::string& folder, int show_command) {
    if (!ShellCanTake(file, arguments, folder)) return std::nullopt;
    return shell_.Execute(main_window_, file, arguments, folder, show_command);
  }
  // Owned by the application window: the start-up run happens before the main window counts.
  bool LaunchFileAtStart(const std::string& file, const std::string& arguments,
                         const std::string& folder, int show_command) {
    return LaunchFileAtStartAnswered(file, arguments, folder, show_command).has_value();
  }
  // The same, with the shell's answer for the log-on report; none when nothing was handed on.
  std::optional<ShellAnswer> LaunchFileAtStartAnswered(const std::string& file,
                                                       const std::string& arguments,
                                                       const std::string& folder,
                                                       int show_command) {
    if (!ShellCanTake(file, arguments, folder)) return std::nullopt;
    return shell_.Execute(application_window_, file, arguments, folder, show_command);
  }
  // The same, keeping the started process, whose readiness the log-on run follows.
  std::optional<ShellAnswer> LaunchFileAtStartWatched(const std::string& file,
                                                      const std::string& arguments,
                                                      const std::string& folder, int show_command,
                                                      std::unique_ptr<WatchedProcess>& process) {
    if (!ShellCanTake(file, arguments, folder)) return std::nullopt;
    return shell_.ExecuteWatched(application_window_, file, arguments, folder, show_command,
                                 process);
  }

 private:
  Shell& shell_;
  WindowHandle main_window_ = nullptr;
  WindowHandle application_window_ = nullptr;
};
