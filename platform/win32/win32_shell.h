#pragma once

#include <string>

#include "platform/shell.h"

class Win32Shell : public Shell {
 public:
  ShellAnswer Execute(WindowHandle owner, const std::string& file, const std::string& arguments,
                      const std::string& folder, int show_command) override;
  ShellAnswer ExecuteWatched(WindowHandle owner, const std::string& file,
                             const std::string& arguments, const std::string& folder,
                             int show_command, std::unique_ptr<WatchedProcess>& process) override;
  void ClearRecentDocuments() override;
};
